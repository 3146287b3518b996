#include "view/ValuesDlg.h"

#include "framework/AfxRes.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "geometry/ValueLimits.h"

#include <charconv>
#include <cmath>

namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

// The shortest text that reads back as the same float, so OK on untouched fields keeps the
// stored values exactly (the usual six digits would round them).
std::string ExactText(float value)
{
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, ptr) : std::string("0");
}

// The message naming a field's range, its ends as whole numbers.
std::string OutOfRangeText(double low, double high)
{
    const std::string lowText = std::to_string(static_cast<long long>(low));
    const std::string highText = std::to_string(static_cast<long long>(high));
    return AfxFormatString(AFX_IDP_PARSE_REAL_RANGE, lowText.c_str(), highText.c_str());
}

// A number within [low, high]; text left as shown keeps the stored value, whatever it is (a
// course file may hold values no gesture makes, and OK must not change them).
void DDX_Exact(CDataExchange* pDX, UINT nIDC, float& value, double low = -kMaxCourseMagnitude,
               double high = kMaxCourseMagnitude)
{
    CDialogHost* pHost = pDX->m_pDlg->GetDialogHost();
    if (!pDX->m_bSaveAndValidate) {
        if (pHost)
            pHost->SetItemText(nIDC, ExactText(value));
        return;
    }
    if (pDX->m_bFailed || !pHost)
        return;
    pDX->PrepareEditCtrl(nIDC);
    const std::string text = pHost->GetItemText(nIDC);
    double d = 0.0;
    if (text == ExactText(value) || !AfxParseFloat(text, d)) {
        DDX_Text(pDX, nIDC, value);   // the exact value back, or the refusal of what is no number
        return;
    }
    if (!(d >= low && d <= high)) {
        AfxMessageBox(OutOfRangeText(low, high), MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
        return;
    }
    value = static_cast<float>(d);
}

void DDX_Exact(CDataExchange* pDX, UINT nIDX, UINT nIDY, Vector3& v)
{
    DDX_Exact(pDX, nIDX, v.x);
    DDX_Exact(pDX, nIDY, v.y);
}

}  // namespace

void CPointValuesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Exact(pDX, IDC_POS_X, IDC_POS_Y, m_handle.vPos);
    DDX_Exact(pDX, IDC_TAN_NEXT_X, IDC_TAN_NEXT_Y, m_handle.vTanNext);
    DDX_Exact(pDX, IDC_TAN_PREV_X, IDC_TAN_PREV_Y, m_handle.vTanPrev);
    DDX_Exact(pDX, IDC_WIDTH_RIGHT, m_handle.WidthRight, 0.0);
    DDX_Exact(pDX, IDC_WIDTH_LEFT, m_handle.WidthLeft, 0.0);
}

BOOL CXObjectValuesDlg::OnInitDialog()
{
    if (CDialogHost* pHost = GetDialogHost())
        pHost->SetItemChoices(IDC_XOBJECT_NAME, m_names);
    m_directionShown = ExactText(static_cast<float>(m_object.Direction * kDegreesPerRadian));
    return CDialog::OnInitDialog();
}

void CXObjectValuesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_XOBJECT_NAME, m_object.FileName);
    DDX_Exact(pDX, IDC_POS_X, IDC_POS_Y, m_object.Pos);
    CDialogHost* pHost = GetDialogHost();
    if (!pDX->m_bSaveAndValidate) {
        if (pHost)
            pHost->SetItemText(IDC_DIRECTION, m_directionShown);
    } else if (!pHost || pHost->GetItemText(IDC_DIRECTION) != m_directionShown) {
        float degrees = 0.0f;
        DDX_Text(pDX, IDC_DIRECTION, degrees);
        if (!pDX->m_bFailed)
            m_object.Direction = static_cast<float>(degrees / kDegreesPerRadian);
    }
    DDX_Exact(pDX, IDC_XOBJECT_WIDTH, m_object.Width);
    DDX_Exact(pDX, IDC_XOBJECT_HEIGHT, m_object.Height);
}

void CXObjectValuesDlg::OnOK()
{
    // The course file has no escape for a double quote: it would end the name early.
    CDialogHost* pHost = GetDialogHost();
    if (pHost && pHost->GetItemText(IDC_XOBJECT_NAME).find('"') != std::string::npos) {
        AfxMessageBox(std::string(AfxLoadString(IDS_NAME_HAS_QUOTE)), MB_OK | MB_ICONEXCLAMATION);
        pHost->FocusItem(IDC_XOBJECT_NAME);
        return;
    }
    CDialog::OnOK();
}

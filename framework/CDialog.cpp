#include "framework/CDialog.h"

#include "framework/AfxRes.h"
#include "framework/Backend.h"
#include "framework/Resources.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

void CDataExchange::Fail()
{
    m_bFailed = true;
    if (CDialogHost* pHost = m_pDlg->GetDialogHost(); pHost && m_idLastControl != 0)
        pHost->FocusItem(m_idLastControl);
}

bool AfxParseFloat(const std::string& text, double& value)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1])))
        --e;
    if (b < e && text[b] == '+')
        ++b;
    if (b == e)
        return false;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    return ec == std::errc() && ptr == last && std::isfinite(value);
}

std::string AfxFormatFloat(float value)
{
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::general, 6);
    return ec == std::errc() ? std::string(buf, ptr) : std::string("0");
}

void DDX_Text(CDataExchange* pDX, UINT nIDC, std::string& value)
{
    if (pDX->m_bFailed)
        return;
    pDX->PrepareEditCtrl(nIDC);
    CDialogHost* pHost = pDX->m_pDlg->GetDialogHost();
    if (!pHost)
        return;
    if (pDX->m_bSaveAndValidate)
        value = pHost->GetItemText(nIDC);
    else
        pHost->SetItemText(nIDC, value);
}

void DDX_Text(CDataExchange* pDX, UINT nIDC, float& value)
{
    if (pDX->m_bFailed)
        return;
    pDX->PrepareEditCtrl(nIDC);
    CDialogHost* pHost = pDX->m_pDlg->GetDialogHost();
    if (!pHost)
        return;
    if (!pDX->m_bSaveAndValidate) {
        pHost->SetItemText(nIDC, AfxFormatFloat(value));
        return;
    }
    // Text left as it was shown keeps the exact value: its 6 digits would not give it back,
    // and OK with nothing changed must change nothing.
    const std::string text = pHost->GetItemText(nIDC);
    if (text == AfxFormatFloat(value))
        return;
    double d = 0.0;
    if (!AfxParseFloat(text, d) || std::fabs(d) > 3.402823466e38) {
        AfxMessageBox(std::string(AfxLoadString(AFX_IDP_PARSE_REAL)), MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
        return;
    }
    value = static_cast<float>(d);
}

void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal) {
        const std::string low = AfxFormatFloat(minVal);
        const std::string high = AfxFormatFloat(maxVal);
        AfxMessageBox(AfxFormatString(AFX_IDP_PARSE_REAL_RANGE, low.c_str(), high.c_str()), MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

int CDialog::DoModal()
{
    CBackend* pBackend = AfxGetBackend();
    return pBackend ? pBackend->DoModal(this) : IDCANCEL;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.m_bFailed ? FALSE : TRUE;
}

void CDialog::EndDialog(int nResult)
{
    if (m_pDlgHost)
        m_pDlgHost->EndDialog(nResult);
}

#pragma once

#include "framework/CWnd.h"

#include <string>
#include <vector>

// What a real dialog gives to the code behind it.
class CDialogHost {
public:
    virtual ~CDialogHost() = default;
    virtual std::string GetItemText(UINT nID) const = 0;
    virtual void SetItemText(UINT nID, const std::string& text) = 0;
    virtual void FocusItem(UINT nID) = 0;   // focus and select the control's text
    // The list of an editable combo box; its text stays free.
    virtual void SetItemChoices(UINT nID, const std::vector<std::string>& choices) {}
    virtual void EndDialog(int nResult) = 0;
};

class CDialog;

// One run of data exchange between the controls and the members.
class CDataExchange {
public:
    CDataExchange(CDialog* pDlg, BOOL bSaveAndValidate) : m_pDlg(pDlg), m_bSaveAndValidate(bSaveAndValidate) {}
    // Shows nothing itself; marks the exchange failed and puts the focus on the last control.
    void Fail();
    void PrepareEditCtrl(UINT nID) { m_idLastControl = nID; }

    CDialog* m_pDlg;
    BOOL m_bSaveAndValidate;
    bool m_bFailed = false;
    UINT m_idLastControl = 0;
};

void DDX_Text(CDataExchange* pDX, UINT nIDC, std::string& value);
// Shown with 6 significant digits; text that is not a number is refused with a message, and
// text left as shown keeps the value exactly.
void DDX_Text(CDataExchange* pDX, UINT nIDC, float& value);
void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal);

// Parses a whole field as a number the way the float exchange accepts it (any locale).
bool AfxParseFloat(const std::string& text, double& value);
// The float exchange's text for a value: 6 significant digits, '.' as separator.
std::string AfxFormatFloat(float value);

// A modal dialog from a template in the resources.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParent = nullptr) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParent) {}
    ~CDialog() override = default;

    // IDOK or IDCANCEL.
    virtual int DoModal();
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX) {}
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);

    void SetDialogHost(CDialogHost* pHost) { m_pDlgHost = pHost; }
    CDialogHost* GetDialogHost() const { return m_pDlgHost; }

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    CDialogHost* m_pDlgHost = nullptr;
};

#pragma once

// A modal dialog built from a dialog template: the controls sit on a grid whose lines are
// the template's own edges, so positions, proportions and tab order follow the template.
#include "framework/CDialog.h"
#include "framework/Resources.h"

#include <QDialog>

#include <map>

class QtDialog : public QDialog, public CDialogHost {
public:
    QtDialog(CDialog* pDlg, const DialogDef& def, QWidget* pParent);

    // OnInitDialog, then the modal loop; IDOK, IDCANCEL or what EndDialog was given.
    int Run();
    QWidget* Item(UINT nID) const;

    // CDialogHost
    std::string GetItemText(UINT nID) const override;
    void SetItemText(UINT nID, const std::string& text) override;
    void FocusItem(UINT nID) override;
    void SetItemChoices(UINT nID, const std::vector<std::string>& choices) override;
    void EndDialog(int nResult) override;

protected:
    // Escape and the close box.
    void reject() override;
    void accept() override;

private:
    void OnButton(UINT nID);

    CDialog* m_pDlg;
    std::map<UINT, QWidget*> m_items;
    std::map<UINT, std::string> m_setTexts;   // the bytes each edit field was last given
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
};

// The text of a label without its mnemonic marks: "明るさ(&L):" shows as "明るさ(L):".
QString StripMnemonic(const QString& text);

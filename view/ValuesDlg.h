#pragma once

// The dialogs of exact values: a double click on a control point's marker or an object shows
// its stored values; OK applies them as one step (edit/ValuesEdits.h).
#include "document/TrackwrightDoc.h"
#include "framework/CDialog.h"
#include "res/Resource.h"

#include <string>
#include <vector>

class CPointValuesDlg : public CDialog {
public:
    CPointValuesDlg() : CDialog(IDD_POINT_VALUES) {}
    void DoDataExchange(CDataExchange* pDX) override;

    CourseHandle m_handle;   // its stored values are exchanged
};

class CXObjectValuesDlg : public CDialog {
public:
    CXObjectValuesDlg() : CDialog(IDD_XOBJECT_VALUES) {}
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    XObject m_object;                  // its stored values are exchanged
    std::vector<std::string> m_names;  // the catalogue, offered in the name's list

private:
    std::string m_directionShown;   // degrees as shown: unchanged text keeps the exact radians
};

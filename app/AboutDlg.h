#pragma once

#include "framework/CDialog.h"
#include "res/Resource.h"

// The version box: no members, no data exchange.
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};

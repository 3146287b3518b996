#pragma once

#include "framework/CDialog.h"
#include "res/Resource.h"

// The export's one question: how many course units one grey level of the height map rises.
class CExportDlg : public CDialog {
public:
    explicit CExportDlg(CWnd* pParent = nullptr) : CDialog(IDD_EXPORT, pParent) {}

    void DoDataExchange(CDataExchange* pDX) override;

    float m_heightScale = 0.0f;
};

// The height scale the user last exported with (kDefaultHeightScale until then); the 3-D preview
// draws with it, so it shows what the export writes.
float RememberedHeightScale();

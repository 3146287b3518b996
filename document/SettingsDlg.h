#pragma once

#include "framework/CDialog.h"
#include "res/Resource.h"

#include <string>

// The settings dialog: the two map paths, the map brightness and the object display scale.
class CSettingsDlg : public CDialog {
public:
    explicit CSettingsDlg(CWnd* pParent = nullptr) : CDialog(IDD_SETTINGS, pParent) {}

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    std::string m_heightMapPath;
    std::string m_colorMapPath;
    float m_luminance = 0.0f;
    float m_scale = 0.0f;
    // The open course's file, beside which a relative map path is also looked for.
    std::string m_coursePath;
};

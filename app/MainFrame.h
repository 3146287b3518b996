#pragma once

#include "framework/CFrameWnd.h"

// The main window: tool bar above the view, status bar below, palette upkeep.
class CMainFrame : public CFrameWnd {
public:
    static constexpr const char* RuntimeClassName = "CMainFrame";

    int OnCreate() override;
    BOOL OnQueryNewPalette() override;
    void OnPaletteChanged(CWnd* pFocusWnd) override;

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;

private:
    BOOL RealizeViewPalette();
};

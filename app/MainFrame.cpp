#include "app/MainFrame.h"

#include "res/Resource.h"
#include "view/TrackwrightView.h"

namespace {
const UINT s_indicators[] = {
    ID_SEPARATOR, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL,
};
}

int CMainFrame::OnCreate()
{
    if (CFrameWnd::OnCreate() == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this) || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(s_indicators, sizeof(s_indicators) / sizeof(UINT)))
        return -1;
    m_pToolBar = &m_wndToolBar;
    m_pStatusBar = &m_wndStatusBar;
    return 0;
}

BOOL CMainFrame::RealizeViewPalette()
{
    auto* pView = dynamic_cast<CTrackwrightView*>(GetActiveView());
    if (!pView || !pView->m_cPalette.IsCreated())
        return FALSE;
    CClientDC dc(pView);
    CPalette* pOld = dc.SelectPalette(&pView->m_cPalette, FALSE);
    const UINT remapped = dc.RealizePalette();
    dc.SelectPalette(pOld, FALSE);
    if (remapped > 0)
        Invalidate(TRUE);
    return TRUE;
}

BOOL CMainFrame::OnQueryNewPalette()
{
    RealizeViewPalette();
    return CFrameWnd::OnQueryNewPalette();
}

void CMainFrame::OnPaletteChanged(CWnd* pFocusWnd)
{
    CFrameWnd::OnPaletteChanged(pFocusWnd);
    if (pFocusWnd != this)
        RealizeViewPalette();
}

#include "framework/CFrameWnd.h"

#include "framework/AfxRes.h"
#include "framework/Backend.h"
#include "framework/CDocument.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

bool CFrameWnd::OnClose()
{
    if (CDocument* pDoc = GetActiveDocument()) {
        if (!pDoc->SaveModified())
            return false;
    }
    return true;
}

bool CFrameWnd::OnFrameCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CmdMapEntry<CFrameWnd> map[] = {
        {ID_VIEW_TOOLBAR, ID_VIEW_TOOLBAR, &CFrameWnd::OnViewToolBar, &CFrameWnd::OnUpdateViewToolBar},
    };
    return DispatchCmdMsg(this, map, nID, nCode, pCmdUI);
}

bool CFrameWnd::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pCmdUI))
        return true;
    if (CDocument* pDoc = GetActiveDocument(); pDoc && pDoc->OnCmdMsg(nID, nCode, pCmdUI))
        return true;
    if (OnFrameCmdMsg(nID, nCode, pCmdUI))
        return true;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pCmdUI);
}

void CFrameWnd::UpdateCmdUI(CCmdUI& ui)
{
    ui.m_bEnableChanged = false;
    if (OnCmdMsg(ui.m_nID, CN_UPDATE_COMMAND_UI, &ui) && ui.m_bEnableChanged)
        return;
    // No update handler spoke about enabling: the item is usable exactly when a handler exists.
    ui.m_bEnabled = OnCmdMsg(ui.m_nID, CN_COMMAND_PROBE, nullptr);
}

std::string CFrameWnd::GetFrameTitle() const
{
    CWinApp* pApp = AfxGetApp();
    const std::string appName = pApp ? pApp->m_pszAppName : std::string();
    CDocument* pDoc = GetActiveDocument();
    if (!pDoc)
        return appName;
    return pDoc->GetTitle() + (pDoc->IsModified() ? "*" : "") + " - " + appName;
}

void CFrameWnd::OnUpdateFrameTitle()
{
    SetWindowText(GetFrameTitle());
}

void CFrameWnd::OnViewToolBar()
{
    if (CBackend* pBackend = AfxGetBackend())
        pBackend->ToggleToolBar(this);
}

void CFrameWnd::OnUpdateViewToolBar(CCmdUI* pCmdUI)
{
    CBackend* pBackend = AfxGetBackend();
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(pBackend && pBackend->IsToolBarVisible(this) ? 1 : 0);
}

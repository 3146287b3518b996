#pragma once

#include "framework/CWnd.h"

#include <vector>

class CView;
class CDocument;

// A tool bar or status bar as the frame asks for it; the back end builds the real one.
class CToolBar {
public:
    BOOL CreateEx(CWnd* pParent) { return TRUE; }
    BOOL LoadToolBar(UINT nIDResource)
    {
        m_nIDResource = nIDResource;
        return TRUE;
    }
    UINT m_nIDResource = 0;
};

class CStatusBar {
public:
    BOOL Create(CWnd* pParent) { return TRUE; }
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount)
    {
        m_indicators.assign(lpIDArray, lpIDArray + nIDCount);
        return TRUE;
    }
    std::vector<UINT> m_indicators;
};

// The main window: holds the view, routes commands, keeps the title.
class CFrameWnd : public CWnd {
public:
    ~CFrameWnd() override = default;

    virtual BOOL PreCreateWindow() { return TRUE; }
    // Runs after the real window exists; -1 makes the creation fail.
    virtual int OnCreate() { return 0; }
    // The user asked to close the window: false keeps it open.
    virtual bool OnClose();
    virtual BOOL OnQueryNewPalette() { return FALSE; }
    virtual void OnPaletteChanged(CWnd* pFocusWnd) {}

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pView) { m_pViewActive = pView; }
    CDocument* GetActiveDocument() const;

    // Routes to the active view, its document, this frame, then the application.
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    // Runs the update handlers for one item; without one, an item is enabled when it has a handler.
    void UpdateCmdUI(CCmdUI& ui);
    void OnUpdateFrameTitle();
    std::string GetFrameTitle() const;

    void OnViewToolBar();
    void OnUpdateViewToolBar(CCmdUI* pCmdUI);

    // What the frame's creation asked for, for the back end.
    CToolBar* m_pToolBar = nullptr;
    CStatusBar* m_pStatusBar = nullptr;

private:
    bool OnFrameCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI);
    CView* m_pViewActive = nullptr;
};

#pragma once

#include "framework/CWnd.h"

class CDocument;

// A view: the window the document is shown and edited in. The back end turns its
// window system's events into these handlers; each handler's base is the default processing.
class CView : public CWnd {
public:
    ~CView() override = default;

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* pDoc) { m_pDocument = pDoc; }

    // Window life cycle.
    virtual int OnCreate() { return 0; }
    virtual void OnDestroy() {}
    virtual void OnSize(UINT nType, int cx, int cy) {}
    virtual BOOL OnEraseBkgnd() { return FALSE; }
    virtual void OnDraw() {}
    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
    // A document change: the whole client area is invalidated.
    virtual void OnUpdate(CView* pSender, long lHint, void* pHint) { Invalidate(TRUE); }

    // Mouse and keyboard; point in client pixels, flags the MK_ bits.
    virtual void OnLButtonDown(UINT nFlags, CPoint point) {}
    virtual void OnLButtonUp(UINT nFlags, CPoint point) {}
    virtual void OnRButtonDown(UINT nFlags, CPoint point) {}
    virtual void OnRButtonUp(UINT nFlags, CPoint point) {}
    virtual void OnMButtonDown(UINT nFlags, CPoint point) {}
    virtual void OnMButtonUp(UINT nFlags, CPoint point) {}
    // The second press of a double click; a view that does nothing here sees one press.
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point) {}
    virtual void OnRButtonDblClk(UINT nFlags, CPoint point) {}
    virtual void OnMButtonDblClk(UINT nFlags, CPoint point) {}
    virtual void OnMouseMove(UINT nFlags, CPoint point) {}
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point) { return FALSE; }
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {}
    // A key let go; the releases of the keyboard's auto-repeat do not come.
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {}
    virtual void OnKillFocus() {}
    // pWnd is the window that gains the capture (null for none, this view for itself).
    virtual void OnCaptureChanged(CWnd* pWnd) {}

    // Printing: the standard commands go to the back end, which prints the view's picture.
    void OnFilePrint();
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

private:
    CDocument* m_pDocument = nullptr;
};

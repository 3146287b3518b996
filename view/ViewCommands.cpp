// The view's own commands ("全体表示" frames the course and its objects; the 3-D preview's
// window) and its input: the type list and the camera are the view's, the left button, the
// keys and the edit commands (Cut, Copy, Paste, Delete, Select All) go to the editor. The
// right and middle buttons pan, with Shift they zoom; the wheel zooms in steps.
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "geometry/CourseExtent.h"
#include "res/Resource.h"
#include "view/PreviewView.h"
#include "view/TrackwrightView.h"
#include "view/ViewFraming.h"

#include <algorithm>
#include <cstdint>

namespace {

const CmdMapEntry<CTrackwrightView> s_messageMap[] = {
    {ID_VIEW_SHOWALL, ID_VIEW_SHOWALL, &CTrackwrightView::OnViewShowAll, nullptr},
    {ID_VIEW_PREVIEW, ID_VIEW_PREVIEW, &CTrackwrightView::OnViewPreview, &CTrackwrightView::OnUpdateViewPreview},
};

constexpr UINT s_editCommands[] = {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, ID_EDIT_SELECT_ALL};

}  // namespace

bool CTrackwrightView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (DispatchCmdMsg(this, s_messageMap, nID, nCode, pCmdUI))
        return true;
    const bool edit = std::find(std::begin(s_editCommands), std::end(s_editCommands), nID) != std::end(s_editCommands);
    if (edit && m_pEdit) {
        if (nCode == CN_UPDATE_COMMAND_UI && pCmdUI)
            pCmdUI->Enable(m_pEdit->CanRun(nID));
        else if (nCode == CN_COMMAND)
            m_pEdit->RunCommand(nID);
        if (nCode != CN_UPDATE_COMMAND_UI || pCmdUI)
            return true;
    }
    return CView::OnCmdMsg(nID, nCode, pCmdUI);
}

void CTrackwrightView::OnViewShowAll()
{
    const CTrackwrightDoc* pDoc = GetDocument();
    const double W = m_rectClient.right;
    const double H = m_rectClient.bottom;
    if (!pDoc || H <= 0 || W <= 0)
        return;
    const CourseExtent b = ExtentOfCourse(pDoc->m_course.m_handles, pDoc->m_xobjects, pDoc->m_xobjectScale);
    if (b.Empty())
        return;
    // Into the part of the view the type list leaves free, a tenth of it left around the course.
    const CRect free = FreeClientRect();
    const double scale = FitScale(b, free.Width(), free.Height());   // pixels per course unit
    const ZoomRange range = ZoomLimits();
    m_fZoom = static_cast<float>(std::clamp(scale * 2.0 * kViewHalfHeight / H, double(range.min), double(range.max)));
    const double s = double(m_fZoom) * H / (2.0 * kViewHalfHeight);
    const double cx = 0.5 * (free.left + free.right);
    const double cy = 0.5 * (free.top + free.bottom);
    m_vCamera.x = static_cast<float>(0.5 * (b.minX + b.maxX) - (cx - W / 2) / s);
    m_vCamera.y = static_cast<float>(0.5 * (b.minY + b.maxY) + (cy - H / 2) / s);
    Invalidate(TRUE);
}

void CTrackwrightView::OnViewPreview()
{
    CBackend* pBackend = AfxGetBackend();
    CTrackwrightDoc* pDoc = GetDocument();
    if (!pBackend || !pDoc)
        return;
    if (m_pPreview && m_pPreview->IsOpen()) {
        pBackend->ActivateViewWindow(m_pPreview.get());
        return;
    }
    m_pPreview = std::make_unique<CPreviewView>(this);
    pDoc->AddView(m_pPreview.get());
    if (!pBackend->CreateViewWindow(m_pPreview.get(), std::string(AfxLoadString(IDS_PREVIEW_TITLE)),
                                    CPreviewView::kPlaceKey)) {
        if (m_pPreview->IsOpen())
            m_pPreview->OnDestroy();
        pDoc->RemoveView(m_pPreview.get());
        m_pPreview.reset();
    }
}

void CTrackwrightView::OnUpdateViewPreview(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_pPreview && m_pPreview->IsOpen());
}

bool CTrackwrightView::ClosePreview()
{
    CBackend* pBackend = AfxGetBackend();
    if (!m_pPreview || !m_pPreview->IsOpen() || !pBackend)
        return false;
    pBackend->DestroyViewWindow(m_pPreview.get());
    return true;
}

void CTrackwrightView::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int row = HitTestTypeList(point.x, point.y);
    if (row != kNoTypeRow) {
        m_nSelectedType = row;
        Invalidate(TRUE);
        return;
    }
    if (m_pEdit)
        m_pEdit->LButtonDown(nFlags, point);
    CView::OnLButtonDown(nFlags, point);
}

void CTrackwrightView::OnMouseMove(UINT nFlags, CPoint point)
{
    const int row = HitTestTypeList(point.x, point.y);
    if (row != kNoTypeRow) {
        m_nHoverType = row;
        InvalidateIfChanged();
        return;
    }
    m_nHoverType = kNoTypeRow;
    if (m_pEdit)
        m_pEdit->MouseMove(point);
    NavigateStep(nFlags, point);
    // Hover, drag and camera are settled: a frame only if any of them shows.
    InvalidateIfChanged();
    CView::OnMouseMove(nFlags, point);
}

void CTrackwrightView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_pEdit)
        m_pEdit->LButtonUp(point);
    CView::OnLButtonUp(nFlags, point);
}

void CTrackwrightView::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this && m_pEdit)
        m_pEdit->CaptureLost();
    CView::OnCaptureChanged(pWnd);
}

void CTrackwrightView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // In the type list the first press already did all.
    if (m_pEdit && HitTestTypeList(point.x, point.y) == kNoTypeRow)
        m_pEdit->LButtonDblClk(nFlags, point);
}

void CTrackwrightView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pEdit)
        m_pEdit->KeyDown(nChar);
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CTrackwrightView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pEdit)
        m_pEdit->KeyUp(nChar);
    CView::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CTrackwrightView::OnKillFocus()
{
    if (m_pEdit)
        m_pEdit->FocusLost();
    CView::OnKillFocus();
}

void CTrackwrightView::OnUpdate(CView* pSender, long lHint, void* pHint)
{
    if (m_pEdit)
        m_pEdit->DocumentUpdated(lHint);
    CView::OnUpdate(pSender, lHint, pHint);
}

void CTrackwrightView::ShowAndSelectPart(const Vector3& where, int handle, int object)
{
    if (m_pEdit)
        m_pEdit->ShowAndSelectPart(where, handle, object);
}

float CTrackwrightView::WorldPerPixel() const
{
    const double halfH = m_rectClient.bottom * 0.5;
    return halfH > 0.0 ? static_cast<float>(100.0 / (double(m_fZoom) * halfH)) : 0.0f;
}

void CTrackwrightView::SetStatusText(std::string text)
{
    m_strStatus = std::move(text);
    AfxSetStatusText(m_strStatus);
}

void CTrackwrightView::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bRButtonDown) {
        m_ptLast = point;
        m_bRButtonDown = true;
    }
    CView::OnRButtonDown(nFlags, point);
}

void CTrackwrightView::OnRButtonUp(UINT nFlags, CPoint point)
{
    m_bRButtonDown = false;
    CView::OnRButtonUp(nFlags, point);
}

void CTrackwrightView::OnMButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bMButtonDown) {
        m_ptLast = point;
        m_bMButtonDown = true;
    }
    CView::OnMButtonDown(nFlags, point);
}

void CTrackwrightView::OnMButtonUp(UINT nFlags, CPoint point)
{
    m_bMButtonDown = false;
    CView::OnMButtonUp(nFlags, point);
}

BOOL CTrackwrightView::OnMouseWheel(UINT nFlags, short zDelta, CPoint point)
{
    if (zDelta < 0)
        ZoomBy(1.5f);
    else if (zDelta > 0)
        ZoomBy(0.75f);
    return CView::OnMouseWheel(nFlags, zDelta, point);
}

void CTrackwrightView::NavigateStep(UINT nFlags, CPoint point)
{
    if (!m_bRButtonDown && !m_bMButtonDown)
        return;
    if (nFlags & MK_SHIFT) {
        // One step per pixel.
        const std::int64_t dy = std::int64_t{m_ptLast.y} - point.y;   // any two ints: no overflow
        if (dy > 0)
            ZoomBy(0.99f, dy);
        else if (dy < 0)
            ZoomBy(1.01f, -dy);
    } else if (m_rectClient.bottom > 0) {
        const double s = 2.0 * kViewHalfHeight / m_rectClient.bottom;
        m_vCamera.x = static_cast<float>(m_vCamera.x + (double(m_ptLast.x) - point.x) * s / m_fZoom);
        m_vCamera.y = static_cast<float>(m_vCamera.y - (double(m_ptLast.y) - point.y) * s / m_fZoom);
        Invalidate(TRUE);
    }
    m_ptLast = point;
}

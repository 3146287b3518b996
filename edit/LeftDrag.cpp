// The left button: grabbing, dragging and hovering over handles and objects.
#include "document/CourseHistory.h"
#include "edit/CourseEdits.h"
#include "edit/LeftGesture.h"
#include "geometry/HandleInsertion.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <cstdlib>

namespace {

void EndLeftDrag(CTrackwrightView& view, bool released)
{
    if (!view.m_bLButtonDown)
        return;
    // Released first: letting the capture go tells the view at once, and that must find the
    // drag already over rather than end it a second time as cancelled.
    view.m_bLButtonDown = false;
    view.ReleaseCapture();
    if (CTrackwrightDoc* pDoc = view.GetDocument()) {
        // One step per press and release, however many moves; none when nothing moved.
        const CourseSelection before = view.m_selection;
        const bool bandShown = view.m_gesture.BandShown();
        const UINT groupLabel = FinishLeftGesture(view, *pDoc, released);
        const UINT label = groupLabel ? groupLabel : DragStepLabel(pDoc->m_course.m_handles, pDoc->m_xobjects);
        ReleaseHandles(pDoc->m_course.m_handles);
        ReleaseXObjects(pDoc->m_xobjects);
        EndStep(*pDoc, label);
        if (bandShown || !(before == view.m_selection))
            view.SelectionChanged();
    }
}

// Ctrl+left click: a control point on the span under the mouse, or an object of the
// selected catalogue entry.
void InsertOrPlace(CTrackwrightView& view, CPoint point)
{
    CTrackwrightDoc* pDoc = view.GetDocument();
    if (!pDoc)
        return;
    const Vector3 q = view.ScreenToWorld(point.x, point.y);
    if (view.m_nSelectedType >= view.m_XObjectTypes.GetSize())
        return;
    view.ValidateSelection();
    BeginStep(*pDoc);
    if (view.m_nSelectedType < 0) {
        InsertHandleAt(pDoc->m_course.m_handles, q);
    } else {
        const XObjectType& type = view.m_XObjectTypes[view.m_nSelectedType];
        AddXObject(pDoc->m_xobjects, q, type.FileName, type.Width, type.Height);
    }
    if (EndStep(*pDoc, view.m_nSelectedType < 0 ? IDS_STEP_POINT_ADD : IDS_STEP_XOBJECT_ADD)) {
        view.FollowLastStep();   // a new control point shifts the indices after it
        view.Invalidate(TRUE);
    }
}

}  // namespace

void CTrackwrightView::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int row = HitTestTypeList(point.x, point.y);
    if (row != kNoTypeRow) {
        m_nSelectedType = row;
        Invalidate(TRUE);
        return;
    }
    EndNudge();
    if (nFlags & MK_CONTROL) {
        InsertOrPlace(*this, point);
    } else if (!m_bLButtonDown) {
        SetCapture();
        m_ptLast = point;
        m_bLButtonDown = true;
        if (CTrackwrightDoc* pDoc = GetDocument()) {
            BeginStep(*pDoc);
            const Vector3 q = ScreenToWorld(point.x, point.y);
            PickHandles(pDoc->m_course.m_handles, q);
            PickXObjects(pDoc->m_xobjects, q);
            StartLeftGesture(*this, *pDoc, nFlags, point);
        }
    }
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

    if (CTrackwrightDoc* pDoc = GetDocument()) {
        // The course is marked when the drag's step is recorded, at the release.
        const Vector3 q = ScreenToWorld(point.x, point.y);
        if (m_bLButtonDown)
            TrackLeftGesture(*this, *pDoc, point);
        DragHandles(pDoc->m_course.m_handles, q);
        DragObjects(pDoc->m_xobjects, q);
        ShowStatus(q);
    }
    NavigateStep(nFlags, point);
    // Hover, drag and camera are settled: a frame only if any of them shows.
    InvalidateIfChanged();
    CView::OnMouseMove(nFlags, point);
}

void CTrackwrightView::OnLButtonUp(UINT nFlags, CPoint point)
{
    // A release away from the press is no click, even when no move came before it.
    if (BeyondClickSlop(point, m_gesture.ptDown))
        m_gesture.movedFar = true;
    EndLeftDrag(*this, true);
    CView::OnLButtonUp(nFlags, point);
}

void CTrackwrightView::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this)
        EndLeftDrag(*this, false);
    CView::OnCaptureChanged(pWnd);
}

// Keys of the view: DEL removes the control point and the object under the mouse, or the
// whole selection when the mouse is over a selected part or over no part; Esc clears the
// selection; the arrow keys nudge it.
#include "document/CourseHistory.h"
#include "edit/CourseEdits.h"
#include "geometry/HandleInsertion.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

void CTrackwrightView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_LEFT: NudgeSelection(-1, 0); break;
    case VK_RIGHT: NudgeSelection(1, 0); break;
    case VK_UP: NudgeSelection(0, 1); break;
    case VK_DOWN: NudgeSelection(0, -1); break;
    default: EndNudge(); break;
    }
    if (nChar == VK_ESCAPE)
        ClearSelection();
    // Not while the left button is down: the drag's step would take the deletion (of the very
    // part dragged, maybe) and lose its name.
    if (nChar == VK_DELETE && !m_bLButtonDown) {
        if (CTrackwrightDoc* pDoc = GetDocument()) {
            // The system's cursor, not the last mouse message: the key may come without a move.
            const CPoint cursor = GetCursorClientPos();
            const Vector3 q = ScreenToWorld(cursor.x, cursor.y);
            if (DeleteSelectionAt(q)) {
                CView::OnKeyDown(nChar, nRepCnt, nFlags);
                return;
            }
            BeginStep(*pDoc);
            const bool handleRemoved = DeleteHandleAt(pDoc->m_course.m_handles, q);
            const bool objectRemoved = DeleteXObjectAt(pDoc->m_xobjects, q);
            const UINT label = !objectRemoved ? IDS_STEP_POINT_DELETE
                               : handleRemoved ? IDS_STEP_DELETE
                                               : IDS_STEP_XOBJECT_DELETE;
            if (EndStep(*pDoc, label)) {
                FollowLastStep();   // the indices after the removed parts moved
                Invalidate(TRUE);
            }
        }
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

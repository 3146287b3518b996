// DEL removes the control point and the object under the mouse.
#include "edit/CourseEdits.h"
#include "geometry/HandleInsertion.h"
#include "geometry/XObjectQueries.h"
#include "view/TrackwrightView.h"

void CTrackwrightView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE) {
        if (CTrackwrightDoc* pDoc = GetDocument()) {
            // The system's cursor, not the last mouse message: the key may come without a move.
            const CPoint cursor = GetCursorClientPos();
            const Vector3 q = ScreenToWorld(cursor.x, cursor.y);
            const bool handleRemoved = DeleteHandleAt(pDoc->m_course.m_handles, q);
            const bool objectRemoved = DeleteXObjectAt(pDoc->m_xobjects, q);
            if (handleRemoved || objectRemoved) {
                pDoc->SetModifiedFlag();
                Invalidate(TRUE);
            }
        }
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

// Keys of the view: DEL removes the control point and the object under the mouse, or the
// whole selection when the mouse is over a selected part or over no part; Esc clears the
// selection; the arrow keys nudge it, a burst of them one step.
#include "edit/CourseEditor.h"

#include "framework/Backend.h"
#include "geometry/HandleInsertion.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

void CourseEditor::KeyDown(UINT nChar)
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
    if (nChar == VK_DELETE && !m_view.m_bLButtonDown)
        DeleteKey();
}

void CourseEditor::DeleteKey()
{
    CTrackwrightDoc* pDoc = Doc();
    if (!pDoc)
        return;
    // The system's cursor, not the last mouse message: the key may come without a move.
    const CPoint cursor = m_view.GetCursorClientPos();
    const Vector3 q = m_view.ScreenToWorld(cursor.x, cursor.y);
    if (DeleteSelectionAt(q))
        return;
    StepScope step(*pDoc, IDS_STEP_DELETE);
    const bool handleRemoved = DeleteHandleAt(pDoc->m_course.m_handles, q);
    const bool objectRemoved = DeleteXObjectAt(pDoc->m_xobjects, q);
    if (!objectRemoved)
        step.Rename(IDS_STEP_POINT_DELETE);
    else if (!handleRemoved)
        step.Rename(IDS_STEP_XOBJECT_DELETE);
    if (step.End()) {
        FollowLastStep();   // the indices after the removed parts moved
        m_view.Invalidate(TRUE);
    }
}

void CourseEditor::KeyUp(UINT nChar)
{
    if (nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP || nChar == VK_DOWN)
        EndNudge();
}

void CourseEditor::FocusLost()
{
    EndNudge();
}

void CourseEditor::NudgeSelection(int dx, int dy)
{
    CTrackwrightDoc* pDoc = Doc();
    ValidateSelection();
    if (!pDoc || m_selection.Empty() || m_view.m_bLButtonDown)
        return;
    if (!m_nudgeStep)
        m_nudgeStep.emplace(*pDoc, IDS_STEP_SELECTION_MOVE);
    const double step = double(m_view.WorldPerPixel()) * ((m_view.GetModifierFlags() & MK_SHIFT) ? 10.0 : 1.0);
    const std::vector<Vector3> start = SelectedPositions(m_selection, pDoc->m_course.m_handles, pDoc->m_xobjects);
    if (PlaceSelection(m_selection, start, Vector3(dx * step, dy * step, 0.0), pDoc->m_course.m_handles,
                       pDoc->m_xobjects))
        pDoc->SetModifiedFlag();
    SelectionChanged();
}

void CourseEditor::EndNudge()
{
    m_nudgeStep.reset();   // records the burst's step
}

// The left button: grabbing, dragging and hovering over handles and objects, Ctrl+click to
// add, a double click for the values dialog.
#include "edit/CourseEditor.h"

#include "edit/ValuesEdits.h"
#include "geometry/HandleInsertion.h"
#include "geometry/HandlePasses.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <string>
#include <vector>

CourseEditor::~CourseEditor()
{
    // The document may go before its view: what is still open stays unrecorded.
    if (m_dragStep)
        m_dragStep->Forget();
    if (m_nudgeStep)
        m_nudgeStep->Forget();
}

CTrackwrightDoc* CourseEditor::Doc() const
{
    return m_view.GetDocument();
}

void CourseEditor::EndLeftDrag(bool released)
{
    if (!m_view.m_bLButtonDown)
        return;
    // Released first: letting the capture go tells the view at once, and that must find the
    // drag already over rather than end it a second time as cancelled.
    m_view.m_bLButtonDown = false;
    m_view.ReleaseCapture();
    if (CTrackwrightDoc* pDoc = Doc()) {
        // One step per press and release, however many moves; none when nothing moved.
        const CourseSelection before = m_selection;
        const bool bandShown = m_gesture.BandShown();
        FinishLeftGesture(*pDoc, released);
        ReleaseHandles(pDoc->m_course.m_handles);
        ReleaseXObjects(pDoc->m_xobjects);
        m_dragStep.reset();
        if (bandShown || !(before == m_selection))
            SelectionChanged();
    }
}

void CourseEditor::InsertOrPlace(CPoint point)
{
    CTrackwrightDoc* pDoc = Doc();
    if (!pDoc)
        return;
    const Vector3 q = m_view.ScreenToWorld(point.x, point.y);
    const int type = m_view.m_nSelectedType;
    if (type >= m_view.m_XObjectTypes.GetSize())
        return;
    ValidateSelection();
    StepScope step(*pDoc, type < 0 ? IDS_STEP_POINT_ADD : IDS_STEP_XOBJECT_ADD);
    if (type < 0) {
        InsertHandleAt(pDoc->m_course.m_handles, q);
    } else {
        const XObjectType& t = m_view.m_XObjectTypes[type];
        AddXObject(pDoc->m_xobjects, q, t.FileName, t.Width, t.Height);
    }
    if (step.End()) {
        FollowLastStep();   // a new control point shifts the indices after it
        m_view.Invalidate(TRUE);
    }
}

void CourseEditor::LButtonDown(UINT nFlags, CPoint point)
{
    EndNudge();
    if (nFlags & MK_CONTROL) {
        InsertOrPlace(point);
        return;
    }
    if (m_view.m_bLButtonDown)
        return;
    m_view.SetCapture();
    m_view.m_ptLast = point;
    m_view.m_bLButtonDown = true;
    if (CTrackwrightDoc* pDoc = Doc()) {
        // Opened before the picks: the step notes the records as they were, grabbed by none.
        m_dragStep.emplace(*pDoc, 0);
        const Vector3 q = m_view.ScreenToWorld(point.x, point.y);
        PickHandles(pDoc->m_course.m_handles, q);
        PickXObjects(pDoc->m_xobjects, q);
        StartLeftGesture(*pDoc, nFlags, point);
        m_dragStep->Rename(StepLabel(m_gesture.kind));
    }
}

void CourseEditor::MouseMove(CPoint point)
{
    if (CTrackwrightDoc* pDoc = Doc()) {
        // The course is marked when the drag's step is recorded, at the release.
        const Vector3 q = m_view.ScreenToWorld(point.x, point.y);
        if (m_view.m_bLButtonDown)
            TrackLeftGesture(*pDoc, point);
        DragHandles(pDoc->m_course.m_handles, q);
        DragObjects(pDoc->m_xobjects, q);
        ShowStatus(q);
    }
}

void CourseEditor::LButtonUp(CPoint point)
{
    // A release away from the press is no click, even when no move came before it.
    if (BeyondClickSlop(point, m_gesture.ptDown))
        m_gesture.movedFar = true;
    EndLeftDrag(true);
}

void CourseEditor::CaptureLost()
{
    EndLeftDrag(false);
}

void CourseEditor::LButtonDblClk(UINT nFlags, CPoint point)
{
    CTrackwrightDoc* pDoc = Doc();
    // Elsewhere (Ctrl held, empty ground) the first press already did all.
    if (!pDoc || m_view.m_bLButtonDown || (nFlags & MK_CONTROL))
        return;
    const Vector3 q = m_view.ScreenToWorld(point.x, point.y);
    const int handle = MarkerAt(pDoc->m_course.m_handles, q);
    int object = -1;
    for (int i = 0; handle < 0 && object < 0 && i < pDoc->m_xobjects.GetSize(); ++i) {
        if (pDoc->m_xobjects[i].HitPart(q) != ObjectPart::None)
            object = i;
    }
    if (handle < 0 && object < 0)
        return;
    EndNudge();
    std::vector<std::string> names;
    for (const XObjectType& t : m_view.m_XObjectTypes)
        names.push_back(t.FileName);
    const bool changed = handle >= 0 ? EditPointValues(*pDoc, handle) : EditXObjectValues(*pDoc, object, names);
    if (changed) {
        m_view.Invalidate(TRUE);
        ShowStatus(q);
    }
}

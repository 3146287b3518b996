// What the view does with its selection besides the left button: keeping it valid and
// following the edits, the arrow-key nudges, DEL of the whole selection and Select All.
#include "document/CourseHistory.h"
#include "edit/CourseEdits.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <cmath>
#include <utility>

void CTrackwrightView::OnUpdate(CView* pSender, long lHint, void* pHint)
{
    CTrackwrightDoc* pDoc = GetDocument();
    const bool travelled = pDoc && (lHint == kHintUndone || lHint == kHintRedone);
    if (travelled) {
        const UndoStep* step = lHint == kHintUndone ? pDoc->m_history.LastUndone() : pDoc->m_history.LastDone();
        if (step)
            FollowStep(m_selection, *step, lHint == kHintRedone);
    }
    ValidateSelection();
    CView::OnUpdate(pSender, lHint, pHint);
    if (travelled && !m_bLButtonDown) {
        // The part under the mouse and its values as they are now, not as the mouse last saw them.
        const CPoint cursor = GetCursorClientPos();
        const Vector3 q = ScreenToWorld(cursor.x, cursor.y);
        DragHandles(pDoc->m_course.m_handles, q);
        DragObjects(pDoc->m_xobjects, q);
        ShowStatus(q);
    }
}

void CTrackwrightView::FollowLastStep()
{
    if (const CTrackwrightDoc* pDoc = GetDocument()) {
        if (const UndoStep* step = pDoc->m_history.LastDone())
            FollowStep(m_selection, *step, true);
    }
    ValidateSelection();
}

void CTrackwrightView::ValidateSelection()
{
    if (const CTrackwrightDoc* pDoc = GetDocument())
        DropIfStale(m_selection, pDoc->m_course.m_handles, pDoc->m_xobjects);
}

void CTrackwrightView::SelectionChanged()
{
    Invalidate(TRUE);
    const CPoint cursor = GetCursorClientPos();
    ShowStatus(ScreenToWorld(cursor.x, cursor.y));
}

void CTrackwrightView::ClearSelection()
{
    const CTrackwrightDoc* pDoc = GetDocument();
    if (!pDoc || m_selection.Empty())
        return;
    m_selection = EmptySelection(pDoc->m_course.m_handles, pDoc->m_xobjects);
    SelectionChanged();
}

void CTrackwrightView::ShowAndSelectPart(const Vector3& where, int handle, int object)
{
    const CTrackwrightDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    m_selection = EmptySelection(pDoc->m_course.m_handles, pDoc->m_xobjects);
    if (handle >= 0 && handle < pDoc->m_course.m_handles.GetSize())
        m_selection.ToggleHandle(handle);
    if (object >= 0 && object < pDoc->m_xobjects.GetSize())
        m_selection.ToggleObject(object);
    // A place that is no number leaves the camera where it is.
    if (std::isfinite(where.x) && std::isfinite(where.y)) {
        m_vCamera.x = where.x;
        m_vCamera.y = where.y;
    }
    SelectionChanged();
}

float CTrackwrightView::WorldPerPixel() const
{
    const double halfH = m_rectClient.bottom * 0.5;
    return halfH > 0.0 ? static_cast<float>(100.0 / (double(m_fZoom) * halfH)) : 0.0f;
}

void CTrackwrightView::NudgeSelection(int dx, int dy)
{
    CTrackwrightDoc* pDoc = GetDocument();
    ValidateSelection();
    if (!pDoc || m_selection.Empty() || m_bLButtonDown)
        return;
    if (!m_bNudging) {
        BeginStep(*pDoc);
        m_bNudging = true;
    }
    const double step = double(WorldPerPixel()) * ((GetModifierFlags() & MK_SHIFT) ? 10.0 : 1.0);
    const std::vector<Vector3> start = SelectedPositions(m_selection, pDoc->m_course.m_handles, pDoc->m_xobjects);
    if (PlaceSelection(m_selection, start, Vector3(dx * step, dy * step, 0.0), pDoc->m_course.m_handles,
                       pDoc->m_xobjects))
        pDoc->SetModifiedFlag();
    SelectionChanged();
}

void CTrackwrightView::EndNudge()
{
    if (!m_bNudging)
        return;
    m_bNudging = false;
    if (CTrackwrightDoc* pDoc = GetDocument())
        EndStep(*pDoc, IDS_STEP_SELECTION_MOVE);
}

void CTrackwrightView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP || nChar == VK_DOWN)
        EndNudge();
    CView::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CTrackwrightView::OnKillFocus()
{
    EndNudge();
    CView::OnKillFocus();
}

bool CTrackwrightView::DeleteSelectionAt(const Vector3& q)
{
    const CTrackwrightDoc* pDoc = GetDocument();
    ValidateSelection();
    if (!pDoc || m_selection.Empty())
        return false;
    // The parts DEL takes: a control point's marker, an object's body.
    const RecordList<CourseHandle>& handles = pDoc->m_course.m_handles;
    const RecordList<XObject>& objects = pDoc->m_xobjects;
    const int n = handles.GetSize();
    bool overSelected = false;
    bool overOther = false;
    for (int i = 0; i < n; ++i) {
        if (handles[i].HandlePartAt(handles[(i + 1) % n], q) != HandlePart::Pos)
            continue;
        overSelected = overSelected || m_selection.HasHandle(i);
        overOther = overOther || !m_selection.HasHandle(i);
    }
    for (int i = 0; i < objects.GetSize(); ++i) {
        if (!WithinRadius(objects[i].Pos, kBodyRadius, q))
            continue;
        overSelected = overSelected || m_selection.HasObject(i);
        overOther = overOther || !m_selection.HasObject(i);
    }
    if (!overSelected && overOther)
        return false;
    DeleteSelection();
    return true;
}

void CTrackwrightView::DeleteSelection()
{
    CTrackwrightDoc* pDoc = GetDocument();
    ValidateSelection();
    if (!pDoc || m_selection.Empty())
        return;
    RecordList<CourseHandle>& handles = pDoc->m_course.m_handles;
    RecordList<XObject>& objects = pDoc->m_xobjects;
    if (handles.GetSize() - static_cast<int>(m_selection.handles.size()) < 3) {
        m_strStatus = AfxLoadString(IDS_STATUS_KEEP_THREE_POINTS);
        AfxSetStatusText(m_strStatus);
        return;
    }
    EndNudge();
    BeginStep(*pDoc);
    RemoveIndices(handles, m_selection.handles);
    RemoveIndices(objects, m_selection.objects);
    EndStep(*pDoc, IDS_STEP_SELECTION_DELETE);
    m_selection = EmptySelection(handles, objects);
    SelectionChanged();
}

void CTrackwrightView::OnEditDelete()
{
    if (!m_bLButtonDown)
        DeleteSelection();
}

void CTrackwrightView::OnUpdateEditDelete(CCmdUI* pCmdUI)
{
    ValidateSelection();
    pCmdUI->Enable(GetDocument() && !m_selection.Empty() && !m_bLButtonDown);
}

void CTrackwrightView::OnEditSelectAll()
{
    const CTrackwrightDoc* pDoc = GetDocument();
    if (!pDoc || m_bLButtonDown)
        return;
    EndNudge();
    m_selection = SelectAll(pDoc->m_course.m_handles, pDoc->m_xobjects);
    SelectionChanged();
}

void CTrackwrightView::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetDocument() && !m_bLButtonDown);
}

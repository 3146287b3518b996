// What the editor does with its selection besides the left button and the keys: keeping it
// valid and following the edits, DEL of the whole selection, Select All, and the edit
// commands the view routes.
#include "edit/CourseEditor.h"

#include "edit/SelectionFollowing.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "geometry/HandlePasses.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <cmath>
#include <utility>

void CourseEditor::DocumentUpdated(long lHint)
{
    CTrackwrightDoc* pDoc = Doc();
    const bool travelled = pDoc && (lHint == kHintUndone || lHint == kHintRedone);
    if (travelled) {
        const UndoStep* step = lHint == kHintUndone ? pDoc->m_history.LastUndone() : pDoc->m_history.LastDone();
        if (step)
            FollowStep(m_selection, *step, lHint == kHintRedone);
    }
    ValidateSelection();
    if (travelled && !m_view.m_bLButtonDown) {
        // The part under the mouse and its values as they are now, not as the mouse last saw them.
        const CPoint cursor = m_view.GetCursorClientPos();
        const Vector3 q = m_view.ScreenToWorld(cursor.x, cursor.y);
        DragHandles(pDoc->m_course.m_handles, q);
        DragObjects(pDoc->m_xobjects, q);
        ShowStatus(q);
    }
}

void CourseEditor::CourseReplaced()
{
    m_selection = CourseSelection();
    m_gesture.LoseTargets();   // a press that lasts over Open or New named parts of the old course
}

void CourseEditor::FollowLastStep()
{
    if (const CTrackwrightDoc* pDoc = Doc()) {
        if (const UndoStep* step = pDoc->m_history.LastDone())
            FollowStep(m_selection, *step, true);
    }
    ValidateSelection();
}

void CourseEditor::ValidateSelection()
{
    if (const CTrackwrightDoc* pDoc = Doc())
        DropIfStale(m_selection, pDoc->m_course.m_handles, pDoc->m_xobjects);
}

void CourseEditor::SelectionChanged()
{
    m_view.Invalidate(TRUE);
    const CPoint cursor = m_view.GetCursorClientPos();
    ShowStatus(m_view.ScreenToWorld(cursor.x, cursor.y));
}

void CourseEditor::ClearSelection()
{
    const CTrackwrightDoc* pDoc = Doc();
    if (!pDoc || m_selection.Empty())
        return;
    m_selection = EmptySelection(pDoc->m_course.m_handles, pDoc->m_xobjects);
    SelectionChanged();
}

void CourseEditor::ShowAndSelectPart(const Vector3& where, int handle, int object)
{
    const CTrackwrightDoc* pDoc = Doc();
    if (!pDoc)
        return;
    m_selection = EmptySelection(pDoc->m_course.m_handles, pDoc->m_xobjects);
    if (handle >= 0 && handle < pDoc->m_course.m_handles.GetSize())
        m_selection.ToggleHandle(handle);
    if (object >= 0 && object < pDoc->m_xobjects.GetSize())
        m_selection.ToggleObject(object);
    // A place that is no number leaves the camera where it is.
    if (std::isfinite(where.x) && std::isfinite(where.y)) {
        m_view.m_vCamera.x = where.x;
        m_view.m_vCamera.y = where.y;
    }
    SelectionChanged();
}

bool CourseEditor::DeleteSelectionAt(const Vector3& q)
{
    const CTrackwrightDoc* pDoc = Doc();
    ValidateSelection();
    if (!pDoc || m_selection.Empty())
        return false;
    // The parts DEL takes: a control point's marker, an object's body.
    const RecordList<CourseHandle>& handles = pDoc->m_course.m_handles;
    const RecordList<XObject>& objects = pDoc->m_xobjects;
    bool overSelected = false;
    bool overOther = false;
    for (int i = MarkerAt(handles, q); i >= 0; i = MarkerAt(handles, q, i + 1)) {
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

void CourseEditor::DeleteSelection()
{
    CTrackwrightDoc* pDoc = Doc();
    ValidateSelection();
    if (!pDoc || m_selection.Empty())
        return;
    RecordList<CourseHandle>& handles = pDoc->m_course.m_handles;
    RecordList<XObject>& objects = pDoc->m_xobjects;
    if (handles.GetSize() - static_cast<int>(m_selection.handles.size()) < 3) {
        m_view.SetStatusText(std::string(AfxLoadString(IDS_STATUS_KEEP_THREE_POINTS)));
        return;
    }
    EndNudge();
    {
        StepScope step(*pDoc, IDS_STEP_SELECTION_DELETE);
        RemoveIndices(handles, m_selection.handles);
        RemoveIndices(objects, m_selection.objects);
    }
    m_selection = EmptySelection(handles, objects);
    SelectionChanged();
}

void CourseEditor::SelectAll()
{
    const CTrackwrightDoc* pDoc = Doc();
    if (!pDoc || m_view.m_bLButtonDown)
        return;
    EndNudge();
    m_selection = ::SelectAll(pDoc->m_course.m_handles, pDoc->m_xobjects);
    SelectionChanged();
}

void CourseEditor::RunCommand(UINT nID)
{
    switch (nID) {
    case ID_EDIT_CUT: Cut(); break;
    case ID_EDIT_COPY: Copy(); break;
    case ID_EDIT_PASTE: Paste(); break;
    case ID_EDIT_DELETE:
        if (!m_view.m_bLButtonDown)
            DeleteSelection();
        break;
    case ID_EDIT_SELECT_ALL: SelectAll(); break;
    default: break;
    }
}

bool CourseEditor::CanRun(UINT nID)
{
    if (!Doc())
        return false;
    ValidateSelection();
    switch (nID) {
    case ID_EDIT_CUT:
    case ID_EDIT_COPY: return !m_selection.objects.empty();
    case ID_EDIT_PASTE: return AfxClipboardHasText();
    case ID_EDIT_DELETE: return !m_selection.Empty() && !m_view.m_bLButtonDown;
    case ID_EDIT_SELECT_ALL: return !m_view.m_bLButtonDown;
    default: return false;
    }
}

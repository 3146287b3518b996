#include "edit/LeftGesture.h"

#include "edit/CourseEditor.h"
#include "geometry/HandlePasses.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

void LeftGesture::LoseTargets()
{
    handle = -1;
    object = -1;
    base = CourseSelection();
    start.clear();
}

LeftGesture::Kind GrabbedKind(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects)
{
    for (const CourseHandle& h : handles) {
        switch (h.DragPart) {
        case HandlePart::Pos: return LeftGesture::Kind::PointMarker;
        case HandlePart::TanNext:
        case HandlePart::TanPrev: return LeftGesture::Kind::Tangent;
        case HandlePart::WidthLeft:
        case HandlePart::WidthRight: return LeftGesture::Kind::Width;
        default: break;
        }
    }
    for (const XObject& o : objects) {
        if (o.DragPart == ObjectPart::Body)
            return LeftGesture::Kind::ObjectBody;
        if (o.DragPart == ObjectPart::DirectionTip)
            return LeftGesture::Kind::ObjectTip;
    }
    return LeftGesture::Kind::None;
}

UINT StepLabel(LeftGesture::Kind kind)
{
    switch (kind) {
    case LeftGesture::Kind::PointMarker: return IDS_STEP_POINT_MOVE;
    case LeftGesture::Kind::Tangent: return IDS_STEP_TANGENT_EDIT;
    case LeftGesture::Kind::Width: return IDS_STEP_WIDTH_EDIT;
    case LeftGesture::Kind::ObjectBody: return IDS_STEP_XOBJECT_MOVE;
    case LeftGesture::Kind::ObjectTip: return IDS_STEP_XOBJECT_TURN;
    case LeftGesture::Kind::Group: return IDS_STEP_SELECTION_MOVE;
    default: return 0;
    }
}

void CourseEditor::StartLeftGesture(CTrackwrightDoc& doc, UINT nFlags, CPoint point)
{
    ValidateSelection();
    LeftGesture g;
    g.ptDown = point;
    g.ptNow = point;
    g.qDown = m_view.ScreenToWorld(point.x, point.y);
    g.shift = (nFlags & MK_SHIFT) != 0;
    const RecordList<CourseHandle>& handles = doc.m_course.m_handles;
    g.handleCount = handles.GetSize();
    g.objectCount = doc.m_xobjects.GetSize();
    for (int i = 0; g.handle < 0 && i < handles.GetSize(); ++i) {
        if (handles[i].DragPart == HandlePart::Pos)
            g.handle = i;
    }
    for (int i = 0; g.handle < 0 && i < doc.m_xobjects.GetSize(); ++i) {
        if (doc.m_xobjects[i].DragPart != ObjectPart::None) {
            g.object = i;
            break;
        }
    }
    g.kind = GrabbedKind(handles, doc.m_xobjects);

    const CourseSelection& sel = m_selection;
    const bool onSelected = (g.handle >= 0 && sel.HasHandle(g.handle)) ||
                            (g.object >= 0 && doc.m_xobjects[g.object].DragPart == ObjectPart::Body &&
                             sel.HasObject(g.object));
    if (onSelected) {
        g.kind = LeftGesture::Kind::Group;
        ReleaseHandles(doc.m_course.m_handles);
        ReleaseXObjects(doc.m_xobjects);
        g.start = SelectedPositions(sel, handles, doc.m_xobjects);
    } else if (g.kind == LeftGesture::Kind::None) {
        g.kind = LeftGesture::Kind::Band;
        g.base = sel;
    }
    m_gesture = std::move(g);
}

void CourseEditor::TrackLeftGesture(CTrackwrightDoc& doc, CPoint point)
{
    LeftGesture& g = m_gesture;
    g.ptNow = point;
    if (BeyondClickSlop(point, g.ptDown))
        g.movedFar = true;
    if (!g.movedFar)
        return;
    const Vector3 q = m_view.ScreenToWorld(point.x, point.y);
    if (g.kind == LeftGesture::Kind::Group)
        PlaceSelection(m_selection, g.start, q - g.qDown, doc.m_course.m_handles, doc.m_xobjects);
    if (g.kind == LeftGesture::Kind::Band) {
        CourseSelection sel = SelectInBand(doc.m_course.m_handles, doc.m_xobjects, g.qDown, q);
        if (g.shift)
            sel.Merge(g.base);
        m_selection = std::move(sel);
    }
}

void CourseEditor::FinishLeftGesture(CTrackwrightDoc& doc, bool released)
{
    LeftGesture& g = m_gesture;
    CourseSelection& sel = m_selection;
    // An edit while the button was down (Cut, Paste) changed the lists: the indices of the
    // press may name other parts now, and a click on them selects nothing.
    const bool current = g.handleCount == doc.m_course.m_handles.GetSize() && g.objectCount == doc.m_xobjects.GetSize();
    if (released && !g.movedFar && g.kind != LeftGesture::Kind::None) {
        if ((g.handle >= 0 || g.object >= 0) && current) {
            if (!g.shift)
                sel = EmptySelection(doc.m_course.m_handles, doc.m_xobjects);
            if (g.handle >= 0)
                sel.ToggleHandle(g.handle);
            else
                sel.ToggleObject(g.object);
        } else if (g.kind == LeftGesture::Kind::Band && !g.shift) {
            sel = EmptySelection(doc.m_course.m_handles, doc.m_xobjects);
        }
    }
    g = LeftGesture();
}

bool CourseEditor::BandShown(CPoint& from, CPoint& to) const
{
    if (!m_gesture.BandShown())
        return false;
    from = m_gesture.ptDown;
    to = m_gesture.ptNow;
    return true;
}

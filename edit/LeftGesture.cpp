#include "edit/LeftGesture.h"

#include "edit/CourseEdits.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <cstdlib>

void StartLeftGesture(CTrackwrightView& view, CTrackwrightDoc& doc, UINT nFlags, CPoint point)
{
    view.ValidateSelection();
    LeftGesture g;
    g.ptDown = g.ptNow = point;
    g.qDown = view.ScreenToWorld(point.x, point.y);
    g.shift = (nFlags & MK_SHIFT) != 0;
    bool grabbed = false;
    const RecordList<CourseHandle>& handles = doc.m_course.m_handles;
    for (int i = 0; i < handles.GetSize(); ++i) {
        grabbed = grabbed || handles[i].DragPart != HandlePart::None;
        if (g.handle < 0 && handles[i].DragPart == HandlePart::Pos)
            g.handle = i;
    }
    for (int i = 0; g.handle < 0 && i < doc.m_xobjects.GetSize(); ++i) {
        if (doc.m_xobjects[i].DragPart != ObjectPart::None) {
            g.object = i;
            break;
        }
    }
    grabbed = grabbed || g.object >= 0;

    const CourseSelection& sel = view.m_selection;
    const bool onSelected = (g.handle >= 0 && sel.HasHandle(g.handle)) ||
                            (g.object >= 0 && doc.m_xobjects[g.object].DragPart == ObjectPart::Body &&
                             sel.HasObject(g.object));
    if (onSelected) {
        g.kind = LeftGesture::Kind::Group;
        ReleaseHandles(doc.m_course.m_handles);
        ReleaseXObjects(doc.m_xobjects);
        g.start = SelectedPositions(sel, handles, doc.m_xobjects);
    } else if (grabbed) {
        g.kind = LeftGesture::Kind::Part;
    } else {
        g.kind = LeftGesture::Kind::Band;
        g.base = sel;
    }
    view.m_gesture = std::move(g);
}

bool TrackLeftGesture(CTrackwrightView& view, CTrackwrightDoc& doc, CPoint point)
{
    LeftGesture& g = view.m_gesture;
    g.ptNow = point;
    if (BeyondClickSlop(point, g.ptDown))
        g.movedFar = true;
    if (!g.movedFar)
        return false;
    const Vector3 q = view.ScreenToWorld(point.x, point.y);
    if (g.kind == LeftGesture::Kind::Group)
        return PlaceSelection(view.m_selection, g.start, q - g.qDown, doc.m_course.m_handles, doc.m_xobjects);
    if (g.kind == LeftGesture::Kind::Band) {
        CourseSelection sel = SelectInBand(doc.m_course.m_handles, doc.m_xobjects, g.qDown, q);
        if (g.shift)
            sel.Merge(g.base);
        view.m_selection = std::move(sel);
    }
    return false;
}

UINT FinishLeftGesture(CTrackwrightView& view, CTrackwrightDoc& doc, bool released)
{
    LeftGesture& g = view.m_gesture;
    CourseSelection& sel = view.m_selection;
    const LeftGesture::Kind kind = g.kind;
    if (released && !g.movedFar && kind != LeftGesture::Kind::None) {
        if (g.handle >= 0 || g.object >= 0) {
            if (!g.shift)
                sel = EmptySelection(doc.m_course.m_handles, doc.m_xobjects);
            if (g.handle >= 0)
                sel.ToggleHandle(g.handle);
            else
                sel.ToggleObject(g.object);
        } else if (kind == LeftGesture::Kind::Band && !g.shift) {
            sel = EmptySelection(doc.m_course.m_handles, doc.m_xobjects);
        }
    }
    g = LeftGesture();
    return kind == LeftGesture::Kind::Group ? IDS_STEP_SELECTION_MOVE : 0;
}

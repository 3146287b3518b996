#include "edit/CourseEdits.h"

#include "res/Resource.h"

#include <vector>

void PickHandles(CourseData& course, const Vector3& q)
{
    RecordList<CourseHandle>& handles = course.m_handles;
    const int n = handles.GetSize();
    for (int i = 0; i < n; ++i)
        handles[i].PickHandle(handles[(i + 1) % n], q);
}

namespace {

bool SameStoredValues(const CourseHandle& a, const CourseHandle& b)
{
    return a.vPos == b.vPos && a.vTanNext == b.vTanNext && a.vTanPrev == b.vTanPrev &&
           a.WidthRight == b.WidthRight && a.WidthLeft == b.WidthLeft;
}

}  // namespace

bool DragHandles(CourseData& course, const Vector3& q)
{
    RecordList<CourseHandle>& handles = course.m_handles;
    const int n = handles.GetSize();
    bool changed = false;
    for (int i = 0; i < n; ++i) {
        CourseHandle& h = handles[i];
        if (h.DragPart == HandlePart::None) {
            h.DragHandle(handles[(i + 1) % n], q);
            continue;
        }
        const CourseHandle before = h;
        h.DragHandle(handles[(i + 1) % n], q);
        changed = changed || !SameStoredValues(before, h);
    }
    return changed;
}

void ReleaseHandles(CourseData& course)
{
    for (CourseHandle& h : course.m_handles)
        h.DragPart = HandlePart::None;
}

bool DragObjects(CTrackwrightDoc& doc, const Vector3& q)
{
    // Only grabbed objects can move; note where they stood before the document's pass.
    struct Grabbed {
        int index;
        Vector3 pos;
        float direction;
    };
    std::vector<Grabbed> grabbed;
    for (int i = 0; i < doc.m_xobjects.GetSize(); ++i) {
        const XObject& o = doc.m_xobjects[i];
        if (o.DragPart != ObjectPart::None)
            grabbed.push_back({i, o.Pos, o.Direction});
    }
    doc.DragXObjects(q);
    for (const Grabbed& g : grabbed) {
        const XObject& o = doc.m_xobjects[g.index];
        if (!(o.Pos == g.pos) || o.Direction != g.direction)
            return true;
    }
    return false;
}

UINT DragStepLabel(const CTrackwrightDoc& doc)
{
    for (const CourseHandle& h : doc.m_course.m_handles) {
        switch (h.DragPart) {
        case HandlePart::Pos: return IDS_STEP_POINT_MOVE;
        case HandlePart::TanNext:
        case HandlePart::TanPrev: return IDS_STEP_TANGENT_EDIT;
        case HandlePart::WidthLeft:
        case HandlePart::WidthRight: return IDS_STEP_WIDTH_EDIT;
        default: break;
        }
    }
    for (const XObject& o : doc.m_xobjects) {
        if (o.DragPart == ObjectPart::Body)
            return IDS_STEP_XOBJECT_MOVE;
        if (o.DragPart == ObjectPart::DirectionTip)
            return IDS_STEP_XOBJECT_TURN;
    }
    return 0;
}

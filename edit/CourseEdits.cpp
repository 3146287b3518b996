#include "edit/CourseEdits.h"

#include "geometry/XObjectQueries.h"
#include "res/Resource.h"

#include <vector>

void PickHandles(RecordList<CourseHandle>& handles, const Vector3& q)
{
    const int n = handles.GetSize();
    for (int i = 0; i < n; ++i)
        handles[i].PickHandle(NextInRing(handles, i), q);
}

namespace {

bool SameStoredValues(const CourseHandle& a, const CourseHandle& b)
{
    return a.vPos == b.vPos && a.vTanNext == b.vTanNext && a.vTanPrev == b.vTanPrev &&
           a.WidthRight == b.WidthRight && a.WidthLeft == b.WidthLeft;
}

}  // namespace

bool DragHandles(RecordList<CourseHandle>& handles, const Vector3& q)
{
    const int n = handles.GetSize();
    bool changed = false;
    for (int i = 0; i < n; ++i) {
        CourseHandle& h = handles[i];
        if (h.DragPart == HandlePart::None) {
            h.DragHandle(NextInRing(handles, i), q);
            continue;
        }
        const CourseHandle before = h;
        h.DragHandle(NextInRing(handles, i), q);
        changed = changed || !SameStoredValues(before, h);
    }
    return changed;
}

void ReleaseHandles(RecordList<CourseHandle>& handles)
{
    for (CourseHandle& h : handles)
        h.DragPart = HandlePart::None;
}

bool DragObjects(RecordList<XObject>& objects, const Vector3& q)
{
    // Only grabbed objects can move; note where they stood before the pass.
    struct Grabbed {
        int index;
        Vector3 pos;
        float direction;
    };
    std::vector<Grabbed> grabbed;
    for (int i = 0; i < objects.GetSize(); ++i) {
        const XObject& o = objects[i];
        if (o.DragPart != ObjectPart::None)
            grabbed.push_back({i, o.Pos, o.Direction});
    }
    DragXObjects(objects, q);
    for (const Grabbed& g : grabbed) {
        const XObject& o = objects[g.index];
        if (!(o.Pos == g.pos) || o.Direction != g.direction)
            return true;
    }
    return false;
}

UINT DragStepLabel(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects)
{
    for (const CourseHandle& h : handles) {
        switch (h.DragPart) {
        case HandlePart::Pos: return IDS_STEP_POINT_MOVE;
        case HandlePart::TanNext:
        case HandlePart::TanPrev: return IDS_STEP_TANGENT_EDIT;
        case HandlePart::WidthLeft:
        case HandlePart::WidthRight: return IDS_STEP_WIDTH_EDIT;
        default: break;
        }
    }
    for (const XObject& o : objects) {
        if (o.DragPart == ObjectPart::Body)
            return IDS_STEP_XOBJECT_MOVE;
        if (o.DragPart == ObjectPart::DirectionTip)
            return IDS_STEP_XOBJECT_TURN;
    }
    return 0;
}

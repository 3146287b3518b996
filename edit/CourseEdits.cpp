#include "edit/CourseEdits.h"

#include "geometry/XObjectQueries.h"

#include <vector>

void PickHandles(CourseData& course, const Vector3& q)
{
    RecordList<CourseHandle>& handles = course.m_handles;
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

bool DragHandles(CourseData& course, const Vector3& q)
{
    RecordList<CourseHandle>& handles = course.m_handles;
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
    DragXObjects(doc.m_xobjects, q);
    for (const Grabbed& g : grabbed) {
        const XObject& o = doc.m_xobjects[g.index];
        if (!(o.Pos == g.pos) || o.Direction != g.direction)
            return true;
    }
    return false;
}

#include "geometry/HandlePasses.h"

#include <algorithm>

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

int MarkerAt(const RecordList<CourseHandle>& handles, const Vector3& q, int from)
{
    const int n = handles.GetSize();
    for (int i = std::max(from, 0); i < n; ++i) {
        if (handles[i].HandlePartAt(NextInRing(handles, i), q) == HandlePart::Pos)
            return i;
    }
    return -1;
}

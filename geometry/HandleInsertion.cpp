#include "geometry/HandleInsertion.h"

#include "geometry/HandlePasses.h"
#include "geometry/HandlePicking.h"

int FindInsertionSpan(const RecordList<CourseHandle>& handles, const Vector3& q, Vector3* nearest)
{
    const int n = handles.GetSize();
    int chosen = -1;
    for (int i = 0; i < n; ++i) {
        Vector3 M;
        if (handles[i].SpanHit(NextInRing(handles, i), kSpanRadius, q, &M)) {
            chosen = i;
            if (nearest)
                *nearest = M;
        }
    }
    return chosen;
}

CourseHandle MakeInsertedHandle(const CourseHandle& a, const CourseHandle& b, const Vector3& M)
{
    CourseHandle H;
    H.vPos = M;
    H.vTanNext = b.vPos - a.vPos;
    H.vTanPrev = H.vTanNext * -1.0;
    H.WidthRight = static_cast<float>((double(a.WidthRight) + b.WidthRight) * 0.5);
    H.WidthLeft = static_cast<float>((double(a.WidthLeft) + b.WidthLeft) * 0.5);
    return H;
}

bool InsertHandleAt(RecordList<CourseHandle>& handles, const Vector3& q)
{
    Vector3 M;
    const int i = FindInsertionSpan(handles, q, &M);
    if (i < 0)
        return false;
    const CourseHandle H = MakeInsertedHandle(handles[i], NextInRing(handles, i), M);
    handles.InsertAt(i + 1, H);
    return true;
}

bool DeleteHandleAt(RecordList<CourseHandle>& handles, const Vector3& q)
{
    const int n = handles.GetSize();
    if (n < 4)
        return false;
    const int i = MarkerAt(handles, q);
    if (i < 0)
        return false;
    handles.RemoveAt(i);
    return true;
}

#include "geometry/CourseExtent.h"

#include "geometry/CourseSpline.h"
#include "geometry/ObjectFootprint.h"
#include "geometry/XObjectQueries.h"

#include <algorithm>
#include <cmath>

namespace {

// The segments the view draws each border span with.
constexpr int kBorderSegments = 20;

void Add(CourseExtent& e, double x, double y, double margin)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    e.minX = std::min(e.minX, x - margin);
    e.maxX = std::max(e.maxX, x + margin);
    e.minY = std::min(e.minY, y - margin);
    e.maxY = std::max(e.maxY, y + margin);
}

}  // namespace

CourseExtent ExtentOfCourse(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects,
                            float objectScale)
{
    CourseExtent e{INFINITY, INFINITY, -INFINITY, -INFINITY};
    const int n = handles.GetSize();
    Vector3 line[kBorderSegments + 1];
    for (int i = 0; i < n; ++i) {
        const CourseHandle& next = handles[(i + 1) % n];
        for (const SpanCurve side : {LeftBorder, RightBorder}) {
            SampleSpan(handles[i], next, side, kBorderSegments, line);
            for (const Vector3& p : line)
                Add(e, p.x, p.y, 0.0);
        }
    }
    constexpr double reach = kDirectionTipDistance + kDirectionTipRadius;
    for (const XObject& o : objects) {
        Add(e, o.Pos.x, o.Pos.y, reach);
        for (const Vector3& corner : FootprintCorners(o, objectScale))
            Add(e, corner.x, corner.y, 0.0);
    }
    return e;
}

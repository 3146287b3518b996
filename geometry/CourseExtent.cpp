#include "geometry/CourseExtent.h"

#include "geometry/CourseSpline.h"
#include "geometry/ObjectFootprint.h"
#include "geometry/XObjectQueries.h"

#include <algorithm>
#include <cmath>

namespace {

// The segments the view draws each border span with.
constexpr int kBorderSegments = 20;

}  // namespace

void CourseExtent::Add(double x, double y, double margin)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    if (!std::isfinite(margin))
        margin = 0.0;
    margin = std::fabs(margin);
    minX = std::min(minX, x - margin);
    maxX = std::max(maxX, x + margin);
    minY = std::min(minY, y - margin);
    maxY = std::max(maxY, y + margin);
}

CourseExtent ExtentOfCourse(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects,
                            float objectScale)
{
    CourseExtent e;
    const int n = handles.GetSize();
    Vector3 line[kBorderSegments + 1];
    for (int i = 0; i < n; ++i) {
        const CourseHandle& next = handles[(i + 1) % n];
        for (const SpanCurve side : {LeftBorder, RightBorder}) {
            SampleSpan(handles[i], next, side, kBorderSegments, line);
            for (const Vector3& p : line)
                e.Add(p.x, p.y, 0.0);
        }
    }
    constexpr double reach = kDirectionTipDistance + kDirectionTipRadius;
    for (const XObject& o : objects) {
        e.Add(o.Pos.x, o.Pos.y, reach);
        for (const Vector3& corner : FootprintCorners(o, objectScale))
            e.Add(corner.x, corner.y, 0.0);
    }
    return e;
}

CourseExtent RoughExtentOfCourse(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects)
{
    CourseExtent e;
    for (const CourseHandle& h : handles)
        e.Add(h.vPos.x, h.vPos.y, std::max(std::fabs(h.WidthLeft), std::fabs(h.WidthRight)));
    for (const XObject& obj : objects)
        e.Add(obj.Pos.x, obj.Pos.y, 0.5 * std::max(std::fabs(obj.Width), std::fabs(obj.Height)));
    return e;
}

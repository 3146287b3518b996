#include "geometry/CourseBounds.h"

#include <algorithm>

void CourseBounds::Add(double x, double y, double margin)
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

CourseBounds BoundsOf(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects)
{
    CourseBounds b;
    for (const CourseHandle& h : handles)
        b.Add(h.vPos.x, h.vPos.y, std::max(std::fabs(h.WidthLeft), std::fabs(h.WidthRight)));
    for (const XObject& obj : objects)
        b.Add(obj.Pos.x, obj.Pos.y, 0.5 * std::max(std::fabs(obj.Width), std::fabs(obj.Height)));
    return b;
}

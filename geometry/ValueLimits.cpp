#include "geometry/ValueLimits.h"

#include <cmath>
#include <initializer_list>

bool IsCourseValue(double v)
{
    return std::isfinite(v) && std::fabs(v) <= kMaxCourseMagnitude;
}

namespace {

bool AllCourseValues(std::initializer_list<double> values)
{
    for (const double v : values) {
        if (!IsCourseValue(v))
            return false;
    }
    return true;
}

}  // namespace

bool HandleValuesUsable(const CourseHandle& h)
{
    return AllCourseValues({h.vPos.x, h.vPos.y, h.vTanNext.x, h.vTanNext.y, h.vTanPrev.x, h.vTanPrev.y, h.WidthRight,
                            h.WidthLeft}) &&
           h.WidthRight >= 0.0f && h.WidthLeft >= 0.0f;
}

bool ObjectValuesUsable(const XObject& o)
{
    return AllCourseValues({o.Pos.x, o.Pos.y, o.Direction, o.Width, o.Height});
}

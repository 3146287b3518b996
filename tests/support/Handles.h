#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/Vector3.h"

// A handle from the values a course file gives it (x, y of each vector; the two widths).
inline CourseHandle MakeHandle(float px, float py, float nextX, float nextY, float prevX, float prevY,
                               float widthLeft = 5.0f, float widthRight = 5.0f)
{
    CourseHandle h;
    h.vPos = Vector3(px, py, 0.0);
    h.vTanNext = Vector3(nextX, nextY, 0.0);
    h.vTanPrev = Vector3(prevX, prevY, 0.0);
    h.WidthLeft = widthLeft;
    h.WidthRight = widthRight;
    return h;
}

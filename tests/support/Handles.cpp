#include "support/Handles.h"

CourseHandle MakeHandle(float px, float py, float nextX, float nextY, float prevX, float prevY,
                        float widthLeft, float widthRight)
{
    CourseHandle h;
    h.vPos = Vector3(px, py, 0.0);
    h.vTanNext = Vector3(nextX, nextY, 0.0);
    h.vTanPrev = Vector3(prevX, prevY, 0.0);
    h.WidthLeft = widthLeft;
    h.WidthRight = widthRight;
    return h;
}

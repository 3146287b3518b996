#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/Vector3.h"

// A handle from the values a course file gives it (x, y of each vector; the two widths).
CourseHandle MakeHandle(float px, float py, float nextX, float nextY, float prevX, float prevY,
                        float widthLeft = 5.0f, float widthRight = 5.0f);

#pragma once

// The large course the frame and start-up benchmarks draw.
#include "doc/TrackwrightDoc.h"

#include <cmath>

// A smooth ring of handles of radius 90 and a grid of objects over the same square, every item
// inside the visible area (a 1280 x 800 view at zoom 1 shows y from -100 to 100).
inline void FillCourse(CTrackwrightDoc& doc, int handles, int objects)
{
    doc.m_course.m_handles.SetSize(0);
    doc.m_xobjects.RemoveAll();
    const double radius = 90.0;
    const double step = 2.0 * 3.141592653589793 / handles;
    const double tangent = radius * step;
    for (int i = 0; i < handles; ++i) {
        const double a = i * step;
        CourseHandle h;
        h.vPos = Vector3(radius * std::cos(a), radius * std::sin(a), 0.0);
        h.vTanNext = Vector3(-tangent * std::sin(a), tangent * std::cos(a), 0.0);
        h.vTanPrev = -h.vTanNext;
        h.WidthLeft = 5.0f;
        h.WidthRight = 5.0f;
        doc.m_course.m_handles.Add(h);
    }
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(objects))));
    for (int i = 0; i < objects; ++i) {
        const double x = -90.0 + 180.0 * (i % side) / side;
        const double y = -90.0 + 180.0 * (i / side) / side;
        doc.m_xobjects.Add(XObject("tree_pine.x", Vector3(x, y, 0.0), 0.1f * static_cast<float>(i % 63), 3.0f, 2.0f));
    }
}


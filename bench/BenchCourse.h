#pragma once

// The course and the map the benchmarks measure on, built in one place.
#include "doc/TrackwrightDoc.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

// A smooth ring of handles of the given radius and a grid of objects over the same square. At
// radius 90 every item is inside the visible area (a 1280 x 800 view at zoom 1 shows y from -100
// to 100).
inline void FillCourse(CTrackwrightDoc& doc, int handles, int objects, double radius = 90.0,
                       const std::string& object = "tree_pine.x")
{
    doc.m_course.m_handles.SetSize(0);
    doc.m_xobjects.RemoveAll();
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
        const double x = -radius + 2.0 * radius * (i % side) / side;
        const double y = -radius + 2.0 * radius * (i / side) / side;
        doc.m_xobjects.Add(XObject(object, Vector3(x, y, 0.0), 0.1f * static_cast<float>(i % 63), 3.0f, 2.0f));
    }
}

// A 24-bit BMP of side x side pixels (side even: rows need no padding) with a smooth pattern, so
// nothing compresses or repeats. Written row by row.
inline bool WriteMapBmp(const std::string& path, int side)
{
    const std::uint32_t n = static_cast<std::uint32_t>(side);
    std::string bytes(54, '\0');
    const auto put32 = [&bytes](std::size_t at, std::uint32_t v) {
        for (std::size_t i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>(v >> (8 * i));
    };
    bytes[0] = 'B', bytes[1] = 'M', bytes[26] = 1, bytes[28] = 24;
    put32(2, 54 + 3 * n * n), put32(10, 54), put32(14, 40), put32(18, n), put32(22, n);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), 54);
    bytes.resize(3 * n);
    for (std::uint32_t y = 0; y < n; ++y) {
        for (std::uint32_t x = 0; x < n; ++x) {
            bytes[3 * x] = static_cast<char>(x), bytes[3 * x + 1] = static_cast<char>(y);
            bytes[3 * x + 2] = static_cast<char>((x ^ y) >> 4);
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return static_cast<bool>(out);
}

#pragma once

// The course and the map the benchmarks measure on, built in one place, and the clock they read.
#include "document/TrackwrightDoc.h"
#include "tests/support/Handles.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <string>

// A new course: a smooth ring of handles of this radius and a grid of objects over its square. At
// radius 90 all of it is in a 1280 x 800 view at zoom 1 (which shows y from -100 to 100).
inline void FillCourse(CTrackwrightDoc& doc, int handles, int objects, double radius = 90.0,
                       const std::string& object = "tree_pine.x")
{
    doc.OnNewDocument();
    doc.m_course.m_handles.SetSize(0);
    const double step = 2.0 * 3.141592653589793 / handles;
    const double tangent = radius * step;
    for (int i = 0; i < handles; ++i) {
        const double c = std::cos(i * step);
        const double s = std::sin(i * step);
        doc.m_course.m_handles.Add(
            MakeHandle(radius * c, radius * s, -tangent * s, tangent * c, tangent * s, -tangent * c));
    }
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(objects))));
    for (int i = 0; i < objects; ++i) {
        const double x = -radius + 2.0 * radius * (i % side) / side;
        const double y = -radius + 2.0 * radius * (i / side) / side;
        doc.m_xobjects.Add(XObject(object, Vector3(x, y, 0.0), 0.1f * static_cast<float>(i % 63), 3.0f, 2.0f));
    }
}

// A 24-bit BMP of side x side pixels (side even: no row padding) in a pattern that never repeats.
inline bool WriteMapBmp(const std::string& path, int side)
{
    static_assert(std::endian::native == std::endian::little, "the header is written as it is in memory");
    const std::uint32_t n = static_cast<std::uint32_t>(side);
    // After "BM": file size, 0, pixel offset, info header size, width, height, 1 plane and 24 bits.
    const std::uint32_t header[13] = {54 + 3 * n * n, 0, 54, 40, n, n, 1 | 24 << 16};
    std::ofstream out(path, std::ios::binary);
    out.write("BM", 2).write(reinterpret_cast<const char*>(header), sizeof header);
    std::string row(3 * n, '\0');
    for (std::uint32_t y = 0; y < n; ++y) {
        for (std::uint32_t x = 0; x < n; ++x) {
            row[3 * x] = static_cast<char>(x);
            row[3 * x + 1] = static_cast<char>(y);
            row[3 * x + 2] = static_cast<char>((x ^ y) >> 4);
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    return static_cast<bool>(out);
}

// 10,000 control points and 10,000 objects over a 4096 x 4096 map as height and colour map,
// the map written into dir.
inline void FillLargeCourse(CTrackwrightDoc& doc, const std::string& dir)
{
    FillCourse(doc, 10000, 10000);
    doc.m_heightMap = dir + "/map4096.bmp";
    doc.m_colorMap = doc.m_heightMap;
    WriteMapBmp(doc.m_heightMap, 4096);
}

// A clock's time in milliseconds.
inline double ClockMs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

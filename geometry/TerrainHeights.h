#pragma once

#include <cstdint>

// Course units per grey level unless the user says otherwise: a map spans 0 to 25.5 units.
constexpr double kDefaultHeightScale = 0.1;

// A height map as the heights under the course read it: decoded pixels as the map reader gives
// them (bottom row first, at the map square's lower edge; 1 or 3 bytes per pixel), drawn over
// the map square exactly as the view draws the map. No pixels: the ground is flat at 0.
struct HeightField {
    const std::uint8_t* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t components = 0;
    double scale = kDefaultHeightScale;   // course units per grey level
};

// The height at course point (x, y): the grey level (a colour texel's channel mean) bilinear
// between texel centres, clamped to the map's edge outside the square, times the scale.
double HeightAt(const HeightField& field, double x, double y);

// The height at a point given in texels from the lower left texel's centre (column, row), clamped
// to the map; the terrain grid samples this way so its vertices can sit on texel centres.
double HeightAtTexel(const HeightField& field, double column, double row);

// The height scales the export takes: 255 grey levels times the largest stay far inside the
// magnitudes a course value may have.
constexpr double kMaxHeightScale = 1000.0;
constexpr bool IsHeightScale(double scale)
{
    return scale >= 0.0 && scale <= kMaxHeightScale;   // false for NaN
}

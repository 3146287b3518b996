#include "geometry/TerrainHeights.h"

#include "geometry/MapSquare.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

double Grey(const HeightField& f, std::int32_t column, std::int32_t row)
{
    const std::size_t at = (std::size_t(row) * std::size_t(f.width) + std::size_t(column)) * std::size_t(f.components);
    if (f.components == 3)
        return (double(f.pixels[at]) + f.pixels[at + 1] + f.pixels[at + 2]) / 3.0;
    return f.pixels[at];
}

// Where a position falls between two texel centres of an axis of n texels, clamped to the edge.
struct Between {
    std::int32_t lower;
    std::int32_t upper;
    double weight;   // of upper
};

Between Locate(double texel, std::int32_t n)
{
    // NaN clamps to the first texel rather than indexing with garbage.
    const double t = std::isnan(texel) ? 0.0 : std::clamp(texel, 0.0, double(n - 1));
    const auto lower = static_cast<std::int32_t>(t);
    const std::int32_t upper = std::min(lower + 1, n - 1);
    return {lower, upper, t - lower};
}

}  // namespace

double HeightAtTexel(const HeightField& f, double column, double row)
{
    if (!f.pixels || f.width <= 0 || f.height <= 0 || (f.components != 1 && f.components != 3))
        return 0.0;
    const Between c = Locate(column, f.width);
    const Between r = Locate(row, f.height);
    const double below = Grey(f, c.lower, r.lower) * (1.0 - c.weight) + Grey(f, c.upper, r.lower) * c.weight;
    const double above = Grey(f, c.lower, r.upper) * (1.0 - c.weight) + Grey(f, c.upper, r.upper) * c.weight;
    return (below * (1.0 - r.weight) + above * r.weight) * f.scale;
}

double HeightAt(const HeightField& f, double x, double y)
{
    // Texel centres sit at texture coordinates (i + 0.5) / n, as the GL samples them.
    const double column = MapSquareTexCoord(x) * f.width - 0.5;
    const double row = MapSquareTexCoord(y) * f.height - 0.5;
    return HeightAtTexel(f, column, row);
}

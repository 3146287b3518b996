// Heights under the course against values worked out by hand on tiny maps.
#include "geometry/TerrainHeights.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

// A 2 x 2 grey map, bottom row first: 10 20 along the lower edge, 30 40 above. Its texel centres
// lie at x, y = -64 and 64; the scale is 0.1 unless the row says otherwise.
TEST(TerrainHeights, BilinearBetweenTexelCentresClampedOutside)
{
    const std::uint8_t grey[] = {10, 20, 30, 40};
    const std::uint8_t colour[] = {30, 60, 90};   // one texel, mean 60
    const HeightField twoByTwo{grey, 2, 2, 1, 0.1};
    const struct {
        const char* name;
        HeightField field;
        double x;
        double y;
        double height;
    } rows[] = {
        {"lower left centre", twoByTwo, -64, -64, 1.0},
        {"upper right centre", twoByTwo, 64, 64, 4.0},
        {"middle: mean of four", twoByTwo, 0, 0, 2.5},
        {"a quarter from the right", twoByTwo, 32, -64, 1.75},
        {"three quarters up the left", twoByTwo, -64, 32, 2.5},
        {"corner of the square: clamped", twoByTwo, -128, -128, 1.0},
        {"far right: clamped to the edge", twoByTwo, 1000, 0, 3.0},
        {"far below and left", twoByTwo, -1e6, -1e6, 1.0},
        {"scale 2", {grey, 2, 2, 1, 2.0}, 64, -64, 40.0},
        {"colour: channel mean", {colour, 1, 1, 3, 0.5}, 17, -3, 30.0},
        {"no map: flat", {nullptr, 0, 0, 0, 0.1}, 5, 5, 0.0},
    };
    for (const auto& row : rows)
        EXPECT_NEAR(HeightAt(row.field, row.x, row.y), row.height, 1e-9) << row.name;
    EXPECT_TRUE(std::isfinite(HeightAt(twoByTwo, std::nan(""), 0.0)));
}

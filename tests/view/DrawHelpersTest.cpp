// The rim points of markers and object circles must stay exactly what the trigonometry of
// their angles gives, however they are formed.
#include "view/DrawHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

TEST(DrawHelpers, TwelveSegmentRimMatchesItsAngleFormulaBitForBit)
{
    const float deg = 0.017453292f;
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> coord(-300.0f, 300.0f);
    for (int n = 0; n < 500; ++n) {
        const Vector3 q(coord(rng), coord(rng), n % 3 == 0 ? 0.0 : coord(rng));
        const float r = n % 2 ? 1.0f : std::abs(coord(rng)) / 10.0f;
        for (int k = 0; k <= 12; ++k) {
            const double theta = (static_cast<double>(k) * 360.0 / 12) * static_cast<double>(deg);
            const Vector3 p = CirclePoint(q, r, 12, k);
            EXPECT_EQ(p.x, static_cast<float>(q.x + r * std::cos(theta)));
            EXPECT_EQ(p.y, static_cast<float>(q.y + r * std::sin(theta)));
            EXPECT_EQ(p.z, q.z);
            if (r == 1.0f) {
                // The width markers' own form of the same points: k * 30 degrees, radius 1.
                const double a = k * 30 * static_cast<double>(deg);
                EXPECT_EQ(p.x, static_cast<float>(q.x + std::cos(a)));
                EXPECT_EQ(p.y, static_cast<float>(q.y + std::sin(a)));
            }
        }
    }
}

TEST(DrawHelpers, OtherSegmentCountsUseTheirOwnAngles)
{
    const Vector3 q(10.0, 20.0, 0.0);
    const Vector3 p = CirclePoint(q, 2.0f, 8, 1);
    const double theta = 45.0 * static_cast<double>(0.017453292f);
    EXPECT_EQ(p.x, static_cast<float>(10.0 + 2.0 * std::cos(theta)));
    EXPECT_EQ(p.y, static_cast<float>(20.0 + 2.0 * std::sin(theta)));
    // The last point closes the circle up to rounding.
    EXPECT_NEAR(CirclePoint(q, 2.0f, 8, 8).x, 12.0f, 1e-5f);
    EXPECT_NEAR(CirclePoint(q, 2.0f, 8, 8).y, 20.0f, 1e-5f);
}

}  // namespace

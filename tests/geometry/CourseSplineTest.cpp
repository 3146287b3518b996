// The Hermite centre line, the border offsets at a handle and the sampling of a span.
#include "geometry/CourseSpline.h"
#include "support/Handles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(HermitePoint, PassesThroughTheEndsAndBulgesByTheTangentsInTheMiddle)
{
    const Vector3 P0(1, 2, 0), P1(9, -4, 0), T0(40, 8, 0), T1(-16, 24, 0);
    EXPECT_EQ(HermitePoint(0.0f, P0, P1, T0, T1), P0);
    EXPECT_EQ(HermitePoint(1.0f, P0, P1, T0, T1), P1);
    // (P0 + P1) / 2 + (T0 - T1) / 8; tangents enter unscaled.
    EXPECT_EQ(HermitePoint(0.5f, P0, P1, T0, T1), Vector3(5 + 7, -1 - 2, 0));
    EXPECT_EQ(HermitePoint(0.5f, P0, P1, T0 * 2.0, T1 * 2.0), Vector3(5 + 14, -1 - 4, 0));
}

TEST(BorderOffset, BisectorOfTheTangentsTurnedClockwiseAndAsLongAsTheWidth)
{
    const double d = 5.0 / std::sqrt(2.0);
    const struct {
        CourseHandle h;
        float width;
        double x, y;
    } cases[] = {
        {MakeHandle(2, 3, 0, 10, 10, 0), 5.0f, d, d},      // corner: on the bisector
        {MakeHandle(2, 3, 0, 10, -10, 0), 5.0f, d, -d},    // the plain bisector flips to the turned side
        {MakeHandle(0, 0, 30, 40, -30, -40), 5.0f, 4, -3},  // smooth: (30, 40) turned clockwise
        {MakeHandle(0, 0, 30, 40, -30, -40), -5.0f, -4, 3},
        {MakeHandle(0, 0, 30, 40, -30, -40), 0.0f, 0, 0},
        {MakeHandle(4, 5, 0, 170, 0, 0), 5.0f, 0, -5},      // only an outgoing one: along its line
        {MakeHandle(4, 5, 0, 0, 0, 0), 5.0f, 0, 0},         // none at all
    };
    for (const auto& c : cases) {
        const Vector3 left = c.h.BorderOffset(BorderSide::Left, c.width);
        EXPECT_NEAR(left.x, c.x, 1e-5) << c.h.vTanNext.x << "," << c.h.vTanPrev.x << " " << c.width;
        EXPECT_NEAR(left.y, c.y, 1e-5) << c.h.vTanNext.x << "," << c.h.vTanPrev.x << " " << c.width;
        EXPECT_EQ(c.h.BorderOffset(BorderSide::Right, c.width), -left);
    }
}

TEST(SampleSpan, EmitsNPlusOneVerticesFromBorderPointToBorderPoint)
{
    const CourseHandle a = MakeHandle(0, 0, 60, 0, -60, 0, 3.0f, 4.0f);
    const CourseHandle b = MakeHandle(50, 20, 0, 60, 0, -60, 6.0f, 8.0f);
    Vector3 v[21], centre[21];
    SampleSpan(a, b, Centre, 20, centre);
    for (const SpanCurve curve : {Centre, LeftBorder, RightBorder, SpanCurve(7)}) {
        ASSERT_EQ(SampleSpan(a, b, curve, 20, v), 21);
        const SpanLine line = LineOfSpan(a, b, curve);
        EXPECT_EQ(v[0], line.P0);
        EXPECT_EQ(v[20], line.P1);
    }
    SampleSpan(a, b, LeftBorder, 20, v);
    EXPECT_EQ(v[20], b.vPos + b.BorderOffset(BorderSide::Left, 6.0f));
    // A border is the centre line plus the blended end offsets: halfway, their mean.
    const Vector3 mean = (a.BorderOffset(BorderSide::Left, 3.0f) + b.BorderOffset(BorderSide::Left, 6.0f)) / 2.0;
    EXPECT_NEAR(v[10].x, centre[10].x + mean.x, 1e-4);
    EXPECT_NEAR(v[10].y, centre[10].y + mean.y, 1e-4);
    Vector3 guard[2] = {Vector3(9, 9, 9), Vector3(9, 9, 9)};
    EXPECT_EQ(SampleSpan(a, b, Centre, 0, guard), 0);
    EXPECT_EQ(SampleSpan(a, b, Centre, -5, guard), 0);
    EXPECT_EQ(guard[0], Vector3(9, 9, 9));
    EXPECT_EQ(SampleSpan(a, b, Centre, 1, guard), 2);
    EXPECT_EQ(guard[1], b.vPos);
}

}  // namespace

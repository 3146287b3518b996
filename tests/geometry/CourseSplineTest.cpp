// The Hermite centre line, the border offsets at a handle and the sampling of a span.
#include "doc/TrackwrightDoc.h"
#include "geometry/CourseSpline.h"
#include "support/Handles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

float Cross(const Vector3& a, const Vector3& b)
{
    return static_cast<float>(double(a.x) * b.y - double(a.y) * b.x);
}

}  // namespace

TEST(HermitePoint, PassesThroughTheEndsAndBulgesByTheTangentsInTheMiddle)
{
    const Vector3 P0(1, 2, 0), P1(9, -4, 0), T0(40, 8, 0), T1(-16, 24, 0);
    EXPECT_EQ(HermitePoint(0.0f, P0, P1, T0, T1), P0);
    EXPECT_EQ(HermitePoint(1.0f, P0, P1, T0, T1), P1);
    // (P0 + P1) / 2 + (T0 - T1) / 8
    EXPECT_EQ(HermitePoint(0.5f, P0, P1, T0, T1), Vector3(5 + 7, -1 - 2, 0));
    // Tangents enter unscaled: doubling them doubles the bulge.
    EXPECT_EQ(HermitePoint(0.5f, P0, P1, T0 * 2.0, T1 * 2.0), Vector3(5 + 14, -1 - 4, 0));

    Vector3 odd = P0;
    odd.w = 3.0f;
    EXPECT_EQ(HermitePoint(0.3f, odd, P1, T0, T1).w, 1.0f);
}

TEST(BorderOffset, DefaultCoursePutsTheLeftBorderOutside)
{
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    for (int i = 0; i < 4; ++i) {
        const CourseHandle& h = doc.m_course.m_handles[i];
        const Vector3 outward = h.vPos / 100.0 * 5.0;
        const Vector3 left = h.BorderOffset(BorderSide::Left, h.WidthLeft);
        const Vector3 right = h.BorderOffset(BorderSide::Right, h.WidthRight);
        EXPECT_NEAR(left.x, outward.x, 1e-5) << i;
        EXPECT_NEAR(left.y, outward.y, 1e-5) << i;
        EXPECT_NEAR(right.x, -outward.x, 1e-5) << i;
        EXPECT_NEAR(right.y, -outward.y, 1e-5) << i;
        EXPECT_EQ(left.w, 1.0f);
    }
}

TEST(BorderOffset, CornerLiesOnTheBisectorOnTheQuarterTurnedSide)
{
    // Leaving up, arriving from the left (vTanPrev stored backwards points right):
    // the bisector of (0, 1) and (1, 0) is on the +x side, where (0, 1) turns clockwise.
    const CourseHandle same = MakeHandle(2, 3, 0, 10, 10, 0);
    const Vector3 o = same.BorderOffset(BorderSide::Left, 5.0f);
    EXPECT_NEAR(o.x, 5.0 / std::sqrt(2.0), 1e-5);
    EXPECT_NEAR(o.y, 5.0 / std::sqrt(2.0), 1e-5);

    // Here the plain bisector (-1, 1) points away from the turned tangent, so it flips.
    const CourseHandle flipped = MakeHandle(2, 3, 0, 10, -10, 0);
    const Vector3 f = flipped.BorderOffset(BorderSide::Left, 5.0f);
    EXPECT_NEAR(f.x, 5.0 / std::sqrt(2.0), 1e-5);
    EXPECT_NEAR(f.y, -5.0 / std::sqrt(2.0), 1e-5);
    const Vector3 fr = flipped.BorderOffset(BorderSide::Right, 5.0f);
    EXPECT_EQ(fr, -f);
    // No mitre: the offset is exactly as long as the width.
    EXPECT_NEAR(f.Length(), 5.0f, 1e-5);
}

TEST(BorderOffset, DegenerateTangents)
{
    const CourseHandle none = MakeHandle(4, 5, 0, 0, 0, 0);
    EXPECT_EQ(none.BorderOffset(BorderSide::Left, 5.0f), Vector3());
    EXPECT_EQ(none.BorderOffset(BorderSide::Right, 5.0f), Vector3());

    // Only an outgoing tangent: the border points lie on the tangent's own line.
    const CourseHandle oneSided = MakeHandle(4, 5, 0, 170, 0, 0);
    const Vector3 a = oneSided.BorderOffset(BorderSide::Left, 5.0f);
    const Vector3 b = oneSided.BorderOffset(BorderSide::Right, 5.0f);
    EXPECT_NEAR(a.Length(), 5.0f, 1e-5);
    EXPECT_NEAR(Cross(a, oneSided.vTanNext), 0.0f, 1e-3);
    EXPECT_EQ(b, -a);

    const CourseHandle smooth = MakeHandle(0, 0, 30, 40, -30, -40);
    EXPECT_EQ(smooth.BorderOffset(BorderSide::Left, 0.0f).Length(), 0.0f);
    const Vector3 pos = smooth.BorderOffset(BorderSide::Left, 5.0f);
    const Vector3 neg = smooth.BorderOffset(BorderSide::Left, -5.0f);
    EXPECT_EQ(neg, -pos);
    EXPECT_NEAR(pos.x, 4.0, 1e-5);    // (30, 40) turned clockwise is (40, -30)
    EXPECT_NEAR(pos.y, -3.0, 1e-5);
}

TEST(SampleSpan, EmitsNPlusOneVerticesFromBorderPointToBorderPoint)
{
    const CourseHandle a = MakeHandle(0, 0, 60, 0, -60, 0, 3.0f, 4.0f);
    const CourseHandle b = MakeHandle(50, 20, 0, 60, 0, -60, 6.0f, 8.0f);
    Vector3 v[21];
    for (const SpanCurve curve : {Centre, LeftBorder, RightBorder, SpanCurve(7)}) {
        ASSERT_EQ(SampleSpan(a, b, curve, 20, v), 21);
        const SpanLine line = LineOfSpan(a, b, curve);
        EXPECT_EQ(v[0], line.P0);
        EXPECT_EQ(v[20], line.P1);
    }
    SampleSpan(a, b, LeftBorder, 20, v);
    EXPECT_EQ(v[0], a.vPos + a.BorderOffset(BorderSide::Left, 3.0f));
    EXPECT_EQ(v[20], b.vPos + b.BorderOffset(BorderSide::Left, 6.0f));
    SampleSpan(a, b, RightBorder, 20, v);
    EXPECT_EQ(v[20], b.vPos + b.BorderOffset(BorderSide::Right, 8.0f));

    // A border is the centre line plus the blended end offsets: halfway, their mean.
    Vector3 centre[21];
    SampleSpan(a, b, Centre, 20, centre);
    SampleSpan(a, b, LeftBorder, 20, v);
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

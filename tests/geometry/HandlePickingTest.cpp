// Hit tests of a handle's parts, and grabbing and dragging them.
#include "doc/TrackwrightDoc.h"
#include "geometry/CourseSpline.h"
#include "geometry/HandlePicking.h"
#include "support/Handles.h"

#include <gtest/gtest.h>

namespace {

// A straight span along y = 0 from (0, 0) to (30, 0), evenly parameterised.
const CourseHandle kA = MakeHandle(0, 0, 30, 0, -30, 0);
const CourseHandle kB = MakeHandle(30, 0, 30, 0, -30, 0);

TEST(HandlePartAt, RadiiAreInclusiveForMarkersAndExclusiveForSpans)
{
    const struct {
        Vector3 q;
        HandlePart part;
        Vector3 offset;
    } cases[] = {
        {Vector3(0, -2, 0), HandlePart::Pos, Vector3(0, 2, 0)},
        {Vector3(6, 4, 0), HandlePart::TanNext, Vector3(0, -4, 0)},   // tip (6, 0), radius 4
        {Vector3(-10, 0, 0), HandlePart::TanPrev, Vector3(4, 0, 0)},
        {Vector3(15, 2, 0), HandlePart::None, Vector3(9, 9, 9)},      // exactly 2.0 from the chords
        {Vector3(15, 1.9999999, 0), HandlePart::Span, Vector3(9, 9, 9)},
    };
    for (const auto& c : cases) {
        Vector3 offset(9, 9, 9);
        EXPECT_EQ(kA.HandlePartAt(kB, c.q, &offset), c.part) << c.q.x << "," << c.q.y;
        EXPECT_EQ(offset, c.offset) << c.q.x << "," << c.q.y;
    }
    Vector3 nearest(9, 9, 9);
    EXPECT_FALSE(kA.SpanHit(kB, 2.0f, Vector3(15, 3, 0), &nearest));
    EXPECT_EQ(nearest, Vector3(9, 9, 9));   // a miss leaves it alone
    ASSERT_TRUE(kA.SpanHit(kB, 3.5f, Vector3(15, 3, 0), &nearest));
    EXPECT_NEAR(nearest.x, 15.0f, 1e-4);
    ASSERT_TRUE(kA.SpanHit(kB, 2.0f, Vector3(31, 0.5, 0), &nearest));
    EXPECT_EQ(nearest, kB.vPos);   // beyond the end: the end itself
}

TEST(PickHandle, TheControlPointWinsOverATangentTipOnIt)
{
    CourseHandle h = MakeHandle(100, 0, 0, 15, 0, -170);   // next tip at (100, 3)
    const CourseHandle n = MakeHandle(0, 100, -170, 0, 170, 0);
    h.PickHandle(n, Vector3(100, 1.5, 0));
    EXPECT_EQ(h.DragPart, HandlePart::Pos);
    EXPECT_NEAR(h.DragOffset.y, -1.5f, 1e-6);
}

TEST(DragHandle, WidthIsTheFullDistanceOnEitherSideAndOtherPartsOnlyHover)
{
    CourseHandle h = MakeHandle(0, 0, 0, 50, 0, -50);
    const CourseHandle n = MakeHandle(0, 100, 0, 50, 0, -50);
    h.DragPart = HandlePart::WidthLeft;
    EXPECT_TRUE(h.DragHandle(n, Vector3(-3, -4, 0)));   // the wrong side still counts
    EXPECT_EQ(h.WidthLeft, 5.0f);
    h.DragPart = HandlePart::Span;
    EXPECT_TRUE(h.DragHandle(n, Vector3(0, 0, 0)));
    EXPECT_EQ(h.HoverPart, HandlePart::Pos);
    EXPECT_FALSE(h.DragHandle(n, Vector3(500, 0, 0)));
    EXPECT_EQ(h.HoverPart, HandlePart::None);
}

TEST(DragHandle, HoverFindsTheSpanThatClosesTheRingAndASpanIsNeverGrabbed)
{
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    RecordList<CourseHandle>& h = doc.m_course.m_handles;
    const Vector3 q = h[3].SpanPoint(h[0], 0.5f) + Vector3(0.5, 0.5, 0);
    for (int i = 0; i < 4; ++i) {
        h[i].DragHandle(h[(i + 1) % 4], q);
        h[i].PickHandle(h[(i + 1) % 4], q);
        EXPECT_EQ(h[i].HoverPart, i == 3 ? HandlePart::Span : HandlePart::None) << i;
        EXPECT_EQ(h[i].DragPart, HandlePart::None) << i;
    }
}

}  // namespace

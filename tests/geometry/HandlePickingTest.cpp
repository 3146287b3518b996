// Hit tests, grabbing and dragging of handles, and inserting and deleting them.
#include "doc/TrackwrightDoc.h"
#include "geometry/CourseSpline.h"
#include "geometry/HandleInsertion.h"
#include "geometry/HandlePicking.h"
#include "geometry/XObjectQueries.h"
#include "support/Handles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class OnDefaultCourse : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }

    RecordList<CourseHandle>& handles() { return doc.m_course.m_handles; }
    CourseHandle& h(int i) { return handles()[i]; }
    CourseHandle& next(int i) { return handles()[(i + 1) % handles().GetSize()]; }

    // What the view does on a button down and on each move.
    void Press(const Vector3& q)
    {
        for (int i = 0; i < handles().GetSize(); ++i)
            h(i).PickHandle(next(i), q);
        PickXObjects(doc.m_xobjects, q);
    }
    void Move(const Vector3& q)
    {
        for (int i = 0; i < handles().GetSize(); ++i)
            h(i).DragHandle(next(i), q);
        DragXObjects(doc.m_xobjects, q);
    }

    CTrackwrightDoc doc;
};

// A straight span along y = 0 from (0, 0) to (30, 0), evenly parameterised.
const CourseHandle kStraightA = MakeHandle(0, 0, 30, 0, -30, 0);
const CourseHandle kStraightB = MakeHandle(30, 0, 30, 0, -30, 0);

}  // namespace

TEST(HandlePartAt, RadiiAreInclusiveForMarkersAndExclusiveForSpans)
{
    const CourseHandle& a = kStraightA;
    const CourseHandle& b = kStraightB;
    Vector3 offset(9, 9, 9);
    EXPECT_EQ(a.HandlePartAt(b, Vector3(0, -2, 0), &offset), HandlePart::Pos);
    EXPECT_EQ(offset, Vector3(0, 2, 0));
    // The tangent tip (6, 0) reaches 4.0: (10, 0) is on its rim.
    EXPECT_EQ(a.HandlePartAt(b, Vector3(6, 4, 0), &offset), HandlePart::TanNext);
    EXPECT_EQ(a.HandlePartAt(b, Vector3(-10, 0, 0), &offset), HandlePart::TanPrev);
    EXPECT_EQ(offset, Vector3(4, 0, 0));

    // Exactly 2.0 from the chords is off the span, just inside is on it.
    EXPECT_EQ(a.HandlePartAt(b, Vector3(15, 2, 0)), HandlePart::None);
    EXPECT_FALSE(a.SpanHit(b, 2.0f, Vector3(15, 2, 0), &offset));
    EXPECT_EQ(a.HandlePartAt(b, Vector3(15, 1.9999999, 0), &offset), HandlePart::Span);
    Vector3 nearest(9, 9, 9);
    ASSERT_TRUE(a.SpanHit(b, 2.0f, Vector3(15, 1.9999999, 0), &nearest));
    EXPECT_NEAR(nearest.x, 15.0f, 1e-4);
    EXPECT_EQ(nearest.y, 0.0f);

    // A miss leaves nearest alone; a bigger radius reaches further.
    nearest = Vector3(9, 9, 9);
    EXPECT_FALSE(a.SpanHit(b, 2.0f, Vector3(15, 3, 0), &nearest));
    EXPECT_EQ(nearest, Vector3(9, 9, 9));
    EXPECT_TRUE(a.SpanHit(b, 3.5f, Vector3(15, 3, 0), &nearest));
    // Beyond the end the nearest point is the end itself.
    ASSERT_TRUE(a.SpanHit(b, 2.0f, Vector3(31, 0.5, 0), &nearest));
    EXPECT_EQ(nearest, b.vPos);
}

TEST_F(OnDefaultCourse, PressGrabsTheControlPointOverItsTangentTip)
{
    // Handle 0 at (100, 0); its vTanNext tip at (100, 34). Make the tip overlap vPos.
    h(0).vTanNext = Vector3(0, 15, 0);   // tip at (100, 3)
    Press(Vector3(100, 1.5, 0));
    EXPECT_EQ(h(0).DragPart, HandlePart::Pos);
    EXPECT_NEAR(h(0).DragOffset.y, -1.5f, 1e-6);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(h(i).DragPart, HandlePart::None);

    // The handle keeps its grab offset and its highlight while dragged.
    h(0).HoverPart = HandlePart::TanNext;
    Move(Vector3(50, 51.5, 0));
    EXPECT_NEAR(h(0).vPos.x, 50.0f, 1e-5);
    EXPECT_NEAR(h(0).vPos.y, 50.0f, 1e-5);
    EXPECT_EQ(h(0).vTanNext, Vector3(0, 15, 0));
    EXPECT_EQ(h(0).HoverPart, HandlePart::TanNext);
}

TEST(DragHandle, WidthIsTheFullDistanceOnEitherSide)
{
    CourseHandle h = MakeHandle(0, 0, 0, 50, 0, -50);
    const CourseHandle n = MakeHandle(0, 100, 0, 50, 0, -50);
    h.DragPart = HandlePart::WidthLeft;
    h.DragOffset = Vector3();
    EXPECT_TRUE(h.DragHandle(n, Vector3(3, 4, 0)));
    EXPECT_EQ(h.WidthLeft, 5.0f);
    EXPECT_TRUE(h.DragHandle(n, Vector3(-3, -4, 0)));
    EXPECT_EQ(h.WidthLeft, 5.0f);
    h.DragPart = HandlePart::WidthRight;
    EXPECT_TRUE(h.DragHandle(n, Vector3(0, 0, 0)));
    EXPECT_EQ(h.WidthRight, 0.0f);
    EXPECT_EQ(h.WidthLeft, 5.0f);

    // A drag part that names no draggable piece only hovers.
    h.DragPart = HandlePart::Span;
    EXPECT_TRUE(h.DragHandle(n, Vector3(0, 0, 0)));
    EXPECT_EQ(h.HoverPart, HandlePart::Pos);
    EXPECT_FALSE(h.DragHandle(n, Vector3(500, 0, 0)));
    EXPECT_EQ(h.HoverPart, HandlePart::None);
}

TEST_F(OnDefaultCourse, HoverFindsTheSpanThatClosesTheRing)
{
    const Vector3 q = h(3).SpanPoint(h(0), 0.5f) + Vector3(0.5, 0.5, 0);
    Move(q);
    EXPECT_EQ(h(3).HoverPart, HandlePart::Span);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(h(i).HoverPart, HandlePart::None) << i;
    Press(q);   // a span is never grabbed
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(h(i).DragPart, HandlePart::None) << i;
}

TEST_F(OnDefaultCourse, InsertionPrefersTheHighestNumberedSpan)
{
    // At handle 1 both the span of handle 0 (ending there) and of handle 1 are hit.
    Vector3 M;
    EXPECT_EQ(FindInsertionSpan(handles(), h(1).vPos + Vector3(0, 0.5, 0), &M), 1);
    EXPECT_EQ(M, h(1).vPos);
    ASSERT_TRUE(InsertHandleAt(handles(), h(1).vPos + Vector3(0, 0.5, 0)));
    EXPECT_EQ(h(2).vPos, h(1).vPos);
}

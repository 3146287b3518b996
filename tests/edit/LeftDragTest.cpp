#include "EditView.h"

#include "geometry/HandlePicking.h"

namespace {

using LeftDrag = EditView;

TEST_F(LeftDrag, PixelsBecomeCoursePointsThreeToAUnit)
{
    const Vector3 q = view.ScreenToWorld(394, 306);
    EXPECT_EQ(q.x, -2.0f);
    EXPECT_EQ(q.y, -2.0f);
    EXPECT_EQ(view.ScreenToWorld(400, 300), Vector3(0.0, 0.0, 0.0));
}

TEST_F(LeftDrag, ControlPointRadiusIsInclusiveAndTheSpanRadiusStrict)
{
    UseSquare();
    // Exactly 2.0 left of handle 0: grabbed.
    Down(Px(-2, 0));
    EXPECT_EQ(H(0).DragPart, HandlePart::Pos);
    Up(Px(-2, 0));

    // A hair further away: neither the control point nor the closing span at x = 0 counts.
    H(0).vPos.x = 1e-5f;
    Down(Px(-2, 0));
    EXPECT_EQ(H(0).DragPart, HandlePart::None);
    EXPECT_EQ(H(3).DragPart, HandlePart::None);
    EXPECT_TRUE(view.m_bLButtonDown);
    Up(Px(-2, 0));
    H(0).vPos.x = 0.0f;

    // Exactly 2.0 above the straight span from handle 0 to 1: not on it; 5/3 above: on it.
    Move(CPoint(490, 294));
    ASSERT_EQ(view.ScreenToWorld(490, 294).y, 2.0f);
    EXPECT_EQ(H(0).HoverPart, HandlePart::None);
    Move(CPoint(490, 295));
    EXPECT_EQ(H(0).HoverPart, HandlePart::Span);
    EXPECT_EQ(H(1).HoverPart, HandlePart::None);

    // Only the hover changed; the span is not something to drag.
    Drag(CPoint(490, 295), CPoint(490, 200));
    EXPECT_EQ(H(0).vPos, Vector3(0.0, 0.0, 0.0));
}

TEST_F(LeftDrag, ClosingSpanHoverBelongsToTheLastHandle)
{
    UseSquare();
    Move(Px(0, -30));
    EXPECT_EQ(H(3).HoverPart, HandlePart::Span);
    EXPECT_EQ(H(0).HoverPart, HandlePart::None);
    EXPECT_EQ(H(2).HoverPart, HandlePart::None);
}

TEST_F(LeftDrag, ControlPointWinsOverItsTangentTipAndMovesAlone)
{
    UseSquare();
    H(0).vTanNext = Vector3(15.0, 0.0, 0.0);   // tip at (3, 0)
    const CourseHandle before = H(0);
    const CourseHandle neighbour = H(1);
    Down(Px(1, 0));
    EXPECT_EQ(H(0).DragPart, HandlePart::Pos);
    Move(Px(11, 5), MK_LBUTTON);
    Up(Px(11, 5));
    EXPECT_NEAR(H(0).vPos.x, 10.0f, 1e-4);
    EXPECT_NEAR(H(0).vPos.y, 5.0f, 1e-4);
    EXPECT_EQ(H(0).vTanNext, before.vTanNext);
    EXPECT_EQ(H(0).vTanPrev, before.vTanPrev);
    EXPECT_EQ(H(0).WidthLeft, before.WidthLeft);
    EXPECT_EQ(H(1).vPos, neighbour.vPos);
    EXPECT_EQ(H(0).DragPart, HandlePart::None);
}

TEST_F(LeftDrag, EverythingUnderTheButtonIsDraggedWithItsOwnOffset)
{
    UseSquare();
    H(2).vPos = Vector3(60.0, -1.0, 0.0);
    doc.AddXObject(Vector3(60.0, 0.0, 0.0), "tree_pine.x", 3.0f, 3.0f);
    Drag(CPoint(580, 301), CPoint(610, 301));
    EXPECT_NEAR(H(1).vPos.x, 70.0f, 1e-4);
    EXPECT_NEAR(H(1).vPos.y, 0.0f, 1e-4);
    EXPECT_NEAR(H(2).vPos.x, 70.0f, 1e-4);
    EXPECT_NEAR(H(2).vPos.y, -1.0f, 1e-4);
    EXPECT_NEAR(doc.m_xobjects[0].Pos.x, 70.0f, 1e-4);
    EXPECT_NEAR(doc.m_xobjects[0].Pos.y, 0.0f, 1e-4);
    EXPECT_EQ(H(0).vPos, Vector3(0.0, 0.0, 0.0));
}

TEST_F(LeftDrag, TangentTipFollowsAtAFifthOfTheTangent)
{
    UseSquare();
    const Vector3 prev = H(0).vTanPrev;
    Down(Px(12, 0));   // the tip of vTanNext (60, 0)
    ASSERT_EQ(H(0).DragPart, HandlePart::TanNext);
    Move(Px(13, 0), MK_LBUTTON);
    EXPECT_NEAR(H(0).vTanNext.x, 65.0f, 1e-4);
    EXPECT_NEAR(H(0).vTanNext.y, 0.0f, 1e-4);
    EXPECT_EQ(H(0).vTanPrev, prev);

    // Onto the control point: a zero tangent, nothing clamped.
    Move(Px(0, 0), MK_LBUTTON);
    EXPECT_NEAR(H(0).vTanNext.Length(), 0.0f, 1e-4);
    Up(Px(0, 0));
}

TEST_F(LeftDrag, WidthBecomesTheFullDistanceOnEitherSide)
{
    UseSquare();
    // A smooth handle 0: its width markers lie across the outgoing tangent.
    H(0).vTanPrev = Vector3(-60.0, 0.0, 0.0);
    H(0).WidthLeft = 6.0f;
    const Vector3 marker = H(0).BorderOffset(0, 6.0f);
    ASSERT_NEAR(marker.x, 0.0f, 1e-6);
    ASSERT_NEAR(std::fabs(marker.y), 6.0f, 1e-6);
    const double side = marker.y > 0 ? 1.0 : -1.0;

    Down(Px(0, marker.y));
    ASSERT_EQ(H(0).DragPart, HandlePart::WidthLeft);
    Move(Px(3, 4 * side), MK_LBUTTON);
    EXPECT_NEAR(H(0).WidthLeft, 5.0f, 1e-5);
    Move(Px(3, -4 * side), MK_LBUTTON);   // across the centre line
    EXPECT_NEAR(H(0).WidthLeft, 5.0f, 1e-5);
    Move(Px(0, 0), MK_LBUTTON);
    EXPECT_NEAR(H(0).WidthLeft, 0.0f, 1e-5);
    Up(Px(0, 0));
    EXPECT_EQ(H(0).WidthRight, 5.0f);
}

TEST_F(LeftDrag, DragOnEmptyGroundOnlyHoversAndHoldsTheCaptureUntilButtonUp)
{
    UseSquare();
    const int invalidations = backend.viewHost.invalidations;
    Down(Px(30, -30));
    EXPECT_TRUE(view.m_bLButtonDown);
    EXPECT_TRUE(backend.viewHost.capture);
    EXPECT_EQ(view.m_ptLast, Px(30, -30));
    EXPECT_EQ(backend.viewHost.invalidations, invalidations);   // no repaint on the press

    Move(Px(0, 0), MK_LBUTTON);
    EXPECT_EQ(H(0).HoverPart, HandlePart::Pos);
    EXPECT_EQ(H(0).vPos, Vector3(0.0, 0.0, 0.0));
    EXPECT_EQ(backend.viewHost.invalidations, invalidations + 1);

    Up(Px(0, 0));
    EXPECT_FALSE(view.m_bLButtonDown);
    EXPECT_FALSE(backend.viewHost.capture);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(LeftDrag, ReleaseOrCaptureLossEndsTheDragButNotOwnCapture)
{
    UseSquare();
    Down(Px(0, 0));
    view.OnCaptureChanged(&view);   // the view taking the capture itself changes nothing
    EXPECT_TRUE(view.m_bLButtonDown);
    EXPECT_EQ(H(0).DragPart, HandlePart::Pos);

    CView other;
    view.OnCaptureChanged(&other);
    EXPECT_FALSE(view.m_bLButtonDown);
    EXPECT_EQ(H(0).DragPart, HandlePart::None);
    Move(Px(10, 10), MK_LBUTTON);
    EXPECT_EQ(H(0).vPos, Vector3(0.0, 0.0, 0.0));

    // After a normal release nothing follows either, and the hover resumes.
    Down(Px(0, 0));
    Up(Px(0, 0));
    view.OnCaptureChanged(nullptr);   // the release's own notification: harmless twice
    Move(Px(0, 1));
    EXPECT_EQ(H(0).vPos, Vector3(0.0, 0.0, 0.0));
    EXPECT_EQ(H(0).HoverPart, HandlePart::Pos);
}

TEST_F(LeftDrag, SecondButtonDownDuringADragGrabsNothingNew)
{
    UseSquare();
    Down(Px(30, -30));
    Down(Px(0, 0));
    EXPECT_EQ(H(0).DragPart, HandlePart::None);
    EXPECT_EQ(view.m_ptLast, Px(30, -30));
    EXPECT_EQ(backend.viewHost.captureCalls, 1);
    Move(Px(5, 5), MK_LBUTTON);
    EXPECT_EQ(H(0).vPos, Vector3(0.0, 0.0, 0.0));
}

TEST_F(LeftDrag, TypeListFreezesTheDragUntilTheMouseLeavesIt)
{
    UseSquare();
    Down(Px(0, 0));
    Move(CPoint(50, 8), MK_LBUTTON);   // over the "CtrlPnt" row
    EXPECT_EQ(view.m_nHoverType, -1);
    EXPECT_EQ(H(0).vPos, Vector3(0.0, 0.0, 0.0));
    Move(CPoint(50, 20), MK_LBUTTON);   // over the first catalogue row
    EXPECT_EQ(view.m_nHoverType, 0);

    Move(Px(10, -10), MK_LBUTTON);
    EXPECT_EQ(view.m_nHoverType, -2);
    EXPECT_NEAR(H(0).vPos.x, 10.0f, 1e-4);
    EXPECT_NEAR(H(0).vPos.y, -10.0f, 1e-4);
    Up(Px(10, -10));
}

TEST_F(LeftDrag, DraggedHandleKeepsTheHighlightItHadWhenGrabbed)
{
    UseSquare();
    Move(Px(0, 0));
    ASSERT_EQ(H(0).HoverPart, HandlePart::Pos);
    Down(Px(0, 0));
    Move(Px(30, -30), MK_LBUTTON);
    EXPECT_EQ(H(0).HoverPart, HandlePart::Pos);
    Up(Px(30, -30));
    Move(Px(20, -20));
    EXPECT_EQ(H(0).HoverPart, HandlePart::None);
}

}  // namespace

namespace {

// Like the system: releasing a held capture tells the window at once that it lost it.
class NotifyingHost : public TestWndHost {
public:
    void ReleaseCapture() override
    {
        const bool had = capture;
        capture = false;
        ++releases;
        if (had && pView)
            pView->OnCaptureChanged(nullptr);
    }
    CView* pView = nullptr;
    int releases = 0;
};

TEST_F(LeftDrag, ButtonUpSurvivesTheCaptureNotificationOfItsOwnRelease)
{
    UseSquare();
    NotifyingHost host;
    host.pView = &view;
    view.SetHost(&host);
    Down(Px(0, 0));
    Move(Px(5, 0), MK_LBUTTON);
    Up(Px(5, 0));
    EXPECT_FALSE(view.m_bLButtonDown);
    EXPECT_FALSE(host.capture);
    EXPECT_LE(host.releases, 2);
    EXPECT_EQ(H(0).DragPart, HandlePart::None);
    Move(Px(10, 0));
    EXPECT_NEAR(H(0).vPos.x, 5.0f, 1e-4);
    view.SetHost(&backend.viewHost);
}

}  // namespace

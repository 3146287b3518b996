#include "EditView.h"

namespace {

using InsertDelete = EditView;

constexpr double kPi = 3.14159265358979323846;

CPoint OnDefaultCircle(double degrees, double radius)
{
    const double a = degrees * kPi / 180.0;
    return EditView::Px(radius * std::cos(a), radius * std::sin(a));
}

TEST_F(InsertDelete, CtrlClickBesideASpanInsertsAfterItsStartHandle)
{
    H(2).WidthLeft = 4.0f;
    H(3).WidthLeft = 8.0f;
    H(2).WidthRight = 1.0f;
    H(3).WidthRight = 2.0f;
    const CourseHandle oldThird = H(3);
    // A fresh view inserts control points: 1.0 outside the span from handle 2 to 3, whose
    // middle lies 100.76 from the centre.
    Down(OnDefaultCircle(225.0, 101.76), MK_CONTROL);
    ASSERT_EQ(HandleCount(), 5);
    EXPECT_EQ(H(4).vPos, oldThird.vPos);
    const CourseHandle& h = H(3);
    EXPECT_NEAR(std::hypot(h.vPos.x, h.vPos.y), 100.76, 0.2);
    EXPECT_NEAR(std::atan2(h.vPos.y, h.vPos.x), -135.0 * kPi / 180.0, 0.01);
    EXPECT_EQ(h.vTanNext, H(4).vPos - H(2).vPos);
    EXPECT_EQ(h.vTanPrev, h.vTanNext * -1.0);
    EXPECT_EQ(h.WidthLeft, 6.0f);
    EXPECT_EQ(h.WidthRight, 1.5f);
    EXPECT_EQ(h.DragPart, HandlePart::None);
    EXPECT_FALSE(view.m_bLButtonDown);   // a Ctrl click never starts a drag
}

TEST_F(InsertDelete, ClosingSpanAppendsAndTheHigherOfTwoSpansWins)
{
    Down(OnDefaultCircle(315.0, 100.0), MK_CONTROL);
    ASSERT_EQ(HandleCount(), 5);
    EXPECT_EQ(H(4).vTanNext, H(0).vPos - H(3).vPos);
    EXPECT_EQ(H(0).vPos, Vector3(100.0, 0.0, 0.0));

    UseSquare();
    // Within 2.0 of both spans meeting at handle 1 (60, 0): the span of handle 1 takes it.
    Down(Px(59, -1), MK_CONTROL);
    ASSERT_EQ(HandleCount(), 5);
    EXPECT_NEAR(H(2).vPos.x, 60.0f, 1e-4);
    EXPECT_NEAR(H(2).vPos.y, -1.0f, 1e-3);
    EXPECT_EQ(H(3).vPos, Vector3(60.0, -60.0, 0.0));
}

TEST_F(InsertDelete, CatalogueRowPlacesAnObjectAnywhere)
{
    Down(CPoint(50, 36));   // "grandstand.x"
    Down(Px(100, 0), MK_CONTROL);   // right on handle 0
    Down(Px(100, 0), MK_CONTROL);   // and on that object
    ASSERT_EQ(doc.m_xobjects.GetSize(), 2);
    const XObject& o = doc.m_xobjects[1];
    EXPECT_EQ(o.FileName, "grandstand.x");
    EXPECT_EQ(o.Width, 20.0f);
    EXPECT_EQ(o.Height, 6.0f);
    EXPECT_EQ(o.Direction, 0.0f);
    EXPECT_EQ(o.Pos, view.ScreenToWorld(700, 300));
    EXPECT_EQ(o.DragPart, ObjectPart::None);
    EXPECT_EQ(HandleCount(), 4);
    EXPECT_FALSE(view.m_bLButtonDown);

    // A selection past the end of the catalogue places nothing.
    view.m_nSelectedType = 2;
    Down(Px(0, 0), MK_CONTROL);
    EXPECT_EQ(doc.m_xobjects.GetSize(), 2);
}

TEST_F(InsertDelete, DeleteKeepsThreeControlPointsAndUsesTheSystemCursor)
{
    Move(Px(0, 0));   // the last mouse message is somewhere else
    Delete(Px(0, 100));
    ASSERT_EQ(HandleCount(), 3);
    EXPECT_EQ(H(1).vPos.x, -100.0f);
    const int invalidations = backend.viewHost.invalidations;
    Delete(Px(100, 0));
    EXPECT_EQ(HandleCount(), 3);
    EXPECT_EQ(backend.viewHost.invalidations, invalidations);
}

TEST_F(InsertDelete, DeleteOverTipsMarkersOrSpansRemovesNothing)
{
    UseSquare();
    H(1).WidthLeft = 20.0f;
    AddXObject(doc.m_xobjects, Vector3(30.0, -30.0, 0.0), "a.x", 1.0f, 1.0f);   // tip at (30, -20)
    const int invalidations = backend.viewHost.invalidations;
    for (const CPoint p : {Px(12, 0), Px(0, -12), Px(30, 0), Px(30, -20)})
        Delete(p);
    const Vector3 marker = H(1).vPos + H(1).BorderOffset(BorderSide::Left, 20.0f);
    Delete(Px(marker.x, marker.y));
    EXPECT_EQ(HandleCount(), 4);
    EXPECT_EQ(doc.m_xobjects.GetSize(), 1);
    EXPECT_EQ(backend.viewHost.invalidations, invalidations);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace

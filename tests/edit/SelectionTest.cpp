#include "EditView.h"

#include <climits>
#include <cmath>
#include <vector>

namespace {

using Ints = std::vector<int>;

class Selection : public EditView {
protected:
    void SetUp() override
    {
        EditView::SetUp();
        UseSquare();
        AddXObject(doc.m_xobjects, Vector3(30.0, -30.0, 0.0), "rock.x", 2.0f, 2.0f);   // object 0, mid-square
        AddXObject(doc.m_xobjects, Vector3(90.0, 0.0, 0.0), "tree.x", 3.0f, 3.0f);     // object 1, outside
        doc.m_history.Clear();
    }
    // The selected control points and objects.
    std::pair<Ints, Ints> Sel() const { return {view.m_selection.handles, view.m_selection.objects}; }
};

TEST_F(Selection, ClicksWithinTheSlopSelectShiftTogglesAndEmptyGroundClears)
{
    // A release 2 pixels from the press, with no move, is a click; 3 pixels or any int (no overflow) is not.
    const CPoint at = Px(60, 0);
    for (const CPoint up : {CPoint(at.x + 2, at.y - 2), CPoint(at.x + 3, at.y), CPoint(at.x, at.y - 3),
                            CPoint(INT_MIN, INT_MAX)}) {
        view.m_selection = CourseSelection();
        Down(at), Up(up);
        EXPECT_EQ(Sel().first, up.x == at.x + 2 ? Ints{1} : Ints{}) << up.x << "," << up.y;
        EXPECT_EQ(H(1).vPos, Vector3(60.0, 0.0, 0.0));   // nothing followed without a move
    }
    Click(Px(0, 0));
    Click(Px(30, -30), MK_SHIFT);   // the object
    Click(Px(60, -60), MK_SHIFT);
    EXPECT_EQ(Sel(), std::pair(Ints{0, 2}, Ints{0}));
    Click(Px(0, 0), MK_SHIFT);
    EXPECT_EQ(Sel(), std::pair(Ints{2}, Ints{0}));
    Click(Px(20, -10), MK_SHIFT);   // Shift on empty ground keeps the selection
    EXPECT_EQ(Sel(), std::pair(Ints{2}, Ints{0}));
    Click(Px(90, 0));               // a plain click selects alone
    EXPECT_EQ(Sel(), std::pair(Ints{}, Ints{1}));
    Click(Px(20, -10));
    EXPECT_TRUE(view.m_selection.Empty());
    EXPECT_EQ(std::pair(doc.IsModified(), doc.m_history.StepCount()), std::pair(false, 0));
}

TEST_F(Selection, RubberBandTakesPositionsOnItsEdgesAndShiftAdds)
{
    // The band's corners are where its pixels lie in course units; parts exactly on them count.
    const CPoint a = Px(-10, 10), b = Px(60, -30);
    const Vector3 qa = view.ScreenToWorld(a.x, a.y), qb = view.ScreenToWorld(b.x, b.y);
    H(1).vPos = Vector3(qb.x, qa.y, 0.0);                                       // on a corner: in
    H(2).vPos = Vector3(std::nextafter(qb.x, 1e9f), -20.0, 0.0);                // just right of it: out
    doc.m_xobjects[0].Pos = Vector3(0.0, qb.y, 0.0);                            // on the bottom edge: in
    H(3).vPos = Vector3(0.0, std::nextafter(qb.y, -1e9f), 0.0);                 // just below: out
    Drag(a, b);
    EXPECT_EQ(Sel(), std::pair(Ints{0, 1}, Ints{0}));
    Drag(Px(80, 10), Px(100, -10), MK_SHIFT);
    EXPECT_EQ(Sel(), std::pair(Ints{0, 1}, Ints{0, 1}));
    Drag(Px(80, 10), Px(100, -10));
    EXPECT_EQ(Sel(), std::pair(Ints{}, Ints{1}));
    EXPECT_EQ(doc.m_history.StepCount(), 0);
}

TEST_F(Selection, DragOnASelectedPartMovesTheGroupAndOnAnotherPartThatPartAlone)
{
    Click(Px(0, 0));
    Click(Px(30, -30), MK_SHIFT);
    const CourseHandle before = H(0);
    Down(Px(0, 0));
    Move(CPoint(402, 298), MK_LBUTTON);   // within the slop: nothing moves yet
    EXPECT_EQ(H(0).vPos, before.vPos);
    Move(Px(10, 5), MK_LBUTTON), Up(Px(10, 5));
    const Vector3 d = view.ScreenToWorld(Px(10, 5).x, Px(10, 5).y) - view.ScreenToWorld(Px(0, 0).x, Px(0, 0).y);
    EXPECT_EQ(std::pair(H(0).vPos, doc.m_xobjects[0].Pos), std::pair(before.vPos + d, Vector3(30.0, -30.0, 0.0) + d));
    EXPECT_EQ(std::pair(H(0).vTanNext, H(0).WidthLeft), std::pair(before.vTanNext, before.WidthLeft));
    EXPECT_EQ(H(1).vPos, Vector3(60.0, 0.0, 0.0));
    EXPECT_EQ(Sel(), std::pair(Ints{0}, Ints{0}));   // a drag keeps the selection

    Drag(Px(60, 0), Px(70, 0));
    EXPECT_NEAR(H(1).vPos.x, 70.0f, 1e-4);
    EXPECT_EQ(H(0).vPos, before.vPos + d);
    EXPECT_EQ(doc.m_history.UndoLabel(), IDS_STEP_POINT_MOVE);
}

TEST_F(Selection, ArrowKeysNudgeByAPixelOrTenAndABurstIsOneStep)
{
    Click(Px(60, -60));
    const float px = view.WorldPerPixel();
    EXPECT_FLOAT_EQ(px, 1.0f / 3.0f);
    Key(VK_RIGHT), Key(VK_RIGHT);
    backend.viewHost.modifiers = MK_SHIFT;
    Key(VK_UP), view.OnKeyUp(VK_UP, 1, 0);
    backend.viewHost.modifiers = 0;
    EXPECT_NEAR(H(2).vPos.x, 60.0f + 2 * px, 1e-4);
    EXPECT_NEAR(H(2).vPos.y, -60.0f + 10 * px, 1e-4);
    EXPECT_EQ(doc.m_history.StepCount(), 1);
    Key(VK_LEFT), Key(VK_ESCAPE);   // another key ends the burst, Esc clears the selection
    EXPECT_EQ(doc.m_history.StepCount(), 2);
    EXPECT_TRUE(view.m_selection.Empty());
    Key(VK_DOWN);     // with nothing selected the arrows do nothing
    EXPECT_EQ(doc.m_history.StepCount(), 2);
}

TEST_F(Selection, DeleteOverASelectedPartRemovesTheSelectionButKeepsThreePoints)
{
    const auto counts = [&] { return std::pair(HandleCount(), doc.m_xobjects.GetSize()); };
    Click(Px(0, 0)), Click(Px(60, 0), MK_SHIFT);
    Delete(Px(60, 0));   // would leave 2 control points
    EXPECT_EQ(counts(), std::pair(4, 2));
    EXPECT_EQ(backend.statusText, AfxLoadString(IDS_STATUS_KEEP_THREE_POINTS));
    EXPECT_EQ(doc.m_history.StepCount(), 0);

    Click(Px(0, 0)), Click(Px(30, -30), MK_SHIFT), Click(Px(90, 0), MK_SHIFT);
    Delete(Px(90, 0));
    EXPECT_EQ(counts(), std::pair(3, 0));
    EXPECT_EQ(H(0).vPos, Vector3(60.0, 0.0, 0.0));
    EXPECT_TRUE(view.m_selection.Empty());

    // Over an unselected part DEL removes that part alone.
    AddXObject(doc.m_xobjects, Vector3(30.0, -30.0, 0.0), "rock.x", 2.0f, 2.0f);
    Click(Px(60, 0));
    Delete(Px(30, -30));
    EXPECT_EQ(counts(), std::pair(3, 0));
}

TEST_F(Selection, StatusBarShowsTheMousePositionAndTheHoveredPart)
{
    Move(Px(60, 0));
    EXPECT_EQ(backend.statusText, "X 60  Y 0    コントロールポイント 1: 位置 (60, 0)  幅 右 5 左 5");
    Click(Px(30, -30));
    Move(Px(20, -40));
    EXPECT_EQ(backend.statusText, "X 20  Y -40    Xオブジェクト rock.x: 位置 (30, -30)  向き 0°");
}

}  // namespace

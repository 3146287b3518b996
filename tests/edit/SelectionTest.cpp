#include "EditView.h"

#include <climits>
#include <cmath>
#include <vector>

namespace {

using Ints = std::vector<int>;

class Selection : public EditView {
protected:
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

// A burst of arrow keys is one step (EditStepsTest); another key ends it.
TEST_F(Selection, AnotherKeyEndsANudgeBurstEscClearsAndArrowsNeedASelection)
{
    Click(Px(60, -60));
    Key(VK_RIGHT), Key(VK_UP), Key(VK_LEFT);
    EXPECT_EQ(doc.m_history.StepCount(), 0);   // still open
    Key(VK_ESCAPE);
    EXPECT_EQ(doc.m_history.StepCount(), 1);
    EXPECT_TRUE(view.m_selection.Empty());
    Key(VK_DOWN);     // with nothing selected the arrows do nothing
    EXPECT_EQ(doc.m_history.StepCount(), 1);
}

TEST_F(Selection, DelOverASelectedPartTakesTheSelectionButKeepsThreePointsAndElsewhereOnlyThatPart)
{
    Click(Px(0, 0)), Click(Px(60, 0), MK_SHIFT);
    Delete(Px(60, 0));   // would leave 2 control points
    EXPECT_EQ(std::pair(HandleCount(), doc.m_history.StepCount()), std::pair(4, 0));
    EXPECT_EQ(backend.statusText, AfxLoadString(IDS_STATUS_KEEP_THREE_POINTS));
    Delete(Px(30, -30));   // the rock is not selected: it alone goes
    EXPECT_EQ(std::pair(HandleCount(), doc.m_xobjects.GetSize()), std::pair(4, 1));
    Click(Px(0, 0)), Click(Px(90, 0), MK_SHIFT);
    Delete(Px(90, 0));
    EXPECT_EQ(std::tuple(HandleCount(), doc.m_xobjects.GetSize(), view.m_selection.Empty()), std::tuple(3, 0, true));
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

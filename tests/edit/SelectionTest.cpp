// Selecting by clicks, the band and keys; what the selection does: DEL, copy, cut and paste; the values dialog.
#include "EditView.h"

#include "doc/CourseHistory.h"
#include "view/ValuesDlg.h"

#include <climits>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

using Ints = std::vector<int>;

class Selection : public EditView {
protected:
    std::pair<Ints, Ints> Sel() const { return {view.m_selection.handles, view.m_selection.objects}; }
    void SelectBothObjects() { Click(Px(30, -30)), Click(Px(90, 0), MK_SHIFT); }
    // Edit menu state: copy, cut, paste.
    std::tuple<bool, bool, bool> Enabled()
    {
        return {Item(ID_EDIT_COPY).second, Item(ID_EDIT_CUT).second, Item(ID_EDIT_PASTE).second};
    }
};

TEST_F(Selection, ClicksAndTheBandSelectShiftTogglesOrAddsAndEmptyGroundClears)
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
    Click(Px(0, 0)), Click(Px(30, -30), MK_SHIFT), Click(Px(60, -60), MK_SHIFT);   // a point, the object, a point
    EXPECT_EQ(Sel(), std::pair(Ints{0, 2}, Ints{0}));
    Click(Px(0, 0), MK_SHIFT), Click(Px(20, -10), MK_SHIFT);   // Shift on empty ground keeps the selection
    EXPECT_EQ(Sel(), std::pair(Ints{2}, Ints{0}));
    Drag(Px(80, 10), Px(100, -10), MK_SHIFT);   // a band with Shift adds what it holds
    EXPECT_EQ(Sel(), std::pair(Ints{2}, Ints{0, 1}));
    Click(Px(90, 0));               // a plain click selects alone
    EXPECT_EQ(Sel(), std::pair(Ints{}, Ints{1}));
    // The status bar: the mouse position and the part under it, else the one selected.
    Move(Px(20, -40));
    EXPECT_EQ(backend.statusText, "X 20  Y -40    Xオブジェクト old oak.x: 位置 (90, 0)  向き 28.6479°");
    Move(Px(60, 0));
    EXPECT_EQ(backend.statusText, "X 60  Y 0    コントロールポイント 1: 位置 (60, 0)  幅 右 5 左 5");
    // A plain band replaces the selection. Its corners are where its pixels lie in course units; a part
    // exactly on its edge counts.
    const float bottom = static_cast<float>(view.ScreenToWorld(0, Px(0, -30).y).y);
    doc.m_xobjects[0].Pos = Vector3(0.0, bottom, 0.0);                 // on the bottom edge: in
    H(3).vPos = Vector3(0.0, std::nextafter(bottom, -1e9f), 0.0);     // just below: out
    Drag(Px(-10, 10), Px(60, -30));
    EXPECT_EQ(Sel(), std::pair(Ints{0, 1}, Ints{0}));
    Click(Px(20, -10));
    EXPECT_TRUE(view.m_selection.Empty());
    EXPECT_EQ(std::pair(doc.IsModified(), doc.m_history.StepCount()), std::pair(false, 0));
}

TEST_F(Selection, DelOverASelectedPartTakesTheSelectionButKeepsThreePointsAndElsewhereOnlyThatPart)
{
    Click(Px(0, 0)), Click(Px(60, 0), MK_SHIFT), Delete(Px(60, 0));   // would leave 2 control points
    EXPECT_EQ(std::pair(HandleCount(), doc.m_history.StepCount()), std::pair(4, 0));
    EXPECT_EQ(backend.statusText, AfxLoadString(IDS_STATUS_KEEP_THREE_POINTS));
    Delete(Px(30, -30));   // the rock is not selected: it alone goes
    EXPECT_EQ(std::pair(HandleCount(), doc.m_xobjects.GetSize()), std::pair(4, 1));
    Click(Px(0, 0)), Click(Px(90, 0), MK_SHIFT), Delete(Px(90, 0));
    EXPECT_EQ(std::tuple(HandleCount(), doc.m_xobjects.GetSize(), view.m_selection.Empty()), std::tuple(3, 0, true));
}

// The copied text and a paste at the mouse through Qt: EditorSelectionTest.
TEST_F(Selection, CopyAndPasteFollowTheSelectionPastePlacesThemAtTheMouseAndRefusesMalformedText)
{
    EXPECT_EQ(Enabled(), std::tuple(false, false, false));
    SelectBothObjects();
    EXPECT_EQ(Enabled(), std::tuple(true, true, false));
    Run(ID_EDIT_COPY);
    EXPECT_EQ(Enabled(), std::tuple(true, true, true));
    backend.viewHost.cursor = Px(0, 0);   // the middle of their box, (60, -15), goes here
    Run(ID_EDIT_PASTE);
    ASSERT_EQ(doc.m_xobjects.GetSize(), 4);
    EXPECT_EQ(std::pair(doc.m_xobjects[2].Pos, doc.m_xobjects[3].Pos),
              std::pair(Vector3(-30.0, -15.0, 0.0), Vector3(30.0, 15.0, 0.0)));
    EXPECT_EQ(view.m_selection.objects, (std::vector<int>{2, 3}));
    ASSERT_TRUE(UndoLastStep(doc));
    EXPECT_TRUE(view.m_selection.Empty());   // what it named is gone

    // A paste in the middle of a group drag: the group stops, the pasted objects stay put.
    SelectBothObjects(), Down(Px(30, -30)), Move(Px(35, -30), MK_LBUTTON);
    Run(ID_EDIT_PASTE);
    Move(Px(40, -30), MK_LBUTTON), Up(Px(40, -30));
    EXPECT_EQ(doc.m_xobjects[2].Pos, Vector3(-30.0, -15.0, 0.0));
    ASSERT_TRUE(UndoLastStep(doc));
    EXPECT_EQ(doc.m_xobjects.GetSize(), 2);

    // Malformed text pastes nothing and says so.
    const int steps = doc.m_history.StepCount();
    for (const char* text : {" \r\n# only a comment\r\n", "\"a\" 1 2 3 4", "\"a\" 1 2 3 4 5 6", "\"a\" 1 2 x 4 5",
                             "4 1 2 3 4 5", "\"a\" nan 2 3 4 5", "\"a\" 1e39 2 3 4 5", "\"a\" 1 2 3 4 5\r\nb 1"}) {
        SCOPED_TRACE(text);
        backend.clipboard = text, backend.statusText.clear();
        Run(ID_EDIT_PASTE);
        EXPECT_EQ(std::pair(doc.m_xobjects.GetSize(), doc.m_history.StepCount()), std::pair(2, steps));
        EXPECT_EQ(backend.statusText, AfxLoadString(IDS_STATUS_PASTE_MALFORMED));
    }

    // Lines copied out of a course file, comment and all; names may be bare.
    backend.clipboard = "#XObject : FileName x y Angle Width Height\r\n\"a b.x\" 1 2 3 4 5 # note\nc.x -1 -2 0 1 1\n";
    backend.viewHost.cursor = CPoint(-5, -5);   // outside the view: its centre
    Run(ID_EDIT_PASTE);
    ASSERT_EQ(doc.m_xobjects.GetSize(), 4);
    EXPECT_EQ(doc.m_xobjects[2].FileName, "a b.x");
    EXPECT_EQ(std::pair(doc.m_xobjects[2].Pos, doc.m_xobjects[3].Pos),
              std::pair(Vector3(1.0, 2.0, 0.0), Vector3(-1.0, -2.0, 0.0)));
}

TEST_F(Selection, DoubleClickEditsExactValuesValidated)
{
    // A point: a number field refuses text; numbers apply exactly.
    backend.dialogScript = [](CDialog& dlg, TestDialogHost& host) {
        host.items[IDC_POS_X] = "abc", dlg.OnOK();
        EXPECT_EQ(std::pair(host.result, host.focused), std::pair(0, UINT(IDC_POS_X)));   // open, the field focused
        host.items[IDC_POS_X] = "12.5", host.items[IDC_WIDTH_RIGHT] = "7.5", dlg.OnOK();
    };
    view.OnLButtonDblClk(MK_LBUTTON, Px(60, 0));
    EXPECT_EQ(std::tuple(H(1).vPos, H(1).WidthRight, H(1).vTanNext, doc.m_history.UndoLabel()),
              std::tuple(Vector3(12.5, 0.0, 0.0), 7.5f, Vector3(0.0, -60.0, 0.0), UINT(IDS_STEP_VALUES)));

    // An object: the catalogue is offered, a quote in the name is refused, untouched fields
    // keep their exact values (0.5 radians is no round number of degrees).
    backend.dialogScript = [](CDialog& dlg, TestDialogHost& host) {
        EXPECT_EQ(host.choices[IDC_XOBJECT_NAME], (std::vector<std::string>{"tree_pine.x", "grandstand.x"}));
        EXPECT_EQ(host.items[IDC_XOBJECT_NAME], "old oak.x");
        host.items[IDC_XOBJECT_NAME] = "big \"oak\".x", dlg.OnOK();
        EXPECT_EQ(host.result, 0);
        host.items[IDC_XOBJECT_NAME] = "grandstand.x", host.items[IDC_XOBJECT_WIDTH] = "7.5", dlg.OnOK();
    };
    view.OnLButtonDblClk(MK_LBUTTON, Px(90, 0));
    EXPECT_EQ(backend.MessageTexts().back(), AfxLoadString(IDS_NAME_HAS_QUOTE));
    const XObject& o = doc.m_xobjects[1];
    EXPECT_EQ(std::tuple(o.FileName, o.Width, o.Direction, o.Pos),
              std::tuple(std::string("grandstand.x"), 7.5f, 0.5f, Vector3(90.0, 0.0, 0.0)));

    // A new direction in degrees.
    backend.dialogScript = [](CDialog& dlg, TestDialogHost& host) { host.items[IDC_DIRECTION] = "90", dlg.OnOK(); };
    view.OnLButtonDblClk(MK_LBUTTON, Px(90, 0));
    EXPECT_FLOAT_EQ(doc.m_xobjects[1].Direction, 1.5707964f);
}

}  // namespace

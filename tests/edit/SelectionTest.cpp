// Selecting by clicks, the band and keys; what the selection does: DEL, copy, cut and paste; the values dialog.
#include "geometry/CourseExtent.h"
#include "EditView.h"

#include "document/CourseHistory.h"
#include "view/ValuesDlg.h"

#include <climits>
#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

namespace {

using Ints = std::vector<int>;

class Selection : public EditView {
protected:
    std::pair<Ints, Ints> Sel() const { return {editor->m_selection.handles, editor->m_selection.objects}; }
    void SelectBothObjects()
    {
        Click(Px(30, -30));
        Click(Px(90, 0), MK_SHIFT);
    }
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
        editor->m_selection = CourseSelection();
        Down(at);
        Up(up);
        EXPECT_EQ(Sel().first, up.x == at.x + 2 ? Ints{1} : Ints{}) << up.x << "," << up.y;
        EXPECT_EQ(H(1).vPos, Vector3(60.0, 0.0, 0.0));   // nothing followed without a move
    }
    // A point, the object, a point
    Click(Px(0, 0));
    Click(Px(30, -30), MK_SHIFT);
    Click(Px(60, -60), MK_SHIFT);
    EXPECT_EQ(Sel(), std::pair(Ints{0, 2}, Ints{0}));
    // Shift on empty ground keeps the selection
    Click(Px(0, 0), MK_SHIFT);
    Click(Px(20, -10), MK_SHIFT);
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
    EXPECT_TRUE(editor->m_selection.Empty());
    EXPECT_EQ(std::pair(doc.IsModified(), doc.m_history.StepCount()), std::pair(false, 0));
}

TEST_F(Selection, DelOverASelectedPartOrNoPartTakesTheSelectionButKeepsThreePointsAndElsewhereOnlyThatPart)
{
    // Would leave 2 control points
    Click(Px(0, 0));
    Click(Px(60, 0), MK_SHIFT);
    Delete(Px(60, 0));
    EXPECT_EQ(std::pair(HandleCount(), doc.m_history.StepCount()), std::pair(4, 0));
    EXPECT_EQ(backend.statusText, AfxLoadString(IDS_STATUS_KEEP_THREE_POINTS));
    Delete(Px(30, -30));   // the rock is not selected: it alone goes
    EXPECT_EQ(std::pair(HandleCount(), doc.m_xobjects.GetSize()), std::pair(4, 1));
    EXPECT_EQ(Sel(), std::pair(Ints{0, 1}, Ints{}));
    Click(Px(0, 0));
    Click(Px(90, 0), MK_SHIFT);
    Delete(Px(90, 0));
    EXPECT_EQ(std::tuple(HandleCount(), doc.m_xobjects.GetSize(), editor->m_selection.Empty()), std::tuple(3, 0, true));

    // Everything selected, DEL on empty ground and Delete in the menu keep it all and say why.
    UseScene();
    EXPECT_EQ(std::pair(Item(ID_EDIT_DELETE).second, Item(ID_EDIT_SELECT_ALL).second), std::pair(false, true));
    backend.viewHost.cursor = Px(20, 20);
    Run(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(Sel(), std::pair(Ints{0, 1, 2, 3}, Ints{0, 1}));
    EXPECT_EQ(backend.statusText, "X 20  Y 20    6 個選択");
    EXPECT_TRUE(Item(ID_EDIT_DELETE).second);
    for (const std::function<void()>& del : std::vector<std::function<void()>>{[&] { Delete(Px(20, 20)); },
                                                                            [&] { Run(ID_EDIT_DELETE); }}) {
        backend.statusText.clear();
        del();
        EXPECT_EQ(std::tuple(HandleCount(), doc.m_xobjects.GetSize(), doc.m_history.StepCount()), std::tuple(4, 2, 0));
        EXPECT_EQ(backend.statusText, AfxLoadString(IDS_STATUS_KEEP_THREE_POINTS));
    }
}

// Insertions, deletions, undo and redo move the indices of the parts after them; the selection
// goes with its parts, and the status bar shows what is under the mouse after each step.
TEST_F(Selection, TheSelectionFollowsItsPartsThroughInsertionsDeletionsUndoAndRedo)
{
    Click(Px(60, 0));
    Click(Px(0, -60), MK_SHIFT);
    Click(Px(90, 0), MK_SHIFT);
    const auto selected = std::pair(Ints{1, 3}, Ints{1});
    ASSERT_EQ(Sel(), selected);
    Down(Px(30, -1.5), MK_CONTROL);   // a new control point 1 on the first span
    EXPECT_EQ(Sel(), std::pair(Ints{2, 4}, Ints{1}));
    Delete(Px(0, 0));                 // control point 0, not selected, goes alone
    EXPECT_EQ(Sel(), std::pair(Ints{1, 3}, Ints{1}));
    Delete(Px(30, -30));              // so does the rock
    EXPECT_EQ(Sel(), std::pair(Ints{1, 3}, Ints{0}));
    view.m_nSelectedType = 0;
    Down(Px(20, 20), MK_CONTROL);     // a placed object goes to the end
    EXPECT_EQ(Sel(), std::pair(Ints{1, 3}, Ints{0}));
    ASSERT_EQ(doc.m_history.StepCount(), 4);
    for (int i = 0; i < 4; ++i)
        Run(ID_EDIT_UNDO);
    EXPECT_EQ(Sel(), selected);
    for (int i = 0; i < 4; ++i)
        Run(ID_EDIT_REDO);
    EXPECT_EQ(Sel(), std::pair(Ints{1, 3}, Ints{0}));

    // Undo and redo show the values under the mouse as they are now, before it moves.
    UseScene();
    Drag(Px(60, 0), Px(70, 0));
    backend.viewHost.cursor = Px(70, 0);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(backend.statusText, "X 70  Y 0");
    Run(ID_EDIT_REDO);
    EXPECT_EQ(backend.statusText, "X 70  Y 0    コントロールポイント 1: 位置 (70, 0)  幅 右 5 左 5");
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
    EXPECT_EQ(editor->m_selection.objects, (std::vector<int>{2, 3}));
    ASSERT_TRUE(UndoLastStep(doc));
    EXPECT_TRUE(editor->m_selection.Empty());   // what it named is gone

    // A paste in the middle of a group drag: the group stops, the pasted objects stay put.
    SelectBothObjects();
    Down(Px(30, -30));
    Move(Px(35, -30), MK_LBUTTON);
    Run(ID_EDIT_PASTE);
    Move(Px(40, -30), MK_LBUTTON);
    Up(Px(40, -30));
    EXPECT_EQ(doc.m_xobjects[2].Pos, Vector3(-30.0, -15.0, 0.0));
    ASSERT_TRUE(UndoLastStep(doc));
    EXPECT_EQ(doc.m_xobjects.GetSize(), 2);

    // A Cut while the button is down on the one selected object: the click the release makes named
    // object 0 of the list before the cut, now the oak, which must stay unselected (DEL would take it).
    Click(Px(30, -30));
    Down(Px(30, -30));
    Run(ID_EDIT_CUT);
    Up(Px(30, -30));
    EXPECT_TRUE(editor->m_selection.Empty());
    ASSERT_TRUE(UndoLastStep(doc));

    // Text with no object line, or object lines spoilt by others, pastes nothing and says which.
    const int steps = doc.m_history.StepCount();
    const std::pair<const char*, UINT> refused[] = {{"", IDS_STATUS_PASTE_NO_OBJECTS},
        {" \r\n# only a comment\r\n", IDS_STATUS_PASTE_NO_OBJECTS}, {"a word", IDS_STATUS_PASTE_NO_OBJECTS},
        {"\"a\" 1 2 3 4", IDS_STATUS_PASTE_NO_OBJECTS}, {"\"a\" 1 2 3 4 5 6", IDS_STATUS_PASTE_NO_OBJECTS},
        {"\"a\" 1 2 x 4 5", IDS_STATUS_PASTE_NO_OBJECTS}, {"4 1 2 3 4 5", IDS_STATUS_PASTE_NO_OBJECTS},
        {"\"a\" nan 2 3 4 5", IDS_STATUS_PASTE_NO_OBJECTS}, {"\"a\" 1e39 2 3 4 5", IDS_STATUS_PASTE_NO_OBJECTS},
        {"\"a\" 1 2 3 4 5\r\nb 1", IDS_STATUS_PASTE_MALFORMED}, {"x\n\"a\" 1 2 3 4 5", IDS_STATUS_PASTE_MALFORMED}};
    for (const auto& [text, message] : refused) {
        SCOPED_TRACE(text);
        backend.clipboard = text;
        backend.statusText.clear();
        Run(ID_EDIT_PASTE);
        EXPECT_EQ(std::pair(doc.m_xobjects.GetSize(), doc.m_history.StepCount()), std::pair(2, steps));
        EXPECT_EQ(backend.statusText, AfxLoadString(message));
    }

    // Lines copied out of a course file, comment and all; names may be bare.
    backend.clipboard = "#XObject : FileName x y Angle Width Height\r\n\"a b.x\" 1 2 3 4 5 # note\nc.x -1 -2 0 1 1\n";
    // The mouse outside the view: the middle of the part below the type list (rows 16 pixels high, three
    // of them), pixel (400, 324), course (0, -8).
    backend.viewHost.cursor = CPoint(-5, -5);
    Run(ID_EDIT_PASTE);
    ASSERT_EQ(doc.m_xobjects.GetSize(), 4);
    EXPECT_EQ(doc.m_xobjects[2].FileName, "a b.x");
    EXPECT_EQ(std::pair(doc.m_xobjects[2].Pos, doc.m_xobjects[3].Pos),
              std::pair(Vector3(1.0, -6.0, 0.0), Vector3(-1.0, -10.0, 0.0)));
}

// Home frames the course where the type list leaves the view free (a press there picks a part, not a
// row); the zoom keeps the course between a hundredth of the view and 0.01 units per pixel.
TEST_F(Selection, HomeFramesBesideTheTypeListAndTheZoomKeepsTheCourseInSight)
{
    view.m_XObjectTypes.Add({"grandstand_with_a_very_long_roof.x", 20.0f, 6.0f});   // 560 pixels wide
    for (const Vector3 camera : {Vector3(0, 0, 100), Vector3(-500, 300, 100)}) {
        view.m_vCamera = camera;
        Run(ID_VIEW_SHOWALL);
        // The corners of what is drawn: borders, footprints and direction tips.
        const CourseExtent e = ExtentOfCourse(doc.m_course.m_handles, doc.m_xobjects, doc.m_xobjectScale);
        const double corners[][2] = {{e.minX, e.maxY}, {e.maxX, e.maxY}, {e.minX, e.minY}, {e.maxX, e.minY}};
        for (const auto& c : corners) {
            const Vector3 q(c[0], c[1], 0.0);
            const double s = view.m_fZoom * 3.0;
            const CPoint p(static_cast<int>(std::lround(400 + (q.x - view.m_vCamera.x) * s)),
                           static_cast<int>(std::lround(300 - (q.y - view.m_vCamera.y) * s)));
            EXPECT_EQ(view.HitTestTypeList(p.x, p.y), CTrackwrightView::kNoTypeRow) << c[0] << "," << c[1];
            EXPECT_TRUE(p.x >= 0 && p.x < 800 && p.y >= 64 && p.y < 600) << c[0] << "," << c[1];
        }
    }
    // 100 x 76 course units: at the smallest a hundredth of the view (7.2 pixels per 100 units) ...
    for (int i = 0; i < 100; ++i)
        view.OnMouseWheel(0, 120, Px(0, 0));
    EXPECT_NEAR(view.m_fZoom * 3.0 * 100.0, 7.2, 0.2);
    // ... and at the largest 0.01 units per pixel.
    for (int i = 0; i < 100; ++i)
        view.OnMouseWheel(0, -120, Px(0, 0));
    EXPECT_FLOAT_EQ(view.WorldPerPixel(), 0.01f);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Selection, DoubleClickEditsExactValuesValidated)
{
    // A point: a number field refuses text, and numbers no gesture makes, naming the range; numbers
    // apply exactly.
    const std::string anywhere = "-1000000 から 1000000 までの数値を入力してください。";
    const std::tuple<UINT, const char*, std::string> refused[] = {{IDC_POS_X, "abc", "数値を入力してください。"},
        {IDC_WIDTH_LEFT, "-1", "0 から 1000000 までの数値を入力してください。"}, {IDC_POS_Y, "3e38", anywhere},
        {IDC_TAN_NEXT_X, "1e308", anywhere}, {IDC_TAN_PREV_Y, "-1000000.5", anywhere}};
    backend.dialogScript = [&](CDialog& dlg, TestDialogHost& host) {
        for (const auto& [field, text, message] : refused) {
            const std::string shown = host.items[field];
            host.items[field] = text;
            dlg.OnOK();
            // Still open, the field focused.
            EXPECT_EQ(std::tuple(host.result, host.focused, backend.MessageTexts().back()), std::tuple(0, field, message))
                << text;
            host.items[field] = shown;
        }
        host.items[IDC_POS_X] = "12.5";
        host.items[IDC_WIDTH_RIGHT] = "7.5";
        host.items[IDC_WIDTH_LEFT] = "1000000";
        dlg.OnOK();
    };
    view.OnLButtonDblClk(MK_LBUTTON, Px(60, 0));
    EXPECT_EQ(std::tuple(H(1).vPos, H(1).WidthRight, H(1).WidthLeft, H(1).vTanNext, doc.m_history.UndoLabel()),
              std::tuple(Vector3(12.5, 0.0, 0.0), 7.5f, 1e6f, Vector3(0.0, -60.0, 0.0), UINT(IDS_STEP_VALUES)));

    // An object: the catalogue is offered, a quote in the name is refused, untouched fields
    // keep their exact values (0.5 radians is no round number of degrees).
    backend.dialogScript = [](CDialog& dlg, TestDialogHost& host) {
        EXPECT_EQ(host.choices[IDC_XOBJECT_NAME], (std::vector<std::string>{"tree_pine.x", "grandstand.x"}));
        EXPECT_EQ(host.items[IDC_XOBJECT_NAME], "old oak.x");
        host.items[IDC_XOBJECT_NAME] = "big \"oak\".x";
        dlg.OnOK();
        EXPECT_EQ(host.result, 0);
        host.items[IDC_XOBJECT_NAME] = "grandstand.x";
        host.items[IDC_XOBJECT_HEIGHT] = "-2e6";
        dlg.OnOK();
        EXPECT_EQ(std::pair(host.result, host.focused), std::pair(0, UINT(IDC_XOBJECT_HEIGHT)));
        host.items[IDC_XOBJECT_HEIGHT] = "4";
        host.items[IDC_XOBJECT_NAME] = "grandstand.x";
        host.items[IDC_XOBJECT_WIDTH] = "7.5";
        dlg.OnOK();
    };
    view.OnLButtonDblClk(MK_LBUTTON, Px(90, 0));
    const std::vector<std::string> messages = backend.MessageTexts();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(std::pair(messages[messages.size() - 2], messages.back()),
              std::pair(std::string(AfxLoadString(IDS_NAME_HAS_QUOTE)), anywhere));
    const XObject& o = doc.m_xobjects[1];
    EXPECT_EQ(std::tuple(o.FileName, o.Width, o.Direction, o.Pos),
              std::tuple(std::string("grandstand.x"), 7.5f, 0.5f, Vector3(90.0, 0.0, 0.0)));

    // A new direction in degrees.
    backend.dialogScript = [](CDialog& dlg, TestDialogHost& host) {
        host.items[IDC_DIRECTION] = "90";
        dlg.OnOK();
    };
    view.OnLButtonDblClk(MK_LBUTTON, Px(90, 0));
    EXPECT_FLOAT_EQ(doc.m_xobjects[1].Direction, 1.5707964f);
}

}  // namespace

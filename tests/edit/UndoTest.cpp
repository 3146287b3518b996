#include "EditView.h"

#include "doc/CourseHistory.h"
#include "doc/SettingsDlg.h"

#include <bit>
#include <functional>
#include <string>

namespace {

// Every stored value with each float as its bits, so a restored -0 or last-bit rounding shows.
std::string Bits(const CTrackwrightDoc& doc)
{
    std::string s;
    const auto f = [&s](float v) { s += std::to_string(std::bit_cast<std::uint32_t>(v)) + ' '; };
    const auto v = [&f](const Vector3& p) { f(p.x), f(p.y), f(p.z), f(p.w); };
    for (const CourseHandle& h : doc.m_course.m_handles) {
        v(h.vPos), v(h.vTanNext), v(h.vTanPrev), f(h.WidthLeft), f(h.WidthRight);
        s += h.DragPart == HandlePart::None ? "\n" : "dragged\n";
    }
    for (const XObject& o : doc.m_xobjects) {
        s += o.FileName + ' ';
        v(o.Pos), f(o.Direction), f(o.Width), f(o.Height);
        s += '\n';
    }
    f(doc.m_course.m_texLuminance), f(doc.m_xobjectScale);
    return s + doc.m_heightMap + '|' + doc.m_colorMap + '|' + std::to_string(doc.m_visibleMap);
}

class Undo : public EditView {
protected:
    void SetUp() override
    {
        EditView::SetUp();
        Reset();
    }
    // The default course and one object; New leaves nothing to undo (and keeps the luminance).
    void Reset()
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_course.m_texLuminance = 0.5f;
        AddXObject(doc.m_xobjects, Vector3(-40.0, 40.0, 0.0), "rock.x", 2.0f, 2.0f);
        doc.m_xobjects[0].Direction = -0.0f;
        view.m_selection = CourseSelection();
    }
    void Settings(const char* luminance, const char* scale)
    {
        backend.dialogScript = [=](CDialog& dlg, TestDialogHost& host) {
            host.items[IDC_LUMINANCE] = luminance, host.items[IDC_XOBJECT_SCALE] = scale;
            dlg.OnOK();
        };
        doc.OnSettings();
    }
};

// Every kind of edit is one step that undoes to the bits it started from and redoes to the bits it made.
TEST_F(Undo, EachKindOfStepUndoesAndRedoesExactly)
{
    const struct { const char* name; std::function<void()> edit; UINT label; bool stored = true; } cases[] = {
        {"point drag", [&] { Down(Px(100, 0)), Move(Px(101, 1), MK_LBUTTON), Move(Px(103.3, -2), MK_LBUTTON), Up(Px(0, 0)); },
         IDS_STEP_POINT_MOVE},
        {"tangent drag", [&] { Drag(Px(100, 34), Px(97, 30)); }, IDS_STEP_TANGENT_EDIT},
        {"width drag", [&] { Drag(Px(105, 0), Px(108, 0)); }, IDS_STEP_WIDTH_EDIT},
        {"object move", [&] { Drag(Px(-40, 40), Px(-31, 33)); }, IDS_STEP_XOBJECT_MOVE},
        {"object turn", [&] { Drag(Px(-40, 50), Px(-37, 50)); }, IDS_STEP_XOBJECT_TURN},
        {"insertion", [&] { Down(Px(0, 100), MK_CONTROL); }, IDS_STEP_POINT_ADD},
        {"placement", [&] { view.m_nSelectedType = 1, Down(Px(20, 20), MK_CONTROL); }, IDS_STEP_XOBJECT_ADD},
        {"point deletion", [&] { Delete(Px(0, -100)); }, IDS_STEP_POINT_DELETE},
        {"object deletion", [&] { Delete(Px(-40, 40)); }, IDS_STEP_XOBJECT_DELETE},
        {"DEL during a drag joins the drag's step",
         [&] { Down(Px(100, 0)), Move(Px(110, 0), MK_LBUTTON), Delete(Px(0, -100)), Up(Px(110, 0)); }, IDS_STEP_POINT_MOVE},
        {"selection drag", [&] { Click(Px(100, 0)), Click(Px(-40, 40), MK_SHIFT), Drag(Px(100, 0), Px(110, 5)); },
         IDS_STEP_SELECTION_MOVE},
        {"burst of nudges", [&] { Click(Px(0, 100)), Key(VK_RIGHT), Key(VK_UP), view.OnKeyUp(VK_UP, 1, 0); },
         IDS_STEP_SELECTION_MOVE},
        {"selection deletion", [&] { Click(Px(100, 0)), Click(Px(-40, 40), MK_SHIFT), Delete(Px(-40, 40)); },
         IDS_STEP_SELECTION_DELETE},
        {"paste", [&] { backend.clipboard = "\"a.x\" 1 2 3 4 5", Run(ID_EDIT_PASTE); }, IDS_STEP_PASTE},
        {"cut", [&] { Click(Px(-40, 40)), Run(ID_EDIT_CUT); }, IDS_STEP_CUT},
        {"values dialog", [&] {
             backend.dialogScript = [](CDialog& dlg, TestDialogHost& host) { host.items[IDC_POS_X] = "12.5", dlg.OnOK(); };
             view.OnLButtonDblClk(MK_LBUTTON, Px(100, 0));
         }, IDS_STEP_VALUES},
        {"settings", [&] { Settings("0.1", "3"); }, IDS_STEP_SETTINGS},
        {"object scale alone: not stored in the course", [&] { Settings("0.5", "2"); }, IDS_STEP_SETTINGS, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        view.m_nSelectedType = -1;
        const std::string before = Bits(doc);
        c.edit();
        const std::string after = Bits(doc);
        ASSERT_NE(after, before);
        EXPECT_EQ(doc.IsModified(), c.stored);
        EXPECT_EQ(std::pair(doc.m_history.StepCount(), doc.m_history.UndoLabel()), std::pair(1, c.label));
        EXPECT_EQ(Item(ID_EDIT_UNDO),
                  std::pair("元に戻す(&U): " + std::string(AfxLoadString(c.label)) + "\tCtrl+Z", true));
        Run(ID_EDIT_UNDO);
        EXPECT_EQ(Bits(doc), before);
        EXPECT_FALSE(doc.IsModified());   // back at the state opened
        EXPECT_EQ(Item(ID_EDIT_UNDO), std::pair(std::string("元に戻す(&U)\tCtrl+Z"), false));
        EXPECT_TRUE(Item(ID_EDIT_REDO).second);
        Run(ID_EDIT_REDO);
        EXPECT_EQ(Bits(doc), after);
        EXPECT_EQ(doc.IsModified(), c.stored);
        EXPECT_FALSE(Item(ID_EDIT_REDO).second);
    }
}

TEST_F(Undo, LookingAroundAndEditsThatChangeNothingAddNoStep)
{
    Move(Px(100, 0));
    Down(CPoint(50, 20));                   // type-list row
    view.m_nSelectedType = -1;
    Drag(Px(0, 0), Px(20, 20));             // grabbed nothing
    Drag(Px(100, 0), Px(100, 0));           // grabbed, not moved
    Down(Px(100, 0)), Move(Px(110, 0), MK_LBUTTON);
    EXPECT_FALSE(doc.m_history.CanUndo());  // nothing to undo while the drag is open
    Move(Px(100, 0), MK_LBUTTON), Up(Px(100, 0));   // and back to where it started
    Down(Px(500, 500), MK_CONTROL);         // off the course
    Delete(Px(0, 0));
    view.OnRButtonDown(MK_RBUTTON, Px(0, 0)), Move(Px(30, 30), MK_RBUTTON), Move(Px(30, 60), MK_RBUTTON | MK_SHIFT);
    view.OnRButtonUp(0, Px(30, 60));
    view.OnMouseWheel(0, 120, Px(0, 0));
    Settings("0.5", "0.4");                 // the values it had
    EXPECT_EQ(doc.m_history.StepCount(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Undo, NewEditDropsRedoAndSavedStateFollowsTheHistory)
{
    Drag(Px(100, 0), Px(110, 0));
    Drag(Px(110, 0), Px(120, 0));
    doc.m_history.MarkSaved(), doc.SetModifiedFlag(false);
    UndoLastStep(doc);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FLOAT_EQ(H(0).vPos.x, 110.0f);
    RedoNextStep(doc);
    EXPECT_FALSE(doc.IsModified());
    UndoLastStep(doc);
    Drag(Px(0, 100), Px(0, 90));   // drops the redo branch, and the saved state with it
    EXPECT_FALSE(doc.m_history.CanRedo() || RedoNextStep(doc));
    UndoLastStep(doc);
    EXPECT_TRUE(doc.IsModified());   // the saved state can no longer be reached
    EXPECT_FLOAT_EQ(H(0).vPos.x, 110.0f);
}

TEST_F(Undo, HistoryKeepsTheLastThousandSteps)
{
    for (int i = 0; i < UndoHistory::kMaxSteps + 5; ++i)
        Drag(Px(100 + i % 2, 0), Px(100 + (i + 1) % 2, 0));
    EXPECT_EQ(doc.m_history.StepCount(), UndoHistory::kMaxSteps);
    int undone = 0;
    while (UndoLastStep(doc)) ++undone;
    EXPECT_EQ(undone, UndoHistory::kMaxSteps);
    EXPECT_EQ(H(0).vPos.x, 101.0f);   // as the five oldest drags left it
    EXPECT_TRUE(doc.IsModified());
}

// Steps keep what changed, not the course: 200 single-point drags on 10,000 handles and
// 10,000 objects hold a few hundred bytes each.
TEST_F(Undo, StepsHoldOnlyWhatChanged)
{
    for (int i = 0; i < 10000; ++i) {
        doc.m_course.m_handles.Add(H(i % 4));
        AddXObject(doc.m_xobjects, Vector3(i, 0.0, 0.0), "objects/scenery/tree.x", 1.0f, 1.0f);
    }
    for (int i = 0; i < 200; ++i)
        BeginStep(doc), H(i * 50).vPos.x += 1.0f, EndStep(doc, IDS_STEP_POINT_MOVE);
    EXPECT_EQ(doc.m_history.StepCount(), 200);
    EXPECT_LT(doc.m_history.MemoryBytes(), 200u * 1024u);
}

}  // namespace

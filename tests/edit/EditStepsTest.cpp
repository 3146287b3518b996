// Each kind of edit at exact pixels through the view's handlers: the numbers it changes, and the one
// step it makes, which undoes to the state it started from and redoes to the state it made.
#include "EditView.h"

#include "document/CourseHistory.h"
#include "document/SettingsDlg.h"
#include "file/CourseFile.h"

#include <functional>
#include <numbers>
#include <string>

namespace {

// The course file's text and the object scale: at the sizes used here eight decimals show a float's
// last bit, and "-0.00000000" a restored -0.
std::string State(const CTrackwrightDoc& doc)
{
    return CourseFileText(doc.StoredFields()) + std::to_string(doc.m_xobjectScale);
}

class EditSteps : public EditView {
protected:
    void Settings(const char* luminance, const char* scale)
    {
        backend.dialogScript = [=](CDialog& dlg, TestDialogHost& host) {
            host.items[IDC_LUMINANCE] = luminance;
            host.items[IDC_XOBJECT_SCALE] = scale;
            dlg.OnOK();
        };
        doc.OnSettings();
    }
    XObject& O(int i) { return doc.m_xobjects[i]; }
    float Handles() const { return static_cast<float>(HandleCount()); }
    float Objects() const { return static_cast<float>(doc.m_xobjects.GetSize()); }
};

// Drags grab a little off their markers: the grab offset carries. H(1) is made smooth, so its right
// width marker lies at (65, 0). The square's span from handle 2 to 3 runs straight along y = -60.
TEST_F(EditSteps, EachEditChangesItsNumbersAndIsOneStepThatUndoesAndRedoesExactly)
{
    using Floats = std::vector<float>;
    const struct {
        const char* what;
        std::function<void()> edit;
        std::function<Floats()> read;
        Floats want;
        UINT label;
        std::function<void()> setup = [] {};
        bool stored = true;   // the object scale alone is no change of the course file
    } cases[] = {
        {"control point", [&] { Drag(Px(1, 0), Px(11, 10)); }, [&] { return Floats{H(0).vPos.x, H(0).vPos.y}; },
         {10, 10}, IDS_STEP_POINT_MOVE},
        {"tangent tip", [&] { Drag(Px(13, 1), Px(13, 7)); }, [&] { return Floats{H(0).vTanNext.x, H(0).vTanNext.y}; },
         {60, 30}, IDS_STEP_TANGENT_EDIT},
        {"incoming tangent tip", [&] { Drag(Px(0, -13), Px(6, -12)); },
         [&] { return Floats{H(0).vTanPrev.x, H(0).vTanPrev.y}; }, {30, -55}, IDS_STEP_TANGENT_EDIT},
        {"width marker", [&] { Drag(Px(65, 0), Px(66, 8)); }, [&] { return Floats{H(1).WidthRight, H(1).WidthLeft}; },
         {10, 5}, IDS_STEP_WIDTH_EDIT},
        {"object body", [&] { Drag(Px(31, -30), Px(41, -20)); },
         [&] { return Floats{O(0).Pos.x, O(0).Pos.y, O(0).Direction}; }, {40, -20, 0}, IDS_STEP_XOBJECT_MOVE},
        {"object arrow tip", [&] { Drag(Px(30, -20), Px(40, -30)); },
         [&] { return Floats{O(0).Pos.x, O(0).Direction}; }, {30, std::numbers::pi_v<float> / 2},
         IDS_STEP_XOBJECT_TURN},
        // Ctrl beside a span inserts after its start handle: on the span, the chord of its neighbours as tangent,
        // their mean widths. (Which span of two: PickingEquivalenceTest.)
        {"insertion", [&] { Down(Px(30, -61.5), MK_CONTROL); }, [&] {
             return Floats{Handles(), H(3).vPos.x, H(3).vPos.y, H(3).vTanNext.x, H(3).WidthLeft, H(3).WidthRight};
         }, {5, 30, -60, -60, 6, 1.5}, IDS_STEP_POINT_ADD},
        {"insertion on the closing span appends", [&] { Down(Px(-1, -30), MK_CONTROL); },
         [&] { return Floats{Handles(), H(4).vPos.y, H(4).vTanNext.y, H(4).vTanPrev.y}; }, {5, -30, 60, -60},
         IDS_STEP_POINT_ADD},
        {"placement",
         [&] {
             view.m_nSelectedType = 1;
             Down(Px(20, 20), MK_CONTROL);
         },
         [&] { return Floats{Objects(), O(2).Pos.x, O(2).Width}; }, {3, 20, 20}, IDS_STEP_XOBJECT_ADD},
        // DEL at the system's cursor takes the first control point and the first object under it, in list order.
        {"DEL over two control points", [&] { Delete(Px(0, 0)); }, [&] { return Floats{Handles(), H(2).vPos.y}; },
         {3, 1}, IDS_STEP_POINT_DELETE, [&] { H(3).vPos = Vector3(0, 1, 0); }},
        {"DEL over two objects", [&] { Delete(Px(30, -30)); }, [&] { return Floats{Objects(), O(1).Pos.x}; }, {2, 31},
         IDS_STEP_XOBJECT_DELETE,
         [&] { AddXObject(doc.m_xobjects, Vector3(31, -30, 0), "b.x", 1, 1); }},
        {"DEL over a control point and an object", [&] { Delete(Px(0, 0)); },
         [&] { return Floats{Handles(), Objects()}; }, {3, 2}, IDS_STEP_DELETE,
         [&] { AddXObject(doc.m_xobjects, Vector3(1, 0, 0), "b.x", 1, 1); }},
        {"DEL keeps three control points", [&] { Delete(Px(0, 0)); }, [&] { return Floats{Handles(), Objects()}; },
         {3, 2}, IDS_STEP_XOBJECT_DELETE,
         [&] {
             doc.m_course.m_handles.RemoveAt(2);
             AddXObject(doc.m_xobjects, Vector3(0, 0, 0), "b.x", 1, 1);
         }},
        // The drag's step holds the move alone: a deletion in it would leave the step unnamed.
        {"DEL during a drag deletes nothing",
         [&] {
             Down(Px(0, 0));
             Move(Px(10, 0), MK_LBUTTON);
             Delete(Px(60, -60));
             Up(Px(10, 0));
         },
         [&] { return Floats{Handles(), H(0).vPos.x}; }, {4, 10}, IDS_STEP_POINT_MOVE},
        {"selection drag: the group moves once beyond the click slop", [&] {
             Click(Px(0, 0));
             Click(Px(30, -30), MK_SHIFT);
             Down(Px(0, 0));
             Move(CPoint(402, 298), MK_LBUTTON);
             EXPECT_EQ(H(0).vPos, Vector3());
             Move(Px(10, 5), MK_LBUTTON);
             Up(Px(10, 5));
         }, [&] { return Floats{H(0).vPos.x, H(0).vPos.y, O(0).Pos.x, O(0).Pos.y, H(1).vPos.x, H(0).vTanNext.x}; },
         {10, 5, 40, -25, 60, 60}, IDS_STEP_SELECTION_MOVE},
        {"burst of nudges: a pixel, ten with Shift", [&] {
             Click(Px(60, -60));
             Key(VK_RIGHT);
             Key(VK_RIGHT);
             backend.viewHost.modifiers = MK_SHIFT;
             Key(VK_UP);
             backend.viewHost.modifiers = 0;
             view.OnKeyUp(VK_UP, 1, 0);
         }, [&] { return Floats{H(2).vPos.x, H(2).vPos.y}; }, {60 + 2 / 3.0f, -60 + 10 / 3.0f},
         IDS_STEP_SELECTION_MOVE},
        {"selection deletion", [&] {
             Click(Px(0, 0));
             Click(Px(30, -30), MK_SHIFT);
             Delete(Px(0, 0));
         },
         [&] { return Floats{Handles(), Objects()}; }, {3, 1}, IDS_STEP_SELECTION_DELETE},
        {"cut", [&] {
             Click(Px(30, -30));
             Run(ID_EDIT_CUT);
         }, [&] { return Floats{Objects()}; }, {1}, IDS_STEP_CUT},
        {"settings", [&] { Settings("0.1", "3"); },
         [&] { return Floats{doc.m_course.m_texLuminance, doc.m_xobjectScale}; }, {0.1f, 3}, IDS_STEP_SETTINGS},
        {"object scale alone", [&] { Settings("0.5", "2"); }, [&] { return Floats{doc.m_xobjectScale}; }, {2},
         IDS_STEP_SETTINGS, [] {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UseScene();
        H(1).vTanPrev = Vector3(0, 60, 0);
        O(0).Direction = -0.0f;   // a restored -0 must stay -0
        doc.m_course.m_texLuminance = 0.5f;
        doc.m_xobjectScale = 0.4f;
        view.m_nSelectedType = -1;
        c.setup();
        const std::string before = State(doc);
        const int repaints = backend.viewHost.invalidations;
        c.edit();
        EXPECT_GT(backend.viewHost.invalidations, repaints);
        const Floats got = c.read();
        ASSERT_EQ(got.size(), c.want.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], c.want[i], 1e-4) << i;
        const std::string after = State(doc);
        ASSERT_NE(after, before);
        EXPECT_EQ(doc.IsModified(), c.stored);
        EXPECT_EQ(std::pair(doc.m_history.StepCount(), doc.m_history.UndoLabel()), std::pair(1, c.label));
        EXPECT_EQ(Item(ID_EDIT_UNDO), std::pair("元に戻す(&U): " + std::string(AfxLoadString(c.label)) + "\tCtrl+Z", true));
        Run(ID_EDIT_UNDO);
        EXPECT_EQ(std::pair(State(doc), doc.IsModified()), std::pair(before, false));   // back at the state opened
        EXPECT_EQ(Item(ID_EDIT_UNDO), std::pair(std::string("元に戻す(&U)\tCtrl+Z"), false));
        EXPECT_TRUE(Item(ID_EDIT_REDO).second);
        Run(ID_EDIT_REDO);
        EXPECT_EQ(std::pair(State(doc), doc.IsModified()), std::pair(after, c.stored));
        EXPECT_FALSE(Item(ID_EDIT_REDO).second);
    }
}

// Losing the capture to another window ends the drag; the view's own capture and the notification
// its own release sends (as the system does, from inside ReleaseCapture) change nothing.
TEST_F(EditSteps, OnlyACaptureLostToAnotherWindowEndsTheDrag)
{
    Down(Px(0, 0));
    view.OnCaptureChanged(&view);
    EXPECT_EQ(std::pair(view.m_bLButtonDown, H(0).DragPart), std::pair(true, HandlePart::Pos));
    CView other;
    view.OnCaptureChanged(&other);
    EXPECT_EQ(std::pair(view.m_bLButtonDown, H(0).DragPart), std::pair(false, HandlePart::None));
    Move(Px(10, 10), MK_LBUTTON);
    EXPECT_EQ(H(0).vPos, Vector3(0.0, 0.0, 0.0));

    Drag(Px(0, 0), Px(5, 0));
    EXPECT_FALSE(view.m_bLButtonDown || backend.viewHost.capture);
    EXPECT_EQ(H(0).DragPart, HandlePart::None);
    Move(Px(5, 1));   // nothing follows, the hover resumes
    EXPECT_EQ(std::pair(H(0).vPos.y, H(0).HoverPart), std::pair(0.0f, HandlePart::Pos));
}

TEST_F(EditSteps, EditsThatChangeNothingAddNoStep)
{
    Down(Px(60, 0));
    Move(Px(70, 0), MK_LBUTTON);
    EXPECT_FALSE(doc.m_history.CanUndo());  // nothing to undo while the drag is open
    Move(Px(60, 0), MK_LBUTTON);   // and back to where it started
    Up(Px(60, 0));
    // DEL over tangent tips, a span, a width marker, an arrow tip or nothing. (Looking around, and keys
    // that do nothing, through the window: EditorInputTest.)
    const Vector3 marker = H(1).vPos + H(1).BorderOffset(BorderSide::Left, H(1).WidthLeft);
    for (const CPoint p : {Px(12, 0), Px(0, -12), Px(30, 0), Px(marker.x, marker.y), Px(30, -20), Px(20, 20)})
        Delete(p);
    Settings("0.5", "0.4");                 // the values it had
    backend.dialogScript = nullptr;         // OK in the values dialog of a point and of an object
    view.OnLButtonDblClk(MK_LBUTTON, Px(30, -30));
    view.OnLButtonDblClk(MK_LBUTTON, Px(0, 0));
    view.OnLButtonDblClk(MK_LBUTTON, Px(20, 20));   // and on nothing
    EXPECT_EQ(std::pair(doc.m_history.StepCount(), doc.IsModified()), std::pair(0, false));
}

TEST_F(EditSteps, NewEditDropsRedoSavedStateFollowsTheHistoryNewEmptiesItAndItKeepsTheLastThousand)
{
    Drag(Px(60, 0), Px(70, 0));
    Drag(Px(70, 0), Px(80, 0));
    doc.m_history.MarkSaved();
    doc.SetModifiedFlag(false);
    UndoLastStep(doc);
    EXPECT_EQ(std::pair(doc.IsModified(), H(1).vPos.x), std::pair(true, 70.0f));
    RedoNextStep(doc);
    EXPECT_FALSE(doc.IsModified());
    UndoLastStep(doc);
    Drag(Px(0, 0), Px(0, 10));   // drops the redo branch, and the saved state with it
    EXPECT_FALSE(doc.m_history.CanRedo() || RedoNextStep(doc));
    UndoLastStep(doc);
    EXPECT_EQ(std::pair(doc.IsModified(), H(1).vPos.x), std::pair(true, 70.0f));   // the saved state is gone
    ASSERT_TRUE(doc.m_history.CanUndo() && doc.m_history.CanRedo());
    doc.OnNewDocument();   // a new course starts with nothing to undo or redo
    EXPECT_FALSE(doc.m_history.CanUndo() || doc.m_history.CanRedo() || doc.IsModified());

    UseScene();   // the history keeps the last thousand steps
    for (int i = 0; i < UndoHistory::kMaxSteps + 5; ++i)
        Drag(Px(60 + i % 2, 0), Px(60 + (i + 1) % 2, 0));
    EXPECT_EQ(doc.m_history.StepCount(), UndoHistory::kMaxSteps);
    int undone = 0;
    while (UndoLastStep(doc))
        ++undone;
    EXPECT_EQ(std::pair(undone, doc.IsModified()), std::pair(UndoHistory::kMaxSteps, true));
    EXPECT_FLOAT_EQ(H(1).vPos.x, 61.0f);   // as the five oldest drags left it
}

// Steps keep what changed, not the course (the undo benchmark measures it on 10,000 handles and objects).
TEST_F(EditSteps, StepsHoldOnlyWhatChanged)
{
    for (int i = 0; i < 1000; ++i)
        AddXObject(doc.m_xobjects, Vector3(i, 50.0, 0.0), "objects/scenery/tree.x", 1.0f, 1.0f);
    // A point moved, an object with a long name deleted
    Drag(Px(60, 0), Px(70, 0));
    Delete(Px(10, 50));
    EXPECT_EQ(std::pair(doc.m_history.StepCount(), doc.m_xobjects.GetSize()), std::pair(2, 1001));
    EXPECT_LT(doc.m_history.MemoryBytes(), 1024u);
}

}  // namespace

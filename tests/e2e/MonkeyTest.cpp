// A seeded random session in the real window: moves, presses and releases of each button (some with
// Shift), Ctrl-clicks on the course and the type list, wheel steps, DEL, undo and redo. Then the history
// must lead back to the course opened and forward again, and the saved course must read back the same.
#include "EditorFixture.h"

#include "geometry/CourseCheck.h"
#include "res/Resource.h"

#include <random>

namespace {

using Monkey = EditorFixture;

TEST_F(Monkey, EightThousandEventsNeitherCrashNorLoseTheCourse)
{
    const std::string path = WriteCourse("monkey.crs");
    ASSERT_TRUE(Start({path}));
    std::mt19937 rng(20261206);
    auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    Qt::MouseButtons held = Qt::NoButton;
    QPoint at(ViewWidget()->width() / 2, ViewWidget()->height() / 2);
    const std::string opened = CourseFileText(Doc()->StoredFields());
    for (int i = 1; i <= 8000; ++i) {
        // Mostly a short step, else near a control point (so that grabs and deletions really
        // happen), anywhere, or on a type-list row.
        const CourseHandle& h = Doc()->m_course.m_handles[below(Handles())];
        const int where = below(10);
        at = where < 6   ? at + QPoint(below(21) - 10, below(21) - 10)
             : where < 8 ? PixelOf(h.vPos.x, h.vPos.y) + QPoint(below(7) - 3, below(7) - 3)
             : where < 9 ? QPoint(below(ViewWidget()->width()), below(ViewWidget()->height()))
                         : QPoint(8, 8 + 16 * below(10));
        const Qt::MouseButton button = buttons[below(4)];
        const Qt::KeyboardModifiers mod = below(10) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        const int kind = below(100);
        if (kind < 45)
            Move(at, held, mod);
        else if (kind < 55)
            Press(at, button, mod), held |= button;
        else if (kind < 65)
            Release(at, button, mod), held &= ~button;
        else if (kind < 70)
            Wheel(at, below(2) ? 120 : -120);   // in and out alike: the course stays in sight
        else if (kind < 85)
            Press(at, Qt::LeftButton, mod | Qt::ControlModifier), Release(at, Qt::LeftButton, Qt::ControlModifier);
        else if (kind < 95)
            Move(at, held), Key(Qt::Key_Delete);
        else
            Window()->RunCommand(below(5) < 3 ? ID_EDIT_UNDO : ID_EDIT_REDO);
        if (i % 200 == 0)
            ProcessEvents();
    }
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        Release(at, b);
    // Back to the course opened, unmarked, and forward again as far as it came (random undos
    // may have left steps to redo).
    const std::string edited = CourseFileText(Doc()->StoredFields());
    int undone = 0;
    for (; Doc()->m_history.CanUndo(); ++undone)
        Window()->RunCommand(ID_EDIT_UNDO);
    ASSERT_LT(Doc()->m_history.StepCount(), UndoHistory::kMaxSteps);
    EXPECT_EQ(std::pair(CourseFileText(Doc()->StoredFields()), Doc()->IsModified()), std::pair(opened, false));
    for (; undone > 0; --undone)
        Window()->RunCommand(ID_EDIT_REDO);
    ASSERT_EQ(CourseFileText(Doc()->StoredFields()), edited);
    // Drags may have left values the game cannot use (a negative width): Open then says so.
    const bool warns = !CheckCourseValues(Doc()->m_course.m_handles, Doc()->m_xobjects).empty();
    std::string said;
    if (warns)
        AnswerMessageBox(QMessageBox::AcceptRole, &said);
    Window()->RunCommand(ID_FILE_SAVE);
    Window()->RunCommand(ID_FILE_NEW);
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    EXPECT_EQ(CourseFileText(Doc()->StoredFields()), edited);
    EXPECT_EQ(said.rfind("このコースには使えない値が", 0) == 0, warns) << said;
}

}  // namespace

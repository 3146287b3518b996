// A long seeded random session of presses, drags, wheel steps, clicks and Ctrl-clicks on the
// course and the type list, DEL presses, undo and redo in the real window. Now and then the
// history must lead back to the course last opened and forward again, and the course saved
// and opened again must be the one on screen.
#include "EditorFixture.h"

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
    const int W = ViewWidget()->width();
    const int H = ViewWidget()->height();
    // Half of the points land near a control point, so that grabs and deletions really happen.
    auto somewhere = [&]() {
        const RecordList<CourseHandle>& handles = Doc()->m_course.m_handles;
        if (below(2) == 0)
            return QPoint(below(W), below(H));
        const CourseHandle& h = handles[below(handles.GetSize())];
        return PixelOf(h.vPos.x, h.vPos.y) + QPoint(below(7) - 3, below(7) - 3);
    };

    Qt::MouseButtons held = Qt::NoButton;
    QPoint last(W / 2, H / 2);
    std::string opened = CourseFileText(Doc()->StoredFields());
    for (int i = 1; i <= 8000; ++i) {
        const int kind = below(100);
        const Qt::KeyboardModifiers mods = below(10) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        if (kind < 45) {
            last = below(10) < 7 ? last + QPoint(below(21) - 10, below(21) - 10) : somewhere();
            Move(last, held, mods);
        } else if (kind < 55) {
            const Qt::MouseButton button = below(10) < 7 ? Qt::LeftButton
                                           : below(2)    ? Qt::RightButton : Qt::MiddleButton;
            Press(last = somewhere(), button, mods);
            held |= button;
        } else if (kind < 65) {
            const Qt::MouseButton button = held & Qt::LeftButton    ? Qt::LeftButton
                                           : held & Qt::RightButton ? Qt::RightButton : Qt::MiddleButton;
            Release(last, button, mods);
            held &= ~button;
        } else if (kind < 70) {
            Wheel(last, below(2) ? 120 : -120);   // in and out alike, so the course stays in sight
        } else if (kind < 83) {
            // A click or Ctrl-click on the course or on a type-list row.
            const Qt::KeyboardModifiers click = below(3) ? Qt::ControlModifier : Qt::NoModifier;
            last = below(10) < 4 ? QPoint(8, 8 + 16 * below(10)) : somewhere();
            Press(last, Qt::LeftButton, click), Release(last, Qt::LeftButton, click);
        } else if (kind < 93) {
            Move(last = somewhere(), held);
            Key(Qt::Key_Delete);
        } else {
            Window()->RunCommand(below(10) < 6 ? ID_EDIT_UNDO : ID_EDIT_REDO);
        }
        if (i % 200 == 0)
            ProcessEvents();
        if (i % 2000 != 0)
            continue;
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            Release(last, b);
        held = Qt::NoButton;
        // Back to the course last opened, unmarked, and forward again as far as it came (random
        // undos may have left steps to redo).
        const std::string edited = CourseFileText(Doc()->StoredFields());
        int undone = 0;
        for (; Doc()->m_history.CanUndo(); ++undone)
            Window()->RunCommand(ID_EDIT_UNDO);
        if (Doc()->m_history.StepCount() < UndoHistory::kMaxSteps) {
            ASSERT_EQ(std::pair(CourseFileText(Doc()->StoredFields()), Doc()->IsModified()), std::pair(opened, false));
        }
        for (; undone > 0; --undone)
            Window()->RunCommand(ID_EDIT_REDO);
        ASSERT_EQ(CourseFileText(Doc()->StoredFields()), edited);
        // Saved, and read back through New and Open.
        Window()->RunCommand(ID_FILE_SAVE);
        ASSERT_EQ(ReadFile(path), edited);
        Window()->RunCommand(ID_FILE_NEW);
        ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
        ASSERT_EQ(opened = CourseFileText(Doc()->StoredFields()), edited);
    }
}

}  // namespace

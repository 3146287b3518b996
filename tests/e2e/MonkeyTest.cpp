// A long seeded random session of presses, drags, wheel steps, Ctrl-clicks, DEL presses, undo,
// redo and type-list clicks in the real window, saving and reopening now and then.
#include "EditorFixture.h"

#include "file/CourseFile.h"
#include "framework/qt/QtMainWindow.h"
#include "framework/qt/QtViewWidget.h"
#include "res/Resource.h"

#include <random>

namespace {

class Monkey : public EditorFixture {};

TEST_F(Monkey, TwentyThousandEventsNeitherCrashNorLoseTheCourse)
{
    const std::string path = WriteCourse("monkey.crs");
    ASSERT_TRUE(Start({path}));

    std::mt19937 rng(20261206);
    const int W = ViewWidget()->width();
    const int H = ViewWidget()->height();
    auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
    // Half of the points land near a control point, so that grabs and deletions really happen.
    auto somewhere = [&]() {
        const RecordList<CourseHandle>& handles = Doc()->m_course.m_handles;
        if (chance(50) && handles.GetSize() > 0) {
            const CourseHandle& h = handles[static_cast<int>(rng() % handles.GetSize())];
            return PixelOf(h.vPos.x, h.vPos.y) + QPoint(static_cast<int>(rng() % 7) - 3, static_cast<int>(rng() % 7) - 3);
        }
        return QPoint(static_cast<int>(rng() % W), static_cast<int>(rng() % H));
    };

    const int kEvents = 20000;
    Qt::MouseButtons held = Qt::NoButton;
    QPoint last(W / 2, H / 2);
    int saves = 0;
    std::string opened = CourseFileText(Doc()->StoredFields());   // as opened
    for (int i = 0; i < kEvents; ++i) {
        const int kind = static_cast<int>(rng() % 100);
        const Qt::KeyboardModifiers mods = chance(10) ? Qt::ShiftModifier : Qt::NoModifier;
        if (kind < 45) {
            last = chance(70) ? last + QPoint(static_cast<int>(rng() % 21) - 10, static_cast<int>(rng() % 21) - 10)
                              : somewhere();
            Move(last, held, mods);
        } else if (kind < 55) {
            const Qt::MouseButton button = chance(70) ? Qt::LeftButton : (chance(50) ? Qt::RightButton : Qt::MiddleButton);
            last = somewhere();
            Press(last, button, mods);
            held |= button;
        } else if (kind < 65) {
            const Qt::MouseButton button = held & Qt::LeftButton ? Qt::LeftButton
                                           : held & Qt::RightButton ? Qt::RightButton : Qt::MiddleButton;
            Release(last, button, mods);
            held &= ~button;
        } else if (kind < 70) {
            // Zoom in and out alike, so the course stays in sight.
            Wheel(last, chance(50) ? 120 : -120);
        } else if (kind < 78) {
            last = chance(30) ? QPoint(8, 8 + 16 * static_cast<int>(rng() % 10)) : somewhere();
            Press(last, Qt::LeftButton, Qt::ControlModifier);
            Release(last, Qt::LeftButton, Qt::ControlModifier);
        } else if (kind < 88) {
            last = somewhere();
            Move(last, held);
            const int before = Doc()->m_course.m_handles.GetSize();
            Key(Qt::Key_Delete);
            const int after = Doc()->m_course.m_handles.GetSize();
            ASSERT_TRUE(after == before || (after == before - 1 && after >= 3)) << before << " -> " << after;
        } else if (kind < 93) {
            Window()->RunCommand(chance(60) ? ID_EDIT_UNDO : ID_EDIT_REDO);
        } else {
            // A type-list row: the catalogue entries or the control point row.
            last = QPoint(8, 8 + 16 * static_cast<int>(rng() % 10));
            Press(last, Qt::LeftButton);
            Release(last, Qt::LeftButton);
        }
        if (i % 200 == 0)
            ProcessEvents();
        if (i > 0 && i % 4000 == 0) {
            // Let go of everything, save, and check the file holds the course on screen.
            for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
                Release(last, b);
            held = Qt::NoButton;
            // The history leads back to the course last opened, unmarked, and forward again (as
            // far as it came: random undos may have left steps to redo).
            const std::string edited = CourseFileText(Doc()->StoredFields());
            const UndoHistory& history = Doc()->m_history;
            int undone = 0;
            for (; history.CanUndo(); ++undone)
                Window()->RunCommand(ID_EDIT_UNDO);
            if (history.StepCount() < UndoHistory::kMaxSteps) {
                ASSERT_EQ(CourseFileText(Doc()->StoredFields()), opened);
                ASSERT_FALSE(Doc()->IsModified());
            }
            for (; undone > 0; --undone)
                Window()->RunCommand(ID_EDIT_REDO);
            ASSERT_EQ(CourseFileText(Doc()->StoredFields()), edited);
            Window()->RunCommand(ID_FILE_SAVE);
            ASSERT_FALSE(Doc()->IsModified());
            const std::string onScreen = CourseFileText(Doc()->StoredFields());
            ASSERT_EQ(ReadFile(path), onScreen);
            // Reopen it through New and Open: the course read back is the one saved.
            Window()->RunCommand(ID_FILE_NEW);
            ASSERT_EQ(Doc()->m_course.m_handles.GetSize(), 4);
            ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
            ASSERT_EQ(CourseFileText(Doc()->StoredFields()), onScreen);
            opened = onScreen;
            ++saves;
        }
    }
    EXPECT_EQ(saves, 4);
    EXPECT_GE(Doc()->m_course.m_handles.GetSize(), 3);
}

}  // namespace

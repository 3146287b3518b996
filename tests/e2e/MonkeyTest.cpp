// A seeded random session in the real window: moves, presses and releases of each button (some with
// Shift), Ctrl-clicks on the course and the type list, wheel steps, DEL, undo and redo. Then the history
// must lead back to the course opened and forward again, and the saved course must read back the same.
#include "EditorFixture.h"

#include "geometry/CourseCheck.h"
#include "res/Resource.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

#include <unistd.h>

namespace {

class Monkey : public EditorFixture {
protected:
    // first: the seeded round CI runs, whose steps stay within the history's reach.
    void Round(std::mt19937& rng, const std::string& path, bool first);
};

// The program's resident memory in KB.
long ResidentKb()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// One round; TW_MONKEY_SECONDS runs rounds, each from the course first written, for that long
// and prints the memory every minute (scripts/monkey-long.sh).
TEST_F(Monkey, EightThousandEventsNeitherCrashNorLoseTheCourse)
{
    const std::string path = WriteCourse("monkey.crs");
    ASSERT_TRUE(Start({path}));
    std::mt19937 rng(20261206);
    const char* env = std::getenv("TW_MONKEY_SECONDS");
    const double seconds = env ? std::atof(env) : 0.0;
    const auto start = std::chrono::steady_clock::now();
    double nextReport = 0.0;
    for (int rounds = 1;; ++rounds) {
        Round(rng, path, rounds == 1);
        if (HasFatalFailure())
            return;
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds > 0.0 && (elapsed >= nextReport || elapsed >= seconds)) {
            std::printf("monkey %6.0f s: %5d rounds, resident %ld KB\n", elapsed, rounds, ResidentKb());
            std::fflush(stdout);
            nextReport += 60.0;
        }
        if (elapsed >= seconds)
            break;
        Window()->RunCommand(ID_FILE_NEW);
        WriteCourse("monkey.crs");
        ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    }
}

void Monkey::Round(std::mt19937& rng, const std::string& path, bool first)
{
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
        if (kind < 45) {
            Move(at, held, mod);
        } else if (kind < 55) {
            Press(at, button, mod);
            held |= button;
        } else if (kind < 65) {
            Release(at, button, mod);
            held &= ~button;
        } else if (kind < 70) {
            Wheel(at, below(2) ? 120 : -120);   // in and out alike: the course stays in sight
        } else if (kind < 85) {
            Press(at, Qt::LeftButton, mod | Qt::ControlModifier);
            Release(at, Qt::LeftButton, Qt::ControlModifier);
        } else if (kind < 95) {
            Move(at, held);
            Key(Qt::Key_Delete);
        } else {
            Window()->RunCommand(below(5) < 3 ? ID_EDIT_UNDO : ID_EDIT_REDO);
        }
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
    // A later round may make more steps than the history keeps: then the oldest are gone, and
    // undoing all cannot reach the course opened.
    if (first) {
        ASSERT_LT(Doc()->m_history.StepCount(), UndoHistory::kMaxSteps);
    }
    if (Doc()->m_history.StepCount() < UndoHistory::kMaxSteps) {
        EXPECT_EQ(std::pair(CourseFileText(Doc()->StoredFields()), Doc()->IsModified()), std::pair(opened, false));
    }
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

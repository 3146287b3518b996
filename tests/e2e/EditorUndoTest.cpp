// Undo and redo from the keyboard and the Edit menu, and the recovery copy after a killed
// process, in the real window.
#include "EditorFixture.h"

#include "file/CourseFile.h"
#include "framework/qt/QtMainWindow.h"
#include "geometry/XObjectQueries.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>

#include <array>
#include <bit>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// The undo group of the Edit menu (up to its first separator) as the user opens it: its
// items brought up to date, as text and state.
std::vector<std::pair<std::string, bool>> EditMenu(QtMainWindow* window)
{
    std::vector<std::pair<std::string, bool>> items;
    for (QAction* top : window->menuBar()->actions()) {
        if (top->text() != QString::fromUtf8("編集(&E)"))
            continue;
        emit top->menu()->aboutToShow();
        for (QAction* a : top->menu()->actions()) {
            if (a->isSeparator())
                break;
            items.emplace_back(a->text().toStdString(), a->isEnabled());
        }
    }
    return items;
}

class EditorUndo : public EditorFixture {};

TEST_F(EditorUndo, DragThenUndoAndRedoFromKeysAndMenu)
{
    CTrackwrightDoc saved;
    saved.OnNewDocument();
    const std::string path = m_dir.filePath("undo.crs").toStdString();
    std::ofstream(path, std::ios::binary) << CourseFileText(saved.StoredFields());
    ASSERT_TRUE(Start({path}));

    std::vector<std::string> titles;
    for (QAction* top : Window()->menuBar()->actions())
        titles.push_back(top->text().toStdString());
    ASSERT_GE(titles.size(), 3u);
    EXPECT_EQ(titles[0], "ファイル(&F)");
    EXPECT_EQ(titles[1], "編集(&E)");
    EXPECT_EQ(titles[2], "表示(&V)");
    using Items = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(EditMenu(Window()), (Items{{"元に戻す(&U)\tCtrl+Z", false}, {"やり直し(&R)\tCtrl+Y", false}}));

    const Vector3 start = Doc()->m_course.m_handles[0].vPos;
    const QPoint grab = PixelOf(100.0f, 0.0f);
    Press(grab, Qt::LeftButton);
    Move(grab + QPoint(10, -5), Qt::LeftButton);
    Move(grab + QPoint(30, -20), Qt::LeftButton);
    Release(grab + QPoint(30, -20), Qt::LeftButton);
    const Vector3 moved = Doc()->m_course.m_handles[0].vPos;
    ASSERT_NE(moved.x, start.x);
    EXPECT_EQ(Window()->windowTitle().toStdString(), "undo.crs* - Trackwright");
    EXPECT_EQ(EditMenu(Window()), (Items{{"元に戻す(&U): コントロールポイントの移動\tCtrl+Z", true},
                                         {"やり直し(&R)\tCtrl+Y", false}}));

    const auto bits = [](const Vector3& v) { return std::bit_cast<std::uint64_t>(std::array{v.x, v.y}); };
    // Each accelerator in turn: undo with Ctrl+Z, redo with Ctrl+Y, undo with Alt+Backspace,
    // redo with Ctrl+Shift+Z.
    const std::pair<int, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Y, Qt::ControlModifier},
        {Qt::Key_Backspace, Qt::AltModifier},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
    };
    for (int i = 0; i < 4; ++i) {
        Key(keys[i].first, keys[i].second);
        ProcessEvents(20);
        const bool undone = i % 2 == 0;
        SCOPED_TRACE(i);
        EXPECT_EQ(bits(Doc()->m_course.m_handles[0].vPos), bits(undone ? start : moved));
        EXPECT_EQ(Window()->windowTitle().toStdString(), undone ? "undo.crs - Trackwright" : "undo.crs* - Trackwright");
        EXPECT_EQ(EditMenu(Window())[0].second, !undone);
        EXPECT_EQ(EditMenu(Window())[1].second, undone);
    }
    EXPECT_EQ(EditMenu(Window())[1].first, "やり直し(&R)\tCtrl+Y");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(EditMenu(Window())[1].first, "やり直し(&R): コントロールポイントの移動\tCtrl+Y");
}

}  // namespace

// The half of the round trip that gets killed: run only as the child process of the test
// below, which names the folder to work in.
TEST_F(EditorUndo, RecoveryChildEditsAndWaitsToBeKilled)
{
    const char* dir = std::getenv("TW_RECOVERY_CHILD");
    if (!dir)
        GTEST_SKIP() << "runs only as the child of the recovery round trip";
    const std::string base(dir);
    setenv("XDG_STATE_HOME", (base + "/state").c_str(), 1);
    ASSERT_TRUE(Start({base + "/course.crs"}));
    const QPoint grab = PixelOf(100.0f, 0.0f);
    Press(grab, Qt::LeftButton);
    Move(grab + QPoint(17, -9), Qt::LeftButton);
    Release(grab + QPoint(17, -9), Qt::LeftButton);
    AddXObject(Doc()->m_xobjects, Vector3(12.5, -3.25, 0.0), "tree.x", 2.0f, 3.0f);   // a second edit, no step
    std::ofstream(base + "/expected.crs", std::ios::binary) << CourseFileText(Doc()->StoredFields());
    // The edit reaches the recovery folder a few seconds later, from the idle timer.
    for (int i = 0; i < 400 && !m_app->m_recovery->Exists(); ++i)
        ProcessEvents(25);
    ASSERT_TRUE(m_app->m_recovery->Exists());
    std::ofstream(base + "/ready") << "ready";
    for (;;)
        ProcessEvents(100);
}

TEST_F(EditorUndo, RecoveryAfterSigkillRestoresTheCourseAsItWas)
{
    const std::string base = m_dir.filePath("roundtrip").toStdString();
    std::filesystem::create_directories(base);
    const std::string course = base + "/course.crs";
    CTrackwrightDoc start;
    start.OnNewDocument();
    const std::string original = CourseFileText(start.StoredFields());
    std::ofstream(course, std::ios::binary) << original;

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TW_RECOVERY_CHILD", QString::fromStdString(base));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=EditorUndo.RecoveryChildEditsAndWaitsToBeKilled"});
    ASSERT_TRUE(child.waitForStarted());
    for (int i = 0; i < 300 && !std::filesystem::exists(base + "/ready"); ++i)
        child.waitForFinished(100);
    ASSERT_TRUE(std::filesystem::exists(base + "/ready")) << child.readAllStandardOutput().toStdString();
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    setenv("XDG_STATE_HOME", (base + "/state").c_str(), 1);
    std::string question;
    AnswerMessageBox(QMessageBox::YesRole, &question);
    ASSERT_TRUE(Start({course}));
    EXPECT_EQ(question, "course.crs に保存されていない変更が残っています。復元しますか?\n"
                        "(「いいえ」を選ぶと、この変更は破棄されます)");
    EXPECT_EQ(ReadFile(course), original);   // untouched until saved
    EXPECT_EQ(Window()->windowTitle().toStdString(), "course.crs* - Trackwright");
    Key(Qt::Key_S, Qt::ControlModifier);
    ProcessEvents(20);
    EXPECT_EQ(ReadFile(course), ReadFile(base + "/expected.crs"));
    EXPECT_NE(ReadFile(course), original);
    ProcessEvents(400);   // the next idle pass removes the copy of the saved course
    EXPECT_FALSE(m_app->m_recovery->Exists());
    EXPECT_TRUE(std::filesystem::is_empty(base + "/state/trackwright"));
}

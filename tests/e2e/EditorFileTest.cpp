// The File commands from the keyboard with their dialogs, the picture, undo and redo from the
// keyboard and the Edit menu, and the recovery copy after a killed process, in the real window.
#include "EditorFixture.h"

#include "framework/AfxRes.h"
#include "geometry/XObjectQueries.h"

#include <QAction>
#include <QColorSpace>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>

#include <csignal>
#include <cstdlib>
#include <filesystem>

// Last: Xlib defines macros (None, Bool, Status) that Qt uses as names.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace {

using EditorFile = EditorFixture;
using EditorUndo = EditorFixture;

using Items = std::vector<std::pair<std::string, bool>>;

// The Edit menu's undo and redo items as the user opens it: text and whether enabled.
Items EditMenu(QtMainWindow* window)
{
    QMenu* edit = window->menuBar()->actions().at(1)->menu();
    emit edit->aboutToShow();
    Items items;
    for (QAction* a : edit->actions().mid(0, 2))
        items.emplace_back(a->text().toStdString(), a->isEnabled());
    return items;
}

TEST_F(EditorFile, SaveOpenPrintAndCloseThroughTheirDialogs)
{
    ASSERT_TRUE(Start());
    const std::string path = m_dir.filePath("course.crs").toStdString();

    // Save of an untitled course asks where to put it.
    TypeIntoDialog("fileNameEdit", path);
    Key(Qt::Key_S, Qt::ControlModifier, 50);
    EXPECT_EQ(ReadFile(path), ReadFile(WriteCourse("default.crs")));
    EXPECT_EQ(Title(), "course.crs - Trackwright");

    // Open brings a saved course in (three distinct points: no value for Open to warn about).
    TypeIntoDialog("fileNameEdit", WriteCourse("three.crs", "3\n0 0 0 0 0 0 5 5\n10 0 0 0 0 0 5 5\n0 10 0 0 0 0 5 5\n"));
    Key(Qt::Key_O, Qt::ControlModifier, 50);
    EXPECT_EQ(std::pair(Handles(), Title()), std::pair(3, std::string("three.crs - Trackwright")));

    // ファイル → エクスポート: the height scale, then where; a name without extension gets .glb.
    const std::string glb = m_dir.filePath("three").toStdString();
    OnNextModal([this, &glb](QWidget* dialog) {
        auto* scale = dialog->findChild<QLineEdit*>();
        ASSERT_NE(scale, nullptr);
        scale->setText("0.5");
        TypeIntoDialog("fileNameEdit", glb);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    for (QAction* a : Window()->menuBar()->actions().at(0)->menu()->actions())
        if (a->text() == QString::fromUtf8("エクスポート(&E)..."))
            a->trigger();
    ProcessEvents(50);
    EXPECT_EQ(ReadFile(glb + ".glb").substr(0, 4), "glTF");

    // Ctrl+P: with no printer installed, the print dialog offers printing to a PDF file.
    const std::string pdf = m_dir.filePath("printed.pdf").toStdString();
    TypeIntoDialog("filename", pdf);
    Key(Qt::Key_P, Qt::ControlModifier, 100);
    const std::string bytes = ReadFile(pdf);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("/Image"), std::string::npos) << "the picture is in the page";

    // Closing the window after an edit asks: Cancel keeps the window and the edit, No closes it.
    Doc()->SetModifiedFlag();
    std::string question;
    AnswerMessageBox(QMessageBox::RejectRole, &question);
    Window()->close();
    ProcessEvents(50);
    EXPECT_EQ(question, "three.crs への変更を保存しますか?");
    EXPECT_TRUE(Window()->isVisible() && Doc()->IsModified());
    AnswerMessageBox(QMessageBox::NoRole);
    Window()->close();
    ProcessEvents(50);
    EXPECT_FALSE(Window()->isVisible());
}

// Qt's own dialogs speak Japanese like the rest of the program; the status bar lights the lock
// keys as the keyboard has them, and shows no kana mode, which only the input method knows.
TEST_F(EditorFile, QtDialogsInJapaneseAndTheLockKeysInTheStatusBar)
{
    ASSERT_TRUE(Start());
    const auto indicator = [this](UINT nID) {
        return Window()->statusBar()->findChild<QLabel*>(QString("indicator%1").arg(nID));
    };
    EXPECT_EQ(indicator(ID_INDICATOR_KANA), nullptr);
    ASSERT_NE(indicator(ID_INDICATOR_CAPS), nullptr);
    ASSERT_NE(indicator(ID_INDICATOR_NUM), nullptr);
    Display* display = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    const unsigned numLock = XkbKeysymToModifiers(display, XK_Num_Lock);
    for (const bool locked : {true, false}) {
        XkbLockModifiers(display, XkbUseCoreKbd, LockMask | numLock, locked ? LockMask | numLock : 0);
        XSync(display, 0);
        ProcessEvents(400);
        EXPECT_EQ(std::pair(indicator(ID_INDICATOR_CAPS)->isEnabled(), indicator(ID_INDICATOR_NUM)->isEnabled()),
                  std::pair(locked, locked));
    }

    // The file dialog's labels and buttons, and the print dialog's title.
    QStringList texts;
    OnNextModal([&texts](QWidget* w) {
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            texts << w->findChild<QLabel*>(name)->text();
        for (QAbstractButton* button : w->findChild<QDialogButtonBox*>("buttonBox")->buttons())
            texts << button->text();
        QMetaObject::invokeMethod(w, "reject", Qt::QueuedConnection);
    });
    Key(Qt::Key_O, Qt::ControlModifier, 50);
    OnNextModal([&texts](QWidget* w) {
        texts << w->windowTitle();
        QMetaObject::invokeMethod(w, "reject", Qt::QueuedConnection);
    });
    Key(Qt::Key_P, Qt::ControlModifier, 100);
    EXPECT_EQ(texts.join("|").toStdString(), "アドレス:|ファイル名(&N):|ファイルの種類:|開く(&O)|キャンセル|印刷");
}

TEST_F(EditorFile, TheWindowShowsWhatTheRenderCommandDraws)
{
    // The default ring with a wider span and two objects, one turned.
    CTrackwrightDoc source;
    source.OnNewDocument();
    source.m_course.m_handles[2].WidthLeft = 12.0f;
    source.m_xobjects.Add(XObject("tree_pine.x", Vector3(20.0, -30.0, 0.0), 0.7f, 3.0f, 3.0f));
    source.m_xobjects.Add(XObject("bridge span.x", Vector3(-60.0, 10.0, 0.0), 0.0f, 12.0f, 30.0f));
    const std::string course = WriteCourse("objects.crs", CourseFileText(source.StoredFields()));
    ASSERT_TRUE(Start({course}));
    const QImage shot = Screenshot();

    const std::string png = m_dir.filePath("render.png").toStdString();
    QProcess render;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");   // no display at all
    render.setProcessEnvironment(env);
    render.start(TW_PROGRAM, {"--render", QString::fromStdString(course), "--out", QString::fromStdString(png),
                              "--size", QString("%1x%2").arg(shot.width()).arg(shot.height())});
    ASSERT_TRUE(render.waitForFinished(30000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    QImage rendered = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB888);
    rendered.setColorSpace(QColorSpace());   // pixels only: the PNG names sRGB, the window nothing
    EXPECT_TRUE(shot == rendered);

    // Onto a control point and off again: two frames that redraw only the hover's region into
    // the picture the widget keeps, which must come back to the same pixels.
    const int frames = View()->m_nFrameCount, whole = View()->m_nWholeFrameCount;
    Move(PixelOf(100.0f, 0.0f));
    ProcessEvents(20);
    ASSERT_EQ(Doc()->m_course.m_handles[0].HoverPart, HandlePart::Pos);
    Move(PixelOf(0.0f, 0.0f));
    ProcessEvents(20);
    EXPECT_GT(View()->m_nFrameCount, frames);
    EXPECT_EQ(View()->m_nWholeFrameCount, whole);
    EXPECT_TRUE(Screenshot() == rendered);
}

TEST_F(EditorUndo, DragThenUndoAndRedoFromKeysAndMenu)
{
    ASSERT_TRUE(Start({WriteCourse("undo.crs")}));
    // The point follows the mouse (by how much, and the menu texts after each step, are the edit
    // tests' concern; here the menu as Qt shows it).
    const Vector3 start = Doc()->m_course.m_handles[0].vPos;
    Drag(PixelOf(100.0f, 0.0f), PixelOf(100.0f, 0.0f) + QPoint(30, -20));
    const Vector3 moved = Doc()->m_course.m_handles[0].vPos;
    EXPECT_TRUE(moved.x > start.x && moved.y > start.y);
    EXPECT_EQ(EditMenu(Window()), (Items{{"元に戻す(&U): コントロールポイントの移動\tCtrl+Z", true},
                                         {"やり直し(&R)\tCtrl+Y", false}}));

    // Each accelerator in turn: undo, redo, undo, redo.
    const std::pair<int, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Y, Qt::ControlModifier}, {Qt::Key_Backspace, Qt::AltModifier},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}};
    bool undone = false;
    for (const auto& [key, mods] : keys) {
        Key(key, mods, 20);
        undone = !undone;
        EXPECT_EQ(Doc()->m_course.m_handles[0].vPos, undone ? start : moved) << std::hex << key;
        EXPECT_EQ(Title(), undone ? "undo.crs - Trackwright" : "undo.crs* - Trackwright");
    }
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
    Drag(PixelOf(100.0f, 0.0f), PixelOf(100.0f, 0.0f) + QPoint(17, -9));
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
    const std::string course = WriteCourse("roundtrip/course.crs"), original = ReadFile(course);

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
    AnswerMessageBox(QMessageBox::YesRole);   // the question's text is the app tests'
    ASSERT_TRUE(Start({course}));
    EXPECT_EQ(ReadFile(course), original);   // untouched until saved
    EXPECT_EQ(Title(), "course.crs* - Trackwright");
    Key(Qt::Key_S, Qt::ControlModifier, 20);
    EXPECT_EQ(ReadFile(course), ReadFile(base + "/expected.crs"));
    ProcessEvents(400);   // the next idle pass removes the copy of the saved course
    EXPECT_FALSE(m_app->m_recovery->Exists());
    EXPECT_TRUE(std::filesystem::is_empty(base + "/state/trackwright"));
}

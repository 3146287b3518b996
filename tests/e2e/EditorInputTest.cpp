// Mouse buttons, the wheel, keys, the system clipboard and the values dialog as Qt delivers them,
// in the real window: what each one does is the view's tests'; here they must reach the right
// handler, and no other key any.
#include "EditorFixture.h"

#include "framework/qt/QtListPanel.h"
#include "framework/qt/QtViewWindow.h"
#include "geometry/CourseSpline.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "view/PreviewView.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidget>

namespace {

using EditorInput = EditorFixture;
using EditorSelection = EditorFixture;
using EditorCheck = EditorFixture;
using EditorPreview = EditorFixture;

TEST_F(EditorInput, WheelButtonsAndKeysReachTheViewAndOtherKeysDoNothing)
{
    ASSERT_TRUE(Start({WriteCourse("input.crs")}));
    const float zoom = View()->m_fZoom;
    const QPoint centre(ViewWidget()->width() / 2, ViewWidget()->height() / 2);
    Wheel(centre, -120);   // towards the user: closer
    EXPECT_FLOAT_EQ(View()->m_fZoom, zoom * 1.5f);
    Wheel(centre, 120);
    EXPECT_FLOAT_EQ(View()->m_fZoom, zoom * 1.5f * 0.75f);
    // The right and the middle button pan.
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        const float camX = View()->m_vCamera.x;
        Drag(centre, centre + QPoint(40, 0), button);
        EXPECT_LT(View()->m_vCamera.x, camX) << button;
    }

    EXPECT_FALSE(Doc()->IsModified()) << "looking around is no edit";

    // Ctrl+double-click inserts once, though Qt sends a press and a double click.
    const Vector3 mid = Doc()->m_course.m_handles[0].SpanPoint(Doc()->m_course.m_handles[1], 0.5f);
    DoubleClick(PixelOf(mid.x, mid.y), Qt::ControlModifier);
    ASSERT_EQ(Handles(), 5);
    const Vector3 inserted = Doc()->m_course.m_handles[1].vPos;   // where is the view's tests' concern

    // Only DEL removes the point under the system cursor; "." is 0x2E to Qt, the code of DEL.
    Doc()->SetModifiedFlag(false);
    Move(PixelOf(inserted.x, inserted.y));
    const std::pair<int, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Period, Qt::NoModifier},
        {Qt::Key_Period, Qt::KeypadModifier}, {Qt::Key_Comma, Qt::KeypadModifier}, {Qt::Key_Minus, Qt::KeypadModifier},
        {Qt::Key_Backspace, {}}, {Qt::Key_D, {}}, {Qt::Key_Space, {}}, {Qt::Key_Escape, {}}, {Qt::Key_Insert, {}},
        {Qt::Key_At, {}}, {Qt::Key_Delete, {}}};
    for (const auto& [key, mods] : keys) {
        Key(key, mods);
        const bool del = key == Qt::Key_Delete;
        EXPECT_EQ(std::pair(Handles(), Doc()->IsModified()), std::pair(del ? 4 : 5, del)) << std::hex << key;
    }
}

// The X server's own auto-repeat of a key held through XTest: X sends a release before each
// repeated press unless asked not to, and such a release ended the burst of nudges. Then a command
// from the menu: its item lies over the view, but the mouse is on the menu, not on the view.
TEST_F(EditorInput, AHeldArrowKeyIsOneStepAndAMenuPasteLandsBesideTheTypeList)
{
    ASSERT_TRUE(Start({WriteCourse("held.crs")}));
    Press(PixelOf(100.0f, 0.0f), Qt::LeftButton);
    Release(PixelOf(100.0f, 0.0f), Qt::LeftButton);
    ASSERT_EQ(View()->GetEditInput()->Selection().handles, std::vector<int>{0});
    const float step = View()->WorldPerPixel();
    ActivateWindow();
    // Repeats ten a second (this test's own server): with the program idle between them, Qt takes some
    // of the releases X sends before them for real ones, unless X sends none.
    ASSERT_EQ(QProcess::execute("xset", {"r", "rate", "100", "10"}), 0) << "xset (scripts/deps.sh test)";
    struct ReleaseCount : QObject {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Right;
            return false;
        }
    } releases;
    ViewWidget()->installEventFilter(&releases);
    ASSERT_EQ(QProcess::execute("xdotool", {"keydown", "Right"}), 0) << "xdotool (scripts/deps.sh test)";
    ProcessEvents(3000);
    EXPECT_EQ(releases.n, 0);
    ASSERT_EQ(QProcess::execute("xdotool", {"keyup", "Right"}), 0);
    ProcessEvents(200);
    EXPECT_EQ(releases.n, 1);
    ViewWidget()->removeEventFilter(&releases);
    const float moved = (Doc()->m_course.m_handles[0].vPos.x - 100.0f) / step;
    EXPECT_GT(moved, 20.0f) << "too few repeats reached the view";
    EXPECT_EQ(std::pair(Doc()->m_history.StepCount(), Doc()->m_history.UndoLabel()),
              std::pair(1, UINT(IDS_STEP_SELECTION_MOVE)));

    // 編集 → 貼り付け, its item (here the cursor) over the type list: the objects land in the middle of
    // the part the list leaves free.
    QGuiApplication::clipboard()->setText("\"cone.x\" 5 5 0 1 1\r\n");
    ProcessEvents(100);
    QCursor::setPos(ViewWidget()->mapToGlobal(QPoint(20, 8)));
    QAction* paste = nullptr;
    for (QMenu* menu : Window()->findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (action->data().toUInt() == ID_EDIT_PASTE)
                paste = action;
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    ASSERT_EQ(Doc()->m_xobjects.GetSize(), 1);
    const CRect free = View()->FreeClientRect();
    const Vector3 centre = View()->ScreenToWorld(free.left + free.Width() / 2, free.top + free.Height() / 2);
    EXPECT_NEAR(Doc()->m_xobjects[0].Pos.x, centre.x, 1e-3);
    EXPECT_NEAR(Doc()->m_xobjects[0].Pos.y, centre.y, 1e-3);
}

TEST_F(EditorSelection, CopyAndPasteThroughTheSystemClipboardAndTheValuesDialog)
{
    // Paste follows what other programs put on the clipboard (the enabled state is cached).
    QGuiApplication::clipboard()->clear();
    CTrackwrightDoc saved;
    saved.OnNewDocument();
    AddXObject(saved.m_xobjects, Vector3(20.0, 10.0, 0.0), "rock.x", 2.0f, 2.0f);
    AddXObject(saved.m_xobjects, Vector3(40.0, -10.0, 0.0), "old oak.x", 3.0f, 4.0f);
    ASSERT_TRUE(Start({WriteCourse("objects.crs", CourseFileText(saved.StoredFields()))}));
    ProcessEvents(400);
    QGuiApplication::clipboard()->setText("\"cone.x\" 1 2 0 1 1\r\n");
    ProcessEvents(400);
    Key(Qt::Key_V, Qt::ControlModifier, 20);
    ASSERT_EQ(Doc()->m_xobjects.GetSize(), 3);
    EXPECT_EQ(Doc()->m_xobjects[2].FileName, "cone.x");

    Drag(PixelOf(10.0f, 30.0f), PixelOf(50.0f, -20.0f));
    ASSERT_EQ(View()->GetEditInput()->Selection().objects, (std::vector<int>{0, 1}));
    Key(Qt::Key_C, Qt::ControlModifier, 20);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "\"rock.x\"   20.00000000   10.00000000    0.00000000    2.00000000    2.00000000\r\n"
              "\"old oak.x\"   40.00000000  -10.00000000    0.00000000    3.00000000    4.00000000\r\n");


    // A double click on a point opens its values dialog; OK applies what was typed.
    std::string seen;
    OnNextModal([&seen](QWidget* dialog) {
        auto edits = dialog->findChildren<QLineEdit*>();
        ASSERT_GE(edits.size(), 8);
        seen = edits[0]->text().toStdString();   // the position's x
        edits[0]->setText("123.25");
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == "OK")
                b->click();
    });
    DoubleClick(PixelOf(100.0f, 0.0f));
    ProcessEvents(50);
    EXPECT_EQ(seen, "100");
    EXPECT_EQ(Doc()->m_course.m_handles[0].vPos, Vector3(123.25, 0.0, 0.0));
}

// F7 opens the check panel beside the window; a click on a finding selects its part in the view.
TEST_F(EditorCheck, F7OpensThePanelAndAClickOnAFindingSelectsThePart)
{
    CTrackwrightDoc course;
    course.OnNewDocument();
    course.m_xobjects.Add(XObject("tree_pine.x", Vector3(-100, 0, 0), 0.0f, 3.0f, 3.0f));
    ASSERT_TRUE(Start({WriteCourse("tree.crs", CourseFileText(course.StoredFields()))}));
    Key(Qt::Key_F7, {}, 50);
    auto* panel = Window()->findChild<QtListPanel*>();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));
    QTreeWidget* list = panel->List();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1).toStdString(), "Xオブジェクト 0");
    EXPECT_TRUE(View()->GetEditInput()->Selection().Empty());
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    ProcessEvents(50);
    EXPECT_EQ(View()->GetEditInput()->Selection().objects, std::vector<int>{0});
    EXPECT_EQ(std::pair(View()->m_vCamera.x, View()->m_vCamera.y), std::pair(-100.0f, 0.0f));
}

}  // namespace

TEST_F(EditorPreview, F8OpensTheWindowTheMouseAndKeysDriveItAndClosingLeavesTheEditor)
{
    ASSERT_TRUE(Start({std::string(TW_SOURCE_DIR) + "/samples/hills.crs"}));
    Key(Qt::Key_F8);
    QtViewWindow* pWindow = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        pWindow = pWindow ? pWindow : dynamic_cast<QtViewWindow*>(w);
    ASSERT_NE(pWindow, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pWindow));
    ProcessEvents(50);
    CPreviewView* pPreview = View()->m_pPreview.get();
    ASSERT_TRUE(pPreview && pPreview->IsOpen());
    EXPECT_GT(pPreview->m_nFrames, 0);
    EXPECT_EQ(pWindow->windowTitle().toStdString(), "3D プレビュー");

    // Left drag orbits, right drag moves the target, the wheel dollies: each redraws.
    const PreviewCamera home = pPreview->m_camera;
    const std::pair<Qt::MouseButton, QPoint> drags[] = {{Qt::LeftButton, {140, 100}}, {Qt::RightButton, {100, 130}}};
    for (const auto& [button, to] : drags) {
        Mouse(QEvent::MouseButtonPress, {100, 100}, button, button, {}, pWindow);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, button, {}, pWindow);
        Mouse(QEvent::MouseButtonRelease, to, button, Qt::NoButton, {}, pWindow);
    }
    EXPECT_NE(pPreview->m_camera.yaw, home.yaw);
    EXPECT_NE(pPreview->m_camera.target.z, home.target.z);
    Wheel({50, 50}, -120, pWindow);
    EXPECT_LT(pPreview->m_camera.distance, home.distance);
    const int frames = pPreview->m_nFrames;
    ProcessEvents(50);
    EXPECT_GT(pPreview->m_nFrames, frames);

    // F8 again while it is open: the same window.
    Key(Qt::Key_F8);
    EXPECT_EQ(View()->m_pPreview.get(), pPreview);

    // Page Down from an orbit: the drive view at the last control point; Page Up from there the first,
    // then the second, named in the title. Home frames again.
    pWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pWindow));
    for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_PageUp})
        QTest::keyClick(pWindow->windowHandle(), key);
    ProcessEvents(50);
    EXPECT_EQ(pPreview->m_camera.driveIndex, 1);
    EXPECT_EQ(pWindow->windowTitle().toStdString(), "3D プレビュー - 走行視点: コントロールポイント 1");
    QTest::keyClick(pWindow->windowHandle(), Qt::Key_Home);
    EXPECT_EQ(pPreview->m_camera.driveIndex, -1);
    EXPECT_DOUBLE_EQ(pPreview->m_camera.distance, home.distance);

    // An edit in the editor reaches the preview: the road is built again.
    const int roads = pPreview->m_scene.RoadBuilds();
    Doc()->m_course.m_handles[0].vPos.x += 5.0f;
    Doc()->UpdateAllViews(nullptr);
    ProcessEvents(50);
    EXPECT_EQ(pPreview->m_scene.RoadBuilds(), roads + 1);

    // Closing it: the editor's document keeps one view, the course as it was, the place remembered.
    const int handles = Handles();
    pWindow->close();
    ProcessEvents(50);
    EXPECT_FALSE(pPreview->IsOpen());
    EXPECT_EQ(pPreview->GetDocument(), nullptr);
    Doc()->UpdateAllViews(nullptr);   // reaches the editor alone
    EXPECT_EQ(Handles(), handles);
    EXPECT_FALSE(m_backend->GetProfileString("Preview", "Placement").empty());
    ActivateWindow();
    Key(Qt::Key_F8, {}, 50);
    EXPECT_TRUE(View()->m_pPreview && View()->m_pPreview->IsOpen());
}

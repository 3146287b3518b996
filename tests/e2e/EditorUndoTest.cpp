// Undo and redo from the keyboard and the Edit menu in the real window.
#include "EditorFixture.h"

#include "file/CourseFile.h"
#include "framework/qt/QtMainWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>
#include <bit>
#include <fstream>

namespace {

// The Edit menu as the user opens it: its items brought up to date, as text and state.
std::vector<std::pair<std::string, bool>> EditMenu(QtMainWindow* window)
{
    std::vector<std::pair<std::string, bool>> items;
    for (QAction* top : window->menuBar()->actions()) {
        if (top->text() != QString::fromUtf8("編集(&E)"))
            continue;
        emit top->menu()->aboutToShow();
        for (QAction* a : top->menu()->actions())
            items.emplace_back(a->text().toStdString(), a->isEnabled());
    }
    return items;
}

class EditorUndo : public EditorFixture {};

TEST_F(EditorUndo, DragThenUndoAndRedoFromKeysAndMenu)
{
    CTrackwrightDoc saved;
    saved.OnNewDocument();
    const std::string path = m_dir.filePath("undo.crs").toStdString();
    std::ofstream(path, std::ios::binary) << CourseFileText(saved);
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

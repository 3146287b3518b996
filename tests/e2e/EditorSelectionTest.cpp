// The system clipboard, shared with other programs, and the values dialog in the real window.
#include "EditorFixture.h"

#include "geometry/XObjectQueries.h"

#include <QClipboard>
#include <QPushButton>

namespace {

using EditorSelection = EditorFixture;

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
    QGuiApplication::clipboard()->setText("\"cone.x\" 1 2 0 1 1\r\n"), ProcessEvents(400);
    Key(Qt::Key_V, Qt::ControlModifier), ProcessEvents(20);
    ASSERT_EQ(Doc()->m_xobjects.GetSize(), 3);
    EXPECT_EQ(Doc()->m_xobjects[2].FileName, "cone.x");

    Drag(PixelOf(10.0f, 30.0f), PixelOf(50.0f, -20.0f));
    ASSERT_EQ(View()->m_selection.objects, (std::vector<int>{0, 1}));
    Key(Qt::Key_C, Qt::ControlModifier), ProcessEvents(20);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "\"rock.x\"   20.00000000   10.00000000    0.00000000    2.00000000    2.00000000\r\n"
              "\"old oak.x\"   40.00000000  -10.00000000    0.00000000    3.00000000    4.00000000\r\n");

    Move(PixelOf(-60.0f, -40.0f));
    Key(Qt::Key_V, Qt::ControlModifier), ProcessEvents(20);
    // The layout rules are the view's tests'; here the mouse position comes from Qt.
    auto& objects = Doc()->m_xobjects;
    ASSERT_EQ(objects.GetSize(), 5);
    EXPECT_EQ(objects[4].FileName, "old oak.x");
    EXPECT_NEAR((objects[3].Pos.x + objects[4].Pos.x) / 2, -60.0f, 2.0f);
    EXPECT_NEAR((objects[3].Pos.y + objects[4].Pos.y) / 2, -40.0f, 2.0f);

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

}  // namespace

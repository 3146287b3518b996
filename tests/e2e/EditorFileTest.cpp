// The File commands from the keyboard with their dialogs, and the picture, in the real window.
#include "EditorFixture.h"

#include <QColorSpace>
#include <QProcess>

namespace {

using EditorFile = EditorFixture;

TEST_F(EditorFile, SaveNewOpenPrintAndCloseThroughTheirDialogs)
{
    ASSERT_TRUE(Start());
    const std::string path = m_dir.filePath("course.crs").toStdString();

    // Save of an untitled course asks where to put it.
    TypeIntoDialog("fileNameEdit", path);
    Key(Qt::Key_S, Qt::ControlModifier), ProcessEvents(50);
    EXPECT_EQ(ReadFile(path), ReadFile(WriteCourse("default.crs")));
    EXPECT_EQ(Title(), "course.crs - Trackwright");

    // New after an edit asks; "No" throws the edit away.
    Move(PixelOf(100.0f, 0.0f)), Key(Qt::Key_Delete);
    EXPECT_EQ(Title(), "course.crs* - Trackwright");
    std::string question;
    AnswerMessageBox(QMessageBox::NoRole, &question);
    Key(Qt::Key_N, Qt::ControlModifier), ProcessEvents(50);
    EXPECT_EQ(question, "course.crs への変更を保存しますか?");
    EXPECT_EQ(std::pair(Handles(), Title()), std::pair(4, std::string("無題 - Trackwright")));

    // Open brings a saved course in.
    TypeIntoDialog("fileNameEdit", WriteCourse("three.crs", "3\n"));
    Key(Qt::Key_O, Qt::ControlModifier), ProcessEvents(50);
    EXPECT_EQ(std::pair(Handles(), Title()), std::pair(3, std::string("three.crs - Trackwright")));

    // Ctrl+P: with no printer installed, the print dialog offers printing to a PDF file.
    const std::string pdf = m_dir.filePath("printed.pdf").toStdString();
    TypeIntoDialog("filename", pdf);
    Key(Qt::Key_P, Qt::ControlModifier), ProcessEvents(100);
    const std::string bytes = ReadFile(pdf);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("/Image"), std::string::npos) << "the picture is in the page";

    // Closing the window after an edit asks too: Cancel keeps the window and the edit.
    Doc()->SetModifiedFlag();
    AnswerMessageBox(QMessageBox::RejectRole);
    Window()->close(), ProcessEvents(50);
    EXPECT_TRUE(Window()->isVisible() && Doc()->IsModified());
    AnswerMessageBox(QMessageBox::NoRole);
    Window()->close(), ProcessEvents(50);
    EXPECT_FALSE(Window()->isVisible());
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
    ASSERT_EQ(rendered.size(), shot.size());

    EXPECT_TRUE(shot == rendered);

    // Onto a control point and off again: two frames that redraw only the hover's region into
    // the picture the widget keeps, which must come back to the same pixels.
    const int frames = View()->m_nFrameCount;
    const int whole = View()->m_nWholeFrameCount;
    Move(PixelOf(100.0f, 0.0f)), ProcessEvents(20);
    ASSERT_EQ(Doc()->m_course.m_handles[0].HoverPart, HandlePart::Pos);
    Move(PixelOf(0.0f, 0.0f)), ProcessEvents(20);
    EXPECT_GT(View()->m_nFrameCount, frames);
    EXPECT_EQ(View()->m_nWholeFrameCount, whole);
    EXPECT_TRUE(Screenshot() == rendered);
}

}  // namespace

// Start-up, the File commands from the keyboard, the settings dialog and the picture, in the
// real window.
#include "EditorFixture.h"

#include "file/CourseFile.h"
#include "support/BmpWriter.h"
#include "framework/qt/QtDialog.h"
#include "framework/qt/QtMainWindow.h"
#include "res/Resource.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

std::string DefaultCourseText()
{
    CTrackwrightDoc doc;
    doc.OnNewDocument();
    return CourseFileText(doc.StoredFields());
}

class EditorFile : public EditorFixture {
protected:
    std::string WriteCourse(const std::string& name, const std::string& text)
    {
        const std::string path = m_dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

TEST_F(EditorFile, SaveNewAndOpenFromTheKeyboard)
{
    ASSERT_TRUE(Start());
    const std::string path = m_dir.filePath("course.crs").toStdString();

    // Save of an untitled course asks where to put it.
    AnswerFileDialog(path);
    Key(Qt::Key_S, Qt::ControlModifier);
    ProcessEvents(50);
    EXPECT_EQ(ReadFile(path), DefaultCourseText());
    EXPECT_EQ(Window()->windowTitle().toStdString(), "course.crs - Trackwright");

    // New after an edit asks; "No" throws the edit away.
    Doc()->m_course.m_handles.RemoveAt(0);
    Doc()->SetModifiedFlag();
    EXPECT_EQ(Window()->windowTitle().toStdString(), "course.crs* - Trackwright");
    std::string question;
    AnswerMessageBox(QMessageBox::NoRole, &question);
    Key(Qt::Key_N, Qt::ControlModifier);
    ProcessEvents(50);
    EXPECT_EQ(question, "course.crs への変更を保存しますか?");
    EXPECT_EQ(Doc()->m_course.m_handles.GetSize(), 4);
    EXPECT_EQ(Window()->windowTitle().toStdString(), "無題 - Trackwright");

    // Open brings the saved course back.
    const std::string other = WriteCourse("three.crs", "3\n");
    AnswerFileDialog(other);
    Key(Qt::Key_O, Qt::ControlModifier);
    ProcessEvents(50);
    EXPECT_EQ(Doc()->m_course.m_handles.GetSize(), 3);
    EXPECT_EQ(Window()->windowTitle().toStdString(), "three.crs - Trackwright");
}

TEST_F(EditorFile, ACourseThatCannotBeOpenedOnTheCommandLineEndsTheProgram)
{
    const std::string missing = m_dir.filePath("missing.crs").toStdString();
    std::string message;
    AnswerMessageBox(QMessageBox::AcceptRole, &message);
    EXPECT_FALSE(Start({missing}));
    EXPECT_EQ(message, missing + "ファイルの読み込みに失敗しました");
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
    const QImage rendered = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(rendered.size(), shot.size());

    auto differing = [&](const QImage& a) {
        int count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                count += a.pixel(x, y) != rendered.pixel(x, y);
        return count;
    };
    EXPECT_EQ(differing(shot), 0) << "of " << shot.width() * shot.height() << " pixels";

    // Onto a control point and off again: two frames that redraw only the hover's region into
    // the picture the widget keeps, which must come back to the same pixels.
    const int frames = View()->m_nFrameCount;
    const int whole = View()->m_nWholeFrameCount;
    Move(PixelOf(100.0f, 0.0f), Qt::NoButton);
    ProcessEvents(20);
    ASSERT_EQ(Doc()->m_course.m_handles[0].HoverPart, HandlePart::Pos);
    Move(PixelOf(0.0f, 0.0f), Qt::NoButton);
    ProcessEvents(20);
    EXPECT_GT(View()->m_nFrameCount, frames);
    EXPECT_EQ(View()->m_nWholeFrameCount, whole);
    EXPECT_EQ(differing(Screenshot()), 0);
}

}  // namespace

namespace {

TEST_F(EditorFile, CtrlPPrintsTheViewsPicture)
{
    ASSERT_TRUE(Start());
    const QString pdf = m_dir.filePath("printed.pdf");
    bool asked = false;
    OnNextModal([pdf, &asked](QWidget* w) {
        asked = true;
        auto* dlg = qobject_cast<QPrintDialog*>(w);
        ASSERT_NE(dlg, nullptr) << w->metaObject()->className();
        // With no printer installed, the dialog offers printing to a PDF file; name it.
        auto* file = dlg->findChild<QLineEdit*>("filename");
        ASSERT_NE(file, nullptr);
        file->setText(pdf);
        QMetaObject::invokeMethod(dlg, "accept", Qt::QueuedConnection);
    });
    Key(Qt::Key_P, Qt::ControlModifier);
    ProcessEvents(100);
    ASSERT_TRUE(asked) << "the print dialog";
    const std::string bytes = ReadFile(pdf.toStdString());
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("/Image"), std::string::npos) << "the picture is in the page";
}

// File names are bytes: a map path that is not UTF-8 goes through the settings dialog
// unchanged, and a course named relative to the working folder is known by its full path.
TEST_F(EditorFile, NonUtf8MapPathAndRelativeCourseSurviveTheSettingsDialog)
{
    const std::string folder = m_dir.path().toStdString();
    const std::string map = folder + "/caf\xE9.bmp";
    const std::vector<std::uint8_t> bmp = MakeBmp(BmpLayout{}, {1, 2, 3, 0});
    std::ofstream(map, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
    WriteCourse("course.crs", "0 0.5 \"" + map + "\" none 0 0\r\n");
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    const bool started = Start({"course.crs"});
    QDir::setCurrent(cwd);
    ASSERT_TRUE(started);
    EXPECT_EQ(Doc()->GetPathName(), folder + "/course.crs");
    EXPECT_TRUE(Doc()->m_course.m_mapPixels);

    // OK with the fields as shown. A refusal would show a message box inside the click: it
    // is closed (and the dialog with it) so that the test fails rather than waits.
    std::string refusal;
    OnNextModal([&refusal](QWidget* w) {
        QTimer::singleShot(1000, [&refusal] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                refusal = box->text().toStdString();
                box->done(QMessageBox::Ok);
            }
        });
        for (QPushButton* button : w->findChildren<QPushButton*>()) {
            if (button->text() == "OK")
                button->click();
        }
        if (w->isVisible())
            static_cast<QDialog*>(w)->reject();
    });
    Window()->RunCommand(ID_SETTINGS);
    ProcessEvents(50);
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(Doc()->m_heightMap, map);
    EXPECT_FALSE(Doc()->IsModified());

    // The recent-file list keeps such names as bytes too.
    m_backend->WriteProfileString("Recent File List", "File9", map);
    EXPECT_EQ(m_backend->GetProfileString("Recent File List", "File9"), map);
}

}  // namespace

// `--render`: the PNG holds exactly the frame the view draws for the same course.
#include "ViewScene.h"

#include "app/RenderCommand.h"
#include "framework/Wgl.h"

#include <QImage>

#include <filesystem>

namespace {

class RenderCommand : public ViewScene {
protected:
    std::string TempPath(const std::string& name)
    {
        const auto dir = std::filesystem::path(::testing::TempDir()) / "tw_view_render";
        std::filesystem::create_directories(dir);
        const auto path = dir / name;
        std::filesystem::remove(path);
        return path.string();
    }

    int Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "trackwright");
        const int status = RunRenderCommand(args, app.m_appDir);
        m_gl.MakeCurrent();   // the command made and dropped its own context
        return status;
    }
};

TEST_F(RenderCommand, PngEqualsTheViewsFrame)
{
    // A course as the program saves it: the default ring plus two objects.
    const std::string course = TempPath("course.txt");
    {
        CTrackwrightDoc source;
        source.OnNewDocument();
        source.m_course.m_handles[2].WidthLeft = 12.0f;
        source.m_xobjects.Add(XObject("tree_pine.x", Vector3(20.0, -30.0, 0.0), 0.7f, 3.0f, 3.0f));
        source.m_xobjects.Add(XObject("bridge span.x", Vector3(-60.0, 10.0, 0.0), 0.0f, 12.0f, 30.0f));
        ASSERT_TRUE(source.OnSaveDocument(course));
    }
    const std::string png = TempPath("frame.png");
    ASSERT_EQ(Run({"--render", course, "--out", png, "--size", "320x200"}), 0);

    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.width(), 320);
    ASSERT_EQ(image.height(), 200);

    Open(320, 200);
    ASSERT_TRUE(doc.OnOpenDocument(course));
    ASSERT_EQ(doc.m_xobjects.GetSize(), 2);
    Render();
    int differing = 0;
    int lit = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) {
            const QRgb q = image.pixel(x, y);
            const Rgba p = Pixel(x, 199 - y);
            differing += qRed(q) != p[0] || qGreen(q) != p[1] || qBlue(q) != p[2];
            lit += p[0] > 0;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(lit, 1000);   // the map square and the course are really there
}

TEST_F(RenderCommand, MissingCourseFailsWithAMessage)
{
    const std::string png = TempPath("none.png");
    testing::internal::CaptureStderr();
    const int status = Run({"--render", TempPath("no such course.txt"), "--out", png});
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(status, 0);
    EXPECT_NE(err.find("trackwright: "), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(png));
}

// Found by the sanitizer build: the command's view kept its context, and the current-context
// record pointed at the view's device context after the view was gone.
TEST_F(RenderCommand, LeavesNoContextOfItsViewBehind)
{
    const std::string course = TempPath("ring.txt");
    {
        CTrackwrightDoc source;
        source.OnNewDocument();
        ASSERT_TRUE(source.OnSaveDocument(course));
    }
    const std::string args[] = {"trackwright", "--render", course, "--out", TempPath("ring.png")};
    ASSERT_EQ(RunRenderCommand({std::begin(args), std::end(args)}, app.m_appDir), 0);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(wglGetCurrentDC(), nullptr);
    m_gl.MakeCurrent();
}

}  // namespace

// `--render`: its failures (the window test checks that its PNG is the window's picture).
#include "ViewScene.h"

#include "app/RenderCommand.h"
#include "framework/Wgl.h"


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

TEST_F(RenderCommand, BadCommandLinesFailWithAMessageAndWriteNothing)
{
    const std::string course = TempPath("bad.txt"), png = TempPath("none.png");
    {
        CTrackwrightDoc source;
        source.OnNewDocument();
        ASSERT_TRUE(source.OnSaveDocument(course));
    }
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"--render", TempPath("no such course.txt"), "--out", png}, 1, "ファイルの読み込みに失敗しました"},
        {{"--render", course, "--out", TempPath("no such folder") + "/x.png"}, 1, "cannot write"},
        {{"--render", course}, 2, "usage: "},
        {{"--render", course, "--out", png, "--size"}, 2, "unexpected argument \"--size\""},
        {{"--render", course, "--out", png, "--bogus", "1"}, 2, "unexpected argument \"--bogus\""},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(Run(c.args), c.status) << c.args.back();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
    }
    for (const char* size : {"0x5", "5x0", "16385x2", "12", "-1x5", "5x", "x5", "5x5x", "axb", "5 x5"}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(Run({"--render", course, "--out", png, "--size", size}), 2) << size;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("bad size"), std::string::npos) << size;
    }
    EXPECT_FALSE(std::filesystem::exists(png));
    EXPECT_TRUE(IsRenderCommand({"trackwright", "--out", "x", "--render"}));
    EXPECT_FALSE(IsRenderCommand({"--render", "course.crs"}));   // the program's own name is no option
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

// `--render`: its failures (the window test checks that its PNG is the window's picture).
#include "app/RenderCommand.h"
#include "support/BmpWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(RenderCommand, BadCommandLinesFailWithAMessageAndWriteNothing)
{
    const auto run = [](std::vector<std::string> args) {   // the exit status and what went to stderr
        args.insert(args.begin(), "trackwright");
        testing::internal::CaptureStderr();
        const int status = RunRenderCommand(args, std::string(TW_SOURCE_DIR) + "/res/");
        return std::pair(status, testing::internal::GetCapturedStderr());
    };
    const std::string course = WriteTempFile("ring.crs", {'4'}), png = course + ".png", none = course + ".none";
    const struct { std::vector<std::string> args; int status; const char* message; } cases[] = {
        {{"--render", none, "--out", png}, 1, "ファイルの読み込みに失敗しました"},
        {{"--render", course, "--out", none + "/x.png"}, 1, "cannot write"},
        {{"--render", course}, 2, "usage: "},
        {{"--render", course, "--out", png, "--size"}, 2, "unexpected argument \"--size\""},
        {{"--render", course, "--out", png, "--bogus", "1"}, 2, "unexpected argument \"--bogus\""},
        {{"--render", course, "--out", png, "--drive", "0"}, 2, "bad control point \"0\""},
    };
    for (const auto& c : cases) {
        const auto [status, err] = run(c.args);
        EXPECT_EQ(status, c.status) << c.args.back();
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
    }
    for (const char* size : {"0x5", "5x0", "16385x2", "12", "-1x5", "x5", "5x5x", "axb"}) {
        const auto [status, err] = run({"--render", course, "--out", png, "--size", size});
        EXPECT_TRUE(status == 2 && err.find("bad size") != std::string::npos) << size << ": " << err;
    }
    EXPECT_FALSE(std::filesystem::exists(png));
    EXPECT_FALSE(IsRenderCommand({"--render", "course.crs"}));   // the program's own name is no option
}

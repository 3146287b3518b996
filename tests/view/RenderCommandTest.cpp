// `--render`: its failures (the window test checks that its PNG is the window's picture), and
// `--thumbnail`: the picture's aspect and framing, and the files it refuses.
#include "app/RenderCommand.h"
#include "res/TrackwrightResources.h"
#include "support/BmpWriter.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The exit status and what went to stderr.
std::pair<int, std::string> RunRender(std::vector<std::string> args)
{
    args.insert(args.begin(), "trackwright");
    // The program's texts, which its application object installs before it reads the command line.
    AfxSetResources(&TrackwrightResources());
    testing::internal::CaptureStderr();
    const int status = RunRenderCommand(args, std::string(TW_SOURCE_DIR) + "/res/");
    return std::pair(status, testing::internal::GetCapturedStderr());
}

// A closed course of four handles on an ellipse of half axes rx, ry, road width 5 each side;
// its height map (a path the thumbnail must never open) is `map`.
std::string EllipseCourse(const char* name, double rx, double ry, const std::string& map)
{
    const double k = 1.7;   // tangent length per half axis: near an ellipse
    const double h[4][6] = {{rx, 0, 0, k * ry, 0, -k * ry}, {0, ry, -k * rx, 0, k * rx, 0},
                            {-rx, 0, 0, -k * ry, 0, k * ry}, {0, -ry, k * rx, 0, -k * rx, 0}};
    std::string text = "#CourseData : NumOfHandle HandleData... TexLuminance\r\n4\r\n";
    for (const auto& r : h) {
        for (const double v : r)
            text += std::to_string(v) + " ";
        text += "5 5\r\n";
    }
    text += "0.5\r\n\"" + map + "\"\r\nnone\r\n0\r\n0\r\n";
    return WriteTempFile(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace

// Bad command lines, and what a thumbnail refuses, quickly: files that are no course of a reasonable
// size, and courses with nothing to draw.
TEST(RenderCommand, BadCommandLinesAndFilesThatAreNoCourseFailWithAMessageAndWriteNothing)
{
    const std::string course = WriteTempFile("ring.crs", {'4'});
    const std::string png = course + ".png";
    const std::string none = course + ".none";
    const std::string big = WriteTempFile("big.crs", {'4'});
    std::filesystem::resize_file(big, kMaxThumbnailCourseBytes + 1);   // sparse: nothing written
    const std::string dir = ::testing::TempDir() + "tw_thumbnail_dir.crs";
    std::filesystem::create_directories(dir);
    const auto thumbnail = [&png](const std::string& path) {
        return std::vector<std::string>{"--render", path, "--out", png, "--thumbnail", "128"};
    };
    const struct { std::vector<std::string> args; int status; const char* message; } cases[] = {
        {{"--render", none, "--out", png}, 1, "ファイルの読み込みに失敗しました"},
        {{"--render", course, "--out", none + "/x.png"}, 1, "cannot write"},
        {{"--render", course}, 2, "usage: "},
        {{"--render", course, "--out", png, "--size"}, 2, "unexpected argument \"--size\""},
        {{"--render", course, "--out", png, "--bogus", "1"}, 2, "unexpected argument \"--bogus\""},
        {{"--render", course, "--out", png, "--thumbnail", "0"}, 2, "bad thumbnail size \"0\""},
        {{"--render", course, "--out", png, "--thumbnail", "2049"}, 2, "bad thumbnail size"},
        {{"--render", course, "--out", png, "--thumbnail", "12x12"}, 2, "bad thumbnail size"},
        {{"--render", course, "--out", png, "--size", "5x5", "--thumbnail", "5"}, 2, "usage: "},
        {{"--render", course, "--out", png, "--drive", "0"}, 2, "bad control point \"0\""},
        {{"--render", course, "--out", png, "--preview", "--thumbnail", "64"}, 2, "usage: "},
        {thumbnail(big), 1, "at most 16 MiB"},
        {thumbnail(dir), 1, "no readable course file"},
        {thumbnail("/dev/zero"), 1, "no readable course file"},
        {thumbnail(WriteTempFile("empty.crs", {'0'})), 1, "nothing to draw"},
        {thumbnail(WriteTempFile("binary.crs", {0x89, 'P', 'N', 'G', 0, 0xff, 0xfe, 7})), 1, "nothing to draw"},
        {thumbnail(EllipseCourse("nan.crs", NAN, NAN, "none")), 1, "nothing to draw"},
        {thumbnail(WriteTempFile("point.crs", {'1', '0', '0'})), 1, "nothing to draw"},   // zero handles on a point
        {thumbnail(WriteTempFile("count.crs", {'9', '9', '9', '9', '9', '9', '9'})), 1, "more than 10000"},
    };
    for (const auto& c : cases) {
        const auto [status, err] = RunRender(c.args);
        EXPECT_EQ(status, c.status) << c.args[1] << " " << c.args.back();
        EXPECT_NE(err.find(c.message), std::string::npos) << c.args[1] << ": " << err;
    }
    std::filesystem::remove(big);
    for (const char* size : {"0x5", "5x0", "16385x2", "12", "-1x5", "x5", "5x5x", "axb"}) {
        const auto [status, err] = RunRender({"--render", course, "--out", png, "--size", size});
        EXPECT_TRUE(status == 2 && err.find("bad size") != std::string::npos) << size << ": " << err;
    }
    EXPECT_FALSE(std::filesystem::exists(png));
    EXPECT_FALSE(IsRenderCommand({"--render", "course.crs"}));   // the program's own name is no option
    EXPECT_TRUE(IsThumbnailCommand({"tw", "--render", "c.crs", "--out", "c.png", "--thumbnail", "9"}));
    EXPECT_FALSE(IsThumbnailCommand({"tw", "--thumbnail", "9", "c.crs"}));   // the editor refuses it
}

// The program bounds a thumbnail's process; a limit already lower stays. Run in a child
// process, which the alarm and the limits would otherwise outlive the test in.
static int ThumbnailLimitsStatus()
{
    const rlimit lowCpu{3, RLIM_INFINITY};
    setrlimit(RLIMIT_CPU, &lowCpu);
    const bool set = LimitThumbnailProcess();
    const unsigned pending = alarm(0);
    rlimit as{};
    rlimit cpu{};
    rlimit core{};
    getrlimit(RLIMIT_AS, &as);
    getrlimit(RLIMIT_CPU, &cpu);
    getrlimit(RLIMIT_CORE, &core);
    const bool right = set && pending == kThumbnailSeconds && as.rlim_cur == rlim_t{kThumbnailMemoryMiB} << 20 &&
                       cpu.rlim_cur == 3 && core.rlim_cur == 0;
    return right ? 0 : 1;
}

TEST(RenderCommand, ThumbnailLimitsOnlyLowerTheProcessLimits)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");   // a fresh process: the GL's threads are not forked
    // _exit: no exit handlers (a leak check among them) run under the lowered limits.
    EXPECT_EXIT(_exit(ThumbnailLimitsStatus()), testing::ExitedWithCode(0), "");
}

// A thumbnail is as wide or as tall as asked, in the aspect of the course, which fills it
// up to the share 全体表示 leaves free; a map path naming a FIFO holds nothing up.
TEST(RenderCommand, ThumbnailKeepsTheAspectAndCropsTheEmptyMargin)
{
    const std::string fifo = ::testing::TempDir() + "tw_thumbnail_map.fifo";
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Sides from the extent of the borders (half axes plus the road), e.g. 256 * 110 / 410.
    const struct { const char* name; std::string course; const char* side; int width, height; } cases[] = {
        {"wide", EllipseCourse("wide.crs", 200, 50, fifo), "256", 256, 69},
        {"tall", EllipseCourse("tall.crs", 30, 120, fifo), "128", 36, 128},
        {"sample", std::string(TW_SOURCE_DIR) + "/samples/hills.crs", "96", 96, 96},
    };
    for (const auto& c : cases) {
        const std::string png = ::testing::TempDir() + "tw_thumbnail_" + c.name + ".png";
        const auto [status, err] = RunRender({"--render", c.course, "--out", png, "--thumbnail", c.side});
        ASSERT_EQ(status, 0) << c.name << ": " << err;
        const QImage image(QString::fromStdString(png));
        EXPECT_NEAR(image.width(), c.width, 2) << c.name;
        EXPECT_NEAR(image.height(), c.height, 2) << c.name;
        // The lit pixels reach to within a tenth of every edge: no empty margin beyond that.
        int x0 = image.width();
        int y0 = image.height();
        int x1 = -1;
        int y1 = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) > 64) {
                    x0 = std::min(x0, x);
                    x1 = std::max(x1, x);
                    y0 = std::min(y0, y);
                    y1 = std::max(y1, y);
                }
            }
        }
        EXPECT_LE(x0, image.width() / 10) << c.name;
        EXPECT_GE(x1, image.width() - 1 - image.width() / 10) << c.name;
        EXPECT_LE(y0, image.height() / 10) << c.name;
        EXPECT_GE(y1, image.height() - 1 - image.height() / 10) << c.name;
        EXPECT_TRUE(x0 > 0 && y0 > 0 && x1 < image.width() - 1 && y1 < image.height() - 1) << c.name;
    }
    std::filesystem::remove(fifo);
}

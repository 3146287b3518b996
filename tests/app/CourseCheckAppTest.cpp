// `--check` run as the program without a display, and the check panel on the test back end.
#include "AppRun.h"
#include "support/BmpWriter.h"
#include "support/Handles.h"

#include "file/CourseFile.h"
#include "file/FileReplace.h"
#include "res/Resource.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <sys/wait.h>

namespace {

// A closed course through the given points, tangents along the chords, 5 units of road a side.
StoredCourse CourseThrough(const std::vector<std::array<float, 2>>& points)
{
    StoredCourse c;
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto& prev = points[(i + n - 1) % n];
        const auto& next = points[(i + 1) % n];
        const float tx = (next[0] - prev[0]) / 2;
        const float ty = (next[1] - prev[1]) / 2;
        c.handles.Add(MakeHandle(points[i][0], points[i][1], tx, ty, -tx, -ty));
    }
    return c;
}

struct ProgramRun {
    int status;
    std::string out;
    std::string err;
};

ProgramRun RunProgram(const std::string& args)
{
    const std::string errFile = ::testing::TempDir() + "/check_stderr.txt";
    // No display at all: the command must not need one.
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none '" TW_PROGRAM "' " + args + " 2>'" + errFile + "'";
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const std::vector<std::uint8_t> err = ReadWholeFile(errFile);
    run.err.assign(err.begin(), err.end());
    return run;
}

std::string Write(const std::string& name, const StoredCourse& course)
{
    const std::string path = ::testing::TempDir() + "/" + name;
    EXPECT_TRUE(ReplaceFileContents(path, CourseFileText(course)));
    return path;
}

TEST(CourseCheckCommand, PrintsOneLinePerFindingAndExitsByWhatItFound)
{
    // A square whose corners cut across: spans 0 and 2 cross in the middle.
    StoredCourse bowTie = CourseThrough({{-50, -50}, {50, 50}, {50, -50}, {-50, 50}});
    bowTie.xobjects.Add(XObject("tree\x1b[31m.x", Vector3(50, 50, 0), 0.0f, 2.0f, 2.0f));
    const std::string crossing = Write("bow tie.crs", bowTie);
    StoredCourse square = CourseThrough({{-50, -50}, {50, -50}, {50, 50}, {-50, 50}});
    const std::string clean = Write("square.crs", square);
    square.handles[1].WidthLeft = NAN;
    const std::string notANumber = Write("nan.crs", square);

    const ProgramRun found = RunProgram("--check '" + crossing + "'");
    EXPECT_EQ(found.status, 1) << found.err;
    EXPECT_EQ(found.out, crossing + ":handle 0: crossing: コントロールポイント 2 からの区間と交差しています\n" +
                             crossing + ":object 0: overlap: Xオブジェクト (tree?[31m.x) の敷地がコースの路面に重なっています\n" +
                             crossing + ": 指摘 2 件、中心線の長さ 501.01\n");
    const ProgramRun none = RunProgram("--check '" + clean + "'");
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.out, clean + ": 指摘 0 件、中心線の長さ 420.26\n");
    const ProgramRun value = RunProgram("--check '" + notANumber + "'");
    EXPECT_EQ(value.status, 1);
    EXPECT_EQ(value.out.substr(0, value.out.find('\n')), notANumber + ":handle 1: value: 幅 左が有限の数ではありません");

    // Unreadable: the window's message on stderr, nothing on stdout.
    for (const std::string& bad : {::testing::TempDir() + "/missing.crs", ::testing::TempDir()}) {
        const ProgramRun unread = RunProgram("--check '" + bad + "'");
        EXPECT_EQ(unread.status, 2);
        EXPECT_EQ(unread.out, "");
        EXPECT_EQ(unread.err, "trackwright: " + bad + "ファイルの読み込みに失敗しました\n");
    }
    EXPECT_EQ(RunProgram("--check").status, 2);
    EXPECT_EQ(RunProgram("--check a b").status, 2);
    EXPECT_NE(RunProgram("--help").out.find("trackwright --check COURSE"), std::string::npos);
}

using CheckPanel = AppRun;

// The panel lists what the check finds; choosing a finding centres the view on it and selects
// its part; an edit there (DEL on the chosen object) shows in the list at the next idle moment.
TEST_F(CheckPanel, ChoosingAFindingSelectsItsPartAndTheListFollowsEdits)
{
    StoredCourse bowTie = CourseThrough({{-50, -50}, {50, 50}, {50, -50}, {-50, 50}});
    bowTie.xobjects.Add(XObject("tree_pine.x", Vector3(150, 150, 0), 0.0f, 2.0f, 2.0f));
    bowTie.xobjects.Add(XObject("tree_oak.x", Vector3(62, 0, 0), 0.0f, 2.0f, 2.0f));
    Start({"trackwright", Write("panel.crs", bowTie)});
    EXPECT_TRUE(Command(ID_VIEW_CHECK));
    const TestListPanelHost& panel = backend.panelHost;
    ASSERT_TRUE(panel.visible);
    EXPECT_EQ(panel.caption, "コースの検査");
    EXPECT_EQ(panel.columns, (std::vector<std::string>{"種類", "場所", "内容"}));
    EXPECT_EQ(panel.text, "中心線 501.01  境界線 左 501.07 右 501.07\n最小半径 5.06 (コントロールポイント 1 の区間)\n"
                          "コントロールポイント 4 個  Xオブジェクト 2 個");
    ASSERT_EQ(panel.rows, (std::vector<std::vector<std::string>>{
        {"交差", "コントロールポイント 0", "コントロールポイント 2 からの区間と交差しています"},
        {"重なり", "Xオブジェクト 1", "Xオブジェクト (tree_oak.x) の敷地がコースの路面に重なっています"}}));

    app.m_pCheckPanel->OnRowChosen(0);
    EXPECT_EQ(View().GetEditInput()->Selection().handles, std::vector<int>{0});
    EXPECT_TRUE(View().GetEditInput()->Selection().objects.empty());
    EXPECT_NEAR(View().m_vCamera.x, 0.0f, 1e-3f);
    EXPECT_NEAR(View().m_vCamera.y, 0.0f, 1e-3f);
    app.m_pCheckPanel->OnRowChosen(1);
    EXPECT_TRUE(View().GetEditInput()->Selection().handles.empty());
    EXPECT_EQ(View().GetEditInput()->Selection().objects, std::vector<int>{1});
    EXPECT_EQ(std::pair(View().m_vCamera.x, View().m_vCamera.y), std::pair(62.0f, 0.0f));
    app.m_pCheckPanel->OnRowChosen(2);   // past the list: nothing changes
    EXPECT_EQ(View().GetEditInput()->Selection().objects, std::vector<int>{1});

    // The chosen object lies under the middle of the view.
    backend.viewHost.cursor = CPoint(400, 300);
    View().OnKeyDown(VK_DELETE, 1, 0);
    ASSERT_EQ(Doc().m_xobjects.GetSize(), 1);
    EXPECT_EQ(panel.rows.size(), 2u);
    app.OnIdle();
    EXPECT_EQ(panel.rows.size(), 1u);
    EXPECT_EQ(panel.rows[0][0], "交差");
    EXPECT_FALSE(app.m_pCheckPanel->Follow());   // nothing changed since
}

}  // namespace

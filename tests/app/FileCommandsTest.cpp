#include "AppRun.h"

#include "framework/CRecentFileList.h"
#include "res/Resource.h"

#include <filesystem>
#include <tuple>
#include <unistd.h>

namespace {

using FileCommands = AppRun;

const char* const kReadFailure = "ファイルの読み込みに失敗しました";

TEST_F(FileCommands, UnreadableFileOnTheCommandLineEndsTheProgram)
{
    const std::string missing = TempPath("missing.course");
    app.SetCommandLine({"trackwright", missing});
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(backend.MessageTexts(), std::vector<std::string>{missing + kReadFailure});
    EXPECT_EQ(app.GetDocTemplate()->GetDocument(), nullptr);
}

TEST_F(FileCommands, FailedOpenKeepsTheCourseAndItsState)
{
    Start();
    const std::string missing = TempPath("missing.course");
    backend.fileAnswers = {missing};
    Command(ID_FILE_OPEN);
    EXPECT_EQ(backend.MessageTexts(), std::vector<std::string>{missing + kReadFailure});
    EXPECT_EQ(HandleCount(), 4);
    EXPECT_EQ(Title(), "無題 - Trackwright");
    EXPECT_EQ(app.GetRecentFileList()->GetCount(), 0);

    // After discarding the edit in the prompt, the failed open still keeps it, marked.
    DeleteFirstHandle();
    backend.messageAnswers = {IDNO};
    backend.fileAnswers = {missing};
    Command(ID_FILE_OPEN);
    EXPECT_EQ(std::pair(HandleCount(), Doc().IsModified()), std::pair(3, true));
}

TEST_F(FileCommands, SaveAsksForAPathOnlyWhenUntitledAndAlwaysWrites)
{
    Start();
    Command(ID_FILE_SAVE);   // the file dialog is cancelled
    EXPECT_EQ(std::pair(Doc().GetPathName(), Title()), std::pair(std::string(), std::string("無題 - Trackwright")));

    const std::string path = TempPath("course.txt");
    backend.fileAnswers = {path};
    Command(ID_FILE_SAVE);
    EXPECT_EQ(std::pair(Doc().GetPathName(), Title()), std::pair(path, std::string("course.txt - Trackwright")));

    // Unmodified, with a path: Save writes again without asking.
    std::filesystem::remove(path);
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(std::filesystem::exists(path));

    const std::string copy = TempPath("copy.txt");
    backend.fileAnswers = {copy};
    Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(std::filesystem::exists(copy) && backend.messages.empty());
    EXPECT_EQ(Doc().GetPathName(), copy);
}

TEST_F(FileCommands, RecentFilesKeepNineInTheProfileNewestFirst)
{
    backend.profile["Recent File List/File1"] = "/earlier/one.course";
    Start();
    ASSERT_EQ(app.GetRecentFileList()->GetCount(), 1);
    std::vector<std::string> paths;
    for (int i = 0; i < 10; ++i) {
        paths.push_back(TempPath("c" + std::to_string(i) + ".course"));
        backend.fileAnswers = {paths.back()};
        Command(ID_FILE_SAVE_AS);
    }
    const CRecentFileList& list = *app.GetRecentFileList();
    ASSERT_EQ(list.GetCount(), 9);
    EXPECT_EQ(std::pair(list[0], list[8]), std::pair(paths[9], paths[1]));
    EXPECT_EQ(backend.profile["Recent File List/File9"], paths[1]);
    EXPECT_EQ(backend.profile.count("Recent File List/File10"), 0u);
    EXPECT_EQ(list.GetDisplayName(0), "&1 c9.course");
    // The fourth entry opens c6, which moves to the top; the others keep their order.
    Command(ID_FILE_MRU_FILE1 + 3);
    EXPECT_EQ(Doc().GetPathName(), paths[6]);
    EXPECT_EQ(std::tuple(list[0], list[1], list[3]), std::tuple(paths[6], paths[9], paths[7]));
    // An entry whose file has gone reports the failure and leaves the list.
    std::filesystem::remove(paths[2]);
    Command(ID_FILE_MRU_FILE1 + 7);
    EXPECT_EQ(backend.MessageTexts(), std::vector<std::string>{paths[2] + kReadFailure});
    EXPECT_EQ(list.GetCount(), 8);
    EXPECT_EQ(backend.profile["Recent File List/File9"], "");
    EXPECT_EQ(Doc().GetPathName(), paths[6]);
    Command(ID_FILE_MRU_FILE1 + 8);   // past the end: nothing
    EXPECT_EQ(app.ExitInstance(), 0);
}

TEST_F(FileCommands, OpeningTheOpenFileKeepsItsEdits)
{
    const std::string path = TempPath("open.course");
    backend.fileAnswers = {path};
    Start();
    Command(ID_FILE_SAVE);
    DeleteFirstHandle();
    // By another name of the same file too.
    for (const std::string& name : {path, std::filesystem::path(path).parent_path().string() + "/./open.course"}) {
        backend.fileAnswers = {name};
        Command(ID_FILE_OPEN);
        EXPECT_EQ(std::tuple(HandleCount(), Doc().IsModified(), Title()),
                  std::tuple(3, true, std::string("open.course* - Trackwright")));
    }
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_EQ((*app.GetRecentFileList())[0], path);
}

TEST_F(FileCommands, CommandLineOptions)
{
    // args, help, version, error, file; a relative file is made absolute for messages and the recent list.
    const std::tuple<std::vector<std::string>, bool, bool, std::string, std::string> cases[] = {
        {{"tw", "--help"}, true, false, "", ""}, {{"tw", "-h", "--version"}, true, true, "", ""},
        {{"tw", "-x", "a.crs", "b.crs"}, false, false, "-x", "a.crs"}, {{"tw", "--", "-named.crs"}, false, false, "", "-named.crs"},
        {{"tw", "--"}, false, false, "", ""}, {{"tw", "-"}, false, false, "", "-"}};
    for (const auto& [args, help, version, error, file] : cases) {
        app.SetCommandLine(args);
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        const std::string absolute = file.empty() ? "" : std::filesystem::absolute(file).string();
        EXPECT_EQ(std::tuple(info.m_bShowHelp, info.m_bShowVersion, info.m_strError, info.m_strFileName),
                  std::tuple(help, version, error, absolute)) << args[1];
        EXPECT_EQ(info.m_nShellCommand == CCommandLineInfo::FileOpen, !file.empty()) << args[1];
    }
}

TEST_F(FileCommands, SettingsShowTheCoursesValuesOnOpening)
{
    Start();
    Doc().m_heightMap = "/maps/height map.bmp";
    Doc().m_course.m_texLuminance = 0.25f;
    std::map<UINT, std::string> shown;
    backend.dialogScript = [&shown](CDialog& dlg, TestDialogHost& host) {
        shown = host.items;
        dlg.OnCancel();
    };
    Command(ID_SETTINGS);
    EXPECT_EQ(shown, (std::map<UINT, std::string>{
                         {IDC_HEIGHTMAP, "/maps/height map.bmp"}, {IDC_COLORMAP, ""}, {IDC_LUMINANCE, "0.25"},
                         {IDC_XOBJECT_SCALE, "0.4"}}));
    EXPECT_FALSE(Doc().IsModified());
}

}  // namespace

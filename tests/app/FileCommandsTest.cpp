#include "AppRun.h"

#include "framework/CRecentFileList.h"
#include "res/Resource.h"

#include <tuple>

namespace {

using FileCommands = AppRun;
using SaveChanges = AppRun;

const char* const kReadFailure = "ファイルの読み込みに失敗しました";

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

TEST_F(FileCommands, SaveAsksOnlyForANameAndOpeningTheOpenFileKeepsItsEdits)
{
    Start();
    Command(ID_FILE_SAVE);   // untitled: the file dialog is cancelled
    EXPECT_EQ(std::pair(Doc().GetPathName(), Title()), std::pair(std::string(), std::string("無題 - Trackwright")));
    const std::string path = TempPath("open.course");
    backend.fileAnswers = {path};
    Command(ID_FILE_SAVE);
    // Unmodified, with a path: Save writes again without asking.
    std::filesystem::remove(path);
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(std::filesystem::exists(path));

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
    // A file that cannot be read ends the program, saying so.
    const std::string missing = TempPath("missing.course");
    app.SetCommandLine({"trackwright", missing});
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(backend.MessageTexts(), std::vector<std::string>{missing + kReadFailure});
}

// An edited course is guarded: New and Open ask to save it, and it stays unless it was saved
// or the user discarded it and the other course came in.
TEST_F(SaveChanges, TheEditStaysUnlessSavedOrDiscarded)
{
    Start();
    const std::string saved = TempPath("saved.course"), missing = TempPath("missing.course");
    const std::string unwritable = TempPath("no-such-folder") + "/x.course";
    // The answer to the question, the file dialogs' answers (none: cancelled), the command; whether
    // the edit stays, and the message after the question.
    const std::tuple<int, std::deque<std::string>, UINT, bool, std::string> cases[] = {
        {IDCANCEL, {}, ID_FILE_NEW, true, ""},
        {IDYES, {}, ID_FILE_NEW, true, ""},
        {IDYES, {unwritable}, ID_FILE_NEW, true, unwritable + "ファイルの書き込みに失敗しました"},
        {IDNO, {missing}, ID_FILE_OPEN, true, missing + kReadFailure},
        {IDNO, {}, ID_FILE_NEW, false, ""},
        {IDYES, {saved}, ID_FILE_NEW, false, ""},
    };
    for (const auto& [answer, files, command, kept, failure] : cases) {
        SCOPED_TRACE(::testing::Message() << command << " answered " << answer);
        if (!Doc().IsModified())
            DeleteFirstHandle();
        backend.messages.clear();
        backend.messageAnswers = {answer};
        backend.fileAnswers = files;
        Command(command);
        std::vector<std::string> texts = {"無題 への変更を保存しますか?"};
        if (!failure.empty())
            texts.push_back(failure);
        EXPECT_EQ(backend.MessageTexts(), texts);
        EXPECT_EQ(backend.messages[0].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        EXPECT_EQ(std::tuple(HandleCount(), Doc().IsModified(), Title()),
                  std::tuple(kept ? 3 : 4, kept, kept ? "無題* - Trackwright" : "無題 - Trackwright"));
    }
    CTrackwrightDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(saved));
    EXPECT_EQ(reread.m_course.m_handles.GetSize(), 3);
    EXPECT_EQ((*app.GetRecentFileList())[0], saved);
}

}  // namespace

#include "AppRun.h"

#include <fstream>
#include <unistd.h>

namespace {

using FileCommands = AppRun;

const char* const kReadFailure = "ファイルの読み込みに失敗しました";

TEST_F(FileCommands, StartsOnTheFileNamedOnTheCommandLine)
{
    const std::string path = TempPath("start.course");
    {
        CTrackwrightDoc written;
        ASSERT_TRUE(written.OnNewDocument());
        written.m_course.m_handles.SetSize(3);
        ASSERT_TRUE(written.OnSaveDocument(path));
    }
    Start({"trackwright", path});
    EXPECT_EQ(HandleCount(), 3);
    EXPECT_EQ(Title(), "start.course - Trackwright");
    EXPECT_FALSE(Doc().IsModified());
}

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
    EXPECT_EQ(HandleCount(), 3);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(FileCommands, SaveAsksForAPathOnlyWhenUntitledAndAlwaysWrites)
{
    Start();
    Command(ID_FILE_SAVE);   // the file dialog is cancelled
    EXPECT_TRUE(Doc().GetPathName().empty());
    EXPECT_EQ(Title(), "無題 - Trackwright");

    const std::string path = TempPath("course.txt");
    backend.fileAnswers = {path};
    Command(ID_FILE_SAVE);
    EXPECT_EQ(Doc().GetPathName(), path);
    EXPECT_EQ(Title(), "course.txt - Trackwright");

    // Unmodified, with a path: Save writes again without asking.
    std::filesystem::remove(path);
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(std::filesystem::exists(path));

    const std::string copy = TempPath("copy.txt");
    backend.fileAnswers = {copy};
    Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_EQ(Doc().GetPathName(), copy);
    EXPECT_TRUE(backend.messages.empty());
}

}  // namespace

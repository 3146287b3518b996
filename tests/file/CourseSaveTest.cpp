#include "doc/TrackwrightDoc.h"
#include "file/FileReplace.h"

#include "support/TestBackend.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::set<std::string> Entries(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A course large enough that its file outgrows a small size limit.
void FillLarge(CTrackwrightDoc& doc)
{
    ASSERT_TRUE(doc.OnNewDocument());
    for (int i = 0; i < 1000; ++i)
        doc.m_course.m_handles.Add(CourseHandle());
}

const std::string kOld = "old course\r\n";

TEST(CourseSave, FailuresLeaveTheOldFileAlone)
{
    TestBackend backend;
    TempDir dir;
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());

    const std::string inMissingFolder = dir.Path("no such folder/course.crs");
    EXPECT_FALSE(doc.OnSaveDocument(inMissingFolder));
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].text, inMissingFolder + "ファイルの書き込みに失敗しました");
    EXPECT_EQ(backend.messages[0].type, MB_OK);

    // A folder in the place of the file is not replaced.
    fs::create_directory(dir.Path("folder.crs"));
    EXPECT_FALSE(doc.OnSaveDocument(dir.Path("folder.crs")));
    EXPECT_TRUE(fs::is_directory(dir.Path("folder.crs")));
    EXPECT_EQ(backend.messages.size(), 2u);
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"folder.crs"});
}

TEST(CourseSave, FileSizeLimitReachedMidway)
{
    TempDir dir;
    const std::string path = dir.Path("course.crs");
    WriteBytes(path, kOld);
    CTrackwrightDoc doc;
    FillLarge(doc);

    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The kernel cuts the write at 4 KiB; without the signal ignored it would kill us.
        TestBackend backend;
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const BOOL saved = doc.OnSaveDocument(path);
        const bool told = backend.messages.size() == 1 &&
                          backend.messages[0].text == path + "ファイルの書き込みに失敗しました";
        ::_exit(saved ? 1 : told ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save reported success, 2: no message";
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"course.crs"});

    // Without the limit the same course saves.
    TestBackend backend;
    EXPECT_TRUE(doc.OnSaveDocument(path));
    EXPECT_GT(ReadBytes(path).size(), 4096u);

    // The program itself ignores the signal: --render under the limit fails with a message
    // and leaves the old picture whole.
    const std::string png = dir.Path("frame.png");
    auto render = [&](rlim_t limit) {
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const struct rlimit lim = {limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &lim);
            std::freopen(dir.Path("stderr.txt").c_str(), "w", stderr);
            const char* program = TW_BINARY_DIR "/bin/trackwright";
            ::execl(program, program, "--render", path.c_str(), "--out", png.c_str(), nullptr);
            ::_exit(127);
        }
        int st = 0;
        ::waitpid(pid, &st, 0);
        return st;
    };
    ASSERT_EQ(render(RLIM_INFINITY), 0);
    const std::string picture = ReadBytes(png);
    ASSERT_GT(picture.size(), 4096u);
    WriteBytes(png, kOld);
    const int st = render(4096);
    ASSERT_TRUE(WIFEXITED(st)) << "ended by signal " << WTERMSIG(st);
    EXPECT_NE(WEXITSTATUS(st), 0);
    EXPECT_EQ(ReadBytes(png), kOld);
    EXPECT_NE(ReadBytes(dir.Path("stderr.txt")).find("cannot write"), std::string::npos);
    EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"course.crs", "frame.png", "stderr.txt"}));
}

}  // namespace

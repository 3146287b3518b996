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

mode_t ModeOf(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
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

// Writes a little, then fails as a full disk would.
int s_writeCalls = 0;
ssize_t FailOnSecondWrite(int fd, const void* data, std::size_t size)
{
    if (++s_writeCalls > 1) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, data, size < 10 ? size : 10);
}
ssize_t WriteNothing(int, const void*, std::size_t)
{
    return 0;
}
ssize_t InterruptedOnce(int fd, const void* data, std::size_t size)
{
    if (++s_writeCalls == 1) {
        errno = EINTR;
        return -1;
    }
    return ::write(fd, data, size);
}

TEST(CourseSave, WriteFailingMidway)
{
    TempDir dir;
    const std::string path = dir.Path("course.crs");
    WriteBytes(path, kOld);
    const std::string bytes(5000, 'x');

    s_writeCalls = 0;
    EXPECT_FALSE(ReplaceFileContents(path, bytes, &FailOnSecondWrite));
    EXPECT_EQ(s_writeCalls, 2);
    EXPECT_FALSE(ReplaceFileContents(path, bytes, &WriteNothing));
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"course.crs"});

    // An interrupted write is simply repeated.
    s_writeCalls = 0;
    EXPECT_TRUE(ReplaceFileContents(path, bytes, &InterruptedOnce));
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"course.crs"});
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
}

TEST(CourseSave, ThroughSymbolicLinks)
{
    TestBackend backend;
    TempDir dir;
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    fs::create_directory(dir.Path("real"));
    const std::string target = dir.Path("real/course.crs");
    WriteBytes(target, kOld);
    fs::create_symlink("real/course.crs", dir.Path("link.crs"));   // relative
    fs::create_symlink(dir.Path("link.crs"), dir.Path("link2.crs"));   // a chain

    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("link2.crs")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("link.crs")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("link2.crs")));
    const std::string saved = ReadBytes(target);
    EXPECT_NE(saved, kOld);
    EXPECT_EQ(saved.substr(0, 8), "#CourseD");
    EXPECT_EQ(Entries(dir.Path("real")), std::set<std::string>{"course.crs"});

    // A link to a file not made yet makes that file.
    fs::create_symlink("real/new.crs", dir.Path("dangling.crs"));
    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("dangling.crs")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("dangling.crs")));
    EXPECT_EQ(ReadBytes(dir.Path("real/new.crs")), saved);

    // A loop of links cannot be saved to.
    fs::create_symlink("loopB", dir.Path("loopA"));
    fs::create_symlink("loopA", dir.Path("loopB"));
    EXPECT_FALSE(doc.OnSaveDocument(dir.Path("loopA")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("loopA")));
    EXPECT_EQ(backend.messages.size(), 1u);
}

TEST(CourseSave, KeepsPermissions)
{
    TestBackend backend;
    TempDir dir;
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());

    const std::string path = dir.Path("course.crs");
    WriteBytes(path, kOld);
    for (mode_t mode : {0640u, 0600u, 0755u}) {
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(doc.OnSaveDocument(path));
        EXPECT_EQ(ModeOf(path), mode);
    }

    // New files get 0666 less the umask, as fopen would give them.
    const mode_t saved = ::umask(027);
    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("new1.crs")));
    ::umask(022);
    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("new2.crs")));
    ::umask(saved);
    EXPECT_EQ(ModeOf(dir.Path("new1.crs")), 0640u);
    EXPECT_EQ(ModeOf(dir.Path("new2.crs")), 0644u);
    EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"course.crs", "new1.crs", "new2.crs"}));
}

TEST(CourseSave, DevicesAreWrittenNotReplaced)
{
    EXPECT_TRUE(ReplaceFileContents("/dev/null", "bytes"));
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

}  // namespace

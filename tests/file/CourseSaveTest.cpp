#include "doc/TrackwrightDoc.h"
#include "file/FileReplace.h"

#include "support/TestBackend.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <algorithm>
#include <functional>
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

// The replacement contract, case by case: what the path names, how the writes go, and what the
// folder holds afterwards (only the named file: no temporary is ever left behind).
TEST(ReplaceFileContents, OldOrNewContentsNeverAMix)
{
    TempDir dir;
    static int calls;
    const WriteChunkFn failSecond = [](int fd, const void* p, std::size_t n) -> ssize_t {
        return ++calls == 2 ? (errno = EIO, -1) : ::write(fd, p, std::min<std::size_t>(n, 3));
    };
    const WriteChunkFn interrupted = [](int fd, const void* p, std::size_t n) -> ssize_t {
        return ++calls == 1 ? (errno = EINTR, -1) : ::write(fd, p, n);
    };
    const WriteChunkFn writesNothing = [](int, const void*, std::size_t) -> ssize_t { return 0; };
    const struct {
        const char* what;
        std::function<std::string()> setup;   // the path to replace
        WriteChunkFn write;
        bool ok;
        std::string target;   // the file that ends with the new or the old contents
    } cases[] = {
        {"a new file", [&] { return dir.Path("new.crs"); }, nullptr, true, "new.crs"},
        {"an existing file keeps its mode", [&] {
             WriteBytes(dir.Path("mode.crs"), kOld);
             ::chmod(dir.Path("mode.crs").c_str(), 0640);
             return dir.Path("mode.crs");
         }, nullptr, true, "mode.crs"},
        {"a link chain is followed", [&] {
             WriteBytes(dir.Path("real.crs"), kOld);
             fs::create_symlink("real.crs", dir.Path("link1"));
             fs::create_symlink(dir.Path("link1"), dir.Path("link2"));
             return dir.Path("link2");
         }, nullptr, true, "real.crs"},
        {"a dangling link creates its target", [&] {
             fs::create_symlink("made.crs", dir.Path("dangling"));
             return dir.Path("dangling");
         }, nullptr, true, "made.crs"},
        {"a link loop", [&] {
             fs::create_symlink("loopB", dir.Path("loopA"));
             fs::create_symlink("loopA", dir.Path("loopB"));
             return dir.Path("loopA");
         }, nullptr, false, ""},
        {"a write failing midway", [&] { WriteBytes(dir.Path("fail.crs"), kOld); return dir.Path("fail.crs"); },
         failSecond, false, "fail.crs"},
        {"a write that makes no progress", [&] { WriteBytes(dir.Path("zero.crs"), kOld); return dir.Path("zero.crs"); },
         writesNothing, false, "zero.crs"},
        {"an interrupted write goes on", [&] { return dir.Path("eintr.crs"); }, interrupted, true, "eintr.crs"},
        {"no path", [] { return std::string(); }, nullptr, false, ""},
    };
    const std::string bytes = "new contents, several chunks long\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        calls = 0;
        const std::string path = c.setup();
        std::set<std::string> before = Entries(dir.Path());
        before.insert(c.target);
        before.erase("");
        EXPECT_EQ(ReplaceFileContents(path, bytes, c.write), c.ok);
        if (!c.target.empty())
            EXPECT_EQ(ReadBytes(dir.Path(c.target)), c.ok ? bytes : kOld);
        EXPECT_EQ(Entries(dir.Path()), before);
    }
    EXPECT_EQ(fs::status(dir.Path("mode.crs")).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_TRUE(fs::is_symlink(dir.Path("link2")));
    EXPECT_FALSE(ReplaceFileContents("/dev/null", bytes));   // not a regular file: refused untouched
}

}  // namespace

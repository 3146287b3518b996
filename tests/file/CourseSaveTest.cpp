#include "file/FileReplace.h"
#include "TempDir.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>
#include <sys/stat.h>
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

const std::string kOld = "old course\r\n";


// Old or new contents, never a mix, and no temporary left behind, whatever the path names or the writes do.
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
    const auto existing = [&dir](const char* name) { WriteBytes(dir.Path(name), kOld); return dir.Path(name); };
    const auto link = [&dir](const std::string& target, const char* name) {
        fs::create_symlink(target, dir.Path(name));
        return dir.Path(name);
    };
    const struct {
        const char* what;
        std::function<std::string()> setup;   // the path to replace
        WriteChunkFn write;
        bool ok;
        std::string target;   // the file that ends with the new or the old contents
    } cases[] = {
        {"a new file", [&] { return dir.Path("new.crs"); }, nullptr, true, "new.crs"},
        {"an existing file keeps its mode", [&] {
             ::chmod(existing("mode.crs").c_str(), 0640);
             return dir.Path("mode.crs");
         }, nullptr, true, "mode.crs"},
        {"a link chain is followed", [&] { return link(link(existing("real.crs"), "link1"), "link2"); }, nullptr, true,
         "real.crs"},
        {"a dangling link creates its target", [&] { return link("made.crs", "dangling"); }, nullptr, true, "made.crs"},
        {"a link loop", [&] { return link("loopB", "loopA"), link("loopA", "loopB"), dir.Path("loopA"); }, nullptr, false, ""},
        {"a write failing midway", [&] { return existing("fail.crs"); }, failSecond, false, "fail.crs"},
        {"a write that makes no progress", [&] { return existing("zero.crs"); }, writesNothing, false, "zero.crs"},
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
        if (!c.target.empty()) {
            EXPECT_EQ(ReadBytes(dir.Path(c.target)), c.ok ? bytes : kOld);
        }
        EXPECT_EQ(Entries(dir.Path()), before);
    }
    EXPECT_EQ(fs::status(dir.Path("mode.crs")).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_TRUE(fs::is_symlink(dir.Path("link2")));
    EXPECT_FALSE(ReplaceFileContents("/dev/null", bytes));   // not a regular file: refused untouched
}

}  // namespace

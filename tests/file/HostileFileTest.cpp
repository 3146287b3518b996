// Paths naming no ordinary file: every reader refuses them without blocking or reading, Save too. A file
// is replaced by its new contents whole or not at all.
#include "file/MapImage.h"
#include "doc/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/FileReplace.h"
#include "file/RegularFile.h"
#include "file/Tokenizer.h"
#include "framework/Resources.h"
#include "overlay/TgaImage.h"
#include "res/TrackwrightResources.h"
#include "view/XObjectCatalogue.h"

#include "support/BmpWriter.h"
#include "support/TestBackend.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include <sys/fsuid.h>
#include <sys/resource.h>
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
        return fs::create_symlink(target, dir.Path(name)), dir.Path(name); };
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
        {"a link loop", [&] { return link("loopB", "loopA"), link("loopA", "loopB"), dir.Path("loopA"); }, nullptr,
         false, ""},
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


// Root passes every permission check: while this lives, files are checked as nobody's.
struct AsNobodyOnFiles {
    AsNobodyOnFiles() { Set(65534); }
    ~AsNobodyOnFiles() { Set(0); }
    static void Set(unsigned id)
    {
        if (::geteuid() == 0) {
            ::setfsgid(id);
            ::setfsuid(id);
        }
    }
};

// A writable course in a folder where no temporary file can be made is written in place,
// its old contents kept in the recovery folder until every byte is on the disk; the status
// bar says so. A write failing midway leaves that copy and names it.
TEST(ReplaceFileContents, AFolderThatTakesNoNewFileIsWrittenInPlaceAfterACopy)
{
    AfxSetResources(&TrackwrightResources());
    TempDir dir;
    const std::string folder = dir.Path("readonly");
    const std::string course = folder + "/course.crs";
    const std::string copies = dir.Path("state/trackwright");
    fs::create_directories(copies);
    fs::create_directory(folder);
    ::chmod(dir.Path().c_str(), 0755);
    ::chmod(copies.c_str(), 0777);
    setenv("XDG_STATE_HOME", dir.Path("state").c_str(), 1);
    const auto oneFileLeft = [&] { return std::distance(fs::directory_iterator(copies), {}) == 1; };
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    const std::string text = CourseFileText(doc.StoredFields());
    const struct {
        const char* what;
        mode_t courseMode;
        rlim_t sizeLimit;
        bool saved;
        std::string said;   // the status line, or the message box
        std::string after;  // the course's contents
        bool copyLeft;
    } rows[] = {
        {"written in place, no copy left", 0666, RLIM_INFINITY, true,
         "フォルダに一時ファイルを作れないため、ファイルに直接書き込んで保存しました: " + course, text, false},
        {"a write failing midway names the copy", 0666, 100, false,
         course + "ファイルの書き込みに失敗しました\n元の内容はここに残してあります: ", text.substr(0, 100), true},
        {"a read-only course stays as it was", 0444, RLIM_INFINITY, false, course + "ファイルの書き込みに失敗しました",
         kOld, false},
    };
    ::signal(SIGXFSZ, SIG_IGN);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TestBackend backend;
        fs::remove_all(copies);
        fs::create_directory(copies);
        ::chmod(copies.c_str(), 0777);
        ::chmod(folder.c_str(), 0755);
        WriteBytes(course, kOld);
        ::chmod(course.c_str(), row.courseMode);
        ::chmod(folder.c_str(), 0555);
        rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = row.sizeLimit;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        {
            AsNobodyOnFiles nobody;
            EXPECT_EQ(doc.OnSaveDocument(course) != FALSE, row.saved);
        }
        ::setrlimit(RLIMIT_FSIZE, &old);
        const std::string said = row.saved ? backend.statusText : backend.MessageTexts().at(0);
        const std::string copy = row.copyLeft && oneFileLeft() ? fs::directory_iterator(copies)->path().string() : "";
        EXPECT_EQ(said, row.said + copy);
        EXPECT_EQ(ReadBytes(course), row.after);
        EXPECT_EQ(Entries(folder), std::set<std::string>{"course.crs"});
        EXPECT_EQ(std::distance(fs::directory_iterator(copies), {}), row.copyLeft ? 1 : 0);
        if (!copy.empty()) {
            EXPECT_EQ(ReadBytes(copy), kOld);
        }
    }
    ::signal(SIGXFSZ, SIG_DFL);
    ::chmod(folder.c_str(), 0755);
    unsetenv("XDG_STATE_HOME");

    // The seam: the copy stays when the write fails midway; a FIFO is refused without blocking.
    static int calls;
    const WriteChunkFn failSecond = [](int fd, const void* p, std::size_t n) -> ssize_t {
        return ++calls == 2 ? (errno = EIO, -1) : ::write(fd, p, std::min<std::size_t>(n, 3));
    };
    ::chmod(course.c_str(), 0644);
    WriteBytes(course, kOld);
    EXPECT_FALSE(OverwriteFileInPlace(course, text, dir.Path("copy"), failSecond));
    EXPECT_EQ(std::pair(ReadBytes(course), ReadBytes(dir.Path("copy"))), std::pair(text.substr(0, 3) + kOld.substr(3), kOld));
    ASSERT_EQ(::mkfifo(dir.Path("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(OverwriteFileInPlace(dir.Path("fifo"), text, dir.Path("fifo copy")));
    EXPECT_FALSE(fs::exists(dir.Path("fifo copy")));
}

TEST(HostileFiles, EveryReaderTakesOnlyRegularFilesWithinItsLimit)
{
    // A FIFO with no writer once hung the open: a hang now fails this process, not the suite.
    ::alarm(30);
    TestBackend backend;
    TempDir dir;
    const std::string fifo = dir.Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(dir.Path("folder"));
    const std::string good = WriteTempFile("good.bmp", MakeBmp(BmpLayout(), {1, 2, 3, 0}));
    const struct {
        const char* name;
        std::uint64_t limit;
        std::function<bool(const std::string&)> read;   // true when the file was taken
    } readers[] = {
        {"course", kMaxCourseFileBytes,
         [](const std::string& p) { return CTrackwrightDoc().OnOpenDocument(p) != FALSE; }},
        {"catalogue", kMaxCatalogueFileBytes,
         [](const std::string& p) { std::string text; return ReadTextFile(p, kMaxCatalogueFileBytes, text); }},
        {"font", kMaxTgaFileBytes, [](const std::string& p) {
             TgaImage image;
             const bool read = image.Load(p.c_str()) != TGA_ERR_OPEN;
             image.ReleasePixels();
             return read;
         }},
        {"map", kMaxMapFileBytes, [](const std::string& p) { MapImageInfo info; return ReadBmp(p, info) != nullptr; }},
        {"settings check", kMaxMapFileBytes,
         [](const std::string& p) { return IsReadableRegularFile(p, kMaxMapFileBytes); }},
    };
    for (const auto& r : readers) {
        SCOPED_TRACE(r.name);
        EXPECT_TRUE(r.read(good));
        // One byte over the limit, sparse: refused from its size alone, nothing allocated.
        const std::string over = dir.Path(std::string(r.name) + ".over");
        WriteBytes(over, "0");
        fs::resize_file(over, r.limit + 1);
        for (const std::string& path : {fifo, dir.Path("folder"), std::string("/dev/zero"),
                                        std::string("/dev/tty"), over})
            EXPECT_FALSE(r.read(path)) << path;
    }
    // The course's refusals say so, with the existing message.
    ASSERT_EQ(backend.messages.size(), 5u);
    EXPECT_EQ(backend.messages[0].text, fifo + "ファイルの読み込みに失敗しました");

    // Saving onto a FIFO or a device is refused, and the target stays what it was.
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.OnSaveDocument(fifo));
    EXPECT_EQ(backend.messages.back().text, fifo + "ファイルの書き込みに失敗しました");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(fs::directory_iterator(dir.Path("folder")), fs::directory_iterator());
    ::alarm(0);
}

}  // namespace

// Paths naming no ordinary file: every reader refuses them without blocking or reading, Save too. A file
// is replaced by its new contents whole or not at all.
#include "document/RecoveryFile.h"
#include "document/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/FileReplace.h"
#include "file/MapImage.h"
#include "file/RegularFile.h"
#include "file/Tokenizer.h"
#include "file/XObjectCatalogue.h"
#include "framework/Resources.h"
#include "overlay/TgaImage.h"
#include "res/TrackwrightResources.h"

#include "support/BmpWriter.h"
#include "support/Handles.h"
#include "support/TestBackend.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <thread>
#include <string>

#include <random>

#include <sys/fsuid.h>
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


// A course of n handles and n objects, each value shifted by shift.
StoredCourse BigCourse(int n, float shift)
{
    StoredCourse c;
    for (int i = 0; i < n; ++i) {
        const float f = static_cast<float>(i) + shift;
        c.handles.Add(MakeHandle(f, -f, f * 0.5f, 1.0f, -1.0f, f * 0.25f));
        c.xobjects.Add(XObject("objects/tree_pine.x", Vector3(f, f * 2, 0.0), 0.5f, 3.0f, 4.0f));
    }
    return c;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// A save killed at any moment leaves the file as it was or as saved, never a mix, and the
// temporary it leaves is removed by the next save. TW_KILL_COUNT sets the kills per row (a few
// seconds' worth by default; 200 or more spread the kills over every step of the save).
TEST(ReplaceFileContents, KilledMidSaveLeavesTheOldOrTheNewFile)
{
    TestBackend backend;
    TempDir dir;
    const char* env = std::getenv("TW_KILL_COUNT");
    const int kills = env ? std::max(1, std::atoi(env)) : 8;
    const StoredCourse oldCourse = BigCourse(20000, 0.0f);
    const StoredCourse newCourse = BigCourse(20000, 0.5f);
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_course.m_handles = newCourse.handles;
    doc.m_xobjects = newCourse.xobjects;
    RecoveryFile recovery(dir.Path("state"));
    const std::string coursePath = dir.Path("course.crs");
    const std::string header = "#Trackwright recovery: " + RecoveryFile::CourseKey(coursePath) + "\r\n";
    const struct {
        const char* what;
        std::string path;
        std::string oldBytes;
        std::string newBytes;
        std::function<bool(const std::string&)> write;   // writes the bytes (the saved course for the save)
    } rows[] = {
        {"the course file", coursePath, CourseFileText(oldCourse), CourseFileText(newCourse),
         [&](const std::string& bytes) {
             return bytes == CourseFileText(newCourse) ? doc.OnSaveDocument(coursePath) != FALSE
                                                       : ReplaceFileContents(coursePath, bytes);
         }},
        {"the recovery copy", recovery.Path(), header + CourseFileText(oldCourse), header + CourseFileText(newCourse),
         [&](const std::string& bytes) { return recovery.Write(coursePath, bytes.substr(header.size())); }},
    };
    std::mt19937 rng(20261207);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const std::string folder = r.path.substr(0, r.path.rfind('/'));
        ASSERT_TRUE(r.write(r.oldBytes));
        const std::set<std::string> entries = Entries(folder);
        // The length of an unhindered save in a child, kills spread over a little more.
        const auto saveInChild = [&] {
            const pid_t child = ::fork();
            if (child == 0)
                ::_exit(r.write(r.newBytes) ? 0 : 1);
            return child;
        };
        const auto start = std::chrono::steady_clock::now();
        int status = 0;
        ASSERT_EQ(::waitpid(saveInChild(), &status, 0) > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
        const double length = Seconds(start);
        ASSERT_EQ(ReadBytes(r.path), r.newBytes);
        std::map<std::string, int> outcomes;
        for (int k = 0; k < kills; ++k) {
            // The next save: the old contents back, and whatever the last kill left removed.
            ASSERT_TRUE(r.write(r.oldBytes));
            ASSERT_EQ(Entries(folder), entries);
            const pid_t child = saveInChild();
            ASSERT_GT(child, 0);
            const auto delay = std::chrono::duration<double>(std::uniform_real_distribution<>(0.0, 1.1 * length)(rng));
            std::this_thread::sleep_for(delay);
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            const std::string bytes = ReadBytes(r.path);
            ASSERT_TRUE(bytes == r.oldBytes || bytes == r.newBytes) << "killed after " << delay.count() << " s";
            std::uintmax_t left = 0;
            for (const std::string& name : Entries(folder)) {
                if (!entries.count(name))
                    left = std::max<std::uintmax_t>(left, fs::file_size(folder + "/" + name) + 1);
            }
            outcomes[bytes == r.newBytes          ? "renamed"
                     : left == 0                  ? "before the temporary"
                     : left <= r.newBytes.size()  ? "writing"
                                                  : "syncing or renaming"] += 1;
        }
        std::string counts;
        for (const auto& [step, n] : outcomes)
            counts += " " + step + ": " + std::to_string(n);
        std::printf("%s, %d kills over %.3f s:%s\n", r.what, kills, length, counts.c_str());
        if (kills >= 200) {
            for (const char* step : {"before the temporary", "writing", "syncing or renaming", "renamed"})
                EXPECT_GT(outcomes[step], 0) << step;
        }
    }
    // A start finds the recovery temporaries of killed editors and removes them.
    const std::string stale = dir.Path("state/.1-2.crs.tw") + std::to_string(INT_MAX - 1) + "-0";
    WriteBytes(stale, "partial");
    RecoveryFile(dir.Path("state")).FindOrphan("");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(backend.messages.empty());
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

// How far the peak memory of a child process rises while it opens path as a course, in MB; -1
// when the child fails to read it or dies.
double OpenPeakGrowthMb(const std::string& path)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        rusage before {};
        ::getrusage(RUSAGE_SELF, &before);
        StoredCourse course;
        const bool read = ReadCourseFile(path, course);
        rusage after {};
        ::getrusage(RUSAGE_SELF, &after);
        const long kb = read ? after.ru_maxrss - before.ru_maxrss : -1024;
        const ssize_t ignored = ::write(fds[1], &kb, sizeof kb);
        (void)ignored;
        ::_exit(0);
    }
    ::close(fds[1]);
    long kb = -1024;
    const bool got = child > 0 && ::read(fds[0], &kb, sizeof kb) == static_cast<ssize_t>(sizeof kb);
    ::close(fds[0]);
    int status = 0;
    if (child > 0)
        ::waitpid(child, &status, 0);
    return got ? static_cast<double>(kb) / 1024 : -1;
}

// A course file is read a piece at a time: a file of any size is read with bounded memory (a long
// token scanned, not kept; nothing after the last field read) and as its text in memory reads.
TEST(HostileFiles, CourseFilesAreReadAsAStream)
{
    TempDir dir;
    const auto write = [&dir](const char* name, const std::string& bytes) {
        WriteBytes(dir.Path(name), bytes);
        return dir.Path(name);
    };
    std::mt19937 rng(26);
    std::string random(std::size_t{16} << 20, '\0');
    for (char& c : random)
        c = static_cast<char>(rng());
    const std::string digits = "1" + std::string(std::size_t{8} << 20, '0');
    const struct {
        const char* what;
        std::function<std::string()> make;   // the file's path
        double peakMb;   // the most the peak memory may grow while it is read
        int handles;
        float luminance;
    } rows[] = {
        {"a gigabyte of NUL bytes", [&] {
             const std::string path = write("nul.crs", "");
             fs::resize_file(path, std::uint64_t{1} << 30);   // sparse: no disk taken
             return path;
         }, 100, 0, 0.0f},
        {"a huge count, then megabytes of blanks", [&] {
             return write("blanks.crs", "2000000000\n" + std::string(std::size_t{10} << 20, ' '));
         }, 1.5 * ((10 << 20) / 16 + 65538) * sizeof(CourseHandle) / 1048576, (10 << 20) / 16 + 2 + 65536, 0.0f},
        {"a number of 8 million digits", [&] { return write("digits.crs", "0 " + digits + "e-8388608 none"); }, 4, 0,
         1.0f},
        {"the same with CR LF around it", [&] { return write("crlf.crs", "0\r\n" + digits + "e-8388608\r\n"); }, 4, 0,
         1.0f},
        {"16 MB of random bytes", [&] { return write("random.crs", random); }, 100, -1, 0.0f},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const std::string path = r.make();
        const double peak = OpenPeakGrowthMb(path);
        EXPECT_GE(peak, 0);
        EXPECT_LT(peak, r.peakMb);
        StoredCourse course;
        ASSERT_TRUE(ReadCourseFile(path, course));
        if (r.handles >= 0) {
            EXPECT_EQ(course.handles.GetSize(), r.handles);
            EXPECT_EQ(course.texLuminance, r.luminance);
        }
        if (fs::file_size(path) < (std::uint64_t{1} << 28)) {
            std::string text = ReadBytes(path);
            DropCrBeforeLf(text);
            EXPECT_EQ(CourseFileText(course), CourseFileText(ParseCourseText(text)));
        }
        fs::remove(path);
    }
}

}  // namespace

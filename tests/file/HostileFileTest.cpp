// Paths naming no ordinary file: every reader refuses them without blocking or reading, Save too.
#include "doc/MapImage.h"
#include "doc/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/FileReplace.h"
#include "file/RegularFile.h"
#include "file/Tokenizer.h"
#include "overlay/TgaImage.h"
#include "view/XObjectCatalogue.h"

#include "support/BmpWriter.h"
#include "support/TestBackend.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Reader {
    const char* name;
    std::uint64_t limit;
    std::function<bool(const std::string&)> read;   // true when the file was taken
};

TEST(HostileFiles, EveryReaderTakesOnlyRegularFilesWithinItsLimit)
{
    // A FIFO with no writer once hung the open: a hang now fails this process, not the suite.
    ::alarm(30);
    TestBackend backend;
    TempDir dir;
    const std::string fifo = dir.Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(dir.Path("folder"));
    BmpLayout layout;
    const std::string good = WriteTempFile("good.bmp", MakeBmp(layout, {1, 2, 3, 0}));

    const Reader readers[] = {
        {"course", kMaxCourseFileBytes, [](const std::string& p) { return CTrackwrightDoc().OnOpenDocument(p) != FALSE; }},
        {"catalogue", kMaxCatalogueFileBytes,
         [](const std::string& p) { std::string text; return ReadTextFile(p, kMaxCatalogueFileBytes, text); }},
        {"font", kMaxTgaFileBytes, [](const std::string& p) {
             TgaImage image;
             const bool read = image.Load(p.c_str()) != TGA_ERR_OPEN;
             return image.ReleasePixels(), read;
         }},
        {"map", kMaxMapFileBytes, [](const std::string& p) { MapImageInfo info; return ReadBmp(p, info) != nullptr; }},
        {"settings check", kMaxMapFileBytes, [](const std::string& p) { return IsReadableRegularFile(p, kMaxMapFileBytes); }},
    };
    for (const Reader& r : readers) {
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
    EXPECT_FALSE(ReplaceFileContents("/dev/null", "x"));
    EXPECT_EQ(fs::directory_iterator(dir.Path("folder")), fs::directory_iterator());
    ::alarm(0);
}

TEST(HostileFiles, ByteOrderMarkIsSkipped)
{
    const std::string bom = "\xEF\xBB\xBF";
    const StoredCourse course = ParseCourseText(bom + "1\n1 2 3 4 5 6 7 8\n0.25 \"h.bmp\" none 0 0\n");
    ASSERT_EQ(course.handles.GetSize(), 1);
    EXPECT_EQ(course.handles[0].WidthLeft, 8.0f);
    EXPECT_EQ(course.texLuminance, 0.25f);
    EXPECT_EQ(course.heightMap, "h.bmp");

    RecordList<XObjectType> types;
    ParseXObjectCatalogue(bom + "tree 2 3\n%end\n", types);
    ASSERT_EQ(types.GetSize(), 1);
    EXPECT_EQ(types[0].FileName, "tree");
    // Only at the very start: elsewhere the bytes belong to a name.
    ParseXObjectCatalogue("x 1 1 " + bom + "rock 1 1", types);
    EXPECT_EQ(types[2].FileName, bom + "rock");
}

}  // namespace

// Paths naming no ordinary file: every reader refuses them without blocking or reading, Save too.
#include "doc/MapImage.h"
#include "doc/TrackwrightDoc.h"
#include "file/CourseFile.h"
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
    EXPECT_EQ(fs::directory_iterator(dir.Path("folder")), fs::directory_iterator());
    ::alarm(0);
}

// A byte-order mark is skipped at the very start of a catalogue (a course: CourseFileTest); elsewhere it is part of a name.
TEST(HostileFiles, ByteOrderMarkIsSkippedOnlyAtTheStart)
{
    RecordList<XObjectType> types;
    ParseXObjectCatalogue("\xEF\xBB\xBFtree 2 3\nx 1 1 \xEF\xBB\xBFrock 1 1", types);
    ASSERT_EQ(types.GetSize(), 3);
    EXPECT_EQ(std::pair(types[0].FileName, types[2].FileName), std::pair(std::string("tree"), std::string("\xEF\xBB\xBFrock")));
}

}  // namespace

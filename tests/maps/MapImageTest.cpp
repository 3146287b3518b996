// The map reader against the BMP Suite's files and their reference PNGs, and against made-up headers.
#include "support/BmpWriter.h"
#include "support/TestData.h"

#include "document/CourseData.h"
#include "file/MapImage.h"

#include <GL/gl.h>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

// Files whose image is another's with a longer info header (V4 or V5, with or without a colour
// profile): they are checked against that file's reference. rgb24prof2 stores red and green
// swapped for its profile to swap back; a map takes the stored values, so it has no reference.
std::string ReferenceName(const fs::path& bmp)
{
    const std::string stem = bmp.stem().string();
    if (stem == "pal8v4" || stem == "pal8v5")
        return "g/pal8";
    if (stem == "rgb24prof" || stem == "rgb24lprof")
        return "g/rgb24";
    if (stem == "rgb24prof2")
        return {};
    return bmp.parent_path().filename().string() + "/" + stem;
}

// The decoded pixels against the reference PNG. An 8-bit pixel is a raw index: the file's own
// colour table (not the PNG's reordered one), as far as the file holds it, gives its colour.
void ExpectMatchesReference(const fs::path& bmp, const std::uint8_t* pixels, const MapImageInfo& info)
{
    const QImage ref(QString::fromStdString(TestDataPath("bmpsuite_refpng/" + ReferenceName(bmp) + ".png")));
    ASSERT_EQ(ref.size(), QSize(info.width, info.height));
    std::vector<QRgb> table;
    if (info.components == 1) {
        const std::vector<std::uint8_t> b = ReadWholeFile(bmp.string());
        const std::size_t end = std::min<std::size_t>(Le32(b, 10), b.size());
        for (std::size_t at = 14 + Le32(b, 14); at + 4 <= end && table.size() < 256; at += 4)
            table.push_back(qRgb(b[at + 2], b[at + 1], b[at]));
    }
    int wrong = 0;
    for (int y = 0; y < info.height && wrong < 5; ++y) {
        const std::uint8_t* row = pixels + std::size_t(info.height - 1 - y) * info.width * info.components;
        for (int x = 0; x < info.width && wrong < 5; ++x) {
            if (info.components == 1 && row[x] >= table.size())
                continue;   // no colour to compare with (pal8badindex)
            const QRgb got = info.components == 3 ? qRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]) : table[row[x]];
            if (got != (ref.pixel(x, y) | 0xFF000000u)) {
                ++wrong;
                ADD_FAILURE() << "pixel " << x << "," << y << std::hex << ": " << got << " " << ref.pixel(x, y);
            }
        }
    }
}

}  // namespace

TEST(ReadBmp, BmpSuiteDecodesToReferenceOrIsRefused)
{
    std::set<std::string> accepted;
    int files = 0;
    for (const char* dir : {"g", "b", "q"}) {
        std::error_code ec;
        for (const fs::directory_entry& e : fs::directory_iterator(TestDataPath(std::string("bmpsuite/") + dir), ec)) {
            ++files;
            SCOPED_TRACE(e.path().string());
            MapImageInfo info;
            const std::unique_ptr<std::uint8_t[]> pixels = ReadBmp(e.path().string(), info);
            if (!pixels)
                continue;
            accepted.insert(std::string(dir) + "/" + e.path().stem().string());
            EXPECT_EQ(MapPixelFormat(info), std::uint32_t(info.components == 3 ? GL_RGB : GL_LUMINANCE));
            if (!ReferenceName(e.path()).empty())
                ExpectMatchesReference(e.path(), pixels.get(), info);
        }
    }
    EXPECT_EQ(files, 90) << "the whole suite: 27 good, 20 bad, 43 questionable files";
    // Exactly the uncompressed 8- and 24-bit files with a 40-, 108- or 124-byte header and all their pixels.
    EXPECT_EQ(accepted, (std::set<std::string>{"g/pal8-0", "g/pal8", "g/pal8gs", "g/pal8nonsquare", "g/pal8topdown",
                                               "g/pal8v4", "g/pal8v5", "g/pal8w124", "g/pal8w125", "g/pal8w126",
                                               "g/rgb24", "g/rgb24pal", "b/badpalettesize", "b/pal8badindex",
                                               "q/pal8offs", "q/pal8os2v2-40sz", "q/pal8oversizepal",
                                               "q/rgb24largepal", "q/rgb24lprof", "q/rgb24prof", "q/rgb24prof2"}));
}

// Beside the suite's bad files: cut files, no "BM", a pixel offset beyond the end, and sizes that
// would overflow or are refused before any allocation (ASan would abort).
TEST(ReadBmp, RefusesWhatItCannotDecode)
{
    const std::vector<std::uint8_t> real = ReadWholeFile(TestDataPath("bmpsuite/g/rgb24.bmp"));
    ASSERT_GT(real.size(), 54u);
    const auto edited = [&real](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> bytes = real;
        bytes[at] = value;
        return bytes; };
    const auto sized = [](std::int32_t width, std::int32_t height) {
        return MakeBmp(BmpLayout{.width = width, .height = height}, PaddedRows(12, 4)); };
    const auto headed = [](std::uint32_t infoHeaderSize, std::uint32_t compression) {
        return MakeBmp(BmpLayout{.width = 4, .height = 4, .infoHeaderSize = infoHeaderSize, .compression = compression},
                       PaddedRows(12, 4)); };
    const std::pair<const char*, std::vector<std::uint8_t>> files[] = {
        {"20 bytes", {real.begin(), real.begin() + 20}}, {"headers only", {real.begin(), real.begin() + 54}},
        {"not BM", edited(0, 'M')}, {"pixels beyond the end", edited(13, 0x7F)}, {"width 0", sized(0, 4)},
        {"height INT_MIN", sized(4, INT_MIN)}, {"huge", sized(INT_MAX, INT_MAX)},
        {"huge top-down", sized(INT_MAX, -INT_MAX)}, {"52-byte header", headed(52, 0)},
        {"64-byte header", headed(64, 0)}, {"124-byte header, bit fields", headed(124, 3)},
        {"108-byte header, JPEG", headed(108, 4)},
    };
    for (const auto& [what, bytes] : files) {
        MapImageInfo info;
        EXPECT_FALSE(ReadBmp(WriteTempFile("bad.bmp", bytes), info)) << what;
    }
}

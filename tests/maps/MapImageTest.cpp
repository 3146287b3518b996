#include "support/BmpWriter.h"
#include "support/TestData.h"

#include "doc/MapImage.h"

#include <GL/gl.h>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

bool IsEmpty(const MapImageInfo& i)
{
    return i.width == 0 && i.height == 0 && i.components == 0 && i.format == 0 && i.type == 0;
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

// The colour table of an 8-bit file as RGB, as far as the file holds it before its pixels.
std::vector<QRgb> ColourTable(const std::vector<std::uint8_t>& bmp)
{
    const std::size_t start = 14 + Le32(bmp, 14);
    const std::size_t end = std::min<std::size_t>(Le32(bmp, 10), bmp.size());
    std::vector<QRgb> table;
    for (std::size_t at = start; at + 4 <= end && table.size() < 256; at += 4)
        table.push_back(qRgb(bmp[at + 2], bmp[at + 1], bmp[at]));
    return table;
}

// An 8-bit pixel is a raw index: the file's own table (not the PNG's reordered one) gives its colour.
void ExpectMatchesReference(const fs::path& bmpPath, const std::uint8_t* pixels,
                            const MapImageInfo& info)
{
    const std::string pngPath = TestDataPath(
        "bmpsuite_refpng/" + (bmpPath.parent_path().filename() / bmpPath.filename().replace_extension(".png")).string());
    const QImage ref(QString::fromStdString(pngPath));
    ASSERT_EQ(ref.size(), QSize(info.width, info.height)) << pngPath;
    const std::vector<QRgb> table =
        info.components == 1 ? ColourTable(ReadWholeFile(bmpPath.string())) : std::vector<QRgb>{};
    int wrong = 0;
    for (int y = 0; y < info.height && wrong < 5; ++y) {
        // The buffer holds the bottom row first.
        const std::uint8_t* row =
            pixels + std::size_t(info.height - 1 - y) * std::size_t(info.width) * info.components;
        for (int x = 0; x < info.width && wrong < 5; ++x) {
            const QRgb want = ref.pixel(x, y) | 0xFF000000u;
            if (info.components == 1 && row[x] >= table.size())
                continue;   // no colour to compare with (pal8badindex)
            const QRgb got = info.components == 3 ? qRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]) : table[row[x]];
            if (got != want)
                ++wrong, ADD_FAILURE() << bmpPath << " pixel " << x << "," << y << std::hex << got << " " << want;
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
            if (e.path().extension() != ".bmp")
                continue;
            ++files;
            SCOPED_TRACE(e.path().string());
            MapImageInfo info;
            info.width = 99;
            std::unique_ptr<std::uint8_t[]> pixels = ReadBmp(e.path().string(), info);
            if (!pixels) {
                EXPECT_TRUE(IsEmpty(info));
                continue;
            }
            accepted.insert(std::string(dir) + "/" + e.path().stem().string());
            EXPECT_EQ(info.type, GL_UNSIGNED_BYTE);
            EXPECT_EQ(info.format, info.components == 3 ? GL_RGB : GL_LUMINANCE);
            ExpectMatchesReference(e.path(), pixels.get(), info);
        }
    }
    EXPECT_EQ(files, 90) << "the whole suite: 27 good, 20 bad, 43 questionable files";
    // Exactly the uncompressed 8- and 24-bit files with a 40-byte header and all their pixels.
    const std::set<std::string> expected = {
        "g/pal8-0", "g/pal8", "g/pal8gs", "g/pal8nonsquare", "g/pal8topdown", "g/pal8w124",
        "g/pal8w125", "g/pal8w126", "g/rgb24", "g/rgb24pal", "b/badpalettesize",
        "b/pal8badindex", "q/pal8offs", "q/pal8os2v2-40sz", "q/pal8oversizepal",
        "q/rgb24largepal"};
    EXPECT_EQ(accepted, expected);
}

TEST(ReadBmp, RefusesWhatItCannotDecode)
{
    const std::vector<std::uint8_t> real = ReadWholeFile(TestDataPath("bmpsuite/g/rgb24.bmp"));
    ASSERT_GT(real.size(), 54u);
    auto refused = [](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        MapImageInfo info;
        info.components = 7;
        const bool read = ReadBmp(WriteTempFile(name, bytes), info) != nullptr;
        EXPECT_TRUE(IsEmpty(info)) << name;
        return !read;
    };
    EXPECT_TRUE(refused("twenty.bmp", {real.begin(), real.begin() + 20}));
    EXPECT_TRUE(refused("headers.bmp", {real.begin(), real.begin() + 54}));
    std::vector<std::uint8_t> notBm = real;
    notBm[0] = 'M';
    EXPECT_TRUE(refused("notbm.bmp", notBm));

    MapImageInfo info;
    EXPECT_FALSE(ReadBmp(TestDataPath("bmpsuite") + "/missing.bmp", info));
    EXPECT_FALSE(ReadBmp(TestDataPath("bmpsuite"), info));   // a folder opens but holds no BMP
    // Header fields one at a time; oversized images are refused before any allocation (ASan would abort).
    const std::pair<const char*, void (*)(BmpLayout&)> bad[] = {
        {"planes 2", [](BmpLayout& s) { s.planes = 2; }},
        {"16 bits", [](BmpLayout& s) { s.bitCount = 16; }},
        {"bitfields", [](BmpLayout& s) { s.compression = 3; }},
        {"rle8", [](BmpLayout& s) { s.bitCount = 8, s.compression = 1; }},
        {"108 header", [](BmpLayout& s) { s.headerSize = 108; }},
        {"width 0", [](BmpLayout& s) { s.width = 0; }},
        {"negative width", [](BmpLayout& s) { s.width = -4; }},
        {"height INT_MIN", [](BmpLayout& s) { s.height = INT_MIN; }},
        {"huge", [](BmpLayout& s) { s.width = s.height = INT_MAX; }},
        {"huge top-down", [](BmpLayout& s) { s.width = INT_MAX, s.height = -INT_MAX; }},
    };
    for (const auto& [what, change] : bad) {
        BmpLayout layout;
        layout.width = layout.height = 4;
        change(layout);
        EXPECT_TRUE(refused("bad.bmp", MakeBmp(layout, PaddedRows(12, 4)))) << what;
    }

    // A pixel-data offset beyond the end of the file.
    std::vector<std::uint8_t> farOffset = real;
    farOffset[13] = 0x7F;
    EXPECT_TRUE(refused("faroffset.bmp", farOffset));
}

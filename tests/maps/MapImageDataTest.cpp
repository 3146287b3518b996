#include "support/BmpWriter.h"

#include "doc/MapImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Decodes the bytes both from memory and from a file holding them; the two must agree in
// every field and every pixel byte.
void ExpectSameAsFile(const std::vector<std::uint8_t>& bytes, const std::string& path)
{
    MapImageInfo fromFile;
    MapImageInfo fromMemory;
    fromMemory.width = 99;   // overwritten either way
    const std::unique_ptr<std::uint8_t[]> a = ReadBmp(path, fromFile);
    // A copy of exactly the right size, so a read past the end shows under AddressSanitizer.
    const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bytes.size() + 1]);
    if (!bytes.empty())
        std::memcpy(copy.get(), bytes.data(), bytes.size());
    const std::unique_ptr<std::uint8_t[]> b = ReadBmpData(copy.get(), bytes.size(), fromMemory);
    ASSERT_EQ(a != nullptr, b != nullptr);
    EXPECT_EQ(fromFile.width, fromMemory.width);
    EXPECT_EQ(fromFile.height, fromMemory.height);
    EXPECT_EQ(fromFile.components, fromMemory.components);
    EXPECT_EQ(fromFile.format, fromMemory.format);
    EXPECT_EQ(fromFile.type, fromMemory.type);
    if (a) {
        const std::size_t n = std::size_t(fromFile.width) * fromFile.height * fromFile.components;
        EXPECT_EQ(std::memcmp(a.get(), b.get(), n), 0);
    }
}

}  // namespace

TEST(ReadBmpData, AgreesWithTheFileReaderOnTheWholeSuite)
{
    int files = 0;
    for (const fs::directory_entry& e :
         fs::recursive_directory_iterator(fs::path(TW_TESTDATA_DIR) / "bmpsuite")) {
        if (e.path().extension() != ".bmp")
            continue;
        SCOPED_TRACE(e.path().string());
        ExpectSameAsFile(ReadWholeFile(e.path().string()), e.path().string());
        ++files;
    }
    EXPECT_GT(files, 50);
}

TEST(ReadBmpData, AgreesWithTheFileReaderOnEveryTruncation)
{
    // Odd width and top-down: the padded-row path; 8 bits with a table: the offset checks.
    BmpLayout topDown;
    topDown.width = 5;
    topDown.height = -3;
    BmpLayout grey;
    grey.width = 3;
    grey.height = 2;
    grey.bitCount = 8;
    grey.table.assign(1024, 0x40);
    for (const auto& [layout, rowBytes] : {std::pair{topDown, 15}, std::pair{grey, 3}}) {
        const std::vector<std::uint8_t> whole = MakeBmp(layout, PaddedRows(rowBytes, 3));
        for (std::size_t n = 0; n <= whole.size(); ++n) {
            SCOPED_TRACE(n);
            const std::vector<std::uint8_t> part(whole.begin(), whole.begin() + n);
            ExpectSameAsFile(part, WriteTempFile("part.bmp", part));
        }
    }
}

TEST(ReadBmpData, NoDataIsNoImage)
{
    MapImageInfo info;
    info.components = 3;
    EXPECT_EQ(ReadBmpData(nullptr, 100, info), nullptr);
    EXPECT_EQ(info.components, 0);
}

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QImage>

#include "TgaBytes.h"
#include "support/TestData.h"
#include "overlay/TgaImage.h"

namespace {

// Frees whatever was decoded, so the tests themselves leak nothing.
struct Image : TgaImage {
    ~Image() override { ReleasePixels(); }
};

std::vector<uint8_t> ReadDataFile(const std::string& path)
{
    std::ifstream in(TestDataPath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct RealFile {
    const char* tga;
    const char* png;
    bool topDown;  // origin bit set: the file's first row is the picture's top row
};

// Failures name the file, not the bytes of the case.
void PrintTo(const RealFile& f, std::ostream* os)
{
    *os << f.tga;
}

// A case is named after its file: "tga/UTC24.TGA" runs as UTC24_TGA.
std::string FileCaseName(const std::string& path)
{
    std::string name = path.substr(path.find_last_of('/') + 1);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

class TgaRealFiles : public ::testing::TestWithParam<RealFile> {};

TEST_P(TgaRealFiles, DecodedPixelsMatchReferenceInFileRowOrder)
{
    const RealFile& f = GetParam();
    Image image;
    ASSERT_EQ(image.Load(TestDataPath(f.tga).c_str()), TGA_OK);
    QImage ref(QString::fromStdString(TestDataPath(f.png)));
    ASSERT_FALSE(ref.isNull());
    ref = ref.convertToFormat(QImage::Format_RGBA8888);
    ASSERT_EQ(image.Width, ref.width());
    ASSERT_EQ(image.Height, ref.height());
    ASSERT_EQ(image.PixelCount, static_cast<uint32_t>(ref.width() * ref.height()));
    ASSERT_NE(image.Pixels, nullptr);

    const int bytes = image.BitsPerPixel / 8;
    int mismatches = 0;
    for (int row = 0; row < image.Height; ++row) {
        const int refRow = f.topDown ? row : image.Height - 1 - row;
        const uchar* expect = ref.constScanLine(refRow);
        for (int x = 0; x < image.Width; ++x) {
            const unsigned char* got = image.Pixels + (static_cast<size_t>(row) * image.Width + x) * bytes;
            const uchar* e = expect + x * 4;
            bool same = bytes == 1 ? got[0] == e[0] && e[0] == e[1] && e[1] == e[2]
                                   : got[0] == e[0] && got[1] == e[1] && got[2] == e[2];
            if (bytes == 4)
                same = same && got[3] == e[3];
            if (!same && ++mismatches <= 3)
                ADD_FAILURE() << f.tga << " row " << row << " x " << x;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, TgaRealFiles,
    ::testing::Values(RealFile{"tga/UTC24.TGA", "tga_refpng/color.png", false},
                      RealFile{"tga/UBW8.TGA", "tga_refpng/bw.png", false},
                      RealFile{"tga/extra_ftrvxmtrx/rgb24_top_left.tga", "tga_refpng/rgb24.0.png", true},
                      RealFile{"tga/extra_ftrvxmtrx/rgb32_bottom_left.tga", "tga_refpng/rgb32.0.png", false},
                      RealFile{"tga/extra_ftrvxmtrx/monochrome8_bottom_left.tga", "tga_refpng/monochrome8.png", false},
                      RealFile{"tga/pillow_common/200x32_rgb_bl_raw.tga", "tga_refpng/pillow_common/200x32_rgb.png", false},
                      RealFile{"tga/pillow_common/200x32_rgba_tl_raw.tga", "tga_refpng/pillow_common/200x32_rgba.png", true},
                      RealFile{"tga/pillow_common/200x32_l_tl_raw.tga", "tga_refpng/pillow_common/200x32_l.png", true}),
    [](const ::testing::TestParamInfo<RealFile>& p) { return FileCaseName(p.param.tga); });

TEST(TgaImage, RefusesCompressedColourMappedAndOtherDepths)
{
    const struct {
        const char* file;
        int code;
    } cases[] = {
        {"tga/UCM8.TGA", TGA_ERR_TYPE},  {"tga/CBW8.TGA", TGA_ERR_TYPE},
        {"tga/CCM8.TGA", TGA_ERR_TYPE},  {"tga/CTC16.TGA", TGA_ERR_TYPE},
        {"tga/CTC24.TGA", TGA_ERR_TYPE}, {"tga/CTC32.TGA", TGA_ERR_TYPE},
        {"tga/UTC16.TGA", TGA_ERR_DEPTH},
        {"tga/pillow_common/200x32_p_bl_raw.tga", TGA_ERR_TYPE},
        {"tga/pillow_common/200x32_la_bl_raw.tga", TGA_ERR_DEPTH},
    };
    for (const auto& c : cases) {
        Image image;
        EXPECT_EQ(image.Load(TestDataPath(c.file).c_str()), c.code) << c.file;
        EXPECT_EQ(image.Pixels, nullptr) << c.file;
    }
}

TEST(TgaImage, FileShorterThanItsHeaderAnnouncesIsRefused)
{
    // Every prefix of a valid file is handed over in a buffer of exactly that length, so a read
    // past its end shows under AddressSanitizer.
    const auto whole = MakeTga(2, 24, 2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 3);
    for (size_t n = 0; n < whole.size(); ++n) {
        auto prefix = std::make_unique<unsigned char[]>(n > 0 ? n : 1);
        std::copy(whole.begin(), whole.begin() + static_cast<long>(n), prefix.get());
        Image image;
        EXPECT_EQ(image.Decode(prefix.get(), n), TGA_ERR_MEMORY) << n;
        EXPECT_EQ(image.Pixels, nullptr) << n;
    }

    // A real file cut one byte into its last pixel (it ends with an extension area, so the
    // cut is counted from the front), and a header announcing the largest image over a few bytes.
    std::vector<uint8_t> cut = ReadDataFile("tga/UTC24.TGA");
    ASSERT_GT(cut.size(), 18u);
    cut.resize(18 + cut[0] + 128 * 128 * 3 - 1);
    Image real;
    EXPECT_EQ(real.Load(WriteTempFile("cut.tga", cut).c_str()), TGA_ERR_MEMORY);
    EXPECT_EQ(real.Pixels, nullptr);

    Image huge;
    const auto hugeFile = MakeTga(2, 32, 65535, 65535, {1, 2, 3, 4});
    EXPECT_EQ(huge.Decode(hugeFile.data(), hugeFile.size()), TGA_ERR_MEMORY);
    EXPECT_EQ(huge.Pixels, nullptr);
}

}  // namespace

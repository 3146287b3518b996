#include "TgaBytes.h"
#include "overlay/TgaImage.h"
#include "support/TestData.h"

#include <QColorSpace>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Frees whatever was decoded, so the tests themselves leak nothing.
struct Image : TgaImage { ~Image() override { ReleasePixels(); } };

// Each file against its reference picture; topDown: the file's first row is the picture's top.
TEST(TgaImage, RealFilesMatchTheirReferenceInFileRowOrder)
{
    const struct { const char *tga, *png; bool topDown; } files[] = {
        {"UTC24.TGA", "color.png", false}, {"UBW8.TGA", "bw.png", false},
        {"extra_ftrvxmtrx/rgb24_top_left.tga", "rgb24.0.png", true},
        {"extra_ftrvxmtrx/rgb32_bottom_left.tga", "rgb32.0.png", false},
        {"extra_ftrvxmtrx/monochrome8_bottom_left.tga", "monochrome8.png", false},
        {"pillow_common/200x32_rgba_tl_raw.tga", "pillow_common/200x32_rgba.png", true},
        {"pillow_common/200x32_l_tl_raw.tga", "pillow_common/200x32_l.png", true}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.tga);
        Image image;
        ASSERT_EQ(image.Load(TestDataPath(std::string("tga/") + f.tga).c_str()), TGA_OK);
        const int bytes = image.BitsPerPixel / 8;
        const QImage::Format format =
            bytes == 1 ? QImage::Format_Grayscale8 : bytes == 3 ? QImage::Format_RGB888 : QImage::Format_RGBA8888;
        ASSERT_EQ(image.PixelCount, static_cast<uint32_t>(image.Width * image.Height));
        const QImage ref(QString::fromStdString(TestDataPath(std::string("tga_refpng/") + f.png)));
        QImage got = QImage(image.Pixels, image.Width, image.Height, image.Width * bytes, format);
        got = got.mirrored(false, !f.topDown);
        got.setColorSpace(ref.colorSpace());   // pixels only: a TGA names no colour space
        EXPECT_TRUE(got == ref.convertToFormat(format));
    }
}

TEST(TgaImage, RefusesCompressedColourMappedOtherDepthsAndShortFiles)
{
    const std::pair<const char*, int> cases[] = {
        {"UCM8.TGA", TGA_ERR_TYPE}, {"CBW8.TGA", TGA_ERR_TYPE}, {"CCM8.TGA", TGA_ERR_TYPE}, {"CTC16.TGA", TGA_ERR_TYPE},
        {"CTC24.TGA", TGA_ERR_TYPE}, {"CTC32.TGA", TGA_ERR_TYPE}, {"UTC16.TGA", TGA_ERR_DEPTH},
        {"pillow_common/200x32_p_bl_raw.tga", TGA_ERR_TYPE}, {"pillow_common/200x32_la_bl_raw.tga", TGA_ERR_DEPTH}};
    for (const auto& [file, code] : cases) {
        Image image;
        EXPECT_EQ(image.Load(TestDataPath(std::string("tga/") + file).c_str()), code) << file;
        EXPECT_EQ(image.Pixels, nullptr) << file;
    }
    // Every prefix of a valid file in a buffer of exactly that length (ASan sees a read past it).
    const auto whole = MakeTga(2, 24, 2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 3);
    for (size_t n = 0; n < whole.size(); ++n) {
        auto prefix = std::make_unique<unsigned char[]>(n > 0 ? n : 1);
        std::copy(whole.begin(), whole.begin() + static_cast<long>(n), prefix.get());
        EXPECT_EQ(Image().Decode(prefix.get(), n), TGA_ERR_MEMORY) << n;
    }
    // The largest image announced over a few bytes.
    Image huge;
    const auto hugeFile = MakeTga(2, 32, 65535, 65535, {1, 2, 3, 4});
    EXPECT_EQ(huge.Decode(hugeFile.data(), hugeFile.size()), TGA_ERR_MEMORY);
    EXPECT_EQ(huge.Pixels, nullptr);
}

}  // namespace

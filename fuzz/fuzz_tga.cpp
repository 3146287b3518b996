// The font image decoder on any bytes.
#include "FuzzCheck.h"

#include "overlay/TgaImage.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exact-size copy: libFuzzer's own buffer may not show a one-byte overread.
    const std::vector<unsigned char> buffer(data, data + size);
    TgaImage image;
    if (image.Decode(buffer.empty() ? nullptr : buffer.data(), buffer.size()) != TGA_OK) {
        FUZZ_CHECK(image.Pixels == nullptr);
        return 0;
    }
    FUZZ_CHECK(image.Pixels && (image.BitsPerPixel == 8 || image.BitsPerPixel == 24 || image.BitsPerPixel == 32));
    CheckPixels(image.Pixels, std::size_t(image.PixelCount) * std::size_t(image.BitsPerPixel / 8), size);
    image.ReleasePixels();
    return 0;
}

// The font image decoder on any bytes.
#include "FuzzCheck.h"

#include "overlay/TgaImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exact-size copy: libFuzzer's own buffer may not show a one-byte overread.
    const std::vector<unsigned char> buffer(data, data + size);
    TgaImage image;
    const int result = image.Decode(buffer.empty() ? nullptr : buffer.data(), buffer.size());
    if (result != TGA_OK) {
        FUZZ_CHECK(image.Pixels == nullptr);
        return 0;
    }
    FUZZ_CHECK(image.Pixels != nullptr);
    FUZZ_CHECK(image.BitsPerPixel == 8 || image.BitsPerPixel == 24 || image.BitsPerPixel == 32);
    const std::size_t bytes = std::size_t(image.PixelCount) * std::size_t(image.BitsPerPixel / 8);
    FUZZ_CHECK(bytes <= size);
    if (bytes > 0) {
        volatile unsigned char sum = image.Pixels[0];
        sum = static_cast<unsigned char>(sum + image.Pixels[bytes - 1]);
        (void)sum;
    }
    image.ReleasePixels();
    return 0;
}

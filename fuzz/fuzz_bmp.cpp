// The map image decoder on any bytes.
#include "FuzzCheck.h"

#include "file/MapImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MapImageInfo info;
    const std::unique_ptr<std::uint8_t[]> pixels = ReadBmpData(data, size, info);
    if (!pixels) {
        FUZZ_CHECK(info.width == 0 && info.height == 0 && info.components == 0);
        return 0;
    }
    FUZZ_CHECK(info.width > 0 && info.height > 0 && (info.components == 1 || info.components == 3));
    CheckPixels(pixels.get(), std::size_t(info.width) * std::size_t(info.height) * std::size_t(info.components), size);
    return 0;
}

#include "overlay/TgaImage.h"

#include "file/RegularFile.h"

#include <cstring>
#include <new>
#include <string>

namespace {

constexpr std::size_t kHeaderSize = 18;

}  // namespace

int TgaImage::Load(const char* path)
{
    if (!path)
        return TGA_ERR_OPEN;
    std::string bytes;
    if (!ReadRegularFile(path, kMaxTgaFileBytes, bytes))
        return TGA_ERR_OPEN;
    return Decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

int TgaImage::Decode(const unsigned char* buffer, std::size_t size)
{
    if (!buffer || size < kHeaderSize)
        return TGA_ERR_MEMORY;
    const std::size_t dataStart = kHeaderSize + buffer[0];
    if (buffer[1] != 0)
        return TGA_ERR_TYPE;
    if (buffer[2] != 2 && buffer[2] != 3)
        return TGA_ERR_TYPE;

    Width = buffer[12] + 256 * buffer[13];
    Height = buffer[14] + 256 * buffer[15];
    BitsPerPixel = buffer[16];
    PixelCount = static_cast<uint32_t>(Width) * static_cast<uint32_t>(Height);
    if (BitsPerPixel != 8 && BitsPerPixel != 24 && BitsPerPixel != 32)
        return TGA_ERR_DEPTH;

    const std::size_t bytesPerPixel = static_cast<std::size_t>(BitsPerPixel) / 8;
    const std::size_t dataSize = static_cast<std::size_t>(PixelCount) * bytesPerPixel;
    // A file shorter than its header announces is refused rather than read past its end.
    if (dataStart > size || size - dataStart < dataSize)
        return TGA_ERR_MEMORY;

    unsigned char* pixels = new (std::nothrow) unsigned char[dataSize > 0 ? dataSize : 1];
    if (!pixels)
        return TGA_ERR_MEMORY;
    if (dataSize > 0)
        std::memcpy(pixels, buffer + dataStart, dataSize);
    if (bytesPerPixel >= 3) {
        // Stored B, G, R(, A); GL wants R, G, B(, A).
        for (std::size_t i = 0; i + 2 < dataSize; i += bytesPerPixel) {
            const unsigned char blue = pixels[i];
            pixels[i] = pixels[i + 2];
            pixels[i + 2] = blue;
        }
    }
    Pixels = pixels;
    return TGA_OK;
}

void TgaImage::ReleasePixels()
{
    delete[] Pixels;
    Pixels = nullptr;
}

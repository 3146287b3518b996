#include "overlay/TgaImage.h"

#include <cstring>
#include <new>

namespace {

constexpr std::size_t kHeaderSize = 18;

}  // namespace

long TgaFileSize(std::FILE* file)
{
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return size;
}

int TgaImage::Load(const char* path)
{
    if (!path)
        return TGA_ERR_OPEN;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return TGA_ERR_OPEN;
    const long size = TgaFileSize(file);
    if (size < 0) {
        std::fclose(file);
        return TGA_ERR_OPEN;
    }
    // The allocation is bounded by what the file really holds; failure is reported, not thrown.
    unsigned char* buffer = new (std::nothrow) unsigned char[static_cast<std::size_t>(size) + 1];
    if (!buffer) {
        std::fclose(file);
        return TGA_ERR_MEMORY;
    }
    const std::size_t got = std::fread(buffer, 1, static_cast<std::size_t>(size), file);
    std::fclose(file);
    const int result = Decode(buffer, got);
    delete[] buffer;
    return result;
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

#include "doc/MapImage.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Rows are read this many bytes at a time when they cannot go straight into the buffer.
constexpr std::size_t kBlockBytes = std::size_t(1) << 20;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::uint16_t U16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Size of the open file in bytes, or -1 when it cannot be told.
long long FileSize(std::FILE* f)
{
    if (std::fseek(f, 0, SEEK_END) != 0)
        return -1;
    return std::ftell(f);
}

// Reads rows of rowBytes, each followed by padding up to stride, into the buffer bottom row
// first. Rows are fetched in large blocks so odd widths and top-down files stay fast.
bool ReadPaddedRows(std::FILE* f, std::uint8_t* pixels, std::size_t rowBytes, std::size_t stride,
                    std::size_t rows, bool topDown)
{
    const std::size_t rowsPerBlock = std::max<std::size_t>(1, kBlockBytes / stride);
    std::vector<std::uint8_t> block(std::min(rows, rowsPerBlock) * stride);
    std::size_t fileRow = 0;
    while (fileRow < rows) {
        const std::size_t n = std::min(rowsPerBlock, rows - fileRow);
        // The last row of the file need not carry its padding.
        const bool lastBlock = fileRow + n == rows;
        const std::size_t want = lastBlock ? (n - 1) * stride + rowBytes : n * stride;
        if (std::fread(block.data(), 1, want, f) != want)
            return false;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t r = fileRow + i;
            const std::size_t imageRow = topDown ? rows - 1 - r : r;
            std::memcpy(pixels + imageRow * rowBytes, block.data() + i * stride, rowBytes);
        }
        fileRow += n;
    }
    return true;
}

}  // namespace

std::unique_ptr<std::uint8_t[]> ReadBmp(const std::string& path, MapImageInfo& info)
{
    info = MapImageInfo{};

    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return nullptr;

    std::uint8_t header[kFileHeaderSize + kInfoHeaderSize];
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header)
        return nullptr;
    if (U16(header) != 19778)   // "BM"
        return nullptr;
    const std::uint8_t* ih = header + kFileHeaderSize;
    const std::uint32_t dataOffset = U32(header + 10);
    const std::uint32_t headerSize = U32(ih);
    const std::int32_t width = static_cast<std::int32_t>(U32(ih + 4));
    const std::int32_t height = static_cast<std::int32_t>(U32(ih + 8));
    const std::uint16_t planes = U16(ih + 12);
    const std::uint16_t bitCount = U16(ih + 14);
    const std::uint32_t compression = U32(ih + 16);
    if (headerSize != kInfoHeaderSize || planes != 1 || compression != 0 ||
        (bitCount != 8 && bitCount != 24))
        return nullptr;

    // Every size below is checked before anything is allocated or read from it.
    if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min())
        return nullptr;
    const bool topDown = height < 0;
    const std::size_t rows = static_cast<std::size_t>(topDown ? -height : height);
    const std::size_t components = bitCount / 8;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * components;
    const std::size_t stride = (rowBytes + 3) & ~std::size_t(3);
    const std::size_t maxSize = std::numeric_limits<std::size_t>::max();
    if (rows > maxSize / stride)
        return nullptr;
    const std::size_t pixelBytes = rowBytes * rows;

    const long long fileSize = FileSize(file.get());
    if (fileSize < 0 || dataOffset > static_cast<unsigned long long>(fileSize))
        return nullptr;
    const std::size_t available = static_cast<std::size_t>(fileSize) - dataOffset;
    if ((rows - 1) * stride + rowBytes > available)
        return nullptr;

    std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[pixelBytes]);
    if (!pixels)
        return nullptr;
    if (std::fseek(file.get(), static_cast<long>(dataOffset), SEEK_SET) != 0)
        return nullptr;
    if (stride == rowBytes && !topDown) {
        if (std::fread(pixels.get(), 1, pixelBytes, file.get()) != pixelBytes)
            return nullptr;
    } else if (!ReadPaddedRows(file.get(), pixels.get(), rowBytes, stride, rows, topDown)) {
        return nullptr;
    }

    if (components == 3)
        SwapRedBlue(pixels.get(), pixelBytes / 3);
    info.width = width;
    info.height = static_cast<std::int32_t>(rows);
    info.components = static_cast<std::int32_t>(components);
    info.format = components == 3 ? GL_RGB : GL_LUMINANCE;
    info.type = GL_UNSIGNED_BYTE;
    return pixels;
}

void SwapRedBlue(std::uint8_t* pixels, std::size_t pixelCount)
{
    for (std::size_t i = 0; i < pixelCount; ++i, pixels += 3)
        std::swap(pixels[0], pixels[2]);
}

#include "file/MapImage.h"

#include "file/RegularFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
// The part of the info header the decoder reads: the 40-byte one, which the longer ones start with.
constexpr std::size_t kInfoHeaderSize = 40;

// The 40-byte header and the two longer ones (V4: 108, V5: 124) whose first 40 bytes mean the
// same; the OS/2 and other sizes lay their fields out differently and stay refused.
bool IsKnownInfoHeaderSize(std::uint32_t size)
{
    return size == kInfoHeaderSize || size == 108 || size == 124;
}
// Rows are read this many bytes at a time when they cannot go straight into the buffer.
constexpr std::size_t kBlockBytes = std::size_t(1) << 20;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The two places a BMP is decoded from, with the same three operations, so one decoder
// serves both and the file is never held in memory twice.
struct FileSource {
    std::FILE* f;

    bool Read(std::uint8_t* dst, std::size_t n) { return std::fread(dst, 1, n, f) == n; }
    // Size in bytes, or -1 when it cannot be told.
    long long Size()
    {
        if (std::fseek(f, 0, SEEK_END) != 0)
            return -1;
        return std::ftell(f);
    }
    bool Seek(std::uint32_t offset) { return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0; }
};

struct MemorySource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;

    bool Read(std::uint8_t* dst, std::size_t n)
    {
        if (n > size - pos)
            return false;
        if (n > 0)
            std::memcpy(dst, data + pos, n);
        pos += n;
        return true;
    }
    long long Size() const
    {
        return size <= static_cast<std::size_t>(std::numeric_limits<long long>::max())
                   ? static_cast<long long>(size)
                   : -1;
    }
    bool Seek(std::uint32_t offset)
    {
        if (offset > size)
            return false;
        pos = offset;
        return true;
    }
};

std::uint16_t U16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// width is positive; rows is the height without its sign.
bool SizeFits(std::int32_t width, std::size_t rows, std::int32_t maxSide)
{
    return width <= maxSide && rows <= static_cast<std::size_t>(maxSide) &&
           static_cast<std::uint64_t>(width) * rows <= static_cast<std::uint64_t>(kMaxMapPixels);
}

// Reads rows of rowBytes, each followed by padding up to stride, into the buffer bottom row
// first. Rows are fetched in large blocks so odd widths and top-down files stay fast.
template <class Source>
bool ReadPaddedRows(Source& src, std::uint8_t* pixels, std::size_t rowBytes, std::size_t stride,
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
        if (!src.Read(block.data(), want))
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

template <class Source>
std::unique_ptr<std::uint8_t[]> DecodeBmp(Source& src, MapImageInfo& info, std::int32_t maxSide)
{
    std::uint8_t header[kFileHeaderSize + kInfoHeaderSize];
    if (!src.Read(header, sizeof header))
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
    if (!IsKnownInfoHeaderSize(headerSize) || planes != 1 || compression != 0 ||
        (bitCount != 8 && bitCount != 24))
        return nullptr;

    // Every size below is checked before anything is allocated or read from it.
    if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min())
        return nullptr;
    const bool topDown = height < 0;
    const std::size_t rows = static_cast<std::size_t>(topDown ? -height : height);
    if (!SizeFits(width, rows, maxSide))
        return nullptr;
    const std::size_t components = bitCount / 8;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * components;
    const std::size_t stride = (rowBytes + 3) & ~std::size_t(3);
    const std::size_t maxSize = std::numeric_limits<std::size_t>::max();
    if (rows > maxSize / stride)
        return nullptr;
    const std::size_t pixelBytes = rowBytes * rows;

    const long long fileSize = src.Size();
    if (fileSize < 0 || dataOffset > static_cast<unsigned long long>(fileSize))
        return nullptr;
    const std::size_t available = static_cast<std::size_t>(fileSize) - dataOffset;
    if ((rows - 1) * stride + rowBytes > available)
        return nullptr;

    std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[pixelBytes]);
    if (!pixels)
        return nullptr;
    if (!src.Seek(dataOffset))
        return nullptr;
    if (stride == rowBytes && !topDown) {
        if (!src.Read(pixels.get(), pixelBytes))
            return nullptr;
    } else if (!ReadPaddedRows(src, pixels.get(), rowBytes, stride, rows, topDown)) {
        return nullptr;
    }

    if (components == 3)
        SwapRedBlue(pixels.get(), pixelBytes / 3);
    info.width = width;
    info.height = static_cast<std::int32_t>(rows);
    info.components = static_cast<std::int32_t>(components);
    return pixels;
}

}  // namespace

std::unique_ptr<std::uint8_t[]> ReadBmp(const std::string& path, MapImageInfo& info, std::int32_t maxSide)
{
    info = MapImageInfo{};
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, kMaxMapFileBytes, size);
    if (fd < 0)
        return nullptr;
    FilePtr file(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    FileSource src{file.get()};
    return DecodeBmp(src, info, maxSide);
}

bool BmpSizeFits(const std::string& path, std::int32_t maxSide)
{
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, kMaxMapFileBytes, size);
    if (fd < 0)
        return true;
    std::uint8_t header[kFileHeaderSize + kInfoHeaderSize];
    const bool whole = ::read(fd, header, sizeof header) == static_cast<ssize_t>(sizeof header);
    ::close(fd);
    if (!whole || U16(header) != 19778)
        return true;
    const auto width = static_cast<std::int32_t>(U32(header + kFileHeaderSize + 4));
    const auto height = static_cast<std::int32_t>(U32(header + kFileHeaderSize + 8));
    if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min())
        return true;
    return SizeFits(width, static_cast<std::size_t>(height < 0 ? -height : height), maxSide);
}

std::unique_ptr<std::uint8_t[]> ReadBmpData(const std::uint8_t* data, std::size_t size, MapImageInfo& info,
                                            std::int32_t maxSide)
{
    info = MapImageInfo{};
    if (!data)
        return nullptr;
    MemorySource src{data, size};
    return DecodeBmp(src, info, maxSide);
}

void SwapRedBlue(std::uint8_t* pixels, std::size_t pixelCount)
{
    for (std::size_t i = 0; i < pixelCount; ++i, pixels += 3)
        std::swap(pixels[0], pixels[2]);
}

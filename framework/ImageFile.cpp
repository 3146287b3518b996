#include "framework/ImageFile.h"

#include <zlib.h>

namespace {

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBig32(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgbaBottomUp)
{
    if (width <= 0 || height <= 0 ||
        rgbaBottomUp.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
        return {};

    // RGB rows, top row first, each behind filter byte 0.
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3 + 1;
    std::vector<std::uint8_t> raw(rowBytes * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = rgbaBottomUp.data() + static_cast<std::size_t>(height - 1 - y) * width * 4;
        std::uint8_t* dst = raw.data() + static_cast<std::size_t>(y) * rowBytes;
        *dst++ = 0;
        for (int x = 0; x < width; ++x, src += 4) {
            *dst++ = src[0];
            *dst++ = src[1];
            *dst++ = src[2];
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
        return {};
    packed.resize(packedSize);

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBig32(header, static_cast<std::uint32_t>(width));
    PutBig32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});   // 8-bit RGB, deflate, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});

    return std::string(png.begin(), png.end());
}

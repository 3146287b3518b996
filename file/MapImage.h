#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Description of a decoded map image: bottom row first (the row at the map square's lower
// edge), rows contiguous without padding, one byte per channel, R G B or grey.
struct MapImageInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t components = 0;   // 1 or 3 bytes per pixel
};

// The most pixels a map may have (16384 x 16384): decoded that is at most 768 MiB, and the
// work copies GLU makes while it scales one stay below 2 GiB, where its int sizes overflow.
constexpr std::int64_t kMaxMapPixels = std::int64_t{1} << 28;
// The largest map file read: four bytes for each pixel of the largest map (24-bit rows with
// their padding) and 64 KiB for headers, palette and gaps.
constexpr std::uint64_t kMaxMapFileBytes = 4 * static_cast<std::uint64_t>(kMaxMapPixels) + (64 << 10);

// Decodes an uncompressed 8- or 24-bit BMP (an 8-bit pixel is its raw palette index) with a
// 40-byte info header, or the 108- or 124-byte one many painting programs write, whose extra
// fields (masks, colour space, profile) mean nothing without compression and are skipped;
// null (and info all 0) when it is not one, when
// it has more than kMaxMapPixels, or a side longer than maxSide. The header is checked before
// any pixel is allocated or read. The file must be regular and at most kMaxMapFileBytes.
std::unique_ptr<std::uint8_t[]> ReadBmp(const std::string& path, MapImageInfo& info,
                                        std::int32_t maxSide = INT32_MAX);
// False when the file at path starts with a BMP header of an image over kMaxMapPixels or with
// a side longer than maxSide; true otherwise, a file that is no BMP included (its load finds
// that out). Reads the header only.
bool BmpSizeFits(const std::string& path, std::int32_t maxSide);
// The same decoding for a whole BMP file already in memory (size bytes at data).
std::unique_ptr<std::uint8_t[]> ReadBmpData(const std::uint8_t* data, std::size_t size, MapImageInfo& info,
                                            std::int32_t maxSide = INT32_MAX);
// Reorders each 3-byte pixel from B G R to R G B.
void SwapRedBlue(std::uint8_t* pixels, std::size_t pixelCount);

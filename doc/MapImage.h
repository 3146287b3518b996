#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Description of a decoded map image: bottom row first, rows contiguous, R G B or grey.
struct MapImageInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t components = 0;   // 1 or 3 bytes per pixel
    std::int32_t format = 0;       // GL_LUMINANCE or GL_RGB
    std::int32_t type = 0;         // GL_UNSIGNED_BYTE
};

// Decodes an uncompressed 8- or 24-bit BMP; null (and info all 0) when it is not one.
std::unique_ptr<std::uint8_t[]> ReadBmp(const std::string& path, MapImageInfo& info);
// The same decoding for a whole BMP file already in memory (size bytes at data).
std::unique_ptr<std::uint8_t[]> ReadBmpData(const std::uint8_t* data, std::size_t size, MapImageInfo& info);
// Reorders each 3-byte pixel from B G R to R G B.
void SwapRedBlue(std::uint8_t* pixels, std::size_t pixelCount);

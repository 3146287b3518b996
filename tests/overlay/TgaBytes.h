#pragma once
#include <cstdint>
#include <vector>

// An uncompressed TGA image in memory: header, idLength bytes of id, then the pixels.
inline std::vector<uint8_t> MakeTga(int imageType, int depth, int width, int height,
                                    const std::vector<uint8_t>& pixels, int idLength = 0)
{
    const auto byte = [](int v) { return static_cast<uint8_t>(v & 0xFF); };
    std::vector<uint8_t> file = {byte(idLength), 0, byte(imageType), 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 byte(width), byte(width >> 8), byte(height), byte(height >> 8), byte(depth), 0};
    file.insert(file.end(), static_cast<std::size_t>(idLength), 0xEE);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

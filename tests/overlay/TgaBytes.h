#pragma once
#include <cstdint>
#include <vector>
// An uncompressed TGA image in memory: header, idLength bytes of id, then the pixels.
inline std::vector<uint8_t> MakeTga(int imageType, int depth, int width, int height,
                                    const std::vector<uint8_t>& pixels, int idLength = 0)
{
    std::vector<uint8_t> file(18, 0);
    file[0] = static_cast<uint8_t>(idLength), file[2] = static_cast<uint8_t>(imageType);
    file[12] = static_cast<uint8_t>(width & 0xFF), file[13] = static_cast<uint8_t>(width >> 8);
    file[14] = static_cast<uint8_t>(height & 0xFF), file[15] = static_cast<uint8_t>(height >> 8);
    file[16] = static_cast<uint8_t>(depth);
    file.insert(file.end(), static_cast<std::size_t>(idLength), 0xEE);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

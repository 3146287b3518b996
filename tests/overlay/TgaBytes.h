#pragma once

// Builds TGA file images in memory for the overlay tests.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

inline std::vector<uint8_t> MakeTga(int imageType, int depth, int width, int height,
                                    const std::vector<uint8_t>& pixels, int idLength = 0)
{
    std::vector<uint8_t> file(18, 0);
    file[0] = static_cast<uint8_t>(idLength);
    file[2] = static_cast<uint8_t>(imageType);
    file[12] = static_cast<uint8_t>(width & 0xFF);
    file[13] = static_cast<uint8_t>(width >> 8);
    file[14] = static_cast<uint8_t>(height & 0xFF);
    file[15] = static_cast<uint8_t>(height >> 8);
    file[16] = static_cast<uint8_t>(depth);
    for (int i = 0; i < idLength; ++i)
        file.push_back(0xEE);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

inline std::string WriteTempFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    const std::string path = std::string(TW_BINARY_DIR) + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

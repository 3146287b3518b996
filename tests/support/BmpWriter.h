#pragma once

// Builds BMP files byte by byte, so tests can make exactly the header or layout they need.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

struct BmpLayout {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t infoHeaderSize = 40;   // the fields past the first 40 bytes are zero
    std::uint32_t compression = 0;
};

// An info header of the layout's size, no colour table, and the pixel bytes as given (rows with their padding).
inline std::vector<std::uint8_t> MakeBmp(const BmpLayout& layout, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> b{'B', 'M'};
    const auto put = [&b](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    const std::uint32_t offset = 14 + layout.infoHeaderSize;
    // File size, reserved, pixel offset; then the info header's size, width, height, planes, bits
    // per pixel and compression.
    const std::pair<std::uint32_t, int> fields[] = {{offset + static_cast<std::uint32_t>(data.size()), 4}, {0, 4},
        {offset, 4}, {layout.infoHeaderSize, 4}, {static_cast<std::uint32_t>(layout.width), 4},
        {static_cast<std::uint32_t>(layout.height), 4}, {1, 2}, {layout.bitCount, 2}, {layout.compression, 4}};
    for (const auto& [value, bytes] : fields)
        put(value, bytes);
    b.resize(offset, 0);   // image size, densities, colour counts, masks, colour space unused
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

// Rows of rowBytes pattern bytes ((r * 31 + x * 7 + 1) & 0xFF), padded with 0xEE to a multiple of 4.
inline std::vector<std::uint8_t> PaddedRows(std::size_t rowBytes, std::size_t rows)
{
    const std::size_t stride = (rowBytes + 3) / 4 * 4;
    std::vector<std::uint8_t> data(stride * rows, 0xEE);
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t x = 0; x < rowBytes; ++x)
            data[r * stride + x] = static_cast<std::uint8_t>((r * 31 + x * 7 + 1) & 0xFF);
    return data;
}

// Writes bytes to a fresh file in the test temporary folder and returns its path.
inline std::string WriteTempFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "tw_maps";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()),
                                                                   static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

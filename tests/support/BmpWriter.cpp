#include "support/BmpWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

void Put16(std::vector<std::uint8_t>& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> MakeBmp(const BmpLayout& layout, const std::vector<std::uint8_t>& data)
{
    const std::uint32_t offset =
        14 + layout.headerSize + static_cast<std::uint32_t>(layout.table.size());
    std::vector<std::uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, offset + static_cast<std::uint32_t>(data.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, layout.headerSize);
    Put32(b, static_cast<std::uint32_t>(layout.width));
    Put32(b, static_cast<std::uint32_t>(layout.height));
    Put16(b, layout.planes);
    Put16(b, layout.bitCount);
    Put32(b, layout.compression);
    b.resize(14 + layout.headerSize, 0);   // image size, densities, colour counts, masks: unused
    b.insert(b.end(), layout.table.begin(), layout.table.end());
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

std::uint8_t PatternByte(std::size_t fileRow, std::size_t x)
{
    return static_cast<std::uint8_t>((fileRow * 31 + x * 7 + 1) & 0xFF);
}

std::vector<std::uint8_t> PaddedRows(std::size_t rowBytes, std::size_t rows)
{
    const std::size_t stride = (rowBytes + 3) / 4 * 4;
    std::vector<std::uint8_t> data(stride * rows, 0xEE);
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t x = 0; x < rowBytes; ++x)
            data[r * stride + x] = PatternByte(r, x);
    return data;
}

std::string WriteTempFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "tw_maps";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds BMP files byte by byte, so tests can make exactly the header or layout they need.
struct BmpLayout {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
};

// A 40-byte info header, no colour table, and the pixel bytes as given (rows with their padding).
std::vector<std::uint8_t> MakeBmp(const BmpLayout& layout, const std::vector<std::uint8_t>& data);
// Rows of rowBytes pattern bytes ((r * 31 + x * 7 + 1) & 0xFF), padded with 0xEE to a multiple of 4.
std::vector<std::uint8_t> PaddedRows(std::size_t rowBytes, std::size_t rows);

// Writes bytes to a fresh file in the test temporary folder and returns its path.
std::string WriteTempFile(const std::string& name, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

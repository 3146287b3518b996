#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes RGBA pixels (bottom row first, as GL reads them) as a PNG file; false on failure.
bool SavePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgbaBottomUp);

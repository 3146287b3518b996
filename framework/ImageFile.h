#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a PNG file holding RGBA pixels (bottom row first, as GL reads them) as RGB;
// empty when the size does not match the pixels or compression fails.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgbaBottomUp);

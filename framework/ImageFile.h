#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a PNG file holding RGBA pixels (bottom row first, as GL reads them) as RGB;
// empty when the size does not match the pixels or compression fails.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgbaBottomUp);

// The bytes of a PNG file of 8-bit pixels, channels (1: grey, 3: RGB) per pixel, rows packed and
// bottom row first; fast trades size for speed (large maps). Empty when compression fails.
std::string EncodePngPixels(int width, int height, int channels, const std::uint8_t* bottomUp, bool fast);

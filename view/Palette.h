#pragma once

#include "framework/Wgl.h"

#include <cstdint>
#include <vector>

// Component value of palette index i for a channel of `bits` bits at `shift`.
std::uint8_t ComponentFromIndex(int i, unsigned bits, unsigned shift);
// The entries a palette-based pixel format needs: 2^cColorBits evenly spread colours, with
// the system's twelve fixed colours on an 8-bit 3-3-2 layout.
std::vector<PALETTEENTRY> BuildRGBPalette(const PIXELFORMATDESCRIPTOR& pfd);

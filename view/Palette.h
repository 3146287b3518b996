#pragma once

#include "framework/CPalette.h"
#include "framework/Wgl.h"

#include <cstdint>

// Component value of palette index i for a channel of `bits` bits at `shift`.
std::uint8_t ComponentFromIndex(int i, unsigned bits, unsigned shift);
// The logical palette a palette-based pixel format needs: 2^cColorBits evenly spread entries,
// with the system's twelve fixed colours on an 8-bit 3-3-2 layout.
LOGPALETTE BuildRGBPalette(const PIXELFORMATDESCRIPTOR& pfd);

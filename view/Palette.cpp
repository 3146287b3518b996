#include "view/Palette.h"

#include <algorithm>

namespace {

const std::uint8_t s_oneTo8[2] = {0, 255};
const std::uint8_t s_twoTo8[4] = {0x00, 0x55, 0xAA, 0xFF};
const std::uint8_t s_threeTo8[8] = {0x00, 0x24, 0x49, 0x6D, 0x92, 0xB6, 0xDB, 0xFF};

struct FixedColour {
    int index;
    std::uint8_t red, green, blue;
};

const FixedColour s_defaultOverride[12] = {
    {3, 0x80, 0x00, 0x00},   {24, 0x00, 0x80, 0x00},  {27, 0x80, 0x80, 0x00},  {64, 0x00, 0x00, 0x80},
    {67, 0x80, 0x00, 0x80},  {88, 0x00, 0x80, 0x80},  {173, 0xC0, 0xC0, 0xC0}, {181, 0xC0, 0xDC, 0xC0},
    {236, 0xA6, 0xCA, 0xF0}, {247, 0xFF, 0xFB, 0xF0}, {164, 0xA0, 0xA0, 0xA4}, {91, 0x80, 0x80, 0x80},
};

}  // namespace

std::uint8_t ComponentFromIndex(int i, unsigned bits, unsigned shift)
{
    const unsigned v = static_cast<unsigned>(i) >> shift;
    switch (bits) {
    case 1:
        return s_oneTo8[v & 1];
    case 2:
        return s_twoTo8[v & 3];
    case 3:
        return s_threeTo8[v & 7];
    default:
        return 0;
    }
}

std::vector<PALETTEENTRY> BuildRGBPalette(const PIXELFORMATDESCRIPTOR& pfd)
{
    const unsigned colorBits = pfd.cColorBits > 8 ? 8 : pfd.cColorBits;   // a palette never exceeds 256
    std::vector<PALETTEENTRY> entries(std::size_t{1} << colorBits);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        PALETTEENTRY& e = entries[i];
        e.peRed = ComponentFromIndex(static_cast<int>(i), pfd.cRedBits, pfd.cRedShift);
        e.peGreen = ComponentFromIndex(static_cast<int>(i), pfd.cGreenBits, pfd.cGreenShift);
        e.peBlue = ComponentFromIndex(static_cast<int>(i), pfd.cBlueBits, pfd.cBlueShift);
        e.peFlags = 0;
    }
    if (pfd.cColorBits == 8 && pfd.cRedBits == 3 && pfd.cRedShift == 0 && pfd.cGreenBits == 3 &&
        pfd.cGreenShift == 3 && pfd.cBlueBits == 2 && pfd.cBlueShift == 6) {
        for (const FixedColour& c : s_defaultOverride)
            entries[static_cast<std::size_t>(c.index)] = {c.red, c.green, c.blue, 0};
    }
    return entries;
}

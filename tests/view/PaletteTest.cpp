// The logical palette of palette-based pixel formats.
#include "support/TestBackend.h"

#include <gtest/gtest.h>

#include <array>

#include "view/Palette.h"
#include "view/TrackwrightView.h"

namespace {

PIXELFORMATDESCRIPTOR ThreeThreeTwo()
{
    PIXELFORMATDESCRIPTOR pfd = AfxDefaultPixelFormat();
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_NEED_PALETTE;
    pfd.cColorBits = 8;
    pfd.cRedBits = 3;
    pfd.cRedShift = 0;
    pfd.cGreenBits = 3;
    pfd.cGreenShift = 3;
    pfd.cBlueBits = 2;
    pfd.cBlueShift = 6;
    return pfd;
}

// A window whose only pixel format needs a palette.
struct PaletteWndHost : TestWndHost {
    int DescribePixelFormat(int, PIXELFORMATDESCRIPTOR* ppfd) const override
    {
        if (ppfd)
            *ppfd = ThreeThreeTwo();
        return 1;
    }
};

TEST(Palette, ComponentFromIndexSpreadsEachChannelEvenly)
{
    EXPECT_EQ(ComponentFromIndex(0b00101000, 3, 3), 0xB6);
    EXPECT_EQ(ComponentFromIndex(0b111, 3, 0), 0xFF);
    EXPECT_EQ(ComponentFromIndex(0b010, 3, 0), 0x49);
    EXPECT_EQ(ComponentFromIndex(0b10000000, 2, 6), 0xAA);
    EXPECT_EQ(ComponentFromIndex(0b01000000, 1, 6), 0xFF);
    EXPECT_EQ(ComponentFromIndex(0b10000000, 1, 6), 0x00);
    EXPECT_EQ(ComponentFromIndex(255, 4, 0), 0);
    EXPECT_EQ(ComponentFromIndex(255, 0, 0), 0);
}

TEST(Palette, ThreeThreeTwoLayoutGetsTheFixedSystemColours)
{
    const std::vector<PALETTEENTRY> entries = BuildRGBPalette(ThreeThreeTwo());
    ASSERT_EQ(entries.size(), 256u);
    auto rgb = [&](int i) {
        const PALETTEENTRY& e = entries[static_cast<std::size_t>(i)];
        return std::array<int, 4>{e.peRed, e.peGreen, e.peBlue, e.peFlags};
    };
    EXPECT_EQ(rgb(0), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(rgb(255), (std::array<int, 4>{255, 255, 255, 0}));
    EXPECT_EQ(rgb(173), (std::array<int, 4>{0xC0, 0xC0, 0xC0, 0}));
    EXPECT_EQ(rgb(3), (std::array<int, 4>{0x80, 0, 0, 0}));
    EXPECT_EQ(rgb(247), (std::array<int, 4>{0xFF, 0xFB, 0xF0, 0}));
    EXPECT_EQ(rgb(91), (std::array<int, 4>{0x80, 0x80, 0x80, 0}));
    // An ordinary entry: red 0b101, green 0b010, blue 0b01.
    EXPECT_EQ(rgb(0b01010101), (std::array<int, 4>{0xB6, 0x49, 0x55, 0}));
}

TEST(Palette, TrueColourWindowGetsNoPalette)
{
    TestBackend backend;
    TestWndHost host;
    CTrackwrightView view;
    view.SetHost(&host);
    view.OnCreate();
    EXPECT_FALSE(view.m_cPalette.IsCreated());
    EXPECT_EQ(view.m_pOldPalette, nullptr);
    EXPECT_TRUE(backend.messages.empty());
    view.OnDestroy();
}

}  // namespace

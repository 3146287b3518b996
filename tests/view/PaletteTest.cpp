// Only a window whose pixel format needs a palette gets one, realized by the frame.
#include "support/TestBackend.h"
#include "app/MainFrame.h"
#include "view/TrackwrightView.h"
#include <gtest/gtest.h>
namespace {
struct PaletteWndHost : TestWndHost {   // an 8-bit 3-3-2 format
    int DescribePixelFormat(int, PIXELFORMATDESCRIPTOR* ppfd) const override
    {
        if (ppfd) {
            *ppfd = AfxDefaultPixelFormat();
            ppfd->dwFlags |= PFD_NEED_PALETTE;
            ppfd->cColorBits = 8, ppfd->cRedBits = ppfd->cGreenBits = 3, ppfd->cBlueBits = 2;
            ppfd->cRedShift = 0, ppfd->cGreenShift = 3, ppfd->cBlueShift = 6;
        }
        return 1;
    }
};
TEST(Palette, OnlyAPaletteFormatGetsOneAndTheFrameRealizesIt)
{
    TestBackend backend;
    for (const bool needs : {true, false}) {
        PaletteWndHost paletteHost;
        TestWndHost trueColour;
        CTrackwrightView view;
        CMainFrame frame;
        frame.SetHost(&backend.frameHost);
        frame.SetActiveView(&view);
        view.SetHost(needs ? &paletteHost : &trueColour);
        view.OnCreate();
        EXPECT_EQ(view.m_cPalette.IsCreated(), needs);
        EXPECT_FALSE(frame.OnQueryNewPalette());
        frame.OnPaletteChanged(&frame), frame.OnPaletteChanged(nullptr);
        EXPECT_EQ(backend.frameHost.invalidations, 0);   // true-colour surfaces remap nothing
        view.OnDestroy();
    }
}
}  // namespace

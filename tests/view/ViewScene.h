#pragma once

// A real view on its document in the headless GL fixture, with the shipped catalogue and font.
#include "support/GlFixture.h"
#include "support/TestBackend.h"

#include "app/TrackwrightApp.h"
#include "doc/TrackwrightDoc.h"
#include "framework/CFrameWnd.h"
#include "view/TrackwrightView.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// An application whose folder holds the shipped xfiles.txt and fontGray.tga.
struct DataDirApp : CTrackwrightApp {
    explicit DataDirApp(const std::string& dir = std::string(TW_SOURCE_DIR) + "/res/") { m_appDir = dir; }
};

// A window host on a screen with the given device pixel ratio.
struct ScaledWndHost : TestWndHost {
    double GetDevicePixelRatio() const override { return ratio; }
    double ratio = 1.0;
};

using Rgba = std::array<std::uint8_t, 4>;

struct GlPixel {
    int x;
    int y;
};

class ViewScene : public GlFixture {
protected:
    // Sizes the framebuffer to the client (times ratio) and opens the view on a new default course.
    void Open(int width, int height, double ratio = 1.0);
    void TearDown() override;
    void Render() { view->RenderScene(); }

    // GL pixel (origin bottom left, device pixels) showing world point (x, y) under the camera.
    GlPixel PixelOf(double x, double y) const;
    Rgba At(GlPixel p) { return Pixel(p.x, p.y); }
    // True when a pixel within `radius` of p satisfies pred.
    bool AnyNear(GlPixel p, int radius, const std::function<bool(const Rgba&)>& pred);

    // Four handles on a 100 x 80 rectangle from (-50, 0), anticlockwise; span 0 is y = 0.
    void UseRectangleCourse();

    DataDirApp app;
    TestBackend backend;
    ScaledWndHost host;
    CTrackwrightDoc doc;
    std::unique_ptr<CTrackwrightView> view;
    double ratio = 1.0;
};

bool IsColour(const Rgba& p, int r, int g, int b, int tolerance = 2);
inline bool IsWhite(const Rgba& p) { return IsColour(p, 255, 255, 255); }
inline bool IsRed(const Rgba& p) { return IsColour(p, 255, 0, 0); }

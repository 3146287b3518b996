#pragma once

// A real view on its document in the headless GL fixture, with the shipped catalogue and font.
#include "support/GlFixture.h"
#include "support/TestBackend.h"

#include "app/TrackwrightApp.h"
#include "doc/TrackwrightDoc.h"
#include "framework/CFrameWnd.h"
#include "view/TrackwrightView.h"

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

class ViewScene : public GlFixture {
protected:
    // Sizes the framebuffer to the client (times ratio) and opens the view on a new default course.
    void Open(int width, int height, double ratio = 1.0);
    void TearDown() override;
    void Render() { view->RenderScene(); }

    DataDirApp app;
    TestBackend backend;
    ScaledWndHost host;
    CTrackwrightDoc doc;
    std::unique_ptr<CTrackwrightView> view;
};

// A frame drawn the plain way the drawing rules describe: immediate mode, line strips, colours
// set between blocks, smooth shading, every item in list order, nothing kept between frames.
// The view's faster ways of drawing must light exactly the same pixels. The view gives the
// camera, overlay, selection, rubber band and type list; the label is at cursor (the main
// window's client pixels) in a main window clientBottom pixels high.
void DrawPlainScene(const CTrackwrightDoc& doc, CTrackwrightView& view, CPoint cursor, int clientBottom);

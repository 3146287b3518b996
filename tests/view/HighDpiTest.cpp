// On a screen of device pixel ratio 2 the view shows the same picture as at ratio 1, with
// every logical pixel drawn as 2 x 2 device pixels.
#include "ViewScene.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kW = 321;
constexpr int kH = 241;

// Two views of one scene: a hovered control point, an object with its label, the type list.
class HighDpi : public ViewScene {
protected:
    void Draw(double r)
    {
        Open(kW, kH, r);
        UseRectangleCourse();
        doc.m_course.m_texLuminance = 0.0f;   // a black map: text and lines on nothing
        view->m_fZoom = 4.0f;
        view->m_vCamera.x = 25.0f;
        view->m_vCamera.y = 20.0f;
        view->m_nHoverType = 1;
        doc.m_course.m_handles[1].HoverPart = HandlePart::Pos;
        doc.m_xobjects.Add(XObject("label.x", Vector3(10.0, 10.0, 0.0), 0.0f, 10.0f, 5.0f));
        doc.m_xobjects[0].HoverPart = ObjectPart::Body;
        frameHost.ratio = r;
        frameHost.client = CRect(0, 0, kW, kH + 20);
        frameHost.cursor = CPoint(200, 60);
        frame.SetHost(&frameHost);
        app.m_pMainWnd = &frame;
        Render();
        app.m_pMainWnd = nullptr;
    }

    // Logical pixel (x, y), GL orientation, at the current ratio: its device pixels.
    std::vector<Rgba> Logical(int x, int y)
    {
        std::vector<Rgba> out;
        const int r = static_cast<int>(ratio);
        for (int dy = 0; dy < r; ++dy)
            for (int dx = 0; dx < r; ++dx)
                out.push_back(Pixel(x * r + dx, y * r + dy));
        return out;
    }

    ScaledWndHost frameHost;
    CFrameWnd frame;
};

TEST_F(HighDpi, PictureIsTheSameAtTwiceTheResolution)
{
    // Filled areas (the black map, two red discs) and text (the type list at the top, the label
    // at the cursor raised by the bar below the view), sampled at logical pixels at ratio 1.
    Draw(1.0);
    std::vector<std::pair<GlPixel, Rgba>> probes;
    for (const GlPixel p : {PixelOf(45, 30), PixelOf(50.5, 0.5), PixelOf(10.5, 10.5)})
        probes.emplace_back(p, Pixel(p.x, p.y));
    ASSERT_TRUE(IsRed(probes[1].second) && IsRed(probes[2].second));
    int full = 0;
    auto text = [&](int x0, int y0, int w, int h) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const Rgba c = Pixel(x, y);
                const int strongest = std::max({int(c[0]), int(c[1]), int(c[2])});
                if (strongest == 255 || strongest == 0)   // glyph texels fully on or off
                    probes.emplace_back(GlPixel{x, y}, c), full += strongest == 255;
            }
    };
    const std::size_t filled = probes.size();
    text(0, kH - 1 - 3 * 16, 16 * 8, 3 * 16 + 1);
    text(200, kH + 20 - 60, 16 * 3, 16);
    ASSERT_GT(full, 20);
    TearDown();
    // At ratio 2 each logical pixel is 2 x 2 device pixels: filled ones the same colour, glyph
    // texels magnified, so mostly covered where they were covered, mostly empty where empty.
    Draw(2.0);
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const auto& [p, c] = probes[i];
        for (const Rgba& d : Logical(p.x, p.y)) {
            if (i < filled)
                EXPECT_TRUE(IsColour(d, c[0], c[1], c[2])) << p.x << "," << p.y;
            else
                EXPECT_EQ(std::max({int(d[0]), int(d[1]), int(d[2])}) >= 128, c[0] == 255 || c[1] == 255 || c[2] == 255)
                    << p.x << "," << p.y;
        }
    }
}

}  // namespace

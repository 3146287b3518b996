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
    // Filled areas and text, sampled at logical pixels: at ratio 1 one pixel, at ratio 2 four.
    Draw(1.0);
    struct Probe {
        GlPixel p;
        Rgba colour;
    };
    std::vector<Probe> probes;
    auto probe = [&](GlPixel p) { probes.push_back({p, Pixel(p.x, p.y)}); };
    probe(PixelOf(45, 30));         // the map square, black at L = 0, right of the list
    probe(PixelOf(50.5, 0.5));      // the hovered control point's red disc
    probe(PixelOf(10.5, 10.5));     // the hovered object's red disc
    ASSERT_TRUE(IsRed(probes[1].colour));
    ASSERT_TRUE(IsRed(probes[2].colour));

    // The type list (rows of 16 logical pixels from the top) and the label (at the cursor,
    // raised by the bar below the view) as full-strength glyph pixels and empty ones.
    std::vector<Probe> text;
    const int listTop = kH - 1;
    for (int y = listTop - 3 * 16; y <= listTop; ++y)
        for (int x = 0; x < 16 * 8; ++x)
            text.push_back({{x, y}, Pixel(x, y)});
    for (int y = kH + 20 - 60; y < kH + 20 - 60 + 16; ++y)
        for (int x = 200; x < 200 + 16 * 3; ++x)
            text.push_back({{x, y}, Pixel(x, y)});
    int full = 0;
    for (const Probe& t : text)
        full += t.colour[0] == 255 || t.colour[1] == 255;
    ASSERT_GT(full, 20);

    TearDown();
    Draw(2.0);
    for (const Probe& pr : probes)
        for (const Rgba& d : Logical(pr.p.x, pr.p.y))
            EXPECT_TRUE(IsColour(d, pr.colour[0], pr.colour[1], pr.colour[2])) << pr.p.x << "," << pr.p.y << " " << int(d[0]) << " " << int(d[1]) << " " << int(d[2]) << " vs " << int(pr.colour[0]);

    // Glyph texels are magnified: a fully covered pixel stays mostly covered in all four of its
    // device pixels, an empty one mostly empty.
    for (const Probe& t : text) {
        const int strongest = std::max({int(t.colour[0]), int(t.colour[1]), int(t.colour[2])});
        if (strongest != 255 && strongest != 0)
            continue;
        for (const Rgba& d : Logical(t.p.x, t.p.y)) {
            const int c = std::max({int(d[0]), int(d[1]), int(d[2])});
            if (strongest == 255)
                EXPECT_GE(c, 128) << t.p.x << "," << t.p.y;
            else
                EXPECT_LT(c, 128) << t.p.x << "," << t.p.y;
        }
    }
}

}  // namespace

#include "TgaBytes.h"
#include "overlay/TextOverlay.h"
#include "overlay/TgaImage.h"
#include "support/BmpWriter.h"
#include "support/GlFixture.h"

#include <GL/gl.h>

using TextOverlayGl = GlFixture;

// Where 16-pixel solid glyphs drawn from (x, 100) in a 640-pixel viewport land, in which colour.
// A colour, from an escape or set by the caller, holds for one print: the rows after print white.
TEST_F(TextOverlayGl, LayoutRulesAndColours)
{
    // A 256 x 256 grey font whose every glyph is a filled square.
    const std::string font =
        WriteTempFile("solid_font.tga", MakeTga(3, 8, 256, 256, std::vector<uint8_t>(256 * 256, 255)));
    TextOverlay overlay;
    ASSERT_EQ(overlay.Create(font.c_str()), TGA_OK);
    overlay.Size = 16;
    using Rgb = std::array<int, 3>;
    const Rgb W{255, 255, 255}, K{0, 0, 0};
    struct Probe { int x, y; Rgb rgb; };
    struct Case {
        const char* text;
        std::vector<Probe> probes;
        int x = 0, bold = 0, shear = 0;
        bool callerScissor = false;
        float callerRed = 1.0f;
    };
    const Case cases[] = {
        {"A\nB", {{8, 108, W}, {8, 92, W}, {24, 108, K}, {24, 92, K}}},
        {"\tX", {{8, 108, K}, {72, 108, K}, {88, 108, W}}},
        {"\\b+X", {{8, 108, W}, {16, 108, W}, {17, 108, K}}},
        {"\\i+X", {{1, 101, W}, {2, 114, K}, {20, 114, W}}},
        {"\\b+\\i+X\\b-\\i-Y", {{20, 108, W}, {32, 108, K}, {37, 114, K}}},
        {"\\c(255 0 0)XY\\a(0 255 0 128)Z",
         {{8, 108, {255, 0, 0}}, {24, 108, {255, 0, 0}}, {40, 108, {0, 128, 0}}, {56, 108, K}}},
        // Malformed escapes are text: a backslash, a letter and the glyph after them.
        {"\\bX", {{8, 108, W}, {24, 108, W}, {40, 108, W}, {56, 108, K}}},
        {"\\c(1 2)X", {{8, 108, W}, {24, 108, W}, {104, 108, W}}},
        // The box is as wide as the text: a caller's bold or italics on its last glyph is cut.
        {.text = "X", .probes = {{15, 108, W}, {16, 108, K}}, .bold = 1},
        {.text = "X", .probes = {{1, 101, W}, {20, 114, K}}, .shear = 8},
        {.text = "X", .probes = {{8, 108, {0, 255, 255}}}, .callerRed = 0.0f},
        // The caller's scissor box (x below 16) clips the text too: a frame redrawing one region.
        {.text = "XX", .probes = {{8, 108, W}, {24, 108, K}}, .callerScissor = true},
        // The pen stops at the right edge of the viewport, for the lines after it too.
        {.text = "ABC\nD", .probes = {{618, 108, W}, {632, 108, W}, {618, 92, K}}, .x = 610},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        glClear(GL_COLOR_BUFFER_BIT);
        glScissor(0, 0, c.callerScissor ? 16 : 640, 480);
        if (c.callerScissor)
            glEnable(GL_SCISSOR_TEST);
        overlay.Bold = c.bold;
        overlay.ItalicShear = c.shear;
        overlay.Colour[0] = c.callerRed;
        overlay.Printf(c.x, 100, "%s", c.text);
        glDisable(GL_SCISSOR_TEST);
        for (const Probe& p : c.probes)
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(Pixel(p.x, p.y)[k], p.rgb[k], 1) << p.x << "," << p.y;
    }
}

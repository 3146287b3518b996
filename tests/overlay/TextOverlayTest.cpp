#include "TgaBytes.h"
#include "overlay/TextOverlay.h"
#include "overlay/TgaImage.h"
#include "support/BmpWriter.h"
#include "support/GlFixture.h"
#include <GL/gl.h>
namespace {

using Rgba = std::array<uint8_t, 4>;
const Rgba kBlack = {0, 0, 0, 0};
const Rgba kWhite = {255, 255, 255, 255};

// A 256 x 256 grey font whose every glyph is a filled square.
std::string SolidFont()
{
    static const std::string path =
        WriteTempFile("solid_font.tga", MakeTga(3, 8, 256, 256, std::vector<uint8_t>(256 * 256, 255)));
    return path;
}

class TextOverlayGl : public GlFixture {
protected:
    void UseFont(const std::string& path)
    {
        ASSERT_EQ(m_overlay.Create(path.c_str()), TGA_OK);
        m_overlay.Size = 16;
    }

    TextOverlay m_overlay;
};


TEST_F(TextOverlayGl, ColourEscapesLastOnePrint)
{
    UseFont(SolidFont());
    m_overlay.Printf(0, 100, "\\c(255 0 0)XY\\a(0 255 0 128)Z");
    EXPECT_EQ(Pixel(0, 100), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(16, 100), (Rgba{255, 0, 0, 255}));
    const Rgba half = Pixel(32, 100);
    EXPECT_EQ(half[0], 0);
    EXPECT_NEAR(half[1], 128, 1);
    EXPECT_EQ(Pixel(48, 100), kBlack);

    m_overlay.Printf(0, 200, "X");
    EXPECT_EQ(Pixel(0, 200), kWhite);

    // A colour set by the caller holds for one print only.
    m_overlay.Colour[0] = 0.0f;
    m_overlay.Printf(0, 300, "X");
    EXPECT_EQ(Pixel(0, 300), (Rgba{0, 255, 255, 255}));
    m_overlay.Printf(0, 400, "X");
    EXPECT_EQ(Pixel(0, 400), kWhite);
}


// Where 16-pixel solid glyphs drawn from (x, 100) in a 640-pixel viewport land: which probes are lit.
TEST_F(TextOverlayGl, LayoutRules)
{
    UseFont(SolidFont());
    struct Probe { int x, y; bool lit; };
    struct Case {
        const char* text;
        int x;
        std::vector<Probe> probes;
        int bold = 0, shear = 0;
        bool callerScissor = false;
    };
    const Case cases[] = {
        {"A\nB", 0, {{8, 108, true}, {8, 92, true}, {24, 108, false}, {24, 92, false}}},
        {"\tX", 0, {{8, 108, false}, {72, 108, false}, {88, 108, true}}},
        {"X", 0, {{15, 108, true}, {16, 108, false}}},
        {"\\b+X", 0, {{8, 108, true}, {16, 108, true}, {17, 108, false}}},
        {"\\i+X", 0, {{1, 101, true}, {2, 114, false}, {20, 114, true}}},
        {"\\b+\\i+X\\b-\\i-Y", 0, {{20, 108, true}, {32, 108, false}, {37, 114, false}}},
        // Malformed escapes are text: a backslash, a letter and the glyph after them.
        {"\\bX", 0, {{8, 108, true}, {24, 108, true}, {40, 108, true}, {56, 108, false}}},
        {"\\c(1 2)X", 0, {{8, 108, true}, {24, 108, true}, {104, 108, true}}},
        {"\\c(1 2 3X", 0, {{8, 108, true}, {24, 108, true}}},
        // The box is as wide as the text: a caller's bold or italics on its last glyph is cut.
        {"X", 0, {{15, 108, true}, {16, 108, false}}, 1},
        {"X", 0, {{1, 101, true}, {20, 114, false}}, 0, 8},
        // The caller's scissor box (x below 16) clips the text too: a frame redrawing one region.
        {"XX", 0, {{8, 108, true}, {24, 108, false}}, 0, 0, true},
        // The pen stops at the right edge of the viewport, for the lines after it too.
        {"ABC\nD", 610, {{618, 108, true}, {632, 108, true}, {618, 92, false}}},
        {"A", 641, {{639, 108, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        glDisable(GL_SCISSOR_TEST);
        glClear(GL_COLOR_BUFFER_BIT);
        if (c.callerScissor) {
            glEnable(GL_SCISSOR_TEST);
            glScissor(0, 0, 16, 480);
        }
        m_overlay.Bold = c.bold;
        m_overlay.ItalicShear = c.shear;
        m_overlay.Printf(c.x, 100, "%s", c.text);
        glDisable(GL_SCISSOR_TEST);
        for (const Probe& p : c.probes)
            EXPECT_EQ(Pixel(p.x, p.y) == kWhite, p.lit) << p.x << "," << p.y;
    }
}

}  // namespace

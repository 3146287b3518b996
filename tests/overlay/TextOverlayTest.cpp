#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "TgaBytes.h"
#include "overlay/FontTexture.h"
#include "overlay/TextOverlay.h"
#include "support/GlFixture.h"

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

// A font whose glyph k is a flat square of grey k, laid out as the glyph table expects: glyph 0
// in the picture's top left cell, the file's first row being the picture's bottom row.
std::string CodedFont()
{
    static const std::string path = [] {
        std::vector<uint8_t> pixels(256 * 256);
        for (int fileRow = 0; fileRow < 256; ++fileRow)
            for (int x = 0; x < 256; ++x)
                pixels[fileRow * 256 + x] = static_cast<uint8_t>(((255 - fileRow) / 16) * 16 + x / 16);
        return WriteTempFile("coded_font.tga", MakeTga(3, 8, 256, 256, pixels));
    }();
    return path;
}

class TextOverlayGl : public GlFixture {
protected:
    void UseFont(const std::string& path)
    {
        ASSERT_EQ(m_overlay.Create(path.c_str()), TGA_OK);
        m_overlay.Size = 16;
    }
    // Grey drawn at the centre of the glyph cell whose lower left corner is (x, y).
    int GlyphAt(int x, int y) { return Pixel(x + 8, y + 8)[0]; }

    TextOverlay m_overlay;
};

TEST_F(TextOverlayGl, CreateFillsTheGlyphTable)
{
    UseFont(SolidFont());
    EXPECT_NE(m_overlay.TextureName, 0u);
    EXPECT_FLOAT_EQ(m_overlay.CellU, 1.0f / 16);
    EXPECT_FLOAT_EQ(m_overlay.CellV, 1.0f / 16);
    EXPECT_FLOAT_EQ(TextOverlay::GlyphTable[65].u, 1.0f / 16);
    EXPECT_FLOAT_EQ(TextOverlay::GlyphTable[65].v, 11.0f / 16);
    EXPECT_FLOAT_EQ(TextOverlay::GlyphTable[0].u, 0.0f);
    EXPECT_FLOAT_EQ(TextOverlay::GlyphTable[0].v, 15.0f / 16);
    EXPECT_FLOAT_EQ(TextOverlay::GlyphTable[255].u, 15.0f / 16);
    EXPECT_FLOAT_EQ(TextOverlay::GlyphTable[255].v, 0.0f);
}

TEST_F(TextOverlayGl, EachCharacterShowsItsOwnGlyph)
{
    UseFont(CodedFont());
    m_overlay.Printf(0, 100, "A%c%c", 200, 255);
    EXPECT_NEAR(GlyphAt(0, 100), 'A', 1);
    EXPECT_NEAR(GlyphAt(16, 100), 200, 1);
    EXPECT_NEAR(GlyphAt(32, 100), 255, 1);
}

TEST_F(TextOverlayGl, NewlinesAndTabsMoveThePen)
{
    UseFont(SolidFont());
    m_overlay.Printf(10, 100, "ab\nd");
    EXPECT_EQ(Pixel(10, 100), kWhite);   // a
    EXPECT_EQ(Pixel(25, 115), kWhite);
    EXPECT_EQ(Pixel(26, 100), kWhite);   // b
    EXPECT_EQ(Pixel(41, 115), kWhite);
    EXPECT_EQ(Pixel(42, 100), kBlack);
    EXPECT_EQ(Pixel(9, 100), kBlack);
    EXPECT_EQ(Pixel(10, 84), kWhite);    // d
    EXPECT_EQ(Pixel(25, 99), kWhite);
    EXPECT_EQ(Pixel(26, 84), kBlack);
    EXPECT_EQ(Pixel(10, 83), kBlack);

    m_overlay.Printf(0, 200, "a\tb");
    EXPECT_EQ(Pixel(15, 200), kWhite);
    EXPECT_EQ(Pixel(16, 200), kBlack);
    EXPECT_EQ(Pixel(95, 200), kBlack);
    EXPECT_EQ(Pixel(96, 200), kWhite);
    EXPECT_EQ(Pixel(111, 200), kWhite);
    EXPECT_EQ(Pixel(112, 200), kBlack);
}

TEST_F(TextOverlayGl, ScissorBoxCoversTheLinesAndTabs)
{
    UseFont(SolidFont());
    GLint box[4] = {};
    TextOverlay::SaveGLState();
    m_overlay.DrawText("ab\nd", 10, 100, Width());
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ((std::vector<GLint>(box, box + 4)), (std::vector<GLint>{10, 84, 64, 32}));
    m_overlay.DrawText("a\tb\t", 0, 50, Width());
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ((std::vector<GLint>(box, box + 4)), (std::vector<GLint>{0, 50, 4 * 16 * 8, 16}));
    TextOverlay::RestoreGLState();
}

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

TEST_F(TextOverlayGl, ItalicShearsTheTopEdgeAndBoldDrawsTwice)
{
    UseFont(SolidFont());
    m_overlay.Printf(100, 100, "\\i+X");
    // Quad (100,100) (116,100) (124,116) (108,116): row 114's centre has edges at 107.25 and 123.25.
    EXPECT_EQ(Pixel(100, 100), kWhite);
    EXPECT_EQ(Pixel(115, 100), kWhite);
    EXPECT_EQ(Pixel(116, 100), kBlack);
    EXPECT_EQ(Pixel(106, 114), kBlack);
    EXPECT_EQ(Pixel(107, 114), kWhite);
    EXPECT_EQ(Pixel(122, 114), kWhite);
    EXPECT_EQ(Pixel(123, 114), kBlack);

    // Half-transparent white: where the two copies overlap the alpha builds up.
    m_overlay.Printf(100, 200, "\\a(255 255 255 128)\\b+X\\b-Y");
    EXPECT_NEAR(Pixel(100, 208)[0], 128, 1);
    EXPECT_NEAR(Pixel(101, 208)[0], 192, 2);
    EXPECT_NEAR(Pixel(115, 208)[0], 192, 2);
    EXPECT_NEAR(Pixel(116, 208)[0], 192, 2);   // second copy's last column under Y's first
    EXPECT_NEAR(Pixel(117, 208)[0], 128, 1);   // Y, drawn once
    EXPECT_NEAR(Pixel(131, 208)[0], 128, 1);
    EXPECT_EQ(Pixel(132, 208), kBlack);

    // Styles end with the print.
    m_overlay.Printf(100, 300, "X");
    EXPECT_EQ(Pixel(115, 314), kWhite);
    EXPECT_EQ(Pixel(116, 300), kBlack);
    EXPECT_EQ(m_overlay.Bold, 0);
    EXPECT_EQ(m_overlay.ItalicShear, 0);
    EXPECT_EQ(m_overlay.Size, 16);
}

TEST_F(TextOverlayGl, WhatIsNoEscapeIsDrawnAsText)
{
    UseFont(CodedFont());
    struct Case {
        const char* text;
        const char* drawn;
    } cases[] = {
        {"a\\qb", "a\\qb"},
        {"\\c(1 2)X", "\\c(1 2)X"},
        {"\\c(255 0 0", "\\c(255 0 0"},   // no closing parenthesis: nothing past the end is read
        {"\\a(1 2 3)", "\\a(1 2 3)"},
        {"\\b*x\\i", "\\b*x\\i"},
        {"x\\", "x\\"},
        {"\\c(255 255 255 x)Q", "Q"},  // parsed numbers: the escape runs to the ")"
    };
    int y = 400;
    for (const Case& c : cases) {
        m_overlay.Printf(0, y, "%s", c.text);
        const std::string drawn = c.drawn;
        for (size_t i = 0; i < drawn.size(); ++i)
            EXPECT_NEAR(GlyphAt(static_cast<int>(i) * 16, y), static_cast<unsigned char>(drawn[i]), 1)
                << c.text << " glyph " << i;
        EXPECT_EQ(Pixel(static_cast<int>(drawn.size()) * 16 + 8, y + 8), kBlack) << c.text;
        y -= 20;
    }
}

TEST_F(TextOverlayGl, StopsAtTheRightEdgeOfTheViewport)
{
    UseFont(SolidFont());
    Resize(200, 200);
    glViewport(0, 0, 100, 200);
    m_overlay.Printf(0, 100, "abcdefghij\nxyz");
    glViewport(0, 0, 200, 200);
    // g is drawn at x = 96 (not beyond 100), then the pen at 112 ends the whole text.
    EXPECT_EQ(Pixel(96, 100), kWhite);
    EXPECT_EQ(Pixel(112, 100), kBlack);
    EXPECT_EQ(Pixel(0, 84), kBlack);
}

TEST_F(TextOverlayGl, LongTextIsCutAt5119Characters)
{
    UseFont(SolidFont());
    Resize(6000, 4);
    m_overlay.Size = 1;
    const std::string text(6000, 'x');
    m_overlay.Printf(0, 0, "%s", text.c_str());
    EXPECT_EQ(Pixel(5118, 0), kWhite);
    EXPECT_EQ(Pixel(5119, 0), kBlack);
}

TEST_F(TextOverlayGl, RestoresTheStateItChanges)
{
    UseFont(SolidFont());
    GLfloat projection[16];
    GLfloat modelview[16];
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-5, 5, -5, 5, -5, 5);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);

    struct Setup {
        bool on;          // depth, lighting and blending on, texturing and scissor off; or the reverse
        GLenum front, back, matrixMode, src, dst;
    } setups[] = {
        {true, GL_LINE, GL_POINT, GL_TEXTURE, GL_ONE, GL_ZERO},
        {false, GL_FILL, GL_FILL, GL_PROJECTION, GL_DST_COLOR, GL_SRC_ALPHA},
    };
    for (const Setup& s : setups) {
        const GLenum caps[] = {GL_DEPTH_TEST, GL_LIGHTING, GL_BLEND};
        for (GLenum cap : caps)
            s.on ? glEnable(cap) : glDisable(cap);
        s.on ? glDisable(GL_TEXTURE_2D) : glEnable(GL_TEXTURE_2D);
        s.on ? glDisable(GL_SCISSOR_TEST) : glEnable(GL_SCISSOR_TEST);
        glScissor(1, 2, 600, 400);
        glPolygonMode(GL_FRONT, s.front);
        glPolygonMode(GL_BACK, s.back);
        glBlendFunc(s.src, s.dst);
        glMatrixMode(s.matrixMode);

        m_overlay.Printf(20, 20, "X");
        EXPECT_EQ(Pixel(27, 27), kWhite) << "filled despite the polygon mode";
        glClear(GL_COLOR_BUFFER_BIT);

        EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), s.on);
        EXPECT_EQ(glIsEnabled(GL_LIGHTING), s.on);
        EXPECT_EQ(glIsEnabled(GL_BLEND), s.on);
        EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), !s.on);
        EXPECT_EQ(glIsEnabled(GL_SCISSOR_TEST), !s.on);
        GLint v[4] = {};
        glGetIntegerv(GL_POLYGON_MODE, v);
        EXPECT_EQ(v[0], static_cast<GLint>(s.front));
        EXPECT_EQ(v[1], static_cast<GLint>(s.back));
        glGetIntegerv(GL_BLEND_SRC, v);
        EXPECT_EQ(v[0], static_cast<GLint>(s.src));
        glGetIntegerv(GL_BLEND_DST, v);
        EXPECT_EQ(v[0], static_cast<GLint>(s.dst));
        glGetIntegerv(GL_MATRIX_MODE, v);
        EXPECT_EQ(v[0], static_cast<GLint>(s.matrixMode));
        glGetIntegerv(GL_SCISSOR_BOX, v);
        EXPECT_EQ((std::vector<GLint>(v, v + 4)), (std::vector<GLint>{1, 2, 600, 400}));
        GLfloat after[16];
        glGetFloatv(GL_PROJECTION_MATRIX, after);
        EXPECT_EQ(std::vector<GLfloat>(after, after + 16), std::vector<GLfloat>(projection, projection + 16));
        glGetFloatv(GL_MODELVIEW_MATRIX, after);
        EXPECT_EQ(std::vector<GLfloat>(after, after + 16), std::vector<GLfloat>(modelview, modelview + 16));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(TextOverlayGl, WithoutAFontImageGlyphsAreUntexturedQuads)
{
    EXPECT_EQ(m_overlay.Create((std::string(TW_BINARY_DIR) + "/no_such_font.tga").c_str()), TGA_ERR_OPEN);
    EXPECT_NE(m_overlay.TextureName, 0u);
    m_overlay.Size = 16;
    m_overlay.Printf(0, 0, "  ");
    EXPECT_EQ(Pixel(20, 8), kWhite);
}

TEST_F(TextOverlayGl, FontImagesThatCannotBeTexturesAreRefused)
{
    const std::string wide = WriteTempFile("wide_font.tga", MakeTga(3, 8, 2048, 1, std::vector<uint8_t>(2048, 9)));
    EXPECT_EQ(m_overlay.Create(wide.c_str()), TEX_ERR_SIZE);
    const std::string odd = WriteTempFile("odd_font.tga", MakeTga(3, 8, 16, 3, std::vector<uint8_t>(48, 9)));
    EXPECT_EQ(m_overlay.Create(odd.c_str()), TEX_ERR_SIZE);
}

TEST(FontTexture, IsPowerOfTwo)
{
    for (int n : {1, 2, 256, 1024})
        EXPECT_TRUE(FontTexture::IsPowerOfTwo(n)) << n;
    for (int n : {0, 3, 1000, 2048, -2, 4096})
        EXPECT_FALSE(FontTexture::IsPowerOfTwo(n)) << n;
}

TEST(FontTexture, FormatsFollowTheDepthUnlessGiven)
{
    const std::string data = TW_TESTDATA_DIR;
    const struct {
        const char* file;
        GLenum format;
    } cases[] = {{"/tga/UBW8.TGA", GL_ALPHA}, {"/tga/UTC24.TGA", GL_RGB}, {"/tga/UTC32.TGA", GL_RGBA}};
    for (const auto& c : cases) {
        FontTexture t;
        ASSERT_EQ(t.Load((data + c.file).c_str()), TGA_OK);
        EXPECT_EQ(t.PixelFormat, c.format);
        EXPECT_EQ(t.InternalFormat, c.format);
        t.ReleasePixels();

        FontTexture named;
        ASSERT_EQ(named.Load((data + c.file).c_str(), 7, GL_LUMINANCE), TGA_OK);
        EXPECT_EQ(named.TextureName, 7u);
        EXPECT_EQ(named.PixelFormat, static_cast<GLenum>(GL_LUMINANCE));
        EXPECT_EQ(named.InternalFormat, c.format);
        named.ReleasePixels();
    }
    FontTexture missing;
    EXPECT_EQ(missing.Load((data + "/tga/UTC16.TGA").c_str(), 7, GL_ALPHA), TGA_ERR_DEPTH);
    EXPECT_EQ(missing.TextureName, 0u);
    EXPECT_EQ(missing.PixelFormat, 0u);
}

class FontTextureGl : public GlFixture {};

TEST_F(FontTextureGl, UploadDefinesTheTextureWithItsSettings)
{
    FontTexture t;
    EXPECT_EQ(t.Upload(true), TEX_ERR_NO_IMAGE);

    ASSERT_EQ(t.Load(SolidFont().c_str()), TGA_OK);
    glGenTextures(1, &t.TextureName);
    t.MinFilter = GL_NEAREST;
    t.WrapS = GL_CLAMP;
    t.EnvMode = GL_REPLACE;
    ASSERT_EQ(t.Upload(true), TGA_OK);
    EXPECT_EQ(t.Pixels, nullptr);

    GLint v = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &v);
    EXPECT_EQ(static_cast<GLuint>(v), t.TextureName);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &v);
    EXPECT_EQ(v, 1);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &v);
    EXPECT_EQ(v, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &v);
    EXPECT_EQ(v, GL_CLAMP);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &v);
    EXPECT_EQ(v, GL_REPEAT);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &v);
    EXPECT_EQ(v, GL_REPLACE);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &v);
    EXPECT_EQ(v, 256);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &v);
    EXPECT_EQ(v, 0);

    FontTexture mip;
    ASSERT_EQ(mip.Load(SolidFont().c_str()), TGA_OK);
    glGenTextures(1, &mip.TextureName);
    mip.UseMipmaps = 1;
    ASSERT_EQ(mip.Upload(false), TGA_OK);
    EXPECT_NE(mip.Pixels, nullptr);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 8, GL_TEXTURE_WIDTH, &v);
    EXPECT_EQ(v, 1);
    mip.ReleasePixels();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FontTextureGl, PixelFormatWiderThanTheImageIsRefused)
{
    // GL would read four bytes per pixel from a buffer holding one.
    FontTexture t;
    ASSERT_EQ(t.Load(SolidFont().c_str(), 0, GL_RGBA), TGA_OK);
    EXPECT_EQ(t.Upload(true), TEX_ERR_NO_IMAGE);
    EXPECT_NE(t.Pixels, nullptr);
    t.ReleasePixels();
}

}  // namespace

namespace {

// The font the program ships: printable characters leave a mark in their own cell, control
// characters and the space leave none.
TEST_F(TextOverlayGl, ShippedFontDrawsPrintableCharactersOnly)
{
    UseFont(std::string(TW_SOURCE_DIR) + "/res/fontGray.tga");
    auto litInCell = [&](int x, int y) {
        int lit = 0;
        for (int dy = 0; dy < 16; ++dy)
            for (int dx = 0; dx < 16; ++dx)
                lit += Pixel(x + dx, y + dy)[0] > 128;
        return lit;
    };
    m_overlay.Printf(0, 100, "A#g%c%c%c \x01", 0xC4, 0xFF, 0x7F);
    EXPECT_GT(litInCell(0, 100), 10);
    EXPECT_GT(litInCell(16, 100), 10);
    EXPECT_GT(litInCell(32, 100), 10);
    EXPECT_GT(litInCell(48, 100), 10);
    EXPECT_GT(litInCell(64, 100), 5);
    EXPECT_EQ(litInCell(80, 100), 0);
    EXPECT_EQ(litInCell(96, 100), 0);
    EXPECT_EQ(litInCell(112, 100), 0);
    // T's bar is at its top and its stem below: the cell rows are not upside down.
    m_overlay.Printf(0, 200, "T");
    auto widest = [&](int fromRow, int toRow) {
        int best = 0;
        for (int row = fromRow; row <= toRow; ++row) {
            int lit = 0;
            for (int dx = 0; dx < 16; ++dx)
                lit += Pixel(dx, 200 + row)[0] > 128;
            best = std::max(best, lit);
        }
        return best;
    };
    EXPECT_GT(widest(9, 15), widest(2, 6) + 3);
}

}  // namespace

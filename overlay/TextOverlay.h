#pragma once

// Bitmap-font text drawn over the GL picture in window pixels: a 16 x 16 grid of glyphs in one
// grey TGA image, laid out glyph by glyph as textured quads, with inline escapes for colour
// ("\c(r g b)", "\a(r g b a)"), bold ("\b+", "\b-") and italic ("\i+", "\i-").
#include <cstdint>

#include <GL/gl.h>

struct GlyphCoord {
    float u = 0.0f;
    float v = 0.0f;
};

class TextOverlay {
public:
    // Texture coordinates of the lower left corner of each glyph cell, by byte value; shared by
    // every overlay and filled by Create.
    static GlyphCoord GlyphTable[256];

    // Makes the font texture from the TGA file at path; returns a TGA_/TEX_ result code. The
    // texture name is made even when the image cannot be loaded.
    int Create(const char* path);

    // Formats like printf (cut at 5119 characters) and draws the text with its first line's lower
    // left corner at (x, y), in pixels from the lower left corner of the viewport. Afterwards
    // Colour, Bold and ItalicShear are back at their defaults.
    void Printf(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));

    // The box (x, y, width, height in viewport pixels) the text can light when drawn at
    // (x, y): Printf clips it to that box, and to the caller's scissor box when one is on.
    struct Box {
        int x, y, width, height;
    };
    Box TextBounds(const char* text, int x, int y) const;

    // The pieces of Printf. SaveGLState keeps one process-wide record: saves do not nest.
    static void SaveGLState();
    static void RestoreGLState();
    void DrawText(const char* text, int x, int y, int right);
    void DrawChar(unsigned char ch, int x, int y);
    void DrawGlyph(unsigned char ch, int x, int y);

    float Colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    int32_t Size = 12;
    int32_t ItalicShear = 0;
    int32_t Bold = 0;
    float CellU = 0.0f;
    float CellV = 0.0f;
    int32_t Rows = 16;
    int32_t Columns = 16;
    GLuint TextureName = 0;

private:
    // Applies the escape starting at the backslash text[0]; returns its length, or 0 if the
    // characters there are no escape.
    int ApplyEscape(const char* text);
};

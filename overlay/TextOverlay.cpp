#include "overlay/TextOverlay.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "overlay/FontTexture.h"

GlyphCoord TextOverlay::GlyphTable[256];

namespace {

// The GL state Printf changes, kept for RestoreGLState. One record for the process.
struct SavedGLState {
    GLint polygonMode[2] = {GL_FILL, GL_FILL};
    GLboolean texture2D = GL_FALSE;
    GLboolean depthTest = GL_FALSE;
    GLboolean lighting = GL_FALSE;
    GLboolean scissorTest = GL_FALSE;
    GLboolean blend = GL_FALSE;
    GLint matrixMode = GL_MODELVIEW;
    GLint blendSrc = GL_ONE;
    GLint blendDst = GL_ZERO;
    GLint scissorBox[4] = {};
};

SavedGLState g_savedState;

// Reads "(n n n ...)" as sscanf's "(%d %d ...)" would, count numbers after the "(" at text[0].
// Returns false unless all numbers are there; out-of-range numbers are limited to int.
bool ReadNumbers(const char* text, int count, int* out)
{
    if (*text != '(')
        return false;
    const char* p = text + 1;
    for (int i = 0; i < count; ++i) {
        while (std::isspace(static_cast<unsigned char>(*p)))
            ++p;
        const char* digits = (*p == '+' || *p == '-') ? p + 1 : p;
        if (!std::isdigit(static_cast<unsigned char>(*digits)))
            return false;
        char* end = nullptr;
        const long value = std::strtol(p, &end, 10);
        out[i] = static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
        p = end;
    }
    return true;
}

}  // namespace

int TextOverlay::Create(const char* path)
{
    glGenTextures(1, &TextureName);

    Rows = 16;
    Columns = 16;
    CellU = 1.0f / static_cast<float>(Columns);
    CellV = 1.0f / static_cast<float>(Rows);
    for (int k = 0; k < 256; ++k) {
        GlyphTable[k].u = static_cast<float>(k % 16) * CellU;
        GlyphTable[k].v = 1.0f - static_cast<float>(k / 16 + 1) * CellV;
    }

    FontTexture font;
    int result = font.Load(path, TextureName, GL_ALPHA);
    if (result != TGA_OK)
        return result;
    result = font.Upload(true);
    font.ReleasePixels();  // still held when the upload was refused
    return result;
}

void TextOverlay::Printf(int x, int y, const char* format, ...)
{
    char text[5120] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);

    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);

    SaveGLState();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, viewport[2], 0, viewport[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glBindTexture(GL_TEXTURE_2D, TextureName);
    DrawText(text, x, y, viewport[0] + viewport[2]);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    RestoreGLState();

    Colour[0] = Colour[1] = Colour[2] = Colour[3] = 1.0f;
    Bold = 0;
    ItalicShear = 0;
}

void TextOverlay::SaveGLState()
{
    SavedGLState& s = g_savedState;
    glGetIntegerv(GL_POLYGON_MODE, s.polygonMode);
    if (s.polygonMode[0] != GL_FILL)
        glPolygonMode(GL_FRONT, GL_FILL);
    if (s.polygonMode[1] != GL_FILL)
        glPolygonMode(GL_BACK, GL_FILL);

    s.texture2D = glIsEnabled(GL_TEXTURE_2D);
    s.depthTest = glIsEnabled(GL_DEPTH_TEST);
    s.lighting = glIsEnabled(GL_LIGHTING);
    s.scissorTest = glIsEnabled(GL_SCISSOR_TEST);
    s.blend = glIsEnabled(GL_BLEND);
    if (!s.texture2D)
        glEnable(GL_TEXTURE_2D);
    if (s.depthTest)
        glDisable(GL_DEPTH_TEST);
    if (s.lighting)
        glDisable(GL_LIGHTING);
    if (!s.scissorTest)
        glEnable(GL_SCISSOR_TEST);
    // The text sets its own scissor box; the caller's box comes back with the rest.
    glGetIntegerv(GL_SCISSOR_BOX, s.scissorBox);

    glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
    glGetIntegerv(GL_BLEND_SRC, &s.blendSrc);
    glGetIntegerv(GL_BLEND_DST, &s.blendDst);
    if (!s.blend)
        glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void TextOverlay::RestoreGLState()
{
    const SavedGLState& s = g_savedState;
    if (s.polygonMode[0] != GL_FILL)
        glPolygonMode(GL_FRONT, static_cast<GLenum>(s.polygonMode[0]));
    if (s.polygonMode[1] != GL_FILL)
        glPolygonMode(GL_BACK, static_cast<GLenum>(s.polygonMode[1]));
    if (s.lighting)
        glEnable(GL_LIGHTING);
    if (!s.blend)
        glDisable(GL_BLEND);
    glBlendFunc(static_cast<GLenum>(s.blendSrc), static_cast<GLenum>(s.blendDst));
    if (s.depthTest)
        glEnable(GL_DEPTH_TEST);
    if (!s.texture2D)
        glDisable(GL_TEXTURE_2D);
    glScissor(s.scissorBox[0], s.scissorBox[1], s.scissorBox[2], s.scissorBox[3]);
    if (!s.scissorTest)
        glDisable(GL_SCISSOR_TEST);
    glMatrixMode(static_cast<GLenum>(s.matrixMode));
}

void TextOverlay::DrawText(const char* text, int x, int y, int right)
{
    const std::size_t length = std::strlen(text);
    long long newlines = 0;
    long long tabs = 0;
    for (std::size_t i = 0; i < length; ++i) {
        newlines += text[i] == '\n';
        tabs += text[i] == '\t';
    }
    const long long factor = tabs > 0 ? 4 * tabs : 1;
    const long long size = Size;
    // Worked in 64 bits and limited to int: a large Size must not overflow the box.
    auto toInt = [](long long v) { return static_cast<GLint>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    glScissor(x, toInt(y - newlines * size), toInt(static_cast<long long>(length) * size * factor),
              toInt((newlines + 1) * size));

    int penX = x;
    int penY = y;
    for (std::size_t i = 0; i < length && penX <= right; ++i) {
        const char ch = text[i];
        const int escape = ch == '\\' ? ApplyEscape(text + i) : 0;
        if (ch == '\t') {
            penX += 5 * Size;
        } else if (ch == '\n') {
            penX = x;
            penY -= Size;
        } else if (escape > 0) {
            i += static_cast<std::size_t>(escape) - 1;
        } else {
            DrawChar(static_cast<unsigned char>(ch), penX, penY);
            penX += Size;
        }
    }
}

int TextOverlay::ApplyEscape(const char* text)
{
    const char kind = text[1];
    if (kind == 'b' || kind == 'i') {
        const char sign = text[2];
        if (sign != '+' && sign != '-')
            return 0;
        if (kind == 'b')
            Bold = sign == '+';
        else
            ItalicShear = sign == '+' ? 8 : 0;
        return 3;
    }
    if (kind == 'c' || kind == 'a') {
        const int count = kind == 'c' ? 3 : 4;
        int n[4] = {0, 0, 0, 255};
        if (!ReadNumbers(text + 2, count, n))
            return 0;
        // The escape runs to the first ")" after its "("; without one it is no escape.
        const char* close = std::strchr(text + 2, ')');
        if (!close)
            return 0;
        Colour[0] = static_cast<float>(n[0]) / 255.0f;
        Colour[1] = static_cast<float>(n[1]) / 255.0f;
        Colour[2] = static_cast<float>(n[2]) / 255.0f;
        Colour[3] = static_cast<float>(n[3]) / 255.0f;
        return static_cast<int>(close - text) + 1;
    }
    return 0;
}

void TextOverlay::DrawChar(unsigned char ch, int x, int y)
{
    DrawGlyph(ch, x, y);
    if (Bold)
        DrawGlyph(ch, x + 1, y);
}

void TextOverlay::DrawGlyph(unsigned char ch, int x, int y)
{
    glColor4fv(Colour);
    const GlyphCoord& g = GlyphTable[ch];
    const int s = Size;
    const int h = ItalicShear;
    glBegin(GL_QUADS);
    glTexCoord2f(g.u, g.v);
    glVertex2i(x, y);
    glTexCoord2f(g.u + CellU, g.v);
    glVertex2i(x + s, y);
    glTexCoord2f(g.u + CellU, g.v + CellV);
    glVertex2i(x + s + h, y + s);
    glTexCoord2f(g.u, g.v + CellV);
    glVertex2i(x + h, y + s);
    glEnd();
}

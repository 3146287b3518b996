#include "overlay/TextOverlay.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "overlay/FontTexture.h"
#include "overlay/TextEscape.h"

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

TextOverlay::Box TextOverlay::TextBounds(const char* text, int x, int y) const
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
    auto toInt = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    return {x, toInt(y - newlines * size), toInt(static_cast<long long>(length) * size * factor),
            toInt((newlines + 1) * size)};
}

void TextOverlay::DrawText(const char* text, int x, int y, int right)
{
    const std::size_t length = std::strlen(text);
    Box box = TextBounds(text, x, y);
    // A caller that clips (a frame redrawing one region) keeps its clip.
    if (g_savedState.scissorTest) {
        const long long x0 = std::max<long long>(box.x, g_savedState.scissorBox[0]);
        const long long y0 = std::max<long long>(box.y, g_savedState.scissorBox[1]);
        const long long x1 = std::min<long long>(static_cast<long long>(box.x) + std::max(box.width, 0),
                                                 static_cast<long long>(g_savedState.scissorBox[0]) + g_savedState.scissorBox[2]);
        const long long y1 = std::min<long long>(static_cast<long long>(box.y) + std::max(box.height, 0),
                                                 static_cast<long long>(g_savedState.scissorBox[1]) + g_savedState.scissorBox[3]);
        box = {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(std::max(0LL, x1 - x0)),
               static_cast<int>(std::max(0LL, y1 - y0))};
    }
    glScissor(box.x, box.y, box.width, box.height);

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
    const TextEscape e = ParseTextEscape(text);
    if (e.kind == 'b') {
        Bold = e.on;
    } else if (e.kind == 'i') {
        ItalicShear = e.on ? 8 : 0;
    } else if (e.kind == 'c' || e.kind == 'a') {
        for (int k = 0; k < 4; ++k)
            Colour[k] = static_cast<float>(e.rgba[k]) / 255.0f;
    }
    return e.length;
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

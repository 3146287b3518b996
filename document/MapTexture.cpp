#include "document/CourseData.h"

#include "framework/Backend.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <utility>

std::uint32_t MapPixelFormat(const MapImageInfo& info)
{
    return info.components == 3 ? GL_RGB : GL_LUMINANCE;
}

std::int32_t CourseData::MaxMapSide()
{
    AfxMakeGLCurrent();
    GLint maxSide = 0;
    if (glGetString(GL_VERSION) != nullptr)
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    return maxSide > 0 ? maxSide : INT32_MAX;
}

bool CourseData::LoadMapTexture(std::string path)
{
    // Loads come from Open, the settings dialog and the View menu, outside any paint: the
    // view's context has to be made current first. Without a back end one may already be.
    AfxMakeGLCurrent();

    if (path.empty())
        return false;

    // No context could be made current (no window yet, no display): the image is still
    // decoded, but there is nowhere to build a texture, and GLU would work from garbage limits.
    const bool hasGL = glGetString(GL_VERSION) != nullptr;
    if (hasGL)
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    // The old buffer goes before the new file is known to be readable, so a failed load
    // leaves no pixels and a zero description while the last texture stays on screen. A side
    // over the GL's largest texture is refused rather than handed to GLU, which scales such
    // maps to nothing drawable; kMaxMapPixels keeps GLU's own sizes from overflowing.
    m_mapPixels.reset();
    m_mapPixels = ReadBmp(path, m_mapInfo, MaxMapSide());
    if (!m_mapPixels || !hasGL)
        return false;

    const GLuint replaced = m_mapTexture;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    m_mapTexture = texture;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    gluBuild2DMipmaps(GL_TEXTURE_2D, m_mapInfo.components, m_mapInfo.width, m_mapInfo.height,
                      static_cast<GLenum>(MapPixelFormat(m_mapInfo)), GL_UNSIGNED_BYTE, m_mapPixels.get());

    // Nothing draws the replaced map again; give its video memory back.
    if (replaced != 0)
        glDeleteTextures(1, &replaced);
    return true;
}

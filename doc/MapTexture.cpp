#include "doc/CourseData.h"

#include "framework/Backend.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <utility>

bool CourseData::LoadMapTexture(std::string path)
{
    // Loads come from Open, the settings dialog and the View menu, outside any paint: the
    // view's context has to be made current first. Without a back end one may already be.
    AfxMakeGLCurrent();

    if (path.empty())
        return false;

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    // The old buffer goes before the new file is known to be readable, so a failed load
    // leaves no pixels and a zero description while the last texture stays on screen.
    m_mapPixels.reset();
    m_mapPixels = ReadBmp(path, m_mapInfo);
    if (!m_mapPixels)
        return false;
    // No context could be made current (no window yet, no display): the image stays decoded,
    // but there is nowhere to build a texture, and GLU would work from garbage limits.
    if (glGetString(GL_VERSION) == nullptr)
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
                      static_cast<GLenum>(m_mapInfo.format), static_cast<GLenum>(m_mapInfo.type),
                      m_mapPixels.get());

    // Nothing draws the replaced map again; give its video memory back.
    if (replaced != 0)
        glDeleteTextures(1, &replaced);
    return true;
}

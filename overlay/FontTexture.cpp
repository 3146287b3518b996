#include "overlay/FontTexture.h"

#include <GL/glu.h>

namespace {

// Bytes per pixel GL reads for a format given as unsigned bytes; 0 if not one of ours.
int BytesPerPixel(GLenum format)
{
    switch (format) {
    case GL_ALPHA:
    case GL_LUMINANCE:
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
        return 1;
    case GL_LUMINANCE_ALPHA:
        return 2;
    case GL_RGB:
        return 3;
    case GL_RGBA:
        return 4;
    default:
        return 0;
    }
}

GLenum FormatForDepth(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 8:
        return GL_ALPHA;
    case 24:
        return GL_RGB;
    case 32:
        return GL_RGBA;
    default:
        return 0;
    }
}

}  // namespace

int FontTexture::Load(const char* path)
{
    const int result = TgaImage::Load(path);
    if (result == TGA_OK) {
        PixelFormat = FormatForDepth(BitsPerPixel);
        InternalFormat = PixelFormat;
    }
    return result;
}

int FontTexture::Load(const char* path, GLuint textureName, GLenum pixelFormat)
{
    const int result = Load(path);
    if (result == TGA_OK) {
        TextureName = textureName;
        if (pixelFormat != 0)
            PixelFormat = pixelFormat;
    }
    return result;
}

bool FontTexture::IsPowerOfTwo(int n)
{
    return n >= 1 && n <= 1024 && (n & (n - 1)) == 0;
}

int FontTexture::Upload(bool freePixels)
{
    if (!Pixels)
        return TEX_ERR_NO_IMAGE;
    if (!IsPowerOfTwo(Width) || !IsPowerOfTwo(Height))
        return TEX_ERR_SIZE;
    // GL reads Width * Height pixels of PixelFormat: never more bytes than were decoded.
    const int needed = BytesPerPixel(PixelFormat);
    if (needed == 0 || needed > BitsPerPixel / 8)
        return TEX_ERR_NO_IMAGE;

    glBindTexture(GL_TEXTURE_2D, TextureName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(WrapS));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(WrapT));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(MinFilter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(MagFilter));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(EnvMode));
    if (UseMipmaps)
        gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(InternalFormat), Width, Height, PixelFormat,
                          GL_UNSIGNED_BYTE, Pixels);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(InternalFormat), Width, Height, 0, PixelFormat,
                     GL_UNSIGNED_BYTE, Pixels);
    if (freePixels)
        ReleasePixels();
    return TGA_OK;
}

#pragma once

// A TGA image together with the settings it is uploaded into a GL texture with.
#include <cstdint>

#include <GL/gl.h>

#include "overlay/TgaImage.h"

constexpr int TEX_ERR_NO_IMAGE = 1004;  // no decoded pixels, or too few for the pixel format
constexpr int TEX_ERR_SIZE = 1005;      // width or height not a power of two from 1 to 1024

class FontTexture : public TgaImage {
public:
    FontTexture() = default;
    ~FontTexture() override = default;

    // TgaImage::Load, then both formats follow the depth (8: GL_ALPHA, 24: GL_RGB, 32: GL_RGBA).
    int Load(const char* path);
    // As above, then TextureName = textureName and, unless 0, PixelFormat = pixelFormat.
    int Load(const char* path, GLuint textureName, GLenum pixelFormat);
    // Defines the texture TextureName from Pixels; freePixels releases them afterwards.
    int Upload(bool freePixels);
    // True for 1, 2, 4, ..., 1024.
    static bool IsPowerOfTwo(int n);

    int32_t UseMipmaps = 0;
    GLenum MinFilter = GL_LINEAR;
    GLenum MagFilter = GL_LINEAR;
    GLenum WrapS = GL_REPEAT;
    GLenum WrapT = GL_REPEAT;
    GLenum EnvMode = GL_MODULATE;
    GLuint TextureName = 0;
    GLenum PixelFormat = 0;
    GLenum InternalFormat = 0;
};

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "framework/egl/EglContext.h"

namespace {

TEST(EglContext, CompatibilityContextDrawsIntoItsFramebuffer)
{
    EglContext gl;
    ASSERT_TRUE(gl.Create(8, 4));
    EXPECT_EQ(gl.Width(), 8);
    EXPECT_EQ(gl.Height(), 4);
    // Immediate mode exists only in a compatibility profile.
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 0, 0);
    glBegin(GL_QUADS);
    glVertex2f(-1, -1);
    glVertex2f(0, -1);
    glVertex2f(0, 0);
    glVertex2f(-1, 0);
    glEnd();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const std::vector<uint8_t> rgba = gl.ReadRgba();
    ASSERT_EQ(rgba.size(), 8u * 4u * 4u);
    EXPECT_EQ((std::vector<uint8_t>(rgba.begin(), rgba.begin() + 4)), (std::vector<uint8_t>{255, 0, 0, 255}));
    const size_t topRight = (3 * 8 + 7) * 4;
    EXPECT_EQ((std::vector<uint8_t>(rgba.begin() + topRight, rgba.begin() + topRight + 4)),
              (std::vector<uint8_t>{0, 0, 255, 255}));

    gl.Resize(3, 2);
    glViewport(0, 0, 3, 2);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(gl.ReadRgba().size(), 3u * 2u * 4u);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 24);
}

TEST(EglContext, SharedContextSeesTheOtherContextsTextures)
{
    EglContext first;
    ASSERT_TRUE(first.Create(4, 4));
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const unsigned char texel[4] = {1, 2, 3, 4};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);

    EglContext second;
    ASSERT_TRUE(second.Create(4, 4, &first));
    EXPECT_TRUE(glIsTexture(texture));
    {
        EglContext alone;
        ASSERT_TRUE(alone.Create(4, 4));
        EXPECT_FALSE(glIsTexture(texture));
        ASSERT_TRUE(first.MakeCurrent());
    }
    // Destroying another context leaves the current one current.
    EXPECT_TRUE(glIsTexture(texture));
}

}  // namespace

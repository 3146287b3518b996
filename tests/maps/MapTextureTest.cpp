#include "support/BmpWriter.h"
#include "support/GlFixture.h"
#include "support/TestData.h"

#include "doc/CourseData.h"

#include <GL/gl.h>

#include <cstring>
#include <filesystem>

namespace {

// A uniform 24-bit image of the given colour (file order B G R).
std::string UniformRgbBmp(const std::string& name, int w, int h, std::uint8_t r, std::uint8_t g,
                          std::uint8_t b)
{
    BmpLayout layout;
    layout.width = w;
    layout.height = h;
    const std::size_t stride = (std::size_t(w) * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> data(stride * std::size_t(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &data[std::size_t(y) * stride + std::size_t(x) * 3];
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
    return WriteTempFile(name, MakeBmp(layout, data));
}

GLint TexLevelParameter(int level, GLenum name)
{
    GLint v = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &v);
    return v;
}

class MapTexture : public GlFixture {
protected:
    // Draws the shown map as the view does: one quad over the whole framebuffer, modulated by
    // white, so each window pixel shows the texture.
    void DrawMap(const CourseData& course)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, course.m_mapTexture);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glColor3f(1, 1, 1);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(-1, -1);
        glTexCoord2f(1, 0);
        glVertex2f(1, -1);
        glTexCoord2f(1, 1);
        glVertex2f(1, 1);
        glTexCoord2f(0, 1);
        glVertex2f(-1, 1);
        glEnd();
        glDisable(GL_TEXTURE_2D);
    }
};

}  // namespace

TEST_F(MapTexture, TwentyFourBitImageBuildsMipmappedRgbTexture)
{
    BmpLayout layout;
    layout.width = 256;
    layout.height = 256;
    const std::vector<std::uint8_t> data = PaddedRows(256 * 3, 256);
    CourseData course;
    ASSERT_TRUE(course.LoadMapTexture(WriteTempFile("tex256.bmp", MakeBmp(layout, data))));
    ASSERT_NE(course.m_mapTexture, 0u);
    EXPECT_EQ(course.m_mapInfo.components, 3);
    EXPECT_EQ(course.m_mapInfo.format, GL_RGB);
    ASSERT_TRUE(course.m_mapPixels);

    glBindTexture(GL_TEXTURE_2D, course.m_mapTexture);
    EXPECT_EQ(TexLevelParameter(0, GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(TexLevelParameter(8, GL_TEXTURE_WIDTH), 1);   // the whole chain is there
    GLint minFilter = 0, magFilter = 0, wrapS = 0, wrapT = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_EQ(wrapS, GL_REPEAT);
    EXPECT_EQ(wrapT, GL_REPEAT);

    std::vector<std::uint8_t> texels(256 * 256 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels[0], data[2]);   // red of the first texel: third byte of the pixel data
    EXPECT_EQ(texels[1], data[1]);
    EXPECT_EQ(texels[2], data[0]);
    EXPECT_EQ(0, std::memcmp(texels.data(), course.m_mapPixels.get(), texels.size()));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(MapTexture, FailedLoadKeepsTheLastTextureButDropsThePixels)
{
    CourseData course;
    ASSERT_TRUE(course.LoadMapTexture(UniformRgbBmp("green.bmp", 4, 4, 0, 255, 0)));
    const GLuint shown = course.m_mapTexture;

    // An empty path changes nothing at all.
    EXPECT_FALSE(course.LoadMapTexture(""));
    EXPECT_TRUE(course.m_mapPixels);
    EXPECT_EQ(course.m_mapInfo.width, 4);

    const std::string refused[] = {
        TestDataPath("bmpsuite/g/pal8rle.bmp"),
        TestDataPath("bmpsuite/g/rgb32.bmp"),
        TestDataPath("bmpsuite/g/pal8v4.bmp"),
        WriteTempFile("twenty.bmp", std::vector<std::uint8_t>(20, 'B')),
        "/nonexistent/map.bmp",
    };
    for (const std::string& path : refused) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(course.LoadMapTexture(path));
        EXPECT_EQ(course.m_mapTexture, shown);
        EXPECT_TRUE(glIsTexture(shown));
        EXPECT_FALSE(course.m_mapPixels);
        EXPECT_EQ(course.m_mapInfo.width, 0);
        EXPECT_EQ(course.m_mapInfo.components, 0);
        EXPECT_EQ(course.m_mapInfo.format, 0);
    }
    DrawMap(course);
    const auto px = Pixel(1, 1);
    EXPECT_EQ(px[0], 0);
    EXPECT_EQ(px[1], 255);
}

#include "support/BmpWriter.h"
#include "support/GlFixture.h"
#include "support/TestData.h"

#include "doc/CourseData.h"

#include <GL/gl.h>

#include <cstdint>
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

// A BMP whose header announces w x h pixels and whose file is as long as they need, but
// sparse: the disk holds the header only, and a reader that refuses early reads nothing.
std::string SparseBmp(const std::string& name, std::int32_t w, std::int32_t h, std::uint16_t bits)
{
    BmpLayout layout;
    layout.width = w;
    layout.height = h;
    layout.bitCount = bits;
    const std::string path = WriteTempFile(name, MakeBmp(layout, {}));
    const std::uint64_t stride = (std::uint64_t(w) * bits / 8 + 3) / 4 * 4;
    std::filesystem::resize_file(path, 54 + stride * std::uint64_t(h));
    return path;
}

GLint TexLevelParameter(int level, GLenum name)
{
    GLint v = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &v);
    return v;
}

class MapTexture : public GlFixture {
protected:
    // The texture's base level, row by row.
    std::vector<std::uint8_t> Texels(GLuint texture, int w, int h)
    {
        std::vector<std::uint8_t> texels(std::size_t(w) * h * 3);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        return texels;
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

    const std::vector<std::uint8_t> texels = Texels(course.m_mapTexture, 256, 256);
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

    // Maps the GL cannot take whole: more than 2^28 pixels (GLU's sizes would overflow on the
    // first two), a side over the largest texture (GLU would scale it to black).
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    ASSERT_GT(maxSide, 0);
    const std::string refused[] = {
        SparseBmp("big24.bmp", 27000, 27000, 24),
        SparseBmp("big8.bmp", 50000, 50000, 8),
        SparseBmp("overpixels.bmp", 16385, 16385, 8),
        SparseBmp("wide.bmp", maxSide + 1, 1, 8),
        SparseBmp("tall.bmp", 1, 100000, 24),
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
    // The last map stays on screen.
    const std::vector<std::uint8_t> texels = Texels(shown, 4, 4);
    EXPECT_EQ(texels[0], 0);
    EXPECT_EQ(texels[1], 255);
}

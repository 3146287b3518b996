#include "doc/TrackwrightDoc.h"
#include "file/CourseFile.h"

#include "support/TestBackend.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

const std::string kDefaultCourse =
    "#CourseData : NumOfHandle HandleData... TexLuminance\r\n"
    "#HandleData : vPos vTanNext vTanPrev WidthRight WidthLeft\r\n"
    "4\r\n"
    " 100.00000000    0.00000000   -0.00000743  170.00000000    0.00000203 -170.00000000    5.00000000    5.00000000 \r\n"
    "   0.00000122  100.00000000 -170.00000000   -0.00000536  170.00000000   -0.00000004    5.00000000    5.00000000 \r\n"
    "-100.00000000    0.00000243    0.00000329 -170.00000000    0.00000211  170.00000000    5.00000000    5.00000000 \r\n"
    "  -0.00000365 -100.00000000  170.00000000    0.00000123 -170.00000000    0.00000418    5.00000000    5.00000000 \r\n"
    "   0.50000000 #TexLuminance\r\n"
    "none\r\n"
    "none\r\n"
    "0 #VisibleMap(0...HeightMap 1...ColorMap)\r\n"
    "0 #NumberOfXObject\r\n"
    "#XObjectData: PosX PoxY Direction Width Height\r\n"
    "#XObject : FileName x y Angle Width Height\r\n";

// A course that uses every field: odd numbers, both paths, objects with and without names.
void FillSample(CTrackwrightDoc& doc)
{
    ASSERT_TRUE(doc.OnNewDocument());
    CourseHandle h;
    h.vPos = Vector3(-12.3456789, 3.0e38, 0.0);
    h.vTanNext = Vector3(-0.0, 1.0e-9, 0.0);
    h.vTanPrev = Vector3(-4.0e-9, 65536.125, 0.0);
    h.WidthRight = 0.1f;
    h.WidthLeft = -7.75f;
    doc.m_course.m_handles.InsertAt(2, h);
    doc.m_course.m_texLuminance = 0.8f;
    doc.m_heightMap = "/maps/height map #1.bmp";
    doc.m_colorMap = "/maps/\xe3\x82\xab\xe3\x83\xa9\xe3\x83\xbc none.bmp";
    doc.m_visibleMap = 1;
    doc.m_xobjects.Add(XObject("tree.x", Vector3(10.5, -20.25, 0.0), 1.5707964f, 3.0f, 4.0f));
    doc.m_xobjects.Add(XObject("", Vector3(0.0, 0.0, 0.0), -0.5f, 0.0f, 0.0f));
    doc.m_xobjects.Add(XObject("house #2\tbig.x", Vector3(-1e5, 1e-3, 0.0), 6.0f, 12.5f, 0.25f));
}

TEST(CourseWrite, DefaultCourseByteForByte)
{
    TestBackend backend;
    TempDir dir;
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(CourseFileText(doc), kDefaultCourse);

    const std::string path = dir.Path("default.crs");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadBytes(path), kDefaultCourse);
    EXPECT_TRUE(backend.messages.empty());
}

TEST(CourseWrite, ObjectLinesAndPaths)
{
    CTrackwrightDoc doc;
    FillSample(doc);
    const std::string text = CourseFileText(doc);
    EXPECT_NE(text.find("WidthLeft\r\n5\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n -12.34567928 "), std::string::npos);
    EXPECT_NE(text.find("\"/maps/height map #1.bmp\" #HeightMap\r\n"), std::string::npos);
    EXPECT_NE(text.find("1 #VisibleMap(0...HeightMap 1...ColorMap)\r\n3 #NumberOfXObject\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\"tree.x\"   10.50000000  -20.25000000    1.57079637    3.00000000    4.00000000\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\"\"    0.00000000    0.00000000   -0.50000000    0.00000000    0.00000000\r\n"),
              std::string::npos);
    // Negative zero and tiny negatives keep their sign, as printf writes them.
    EXPECT_NE(text.find("  -0.00000000    0.00000000   -0.00000000 65536.12500000 "), std::string::npos);
}

TEST(CourseWrite, WriteReadWriteIsIdentical)
{
    TestBackend backend;
    TempDir dir;
    CTrackwrightDoc first;
    FillSample(first);
    const std::string a = dir.Path("a.crs");
    const std::string b = dir.Path("b.crs");
    ASSERT_TRUE(first.OnSaveDocument(a));

    CTrackwrightDoc second;
    ASSERT_TRUE(second.OnNewDocument());
    second.m_xobjectScale = 1.5f;
    ASSERT_TRUE(second.OnOpenDocument(a));
    ASSERT_TRUE(second.OnSaveDocument(b));
    EXPECT_EQ(ReadBytes(a), ReadBytes(b));

    // Field by field: everything the writer put out comes back into the same member.
    ASSERT_EQ(second.m_course.m_handles.GetSize(), 5);
    EXPECT_FLOAT_EQ(second.m_course.m_handles[2].vPos.y, 3.0e38f);
    EXPECT_EQ(second.m_course.m_handles[2].WidthLeft, -7.75f);
    EXPECT_EQ(second.m_course.m_handles[2].vTanPrev.y, 65536.125f);
    EXPECT_EQ(second.m_course.m_texLuminance, 0.8f);
    EXPECT_EQ(second.m_heightMap, first.m_heightMap);
    EXPECT_EQ(second.m_colorMap, first.m_colorMap);
    EXPECT_EQ(second.m_visibleMap, 1);
    EXPECT_EQ(second.m_xobjectScale, 0.4f);
    ASSERT_EQ(second.m_xobjects.GetSize(), 3);
    EXPECT_EQ(second.m_xobjects[0].FileName, "tree.x");
    EXPECT_EQ(second.m_xobjects[0].Pos, Vector3(10.5, -20.25, 0.0));
    EXPECT_EQ(second.m_xobjects[0].Direction, 1.5707964f);
    EXPECT_EQ(second.m_xobjects[1].FileName, "");
    EXPECT_EQ(second.m_xobjects[2].FileName, "house #2\tbig.x");
    EXPECT_EQ(second.m_xobjects[2].Height, 0.25f);
    EXPECT_TRUE(backend.messages.empty());
}

// Qt sets the process locale from the environment; a comma locale must change nothing.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 2.5);
        ASSERT_STREQ(probe, "2,5") << "the locale did not take effect";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(CommaLocale, WritesAndReadsPoints)
{
    TestBackend backend;
    TempDir dir;
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    const std::string path = dir.Path("komma.crs");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadBytes(path), kDefaultCourse);

    WriteBytes(path, "1\n2.5 -3.75 1e2 0x1.8p1 .5 -.25 2.5 7.125\n0.75\nnone\nnone\n1\n"
                     "1\n\"obj.x\" 1.5 2.5 0.5 3.25 4.75\n");
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_EQ(doc.m_course.m_handles.GetSize(), 1);
    const CourseHandle& h = doc.m_course.m_handles[0];
    EXPECT_EQ(h.vPos, Vector3(2.5, -3.75, 0.0));
    EXPECT_EQ(h.vTanNext, Vector3(100.0, 3.0, 0.0));
    EXPECT_EQ(h.vTanPrev, Vector3(0.5, -0.25, 0.0));
    EXPECT_EQ(h.WidthRight, 2.5f);
    EXPECT_EQ(h.WidthLeft, 7.125f);
    EXPECT_EQ(doc.m_course.m_texLuminance, 0.75f);
    ASSERT_EQ(doc.m_xobjects.GetSize(), 1);
    EXPECT_EQ(doc.m_xobjects[0].Pos, Vector3(1.5, 2.5, 0.0));
    EXPECT_EQ(doc.m_xobjects[0].Height, 4.75f);
}

TEST(CourseWrite, RefusesQuotesThatCannotBeStored)
{
    TestBackend backend;
    TempDir dir;
    const std::string path = dir.Path("quoted.crs");
    WriteBytes(path, "old contents");

    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_colorMap = "/maps/\"quoted\".bmp";
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_FALSE(doc.OnSaveDocument(dir.Path("new.crs")));
    ASSERT_EQ(backend.messages.size(), 2u);
    EXPECT_EQ(backend.messages[0].text,
              "パスや名前に二重引用符 (\") が含まれているため保存できません: /maps/\"quoted\".bmp");
    EXPECT_EQ(ReadBytes(path), "old contents");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("new.crs")));

    doc.m_colorMap.clear();
    doc.m_xobjects.Add(XObject("a\"b.x", Vector3(), 0.0f, 1.0f, 1.0f));
    EXPECT_FALSE(doc.OnSaveDocument(path));
    ASSERT_EQ(backend.messages.size(), 3u);
    EXPECT_NE(backend.messages[2].text.find("a\"b.x"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), "old contents");

    // Without the quote the same document saves.
    doc.m_xobjects[0].FileName = "ab.x";
    EXPECT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(backend.messages.size(), 3u);
}

}  // namespace

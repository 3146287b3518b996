#include "doc/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/NumberText.h"

#include "support/TestBackend.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <limits>
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

TEST(CourseWrite, DefaultCourseByteForByte)
{
    TestBackend backend;
    TempDir dir;
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(CourseFileText(doc.StoredFields()), kDefaultCourse);

    const std::string path = dir.Path("default.crs");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadBytes(path), kDefaultCourse);
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

// Both ways numbers are read (plain decimals, and the C library's for the rest) and the
// writer keep the '.' form.
TEST_F(CommaLocale, NumbersKeepTheDotForm)
{
    EXPECT_EQ(AtoF("2.5"), 2.5);
    EXPECT_EQ(AtoF("2,5"), 2.0);
    EXPECT_EQ(AtoF(" -0x1.8p1"), -3.0);
    EXPECT_EQ(AtoF("1.5e400"), std::numeric_limits<double>::infinity());
    std::string out;
    AppendFixed(out, 2.5);
    EXPECT_EQ(out, "   2.50000000");
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

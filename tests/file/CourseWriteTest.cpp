// The writer's bytes, saved and read back, in the C and in a comma locale (Qt sets it from the environment).
#include "doc/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/NumberText.h"
#include "file/Tokenizer.h"
#include "support/TestBackend.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

const std::string kHead = "#CourseData : NumOfHandle HandleData... TexLuminance\r\n"
                          "#HandleData : vPos vTanNext vTanPrev WidthRight WidthLeft\r\n";
const std::string kObjectsHead = " #NumberOfXObject\r\n#XObjectData: PosX PoxY Direction Width Height\r\n"
                                 "#XObject : FileName x y Angle Width Height\r\n";
const std::string kDefaultCourse = kHead + "4\r\n"
    " 100.00000000    0.00000000   -0.00000743  170.00000000    0.00000203 -170.00000000    5.00000000    5.00000000 \r\n"
    "   0.00000122  100.00000000 -170.00000000   -0.00000536  170.00000000   -0.00000004    5.00000000    5.00000000 \r\n"
    "-100.00000000    0.00000243    0.00000329 -170.00000000    0.00000211  170.00000000    5.00000000    5.00000000 \r\n"
    "  -0.00000365 -100.00000000  170.00000000    0.00000123 -170.00000000    0.00000418    5.00000000    5.00000000 \r\n"
    "   0.50000000 #TexLuminance\r\nnone\r\nnone\r\n0 #VisibleMap(0...HeightMap 1...ColorMap)\r\n0" + kObjectsHead;

struct Layout { const char* what; std::function<void(CTrackwrightDoc&)> set; std::string bytes; };

// A course of no handles unless the case keeps the default ones.
const Layout kLayouts[] = {
    {"default course", [](CTrackwrightDoc&) {}, kDefaultCourse},
    {"quoted map paths, colour map shown, one object",
     [](CTrackwrightDoc& d) {
         d.m_course.m_handles.SetSize(0);
         d.m_course.m_texLuminance = 0.25f;
         d.m_heightMap = "C:\\maps\\height map #1.bmp";
         d.m_colorMap = "/maps/colour map.bmp";
         d.m_visibleMap = 1;
         d.m_xobjects.Add(XObject("tree #1.x", Vector3(-10.5, 20.0, 0.0), 0.5f, 3.0f, -4.0f));
     },
     kHead + "0\r\n   0.25000000 #TexLuminance\r\n\"C:\\maps\\height map #1.bmp\" #HeightMap\r\n"
             "\"/maps/colour map.bmp\" #ColorMap\r\n1 #VisibleMap(0...HeightMap 1...ColorMap)\r\n1" + kObjectsHead +
             "\"tree #1.x\"  -10.50000000   20.00000000    0.50000000    3.00000000   -4.00000000\r\n"},
    {"any other shown-map value is kept, empty names stay quoted",
     [](CTrackwrightDoc& d) {
         d.m_course.m_handles.SetSize(0);
         d.m_colorMap = "c.bmp";
         d.m_visibleMap = -7;
         d.m_xobjects.Add(XObject("", Vector3(), 0.0f, 0.0f, 0.0f));
         d.m_xobjects.Add(XObject("b.x", Vector3(1e6, 1e-9, 0.0), 0.0f, 1.0f, 1.0f));
     },
     kHead + "0\r\n   0.50000000 #TexLuminance\r\nnone\r\n\"c.bmp\" #ColorMap\r\n"
             "-7 #VisibleMap(0...HeightMap 1...ColorMap)\r\n2" + kObjectsHead +
             "\"\"    0.00000000    0.00000000    0.00000000    0.00000000    0.00000000\r\n"
             "\"b.x\" 1000000.00000000    0.00000000    0.00000000    1.00000000    1.00000000\r\n"},
};

void CheckLayouts(const char* locale)
{
    TestBackend backend;
    TempDir dir;
    for (const Layout& c : kLayouts) {
        SCOPED_TRACE(std::string(c.what) + " in locale " + locale);
        CTrackwrightDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        c.set(doc);
        const std::string path = dir.Path("course.crs");
        ASSERT_TRUE(doc.OnSaveDocument(path));
        EXPECT_EQ(ReadBytes(path), c.bytes);
        // Read back, the stored fields are what was written.
        std::string text = c.bytes;
        DropCrBeforeLf(text);
        const StoredCourse back = ParseCourseText(text);
        EXPECT_EQ(CourseFileText(back), c.bytes);
        EXPECT_EQ(back.heightMap, doc.m_heightMap);
        EXPECT_EQ(back.visibleMap, doc.m_visibleMap);
    }
    EXPECT_TRUE(backend.messages.empty());
}

TEST(CourseWrite, LinesOfPathsObjectsAndShownMapInTheCAndACommaLocale)
{
    CheckLayouts("C");
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 2.5);
    EXPECT_STREQ(probe, "2,5") << "the locale did not take effect";
    CheckLayouts("de_DE.UTF-8");
    // Both ways numbers are read (plain decimals, the C library's for the rest) keep the dot.
    EXPECT_EQ(AtoF("2.5"), 2.5);
    EXPECT_EQ(AtoF("2,5"), 2.0);
    EXPECT_EQ(AtoF(" -0x1.8p1"), -3.0);
    EXPECT_EQ(AtoF("1.5e400"), std::numeric_limits<double>::infinity());
    std::setlocale(LC_ALL, "C");
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
    doc.m_colorMap.clear();
    doc.m_xobjects.Add(XObject("a\"b.x", Vector3(), 0.0f, 1.0f, 1.0f));
    EXPECT_FALSE(doc.OnSaveDocument(path));
    const std::string refused = "パスや名前に二重引用符 (\") が含まれているため保存できません: ";
    EXPECT_EQ(backend.MessageTexts(), (std::vector<std::string>{refused + "/maps/\"quoted\".bmp",
                                                                 refused + "/maps/\"quoted\".bmp", refused + "a\"b.x"}));
    EXPECT_EQ(ReadBytes(path), "old contents");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("new.crs")));
    doc.m_xobjects[0].FileName = "ab.x";   // without the quote the same document saves
    EXPECT_TRUE(doc.OnSaveDocument(path));
}

}  // namespace

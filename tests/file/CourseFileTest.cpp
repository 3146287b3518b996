// The course file's bytes: saved, read back and read from odd layouts of the same course, in the C and
// in a comma locale (Qt sets the locale from the environment).
#include "document/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/NumberText.h"
#include "file/Tokenizer.h"
#include "framework/Resources.h"
#include "res/TrackwrightResources.h"
#include "support/BmpWriter.h"
#include "support/Handles.h"
#include "support/TestBackend.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
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

struct Layout {
    const char* what;
    std::function<void(CTrackwrightDoc&)> set;   // changes to the default course
    std::string bytes;
    std::string odd;   // the same course as a reader must also take it: comments anywhere, any white space
    int mapWidth = 0;   // of the map shown when the odd text is opened ("c.bmp", 1 wide, lies beside it)
};

const Layout kLayouts[] = {
    // Odd: as a recovery copy holds it, behind a comment line naming its course.
    {"default course", [](CTrackwrightDoc&) {}, kDefaultCourse, [] {
         std::string text = "#Trackwright recovery: /home/u/a \"quoted\" #1 course.crs\r\n" + kDefaultCourse;
         DropCrBeforeLf(text);
         return text;
     }()},
    {"quoted map paths, colour map shown, one object",
     [](CTrackwrightDoc& d) {
         d.m_course.m_handles.SetSize(0);
         d.m_course.m_handles.Add(MakeHandle(-1.5f, -2.5f, -3.5f, -4.5f, -5.5f, -6.5f, -8.5f, -7.5f));
         d.m_course.m_texLuminance = 0.25f;
         d.m_heightMap = "C:\\maps\\height map #1.bmp";
         d.m_colorMap = "/maps/colour map.bmp";
         d.m_visibleMap = 1;
         d.m_xobjects.Add(XObject("tree #1.x", Vector3(-10.5, 20.0, 0.0), 0.5f, 3.0f, -4.0f));
     },
     kHead + "1\r\n  -1.50000000   -2.50000000   -3.50000000   -4.50000000   -5.50000000   -6.50000000   -7.50000000"
             "   -8.50000000 \r\n   0.25000000 #TexLuminance\r\n\"C:\\maps\\height map #1.bmp\" #HeightMap\r\n"
             "\"/maps/colour map.bmp\" #ColorMap\r\n1 #VisibleMap(0...HeightMap 1...ColorMap)\r\n1" + kObjectsHead +
             "\"tree #1.x\"  -10.50000000   20.00000000    0.50000000    3.00000000   -4.00000000\r\n",
     "#CourseData : NumOfHandle\n1 # one of them\n-1.5 -2.5   # a comment in a handle\n\t-3.5\n-4.5 -5.5 -6.5\n"
     "-7.5 -8.5\n0.25#TexLuminance\n\"C:\\maps\\height map #1.bmp\" #HeightMap\n\"/maps/colour map.bmp\"#ColorMap\n"
     "1 #VisibleMap\n1 #NumberOfXObject\n#XObjectData\n\"tree #1.x\" -10.5 20 0.5 3 -4 # trailing\n"},
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
             "\"b.x\" 1000000.00000000    0.00000000    0.00000000    1.00000000    1.00000000\r\n",
     // A byte-order mark, a negative count (none), "none" in any case, bare names.
     "\xEF\xBB\xBF-5 0.5 NONE c.bmp -7 2 \"\" 0 0 0 0 0 b.x 1e6 1e-9 0 1 1", 1},
};

void CheckLayouts(const char* locale)
{
    TestBackend backend;
    AfxSetResources(&TrackwrightResources());
    TempDir dir;
    const std::string path = dir.Path("course.crs");
    const std::vector<std::uint8_t> map = MakeBmp(BmpLayout(), {1, 2, 3, 0});
    WriteBytes(dir.Path("c.bmp"), std::string(map.begin(), map.end()));
    for (const Layout& c : kLayouts) {
        SCOPED_TRACE(std::string(c.what) + " in locale " + locale);
        CTrackwrightDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        c.set(doc);
        ASSERT_TRUE(doc.OnSaveDocument(path));
        EXPECT_EQ(ReadBytes(path), c.bytes);
        std::string text = c.bytes;
        DropCrBeforeLf(text);
        EXPECT_EQ(CourseFileText(ParseCourseText(text)), c.bytes);
        if (c.odd.empty())
            continue;
        EXPECT_EQ(CourseFileText(ParseCourseText(c.odd)), c.bytes);
        // Open drops all the document held, takes all the file holds, resets the object scale and reads
        // the map shown (any value but 0 shows the colour map), even without GL.
        WriteBytes(path, c.odd);
        doc.m_heightMap = "old.bmp";
        doc.m_xobjectScale = 2.0f;
        doc.m_xobjects.Add(XObject("old.x", Vector3(1.0, 2.0, 0.0), 0.0f, 1.0f, 1.0f));
        ASSERT_TRUE(doc.OnOpenDocument(path));
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(std::pair(CourseFileText(doc.StoredFields()), doc.m_xobjectScale), std::pair(c.bytes, 0.4f));
        EXPECT_EQ(doc.m_course.m_mapInfo.width, c.mapWidth);
    }
    // The one-point course's negative widths and its span from the point to itself are values
    // the game cannot use: Open says so, once, keeps them and leaves the course unmarked.
    EXPECT_EQ(backend.MessageTexts(), std::vector<std::string>{
        "このコースには使えない値が 3 件あります。最初はコントロールポイント 0: 幅 右が負の値です\n"
        "コースは読み込んだとおりに開いています。表示 → コースの検査 (F7) で確かめてください。"});
}

TEST(CourseFile, LinesOfPathsObjectsAndShownMapInTheCAndACommaLocale)
{
    CheckLayouts("C");
    // A number beyond the largest float by half a unit in its last place reads as infinity.
    EXPECT_EQ(NarrowToFloat(1e39), std::numeric_limits<float>::infinity());
    EXPECT_EQ(NarrowToFloat(-1e39), -std::numeric_limits<float>::infinity());
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    CheckLayouts("de_DE.UTF-8");
    // Both ways numbers are read (plain decimals, the C library's for the rest) keep the dot.
    EXPECT_EQ(AtoF("2.5"), 2.5);
    EXPECT_EQ(AtoF("2,5"), 2.0);
    EXPECT_EQ(AtoF(" -0x1.8p1"), -3.0);
    EXPECT_EQ(AtoF("1.5e400"), std::numeric_limits<double>::infinity());
    std::setlocale(LC_ALL, "C");
}

// A count the bytes behind it cannot back gives a bounded number of empty records; one they do back reads in full.
TEST(CourseFile, HugeCountsAreBoundedByTheBytesBehindThem)
{
    const StoredCourse huge = ParseCourseText("2000000000\n1 2 3 4 5 6 7 8");
    const int handles = huge.handles.GetSize();
    const int objects = ParseCourseText("0 0.5 none none 0 99999999999").xobjects.GetSize();
    ASSERT_TRUE(handles >= 1 && handles <= 70000 && objects >= 1 && objects <= 70000) << handles << " " << objects;
    EXPECT_EQ(std::pair(huge.handles[0].WidthLeft, huge.handles[handles - 1].vPos), std::pair(8.0f, Vector3()));
    std::string big = "100000\n";
    for (int i = 0; i < 100000; ++i)
        big += std::to_string(i) + " 0 0 0 0 0 1 1\n";
    EXPECT_EQ(ParseCourseText(big).handles.GetSize(), 100000);
}

TEST(CourseFile, RefusesQuotesThatCannotBeStored)
{
    TestBackend backend;
    TempDir dir;
    const std::string path = dir.Path("quoted.crs");
    WriteBytes(path, "old contents");
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_colorMap = "/maps/\"quoted\".bmp";
    EXPECT_FALSE(doc.OnSaveDocument(path));
    doc.m_colorMap.clear();
    doc.m_xobjects.Add(XObject("a\"b.x", Vector3(), 0.0f, 1.0f, 1.0f));
    EXPECT_FALSE(doc.OnSaveDocument(path));
    const std::string refused = "パスや名前に二重引用符 (\") が含まれているため保存できません: ";
    EXPECT_EQ(backend.MessageTexts(), (std::vector<std::string>{refused + "/maps/\"quoted\".bmp", refused + "a\"b.x"}));
    EXPECT_EQ(ReadBytes(path), "old contents");
}

}  // namespace

#include "doc/TrackwrightDoc.h"
#include "file/CourseFile.h"

#include "support/TestBackend.h"
#include "support/TestData.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CourseRead : public ::testing::Test {
protected:
    // Opens these bytes in doc, which holds edits the open must drop.
    BOOL Open(const std::string& bytes)
    {
        const std::string path = m_dir.Path("course.crs");
        WriteBytes(path, bytes);
        return doc.OnOpenDocument(path);
    }

    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_heightMap = "old.bmp";
        doc.m_xobjects.Add(XObject("old.x", Vector3(1.0, 2.0, 0.0), 0.0f, 1.0f, 1.0f));
        doc.m_xobjectScale = 2.0f;
    }

    TestBackend backend;
    TempDir m_dir;
    CTrackwrightDoc doc;
};

// Odd layouts (comments anywhere, any white space, quoted paths) read as the writer's canonical text.
TEST_F(CourseRead, CommentsAnyLayoutAndQuotedPaths)
{
    const std::string head = "#CourseData : NumOfHandle HandleData... TexLuminance\r\n"
                             "#HandleData : vPos vTanNext vTanPrev WidthRight WidthLeft\r\n";
    const std::string objects = " #NumberOfXObject\r\n#XObjectData: PosX PoxY Direction Width Height\r\n"
                                "#XObject : FileName x y Angle Width Height\r\n";
    const struct { const char* text; std::string canonical; } cases[] = {
        {"#CourseData : NumOfHandle\n2 # two of them\n1 2 3 4 5 6 7 8\n-1.5 -2.5   # a comment in a handle\n"
         "\t-3.5\n-4.5 -5.5 -6.5\n-7.5 -8.5\n0.25#TexLuminance\n\"C:\\maps\\height map #1.bmp\" #HeightMap\n"
         "\"/maps/colour map.bmp\"#ColorMap\n1 #VisibleMap\n2 #NumberOfXObject\n#XObjectData\n"
         "\"tree #1.x\" 10 20 0.5 3 4 # trailing\n\"\" -1 -2 -3 -4 -5\n",
         head + "2\r\n"
         "   1.00000000    2.00000000    3.00000000    4.00000000    5.00000000    6.00000000    7.00000000    8.00000000 \r\n"
         "  -1.50000000   -2.50000000   -3.50000000   -4.50000000   -5.50000000   -6.50000000   -7.50000000   -8.50000000 \r\n"
         "   0.25000000 #TexLuminance\r\n\"C:\\maps\\height map #1.bmp\" #HeightMap\r\n\"/maps/colour map.bmp\" #ColorMap\r\n"
         "1 #VisibleMap(0...HeightMap 1...ColorMap)\r\n2" + objects +
         "\"tree #1.x\"   10.00000000   20.00000000    0.50000000    3.00000000    4.00000000\r\n"
         "\"\"   -1.00000000   -2.00000000   -3.00000000   -4.00000000   -5.00000000\r\n"},
        // A negative count is none; "none" in any case is no map; the rest keeps its place.
        {"-5\n0.75 NONE none 1 -3 \"a.x\" 1 2 3 4 5",
         head + "0\r\n   0.75000000 #TexLuminance\r\nnone\r\nnone\r\n1 #VisibleMap(0...HeightMap 1...ColorMap)\r\n0" + objects},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CourseFileText(ParseCourseText(c.text)), c.canonical) << c.text;
    ASSERT_TRUE(Open(cases[0].text));   // the document takes all of it, and its own scale
    EXPECT_EQ(CourseFileText(doc.StoredFields()), cases[0].canonical);
    EXPECT_EQ(doc.m_xobjectScale, 0.4f);
    EXPECT_TRUE(backend.messages.empty());
}

TEST_F(CourseRead, HugeCountsAreBoundedByTheBytesBehindThem)
{

    // A count the bytes behind it cannot back gives a bounded number of empty records.
    ASSERT_TRUE(Open("2000000000\n1 2 3 4 5 6 7 8"));
    const int handles = doc.m_course.m_handles.GetSize();
    EXPECT_GE(handles, 1);
    EXPECT_LE(handles, 70000);
    EXPECT_EQ(doc.m_course.m_handles[0].WidthLeft, 8.0f);
    EXPECT_EQ(doc.m_course.m_handles[handles - 1].vPos, Vector3());

    ASSERT_TRUE(Open("0 0.5 none none 0 99999999999"));
    EXPECT_GE(doc.m_xobjects.GetSize(), 1);
    EXPECT_LE(doc.m_xobjects.GetSize(), 70000);

    // A large count that the file does hold is read in full.
    std::string big = "100000\n";
    for (int i = 0; i < 100000; ++i)
        big += std::to_string(i) + " 0 0 0 0 0 1 1\n";
    ASSERT_TRUE(Open(big));
    ASSERT_EQ(doc.m_course.m_handles.GetSize(), 100000);
    EXPECT_EQ(doc.m_course.m_handles[99999].vPos.x, 99999.0f);
}

TEST_F(CourseRead, ShownMapDecidesWhichImageIsLoaded)
{
    // Two maps of different heights; no GL context here, the images are decoded all the same.
    const std::string other = TestDataPath("bmpsuite/g/pal8nonsquare.bmp"), colour = TestDataPath("bmpsuite/g/rgb24.bmp");
    for (const auto& [shown, height] : {std::pair{2, 64}, {0, 32}, {-1, 64}}) {   // 0: height map, else colour map
        ASSERT_TRUE(Open("0 0.5 \"" + other + "\" \"" + colour + "\" " + std::to_string(shown) + " 0"));
        EXPECT_EQ(doc.m_visibleMap, shown);
        EXPECT_EQ(doc.m_course.m_mapInfo.height, height) << shown;
    }
}
}  // namespace

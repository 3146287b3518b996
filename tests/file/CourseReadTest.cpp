#include "doc/TrackwrightDoc.h"

#include "support/TestBackend.h"
#include "support/TestData.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CourseRead : public ::testing::Test {
protected:
    // Writes bytes to a file and opens it in doc, which starts as a new document with
    // edits that the open must drop.
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

const std::string kTwoHandles =
    "#CourseData : NumOfHandle HandleData... TexLuminance\n"
    "2 # two of them\n"
    "1 2 3 4 5 6 7 8\n"
    "-1.5 -2.5   # a comment in the middle of a handle\n"
    "\t-3.5\n-4.5 -5.5 -6.5\n-7.5 -8.5\n"
    "0.25#TexLuminance\n"
    "\"C:\\maps\\height map #1.bmp\" #HeightMap\n"
    "\"/maps/colour map.bmp\"#ColorMap\n"
    "1 #VisibleMap\n"
    "2 #NumberOfXObject\n"
    "#XObjectData\n"
    "\"tree #1.x\" 10 20 0.5 3 4 # trailing\n"
    "\"\" -1 -2 -3 -4 -5\n";

TEST_F(CourseRead, CommentsAnyLayoutAndQuotedPaths)
{
    ASSERT_TRUE(Open(kTwoHandles));
    ASSERT_EQ(doc.m_course.m_handles.GetSize(), 2);
    const CourseHandle& a = doc.m_course.m_handles[0];
    EXPECT_EQ(a.vPos, Vector3(1.0, 2.0, 0.0));
    EXPECT_EQ(a.vTanNext, Vector3(3.0, 4.0, 0.0));
    EXPECT_EQ(a.vTanPrev, Vector3(5.0, 6.0, 0.0));
    EXPECT_EQ(a.WidthRight, 7.0f);
    EXPECT_EQ(a.WidthLeft, 8.0f);
    EXPECT_EQ(a.DragPart, HandlePart::None);
    const CourseHandle& b = doc.m_course.m_handles[1];
    EXPECT_EQ(b.vPos, Vector3(-1.5, -2.5, 0.0));
    EXPECT_EQ(b.vTanPrev, Vector3(-5.5, -6.5, 0.0));
    EXPECT_EQ(b.WidthLeft, -8.5f);
    EXPECT_EQ(doc.m_course.m_texLuminance, 0.25f);
    EXPECT_EQ(doc.m_heightMap, "C:\\maps\\height map #1.bmp");
    EXPECT_EQ(doc.m_colorMap, "/maps/colour map.bmp");
    EXPECT_EQ(doc.m_visibleMap, 1);
    ASSERT_EQ(doc.m_xobjects.GetSize(), 2);
    EXPECT_EQ(doc.m_xobjects[0].FileName, "tree #1.x");
    EXPECT_EQ(doc.m_xobjects[0].Pos, Vector3(10.0, 20.0, 0.0));
    EXPECT_EQ(doc.m_xobjects[0].Direction, 0.5f);
    EXPECT_EQ(doc.m_xobjects[0].Width, 3.0f);
    EXPECT_EQ(doc.m_xobjects[0].Height, 4.0f);
    EXPECT_EQ(doc.m_xobjects[1].FileName, "");
    EXPECT_EQ(doc.m_xobjects[1].Height, -5.0f);
    EXPECT_EQ(doc.m_xobjectScale, 0.4f);
    EXPECT_TRUE(backend.messages.empty());
}

TEST_F(CourseRead, NegativeAndHugeCounts)
{
    ASSERT_TRUE(Open("-5\n0.7 none none 1 -3 \"a.x\" 1 2 3 4 5"));
    EXPECT_EQ(doc.m_course.m_handles.GetSize(), 0);
    EXPECT_EQ(doc.m_course.m_texLuminance, 0.7f);
    EXPECT_EQ(doc.m_visibleMap, 1);
    EXPECT_EQ(doc.m_xobjects.GetSize(), 0);

    // A count that the few bytes behind it cannot back gives a bounded number of empty
    // records instead of billions of them.
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
    const std::string other = TestDataPath("bmpsuite/g/pal8nonsquare.bmp");
    const std::string colour = TestDataPath("bmpsuite/g/rgb24.bmp");
    CTrackwrightDoc probe;
    // No GL context here: the images are decoded even though no texture can be built.
    probe.m_course.LoadMapTexture(other);
    ASSERT_TRUE(probe.m_course.m_mapPixels);
    const MapImageInfo otherInfo = probe.m_course.m_mapInfo;
    probe.m_course.LoadMapTexture(colour);
    ASSERT_TRUE(probe.m_course.m_mapPixels);
    const MapImageInfo colourInfo = probe.m_course.m_mapInfo;
    ASSERT_NE(otherInfo.height, colourInfo.height);

    // 0 shows the height map, any other value the colour map.
    ASSERT_TRUE(Open("0 0.5 \"" + other + "\" \"" + colour + "\" 2 0"));
    EXPECT_EQ(doc.m_visibleMap, 2);
    EXPECT_EQ(doc.m_course.m_mapInfo.height, colourInfo.height);
    ASSERT_TRUE(Open("0 0.5 \"" + other + "\" \"" + colour + "\" 0 0"));
    EXPECT_EQ(doc.m_course.m_mapInfo.height, otherInfo.height);
    ASSERT_TRUE(Open("0 0.5 \"" + other + "\" \"" + colour + "\" -1 0"));
    EXPECT_EQ(doc.m_course.m_mapInfo.height, colourInfo.height);
}

TEST_F(CourseRead, FailedOpenChangesNothing)
{
    const std::string missing = m_dir.Path("no such folder/course.crs");
    EXPECT_FALSE(doc.OnOpenDocument(missing));
    // A folder opens on this platform but cannot be read: the same failure.
    EXPECT_FALSE(doc.OnOpenDocument(m_dir.Path()));
    ASSERT_EQ(backend.messages.size(), 2u);
    EXPECT_EQ(backend.messages[0].text, missing + "ファイルの読み込みに失敗しました");
    EXPECT_EQ(backend.messages[0].type, MB_OK);
    EXPECT_EQ(backend.messages[1].text, m_dir.Path() + "ファイルの読み込みに失敗しました");

    EXPECT_EQ(doc.m_course.m_handles.GetSize(), 4);
    EXPECT_EQ(doc.m_heightMap, "old.bmp");
    EXPECT_EQ(doc.m_xobjects.GetSize(), 1);
    EXPECT_EQ(doc.m_xobjectScale, 2.0f);
    EXPECT_EQ(doc.m_visibleMap, 0);
}

}  // namespace

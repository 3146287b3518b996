// The object catalogue: its token cases, and where the view finds the file.
#include "ViewScene.h"

#include "view/XObjectCatalogue.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

RecordList<XObjectType> Parse(std::string_view text)
{
    RecordList<XObjectType> types;
    ParseXObjectCatalogue(text, types);
    return types;
}

TEST(XObjectCatalogue, QuotedNamesKeepSpacesAndHashes)
{
    const auto types = Parse("\"big tree #2.x\" 2 3\nplain.x 4.5 -1\n%end\n");
    ASSERT_EQ(types.GetSize(), 2);
    EXPECT_EQ(types[0].FileName, "big tree #2.x");
    EXPECT_EQ(types[0].Width, 2.0f);
    EXPECT_EQ(types[0].Height, 3.0f);
    EXPECT_EQ(types[1].FileName, "plain.x");
    EXPECT_EQ(types[1].Width, 4.5f);
    EXPECT_EQ(types[1].Height, -1.0f);
}

TEST(XObjectCatalogue, EndMarkInAnyCaseStopsOnlyInTheNamePosition)
{
    EXPECT_EQ(Parse("a.x 1 2\n%END\nb.x 3 4\n").GetSize(), 1);
    EXPECT_EQ(Parse("a.x 1 2\n%End\nb.x 3 4\n").GetSize(), 1);
    EXPECT_EQ(Parse("\"%end\" 1 2\nb.x 3 4\n").GetSize(), 0);
    // In a number position it is a number, read as 0.
    const auto types = Parse("a.x %end 2\n%end");
    ASSERT_EQ(types.GetSize(), 1);
    EXPECT_EQ(types[0].Width, 0.0f);
    EXPECT_EQ(types[0].Height, 2.0f);
}

TEST(XObjectCatalogue, TextWithoutEndIsReadToItsEndAndMissingNumbersAreZero)
{
    const auto types = Parse("a.x 1 2\nlast.x 6");
    ASSERT_EQ(types.GetSize(), 2);
    EXPECT_EQ(types[1].FileName, "last.x");
    EXPECT_EQ(types[1].Width, 6.0f);
    EXPECT_EQ(types[1].Height, 0.0f);

    const auto bare = Parse("only.x");
    ASSERT_EQ(bare.GetSize(), 1);
    EXPECT_EQ(bare[0].Width, 0.0f);
    EXPECT_EQ(bare[0].Height, 0.0f);
}

TEST(XObjectCatalogueFile, ShippedCatalogueReads)
{
    DataDirApp app;
    CTrackwrightView view(app.m_appDir);
    ASSERT_GT(view.m_XObjectTypes.GetSize(), 0);
    EXPECT_EQ(view.m_XObjectTypes[view.m_XObjectTypes.GetSize() - 1].FileName, "bridge span.x");
}

}  // namespace

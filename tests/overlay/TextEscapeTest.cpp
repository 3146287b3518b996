#include "overlay/TextEscape.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(TextEscape, ReadsEachKind)
{
    TextEscape e = ParseTextEscape("\\b+rest");
    EXPECT_EQ(e.kind, 'b');
    EXPECT_TRUE(e.on);
    EXPECT_EQ(e.length, 3);
    e = ParseTextEscape("\\i-");
    EXPECT_EQ(e.kind, 'i');
    EXPECT_FALSE(e.on);
    e = ParseTextEscape("\\c( 1 +2\t-3 )x");
    EXPECT_EQ(e.kind, 'c');
    EXPECT_EQ(e.length, 13);
    EXPECT_EQ(e.rgba[0], 1);
    EXPECT_EQ(e.rgba[1], 2);
    EXPECT_EQ(e.rgba[2], -3);
    EXPECT_EQ(e.rgba[3], 255);
    e = ParseTextEscape("\\a(9 8 7 6)");
    EXPECT_EQ(e.kind, 'a');
    EXPECT_EQ(e.rgba[3], 6);
    EXPECT_EQ(e.length, 11);
}

TEST(TextEscape, NumbersBeyondIntAreLimited)
{
    const TextEscape e = ParseTextEscape("\\c(99999999999999999999 -99999999999999999999 0)");
    EXPECT_EQ(e.rgba[0], INT_MAX);
    EXPECT_EQ(e.rgba[1], INT_MIN);
}

// Every cut of a valid escape, and near misses, are no escape and end inside the text.
TEST(TextEscape, IncompleteEscapesAreNone)
{
    const std::string whole = "\\a(255 255 255 255)";
    for (std::size_t n = 0; n + 1 < whole.size(); ++n) {
        const std::string cut = whole.substr(0, n);
        EXPECT_EQ(ParseTextEscape(cut.c_str()).length, 0) << cut;
    }
    for (const char* text : {"\\", "\\b", "\\b*", "\\q+", "\\c(1 2)", "\\c 1 2 3)", "\\c(1 2 x)",
                             "\\a(1 2 3)", "b+", "\\c(- 1 2 3)"})
        EXPECT_EQ(ParseTextEscape(text).length, 0) << text;
    // Numbers read, then the escape runs to the first ")" wherever it is.
    EXPECT_EQ(ParseTextEscape("\\c(1 2 3 junk)").length, 14);
}

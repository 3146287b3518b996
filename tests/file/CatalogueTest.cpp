// The object catalogue's token cases.
#include "file/XObjectCatalogue.h"

#include <gtest/gtest.h>

TEST(XObjectCatalogue, NamesNumbersAndTheEndMark)
{
    const struct { const char* text; std::vector<std::tuple<std::string, float, float>> types; } cases[] = {
        {"\"big tree #2.x\" 2 3\nplain.x 4.5 -1\n%end\nc.x 1 1", {{"big tree #2.x", 2, 3}, {"plain.x", 4.5f, -1}}},
        {"a.x 1 2\n%END\nb.x 3 4\n", {{"a.x", 1, 2}}},   // the mark in any case
        {"\"%end\" 1 2\nb.x 3 4\n", {}},                   // quoted, still the mark
        {"a.x %end 2\n%end", {{"a.x", 0, 2}}},             // in a number position a number
        {"a.x 1 2\nlast.x 6", {{"a.x", 1, 2}, {"last.x", 6, 0}}},   // no mark: to the end
        {"only.x", {{"only.x", 0, 0}}},                   // a name that ends the text still counts
        // A byte-order mark is skipped at the very start only; elsewhere it is part of a name.
        {"\xEF\xBB\xBFtree 2 3\nx 1 1 \xEF\xBB\xBFrock 1 1", {{"tree", 2, 3}, {"x", 1, 1}, {"\xEF\xBB\xBFrock", 1, 1}}},
    };
    for (const auto& c : cases) {
        RecordList<XObjectType> types;
        ParseXObjectCatalogue(c.text, types);
        std::vector<std::tuple<std::string, float, float>> got;
        for (const XObjectType& t : types)
            got.emplace_back(t.FileName, t.Width, t.Height);
        EXPECT_EQ(got, c.types) << c.text;
    }
}

#include "file/Tokenizer.h"

#include <gtest/gtest.h>

#include "TempDir.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using Tokens = std::vector<std::pair<std::string, int>>;

// Every token with the character ReadToken returned for it, up to the end of the data.
Tokens ReadAll(std::string_view data)
{
    TokenReader reader(data);
    Tokens out;
    std::string token;
    for (int guard = 0; guard < 1000; ++guard) {
        const int last = reader.ReadToken(token);
        out.emplace_back(token, last);
        if (last == EOF)
            break;
    }
    EXPECT_TRUE(reader.AtEnd());
    return out;
}

TEST(Tokenizer, Comments)
{
    // A comment after a value on the same line, a whole-line comment, a comment ending a
    // bare token (which returns the line feed that ended the comment).
    EXPECT_EQ(ReadAll("12 #note\n# line\n34#x y\n56"),
              (Tokens{{"12", ' '}, {"34", '\n'}, {"56", EOF}}));
    // A comment without a line feed ends the data, keeping what was read.
    EXPECT_EQ(ReadAll("ab#c d"), (Tokens{{"ab", EOF}}));
    EXPECT_EQ(ReadAll("x #c"), (Tokens{{"x", ' '}, {"", EOF}}));
    // "#" inside a comment and quotes inside a comment mean nothing.
    EXPECT_EQ(ReadAll("#a \"b #c\nd"), (Tokens{{"d", EOF}}));
}

TEST(Tokenizer, QuotedParts)
{
    EXPECT_EQ(ReadAll("\"C:\\maps\\my map #2.bmp\" #HeightMap\nnone"),
              (Tokens{{"C:\\maps\\my map #2.bmp", '"'}, {"none", EOF}}));
    // Line feeds and tabs belong to a quoted token; an empty pair is an empty token.
    EXPECT_EQ(ReadAll("\"a\n\tb\" \"\" c"), (Tokens{{"a\n\tb", '"'}, {"", '"'}, {"c", EOF}}));
    // A quote in the middle of a bare token appends the quoted text and ends the token.
    EXPECT_EQ(ReadAll("ab\"c d\"ef"), (Tokens{{"abc d", '"'}, {"ef", EOF}}));
    // An unclosed quote runs to the end of the data.
    EXPECT_EQ(ReadAll("\"abc def"), (Tokens{{"abc def", EOF}}));
    // Quoted tokens directly after one another.
    EXPECT_EQ(ReadAll("\"a\"\"b\""), (Tokens{{"a", '"'}, {"b", '"'}, {"", EOF}}));
}

TEST(Tokenizer, TextModeDropsOnlyCrBeforeLf)
{
    std::string text = "a\r\nb\r\r\nc\rd\r";
    DropCrBeforeLf(text);
    EXPECT_EQ(text, "a\nb\r\nc\rd\r");
    std::string plain = "no line ends";
    DropCrBeforeLf(plain);
    EXPECT_EQ(plain, "no line ends");
}

}  // namespace

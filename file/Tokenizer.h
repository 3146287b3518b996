#pragma once

// The token rules shared by the course file and the object catalogue: space, tab and line
// feed separate tokens, "#" starts a comment running to the end of its line, a double-quoted
// stretch belongs to the token with every character in it, and the end of the data ends the
// token read so far (possibly empty). A lone CR is an ordinary character.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// A cursor over text already in memory (see ReadTextFile for the line-end translation).
class TokenReader {
public:
    explicit TokenReader(std::string_view data) : m_data(data) {}

    // Stores the next token (overwriting `token`, whose capacity is reused) and returns the
    // last character read as an unsigned char value, or EOF when the data ran out.
    int ReadToken(std::string& token);

    bool AtEnd() const { return m_pos >= m_data.size(); }
    // Bytes not read yet.
    std::size_t Remaining() const { return m_data.size() - m_pos; }

private:
    std::string_view m_data;
    std::size_t m_pos = 0;
};

// Reads the whole file as a text-mode read would present it: every CR immediately followed
// by LF is dropped, every other byte kept. False when the file cannot be opened or read, or
// ReadRegularFile refuses it (not a regular file, more than maxBytes).
bool ReadTextFile(const std::string& path, std::uint64_t maxBytes, std::string& text);
// The same translation on bytes already read, in place.
void DropCrBeforeLf(std::string& text);

// text without the UTF-8 byte-order mark some editors put at the start of a file.
std::string_view SkipByteOrderMark(std::string_view text);

// True when a and b are equal ignoring ASCII letter case.
bool EqualsNoCase(std::string_view a, std::string_view b);

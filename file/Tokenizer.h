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

class IntScan;
class NumberScan;

// A cursor over text already in memory (see ReadTextFile for the line-end translation), or
// over a file read a piece at a time with the same translation on the way, so that however
// large the file only one piece of it is held.
class TokenReader {
public:
    explicit TokenReader(std::string_view data) : m_data(data) {}
    // Reads at most size bytes of fd from where it stands, piece bytes at a time (a test's
    // small pieces put token ends and CR LF pairs across them; at least 3, so that a
    // byte-order mark lies in the first); fd stays the caller's.
    static constexpr std::size_t kPiece = std::size_t{256} << 10;
    TokenReader(int fd, std::uint64_t size, std::size_t piece = kPiece);

    // Stores the next token (overwriting `token`, whose capacity is reused) and returns the
    // last character read as an unsigned char value, or EOF when the data ran out.
    int ReadToken(std::string& token);
    // The same, the token going to a number scan instead: a token of any length is read
    // through without being kept.
    int ReadToken(NumberScan& number);
    int ReadToken(IntScan& number);

    // Steps over a UTF-8 byte-order mark at the start.
    void SkipByteOrderMark();
    // Bytes not read yet, before the line-end translation: at least Remaining().
    std::uint64_t Unread() const { return m_data.size() - m_pos + (m_heldCr ? 1 : 0) + m_left; }
    // Bytes not read yet as the translation leaves them. On a file this reads the rest
    // ahead (without keeping it or moving the cursor), so it is asked only when it matters.
    std::uint64_t Remaining() const;
    // A read of the file failed; the tokens read since are as if the file ended there.
    bool Failed() const { return m_failed; }

private:
    template <class Sink>
    int Read(Sink& sink);
    bool Refill();

    std::string_view m_data;
    std::size_t m_pos = 0;
    int m_fd = -1;
    std::uint64_t m_left = 0;   // bytes of the file not read yet
    std::size_t m_piece = kPiece;
    bool m_heldCr = false;      // a CR ended the last piece: the next one tells whether it goes
    bool m_failed = false;
    std::string m_buffer;
};

// Reads the whole file as a text-mode read would present it: every CR immediately followed
// by LF is dropped, every other byte kept. False when the file cannot be opened or read, or
// ReadRegularFile refuses it (not a regular file, more than maxBytes).
bool ReadTextFile(const std::string& path, std::uint64_t maxBytes, std::string& text);
// The same translation on bytes already read, in place.
void DropCrBeforeLf(std::string& text);
// The same on n bytes at p; returns how many remain.
std::size_t DropCrBeforeLf(char* p, std::size_t n);

// text without the UTF-8 byte-order mark some editors put at the start of a file.
std::string_view SkipByteOrderMark(std::string_view text);

// True when a and b are equal ignoring ASCII letter case.
bool EqualsNoCase(std::string_view a, std::string_view b);

#include "file/Tokenizer.h"

#include "file/NumberText.h"
#include "file/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

// Token separators and characters that end a bare run.
inline bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

inline bool EndsBareRun(char c)
{
    return IsSeparator(c) || c == '#' || c == '"';
}

// The first byte from i on that ends a bare run, or n. Sixteen bytes at a time, so that a
// gigabyte-long token is scanned in a fraction of a second.
std::size_t SkipBareRun(const char* p, std::size_t i, std::size_t n)
{
    using Bytes = char __attribute__((vector_size(16)));
    while (i + sizeof(Bytes) <= n) {
        Bytes v;
        std::memcpy(&v, p + i, sizeof v);
        const Bytes ends = (v == ' ') | (v == '\t') | (v == '\n') | (v == '#') | (v == '"');
        std::uint64_t half[2];
        std::memcpy(half, &ends, sizeof half);
        if (half[0] | half[1])
            break;
        i += sizeof(Bytes);
    }
    while (i < n && !EndsBareRun(p[i]))
        ++i;
    return i;
}

void Start(std::string& token)
{
    token.clear();
}
void Start(NumberScan& number)
{
    number.Clear();
}
void Start(IntScan& number)
{
    number.Clear();
}
void Append(std::string& token, const char* p, std::size_t n)
{
    token.append(p, n);
}
template <class Scan>
void Append(Scan& number, const char* p, std::size_t n)
{
    number.Feed(p, n);
}

}  // namespace

TokenReader::TokenReader(int fd, std::uint64_t size, std::size_t piece)
    : m_fd(fd), m_left(size), m_piece(std::max<std::size_t>(piece, 3))
{
}

int TokenReader::ReadToken(std::string& token)
{
    return Read(token);
}

int TokenReader::ReadToken(NumberScan& number)
{
    return Read(number);
}

int TokenReader::ReadToken(IntScan& number)
{
    return Read(number);
}

template <class Sink>
int TokenReader::Read(Sink& sink)
{
    Start(sink);
    bool any = false;   // a character of the token was read
    for (;;) {
        if (m_pos >= m_data.size() && !Refill())
            return EOF;
        const char* p = m_data.data();
        std::size_t n = m_data.size();
        std::size_t i = m_pos;
        const char c = p[i++];
        if (c == '#') {
            // The comment runs up to and including the next line feed, which then acts as
            // a separator.
            const void* lf = nullptr;
            while (!(lf = std::memchr(p + i, '\n', n - i))) {
                m_pos = n;
                if (!Refill())
                    return EOF;
                p = m_data.data();
                n = m_data.size();
                i = 0;
            }
            m_pos = static_cast<std::size_t>(static_cast<const char*>(lf) - p) + 1;
            if (!any)
                continue;
            return '\n';
        }
        if (c == '"') {
            const void* q = nullptr;
            while (!(q = std::memchr(p + i, '"', n - i))) {
                Append(sink, p + i, n - i);
                m_pos = n;
                if (!Refill())
                    return EOF;
                p = m_data.data();
                n = m_data.size();
                i = 0;
            }
            const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(q) - p);
            Append(sink, p + i, end - i);
            m_pos = end + 1;
            return '"';
        }
        if (IsSeparator(c)) {
            m_pos = i;
            if (!any)
                continue;
            return static_cast<unsigned char>(c);
        }
        std::size_t start = i - 1;
        for (;;) {
            i = SkipBareRun(p, i, n);
            Append(sink, p + start, i - start);
            any = true;
            m_pos = i;
            if (i < n)
                break;
            if (!Refill())
                return EOF;
            p = m_data.data();
            n = m_data.size();
            i = 0;
            start = 0;
        }
    }
}

bool TokenReader::Refill()
{
    if (m_fd < 0 || m_failed || (m_left == 0 && !m_heldCr))
        return false;
    m_buffer.resize(m_piece);
    for (;;) {
        std::size_t have = 0;
        if (m_heldCr) {
            m_buffer[0] = '\r';
            have = 1;
            m_heldCr = false;
        }
        while (have < m_piece && m_left > 0) {
            const ssize_t got = ::read(m_fd, m_buffer.data() + have, std::min<std::uint64_t>(m_piece - have, m_left));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                // A failed read ends the data; a file that shrank meanwhile just ends early.
                m_failed = got < 0;
                m_left = 0;
                break;
            }
            have += static_cast<std::size_t>(got);
            m_left -= static_cast<std::uint64_t>(got);
        }
        if (have > 0 && m_buffer[have - 1] == '\r' && m_left > 0) {
            m_heldCr = true;
            --have;
        }
        m_data = std::string_view(m_buffer.data(), DropCrBeforeLf(m_buffer.data(), have));
        m_pos = 0;
        if (!m_data.empty())
            return true;
        if (!m_heldCr)
            return false;
    }
}

std::uint64_t TokenReader::Remaining() const
{
    std::uint64_t left = m_data.size() - m_pos;
    if (m_fd < 0)
        return left;
    // The unread rest of the file, less one byte for each CR LF in it (the held CR included).
    left += (m_heldCr ? 1 : 0) + m_left;
    off_t at = ::lseek(m_fd, 0, SEEK_CUR);
    std::uint64_t rest = m_left;
    bool afterCr = m_heldCr;
    char piece[std::size_t{64} << 10];
    while (rest > 0 && at >= 0) {
        const ssize_t got = ::pread(m_fd, piece, std::min<std::uint64_t>(sizeof piece, rest), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        for (ssize_t i = 0; i < got; ++i) {
            if (piece[static_cast<std::size_t>(i)] == '\n' && afterCr)
                --left;
            afterCr = piece[static_cast<std::size_t>(i)] == '\r';
        }
        at += got;
        rest -= static_cast<std::uint64_t>(got);
    }
    return left;
}

void TokenReader::SkipByteOrderMark()
{
    if (m_pos >= m_data.size())
        Refill();
    if (::SkipByteOrderMark(m_data.substr(m_pos)).size() != m_data.size() - m_pos)
        m_pos += 3;
}

std::size_t DropCrBeforeLf(char* p, std::size_t n)
{
    // The runs between CRs move down whole (memchr and memmove, not a test per byte).
    std::size_t out = 0;
    std::size_t i = 0;
    while (i < n) {
        const void* cr = std::memchr(p + i, '\r', n - i);
        const std::size_t end = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - p) : n;
        if (out != i)
            std::memmove(p + out, p + i, end - i);
        out += end - i;
        if (end == n)
            break;
        if (end + 1 == n || p[end + 1] != '\n')
            p[out++] = '\r';
        i = end + 1;
    }
    return out;
}

void DropCrBeforeLf(std::string& text)
{
    text.resize(DropCrBeforeLf(text.data(), text.size()));
}

bool ReadTextFile(const std::string& path, std::uint64_t maxBytes, std::string& text)
{
    if (!ReadRegularFile(path, maxBytes, text))
        return false;
    DropCrBeforeLf(text);
    return true;
}

std::string_view SkipByteOrderMark(std::string_view text)
{
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    return text.substr(0, kBom.size()) == kBom ? text.substr(kBom.size()) : text;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

#include "file/Tokenizer.h"

#include "file/RegularFile.h"

#include <cstring>

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

}  // namespace

int TokenReader::ReadToken(std::string& token)
{
    token.clear();
    const char* const p = m_data.data();
    const std::size_t n = m_data.size();
    std::size_t i = m_pos;
    for (;;) {
        if (i >= n) {
            m_pos = n;
            return EOF;
        }
        const char c = p[i++];
        if (c == '#') {
            // The comment runs up to and including the next line feed, which then acts as
            // a separator.
            const void* lf = std::memchr(p + i, '\n', n - i);
            if (!lf) {
                m_pos = n;
                return EOF;
            }
            i = static_cast<std::size_t>(static_cast<const char*>(lf) - p) + 1;
            if (token.empty())
                continue;
            m_pos = i;
            return '\n';
        }
        if (c == '"') {
            const void* q = std::memchr(p + i, '"', n - i);
            if (!q) {
                token.append(p + i, n - i);
                m_pos = n;
                return EOF;
            }
            const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(q) - p);
            token.append(p + i, end - i);
            m_pos = end + 1;
            return '"';
        }
        if (IsSeparator(c)) {
            if (token.empty())
                continue;
            m_pos = i;
            return static_cast<unsigned char>(c);
        }
        const std::size_t start = i - 1;
        while (i < n && !EndsBareRun(p[i]))
            ++i;
        token.append(p + start, i - start);
    }
}

void DropCrBeforeLf(std::string& text)
{
    const std::size_t first = text.find("\r\n");
    if (first == std::string::npos)
        return;
    char* const p = text.data();
    const std::size_t n = text.size();
    std::size_t out = first;
    for (std::size_t i = first; i < n; ++i) {
        if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n')
            continue;
        p[out++] = p[i];
    }
    text.resize(out);
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

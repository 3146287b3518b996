#include "file/ObjectLines.h"

#include "file/NumberText.h"
#include "file/Tokenizer.h"

#include <cfloat>
#include <charconv>
#include <cmath>

namespace {

constexpr int kNumbers = 5;

// A whole token as a finite number within the float range (from_chars: any locale).
bool NumberOf(const std::string& token, float& value)
{
    const char* first = token.data();
    const char* const last = first + token.size();
    if (first != last && *first == '+')
        ++first;
    double d = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, d, std::chars_format::general);
    if (ec != std::errc() || ptr != last || first == last || !std::isfinite(d) || std::fabs(d) > FLT_MAX)
        return false;
    value = static_cast<float>(d);
    return true;
}

// The tokens of one line; a quoted empty name counts as a token.
void LineTokens(std::string_view line, std::vector<std::string>& tokens)
{
    tokens.clear();
    TokenReader reader(line);
    std::string token;
    for (;;) {
        const int c = reader.ReadToken(token);
        if (!token.empty() || c == '"')
            tokens.push_back(token);
        if (c == EOF || tokens.size() > kNumbers + 1)
            return;
    }
}

}  // namespace

void AppendXObjectLine(std::string& out, const XObject& o)
{
    out += '"';
    out += o.FileName;
    out += "\" ";
    const float fields[kNumbers] = {o.Pos.x, o.Pos.y, o.Direction, o.Width, o.Height};
    for (int i = 0; i < kNumbers; ++i) {
        AppendFixed(out, fields[i]);
        out += i + 1 < kNumbers ? " " : "\r\n";
    }
}

namespace {

// Calls take(line) for every line of the text, CR LF or LF ended, until it returns false.
template <class Take>
void ForEachLine(std::string_view text, Take take)
{
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(begin, end - begin);
        begin = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!take(line))
            return;
    }
}

// An object line's name and five finite numbers, from its tokens.
bool ObjectOf(const std::vector<std::string>& tokens, float (&v)[kNumbers])
{
    bool ok = tokens.size() == kNumbers + 1 && !NumberOf(tokens[0], v[0]);
    for (int i = 0; ok && i < kNumbers; ++i)
        ok = NumberOf(tokens[i + 1], v[i]);
    return ok;
}

}  // namespace

bool ParseXObjectLines(std::string_view text, std::vector<XObject>& objects)
{
    objects.clear();
    if (text.size() > kMaxObjectText)
        return false;
    std::vector<std::string> tokens;
    bool ok = true;
    ForEachLine(text, [&](std::string_view line) {
        LineTokens(line, tokens);
        if (tokens.empty())
            return true;
        float v[kNumbers];
        ok = objects.size() < kMaxObjectLines && ObjectOf(tokens, v);
        if (ok)
            objects.emplace_back(tokens[0], Vector3(v[0], v[1], 0.0), v[2], v[3], v[4]);
        return ok;
    });
    if (!ok)
        objects.clear();
    return !objects.empty();
}

bool HoldsXObjectLine(std::string_view text)
{
    if (text.size() > kMaxObjectText)
        return true;   // refused unread: it may well hold some
    std::vector<std::string> tokens;
    bool found = false;
    ForEachLine(text, [&](std::string_view line) {
        LineTokens(line, tokens);
        float v[kNumbers];
        found = !tokens.empty() && ObjectOf(tokens, v);
        return !found;
    });
    return found;
}

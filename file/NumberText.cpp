#include "file/NumberText.h"

#include <charconv>
#include <climits>
#include <limits>

#include <locale.h>
#include <stdlib.h>

namespace {

// White space as isspace sees it in the "C" locale.
inline bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips the leading white space and an optional sign, as strtod and atoi do; true for '-'.
bool SkipSpaceAndSign(std::string_view s, std::size_t& i)
{
    while (i < s.size() && IsCSpace(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    return negative;
}

}  // namespace

double AtoF(std::string_view s)
{
    std::size_t i = 0;
    const bool negative = SkipSpaceAndSign(s, i);
    // Plain decimals, nearly every number a course holds, go through from_chars: it reads them
    // about three times as fast as strtod, and reading numbers is most of opening a large
    // course. The rest (hex, inf, nan, out of range, no number) go to the C library.
    const std::string_view rest = s.substr(i);
    const bool hex = rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X');
    if (!rest.empty() && (IsDigit(rest[0]) || rest[0] == '.') && !hex) {
        double value = 0.0;
        const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        if (ec == std::errc())
            return negative ? -value : value;
    }
    // strtod wants the text NUL-terminated; a NUL inside ends the number either way.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t());
    return strtod_l(std::string(s).c_str(), nullptr, cLocale);
}

int AtoI(std::string_view s)
{
    std::size_t i = 0;
    const bool negative = SkipSpaceAndSign(s, i);
    long long magnitude = 0;
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        magnitude = magnitude * 10 + (s[i] - '0');
        if (magnitude > kLimit)
            magnitude = kLimit;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

float NarrowToFloat(double value)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    // Half a unit in the last place above the largest float: from there on (ties going to
    // the even neighbour, which is infinity) the value rounds to infinity.
    constexpr double kRoundsToInfinity = kMax + 0x1p103;
    if (value > kMax)
        return value >= kRoundsToInfinity ? std::numeric_limits<float>::infinity()
                                          : std::numeric_limits<float>::max();
    if (value < -kMax)
        return value <= -kRoundsToInfinity ? -std::numeric_limits<float>::infinity()
                                           : -std::numeric_limits<float>::max();
    return static_cast<float>(value);
}

void AppendFixed(std::string& out, double value)
{
    // Wide enough for any double in fixed notation with eight decimals.
    char buf[400];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 8);
    const std::size_t len = static_cast<std::size_t>(end - buf);
    if (len < 13)
        out.append(13 - len, ' ');
    out.append(buf, len);
}

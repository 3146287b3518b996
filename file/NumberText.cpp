#include "file/NumberText.h"

#include "file/Tokenizer.h"

#include <charconv>
#include <climits>
#include <limits>

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

inline bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

// For a number that from_chars found out of range: true when it is too large (strtod
// then gives infinity), false when too small (strtod gives zero). The two ranges lie
// hundreds of decades apart, so the position of the leading digit decides.
bool IsOverflow(const char* first, const char* last, bool hex)
{
    long long lead = 0;          // digits before the point, up to the first non-zero one
    bool seenPoint = false;
    bool seenNonZero = false;
    const char* p = first;
    for (; p < last; ++p) {
        const char c = *p;
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (!(hex ? IsHexDigit(c) : IsDigit(c)))
            break;
        if (!seenNonZero && c != '0') {
            seenNonZero = true;
            if (seenPoint)
                break;
        }
        if (seenNonZero && !seenPoint)
            ++lead;
        else if (!seenNonZero && seenPoint)
            --lead;
    }
    // Skip to the exponent, if any.
    const char mark = hex ? 'p' : 'e';
    while (p < last && (*p | 0x20) != mark)
        ++p;
    long long exponent = 0;
    if (p < last) {
        ++p;
        bool negative = false;
        if (p < last && (*p == '+' || *p == '-')) {
            negative = *p == '-';
            ++p;
        }
        for (; p < last && IsDigit(*p); ++p) {
            if (exponent < 1000000000)
                exponent = exponent * 10 + (*p - '0');
        }
        if (negative)
            exponent = -exponent;
    }
    const long long scale = hex ? 4 * lead + exponent : lead + exponent;
    return scale > 0;
}

// Converts an unsigned number at the start of s; the sign is handled by the caller.
// Returns false when no number starts there.
bool ParseUnsigned(std::string_view s, double& value)
{
    if (StartsWithNoCase(s, "inf")) {
        value = std::numeric_limits<double>::infinity();
        return true;
    }
    if (StartsWithNoCase(s, "nan")) {
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    const char* first = s.data();
    const char* last = s.data() + s.size();
    std::chars_format format = std::chars_format::general;
    if (s.size() >= 3 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X') &&
        (IsHexDigit(s[2]) || (s[2] == '.' && s.size() >= 4 && IsHexDigit(s[3])))) {
        first += 2;
        format = std::chars_format::hex;
    }
    // from_chars takes a '-' that strtod would not take again after the sign.
    if (first < last && *first == '-')
        return false;
    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(first, last, parsed, format);
    if (ec == std::errc()) {
        value = parsed;
        return true;
    }
    if (ec == std::errc::result_out_of_range) {
        value = IsOverflow(first, end, format == std::chars_format::hex)
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
        return true;
    }
    return false;
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
    double value = 0.0;
    if (!ParseUnsigned(s.substr(i), value))
        return 0.0;
    return negative ? -value : value;
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

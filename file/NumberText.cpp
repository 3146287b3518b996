#include "file/NumberText.h"

#include <charconv>
#include <algorithm>
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

void IntScan::Feed(const char* p, std::size_t n)
{
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    std::size_t i = 0;
    while (m_state == Space && i < n) {
        const char c = p[i];
        if (IsCSpace(c)) {
            ++i;
            continue;
        }
        if (c == '+' || c == '-') {
            m_negative = c == '-';
            ++i;
        }
        m_state = Digits;
    }
    for (; m_state == Digits && i < n; ++i) {
        if (!IsDigit(p[i])) {
            m_state = Done;
            break;
        }
        m_magnitude = m_magnitude * 10 + (p[i] - '0');
        if (m_magnitude > kLimit)
            m_magnitude = kLimit;
    }
}

int IntScan::Value() const
{
    const long long value = m_negative ? -m_magnitude : m_magnitude;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

namespace {

// A token kept whole up to this length; real numbers take a few dozen characters.
constexpr std::size_t kShortToken = 1024;
// Significant digits kept: a tie between two doubles needs at most 767 to show.
constexpr std::size_t kKeptDigits = 800;
// Beyond this an exponent gives infinity or zero whatever digits stand before it.
constexpr std::int64_t kExpLimit = 1'000'000'000'000'000;

inline bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

inline bool IsPayloadChar(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// Whether a hexadecimal number or a NaN payload still goes on at the end of body (the token
// less white space and sign): those forms are not reduced and must then be kept whole.
bool OtherFormGoesOn(std::string_view body)
{
    std::size_t i = 0;
    const std::size_t n = body.size();
    const auto skip = [&](bool (*in)(char)) {
        while (i < n && in(body[i]))
            ++i;
    };
    if (n >= 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) {
        i = 2;
        skip(IsHexDigit);
        if (i < n && body[i] == '.')
            ++i;
        skip(IsHexDigit);
        if (i < n && (body[i] == 'p' || body[i] == 'P')) {
            ++i;
            if (i < n && (body[i] == '+' || body[i] == '-'))
                ++i;
            skip(IsDigit);
        }
        return i >= n;
    }
    constexpr std::string_view kNan = "nan(";
    if (n < kNan.size())
        return false;
    for (; i < kNan.size(); ++i) {
        if ((body[i] | 0x20) != kNan[i] && body[i] != kNan[i])
            return false;
    }
    skip(IsPayloadChar);
    return i >= n;
}

}  // namespace

void NumberScan::Clear()
{
    m_head.clear();
    m_digits.clear();
    m_state = Short;
    m_whole = false;
    m_negative = false;
    m_sawDigit = false;
    m_sticky = false;
    m_expNegative = false;
    m_sawExpDigit = false;
    m_point = 0;
    m_exp = 0;
}

void NumberScan::Feed(const char* p, std::size_t n)
{
    if (m_state == Done)
        return;
    if (m_state == Short) {
        // Leading white space is skipped by AtoF alike.
        while (m_head.empty() && n > 0 && IsCSpace(*p)) {
            ++p;
            --n;
        }
        if (m_whole || m_head.size() + n <= kShortToken) {
            m_head.append(p, n);
            return;
        }
        const std::size_t fill = kShortToken - m_head.size();
        m_head.append(p, fill);
        p += fill;
        n -= fill;
        const bool sign = m_head[0] == '+' || m_head[0] == '-';
        if (OtherFormGoesOn(std::string_view(m_head).substr(sign ? 1 : 0))) {
            m_whole = true;
            m_head.append(p, n);
            return;
        }
        StartReducing();
        if (m_state == Done)
            return;   // the number ended inside the head, which then holds all of it
    }
    Reduce(p, n);
}

void NumberScan::StartReducing()
{
    std::size_t i = 0;
    if (!m_head.empty() && (m_head[0] == '+' || m_head[0] == '-')) {
        m_negative = m_head[0] == '-';
        i = 1;
    }
    m_state = Int;
    Reduce(m_head.data() + i, m_head.size() - i);
    if (m_state != Done)
        m_head.clear();   // the reduced form stands for it from now on
}

void NumberScan::AddDigit(char c)
{
    m_sawDigit = true;
    if (m_digits.empty() && c == '0') {
        if (m_state == Frac)
            --m_point;
        return;
    }
    if (m_state == Int)
        ++m_point;
    if (m_digits.size() < kKeptDigits)
        m_digits += c;
    else if (c != '0')
        m_sticky = true;
}

void NumberScan::Reduce(const char* p, std::size_t n)
{
    for (std::size_t i = 0; i < n && m_state != Done; ++i) {
        const char c = p[i];
        const bool digit = IsDigit(c);
        const bool e = c == 'e' || c == 'E';
        switch (m_state) {
        case Int:
        case Frac:
            if (digit)
                AddDigit(c);
            else if (c == '.' && m_state == Int)
                m_state = Frac;
            else
                m_state = e && m_sawDigit ? ExpStart : Done;
            break;
        case ExpStart:
        case ExpSign:
            if ((c == '+' || c == '-') && m_state == ExpStart) {
                m_expNegative = c == '-';
                m_state = ExpSign;
                break;
            }
            m_state = digit ? Exp : Done;
            [[fallthrough]];
        case Exp:
            if (!digit) {
                m_state = Done;
                break;
            }
            m_sawExpDigit = true;
            m_exp = std::min(m_exp * 10 + (c - '0'), kExpLimit);
            break;
        default:
            m_state = Done;
            break;
        }
    }
}

double NumberScan::Value() const
{
    // Every field past the end of a truncated file is an empty token.
    if (m_head.empty() && m_state == Short)
        return 0.0;
    if (!m_head.empty() || m_state == Short)
        return AtoF(m_head);
    if (!m_sawDigit)
        return 0.0;
    // 0.<digits> times ten to the power of the point and the exponent.
    std::string text = m_negative ? "-0." : "0.";
    text += m_digits.empty() ? "0" : m_digits;
    if (m_sticky)
        text += '1';
    text += 'e';
    text += std::to_string(m_point + (m_sawExpDigit ? (m_expNegative ? -m_exp : m_exp) : 0));
    return AtoF(text);
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

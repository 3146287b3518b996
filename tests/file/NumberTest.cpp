#include "file/NumberText.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

// The C library in the "C" locale (the test process never changes it) is the reference
// that the locale-independent conversions must match exactly.
namespace {

::testing::AssertionResult SameDouble(double got, double want, const std::string& text)
{
    if (std::isnan(want) ? (std::isnan(got) && std::signbit(got) == std::signbit(want))
                         : std::memcmp(&got, &want, sizeof got) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\": got " << got << ", strtod gives " << want;
}

void ExpectLikeStrtod(const std::string& text)
{
    EXPECT_TRUE(SameDouble(AtoF(text), std::strtod(text.c_str(), nullptr), text));
}

TEST(AtoF, MatchesStrtodOnChosenPrefixes)
{
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    const std::vector<std::string> cases = {
        "", " ", "abc", "2.5", "2.5abc", " \t\n\v\f\r-3.25e2x", "+.5", "-.", ".", "5.", "-0",
        "-0.0e5", "1e", "1e+", "1e-5", "1E5", "1e+3.5", "007", "1,5", "1_000", "- 5", "+-5", "--5",
        "inf", "-INF", "+Infinity", "infinit", "infinityx", "in", "nan", "-nan", "NaN(123)", "nan(",
        "nan(a_b)x", "na", "0x1.8p3", "0X1P-2", "0x", "0xg", "0x.8", "0x.", "0x.p1", "-0x1p",
        "0x1.8p3junk", "0xABCdef.8P+4", "0x1p", "0x1e", "0x1.ep2",
        // Range edges: overflow to infinity, underflow to zero, subnormals, rounding ties.
        "1e400", "-1e400", "1e-400", "-1e-400", "4.9e-324", "3e-324", "2.4703282292062328e-324",
        "2.4703282292062327e-324", "1e-320", "0x1p-1075", "0x1p-1074", "0x1.8p-1075",
        "0x1.fffffffffffff8p1023", "0x1.fffffffffffff7p1023", "0x1p1024", "0x1p-99999",
        "1.7976931348623158e308", "1.7976931348623159e308", "1e99999999999999999999",
        "1e-99999999999999999999", "0e999999", "0.0000000000000000000000000000001e-300",
        "1" + std::string(400, '0'), "0." + std::string(400, '0') + "1", std::string(400, '0') + "1e-400",
        "0.1", "0.30000000000000004", "9007199254740993", "123456789012345678901234567890",
        "3.4028235677973366e38", "3.4028236e38", "-170.00000000", "0.00000203",
    };
    for (const std::string& text : cases)
        ExpectLikeStrtod(text);
}

TEST(AtoF, MatchesStrtodOnRandomText)
{
    std::mt19937 rng(12345);
    const std::string alphabet = "0123456789012345.eEpP+-xX aAfFiInNtTyY()_\t\v#,";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 14);
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        for (int n = length(rng); n > 0; --n)
            text += alphabet[pick(rng)];
        const double got = AtoF(text);
        const double want = std::strtod(text.c_str(), nullptr);
        ASSERT_TRUE(SameDouble(got, want, text));
    }
}

TEST(AtoF, IgnoresTheProcessLocaleWithRandomNumbers)
{
    std::mt19937_64 rng(7);
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t bits = rng();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        char text[64];
        std::snprintf(text, sizeof text, (i & 1) ? "%.17g" : "%a", value);
        ASSERT_TRUE(SameDouble(AtoF(text), std::strtod(text, nullptr), text));
    }
}

TEST(AtoI, MatchesAtoiAndClampsOutOfRange)
{
    for (const char* text : {"", "-", "+", "12", " \t\n\v\f\r+12abc", "-0", "0x10", "1e5", "007",
                             "- 4", "2147483647", "-2147483648", "4.9", "  -31.5"})
        EXPECT_EQ(AtoI(text), std::atoi(text)) << text;
    EXPECT_EQ(AtoI("2147483648"), INT_MAX);
    EXPECT_EQ(AtoI("-2147483649"), INT_MIN);
    EXPECT_EQ(AtoI("99999999999999999999999999"), INT_MAX);
    EXPECT_EQ(AtoI("-99999999999999999999999999"), INT_MIN);
    EXPECT_EQ(AtoI("2000000000"), 2000000000);
}

TEST(NarrowToFloat, RoundsLikeTheHardwareAtTheRangeEdge)
{
    const double max = std::numeric_limits<float>::max();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(NarrowToFloat(max), std::numeric_limits<float>::max());
    EXPECT_EQ(NarrowToFloat(max + 0x1p102), std::numeric_limits<float>::max());
    EXPECT_EQ(NarrowToFloat(std::nextafter(max + 0x1p103, 0.0)), std::numeric_limits<float>::max());
    EXPECT_EQ(NarrowToFloat(max + 0x1p103), inf);
    EXPECT_EQ(NarrowToFloat(-1e300), -inf);
    EXPECT_EQ(NarrowToFloat(1e-300), 0.0f);
    EXPECT_EQ(NarrowToFloat(0.1), 0.1f);
    EXPECT_TRUE(std::isnan(NarrowToFloat(std::nan(""))));
}

::testing::AssertionResult FormatsLikePrintf(double value)
{
    char want[512];
    std::snprintf(want, sizeof want, "%13.8f", value);
    std::string got;
    AppendFixed(got, value);
    if (got == want)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got \"" << got << "\", printf gives \"" << want << "\"";
}

TEST(AppendFixed, MatchesPrintfInTheCLocale)
{
    const float fmax = std::numeric_limits<float>::max();
    for (double value : {0.0, -0.0, 100.0, -170.0, 1e-9, -1e-9, -4e-9, 5e-9, -5e-9, 0.5, 0.125,
                         0.000000005, 0.000000015, 1234.5678, 99999.999999999, -99999.999999999,
                         1e6, 123456.0, -1234.0, 12345.0, static_cast<double>(fmax),
                         -static_cast<double>(fmax), 1e300, std::numeric_limits<double>::max(),
                         std::numeric_limits<double>::denorm_min(),
                         std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity(), std::nan(""), -std::nan("")})
        EXPECT_TRUE(FormatsLikePrintf(value));

    // Every kind of float the course can hold, as the writer widens it.
    std::mt19937 rng(99);
    for (int i = 0; i < 200000; ++i) {
        const std::uint32_t bits = rng();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        ASSERT_TRUE(FormatsLikePrintf(f));
        // And numbers of the sizes a course really holds.
        const float course = static_cast<float>(static_cast<std::int32_t>(bits) / 1e6);
        ASSERT_TRUE(FormatsLikePrintf(course));
    }
}

}  // namespace

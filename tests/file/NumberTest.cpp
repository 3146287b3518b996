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

#include "core/vb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// The rule written the plain way: floor, then halves to the even neighbour,
// then saturation.
std::int32_t Reference(double v) {
    if (std::isnan(v)) return 0;
    double f = std::floor(v);
    const double diff = v - f;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(f, 2.0) != 0.0)) f += 1.0;
    if (f >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (f <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(f);
}

TEST(RoundHalfEven, HalvesGoToEvenAndTheEndsSaturate) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double v;
        std::int32_t want;
    } cases[] = {
        {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {0.49999999999999994, 0}, {-0.0, 0},
        {1.5000000000000002, 2}, {-7.25, -7}, {-7.75, -8}, {2147483646.5, 2147483646}, {2147483646.6, kMax},
        {-2147483647.5, kMin}, {-2147483646.5, -2147483646}, {1e10, kMax}, {-1e10, kMin}, {inf, kMax},
        {-inf, kMin}, {std::nan(""), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.v), c.want) << c.v;

    // Quarters, tiny fractions and large values all round as the plain rule does.
    std::uint64_t r = 1;
    for (int i = 0; i < 200000; ++i) {
        r = r * 6364136223846793005ull + 1442695040888963407ull;
        const double whole = static_cast<double>(static_cast<std::int64_t>(r >> 16) % 5000000000ll);
        const double v = i % 2 ? whole / 4 : whole * std::ldexp(1.0, -static_cast<int>(r % 40));
        ASSERT_EQ(RoundHalfEven(v), Reference(v)) << v;
        ASSERT_EQ(RoundHalfEven(-v), Reference(-v)) << -v;
    }
}

}  // namespace

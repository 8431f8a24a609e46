// Small numeric conventions shared by the whole engine.
//
// Booleans that other code compares with True exactly are 16-bit with
// True = -1 and False = 0 (`VBool`). Ordinary flags are plain `bool`.
// Conversions from floating point to integers round to nearest, halves to even.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

using VBool = std::int16_t;
inline constexpr VBool VB_TRUE = -1;
inline constexpr VBool VB_FALSE = 0;

inline constexpr VBool ToVBool(bool b) { return b ? VB_TRUE : VB_FALSE; }

// Round to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
// Values outside the 32-bit range saturate; NaN gives 0. Every object places
// itself through this each frame, so it stays in integer arithmetic (no
// floor or fmod calls) and away from the processor's rounding mode.
inline std::int32_t RoundHalfEven(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    auto i = static_cast<std::int64_t>(v);  // toward zero, exact in this range
    if (static_cast<double>(i) > v) --i;    // now the floor
    const double diff = v - static_cast<double>(i);
    if (diff > 0.5 || (diff == 0.5 && (i & 1) != 0)) ++i;
    return static_cast<std::int32_t>(i);
}

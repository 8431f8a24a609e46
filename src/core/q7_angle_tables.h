// The fixed random sequences behind CQ7Angle's Rnd* calls. They are game data
// (src/core/q7_angle_tables.cpp, written once by tools/gen_tables), so every
// stage replays the same "random" behaviour on every run.
#pragma once

#include <cstdint>

inline constexpr int kRndEntries = 1001;

extern const std::int32_t kRnd8[kRndEntries];
extern const std::int32_t kRnd10[kRndEntries];
extern const std::int32_t kRnd16[kRndEntries];
extern const std::int32_t kRnd32[kRndEntries];
extern const std::int32_t kRnd240[kRndEntries];
extern const std::int32_t kRnd256[kRndEntries];
extern const std::int32_t kRnd320[kRndEntries];

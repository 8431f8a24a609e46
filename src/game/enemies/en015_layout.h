// CEN015, the tank carrier of stage 3: a 160 x 272 landing ship, bow ramp
// down, bridge at the stern. Nine armoured hatches (mortar pits that fire
// a fan straight ahead) and nine tanks parked between them, turrets turning
// toward the ship; each destroyed part leaves a wreck on the deck. It fires
// on the enemy record's schedule (ShotInterval, FireLimitY, rank-adjusted).
//
//                 stern -136
//           +---------------------+
//           |       bridge        |
//           |  [H]    [H]    [H]  |  -88  hatches (x -46, 0, +46)
//           |   t      t      t   |  -48  tanks
//           |  [H]    [H]    [H]  |   -8
//           |   t      t      t   |  +32
//           |  [H]    [H]    [H]  |  +72
//           |   t      t      t   | +104
//           +=======ramp==========+
//                 bow +136
#pragma once

#include "game/enemies/large_layout.h"

namespace en015 {

inline constexpr std::int32_t kHatch = 4201;
inline constexpr std::int32_t kTank = 4067;  // tanks facing the bow, turret + heading
inline constexpr std::int32_t kWreck = 225;

inline constexpr LargePartDef kCore = {
    .dx = 0, .dy = 0, .w = 40, .h = 236, .hit_points = 10000, .score = 2000, .large_smoke = true};
constexpr LargePartDef Hatch(std::int32_t dx, std::int32_t dy) {
    return {.dx = dx, .dy = dy, .w = 28, .h = 28, .hit_points = 3000, .score = 100, .sprite_base = kHatch,
            .large_smoke = true, .fixed = true, .wreck_sprite = kWreck};
}
constexpr LargePartDef Tank(std::int32_t dx, std::int32_t dy) {
    return {.dx = dx, .dy = dy, .w = 20, .h = 20, .hit_points = 400, .score = 100, .sprite_base = kTank,
            .wreck_sprite = kWreck};
}

inline constexpr LargePartDef kParts[] = {
    kCore,
    Hatch(-46, -88), Hatch(0, -88), Hatch(46, -88),  // 1 .. 3
    Hatch(-46, -8),  Hatch(0, -8),  Hatch(46, -8),   // 4 .. 6
    Hatch(-46, 72),  Hatch(0, 72),  Hatch(46, 72),   // 7 .. 9
    Tank(-46, -48),  Tank(0, -48),  Tank(46, -48),   // 10 .. 12
    Tank(-46, 32),   Tank(0, 32),   Tank(46, 32),    // 13 .. 15
    Tank(-46, 104),  Tank(0, 104),  Tank(46, 104),   // 16 .. 18
};

inline constexpr std::int32_t kHatchFan[] = {-2, 0, 2};  // down-right, down, down-left
inline constexpr std::int32_t kAhead[] = {0};
constexpr FireStep HatchFan(std::int32_t part) {
    return {.part = part, .spread = kHatchFan, .offset = 12, .speed_add = -0.5};
}
constexpr FireStep TankShot(std::int32_t part) { return {.part = part, .spread = kAhead, .offset = 10}; }

// A hatch, then the tank behind it, scattered over the deck: 36 bullets a cycle.
inline constexpr FireStep kCycle[] = {
    HatchFan(5), TankShot(14), HatchFan(1), TankShot(10), HatchFan(9), TankShot(18),
    HatchFan(3), TankShot(12), HatchFan(7), TankShot(16), HatchFan(2), TankShot(11),
    HatchFan(8), TankShot(17), HatchFan(4), TankShot(13), HatchFan(6), TankShot(15),
};

inline constexpr SmokeChain<18> kDeathChain(-12, -120, 120, 24);

inline constexpr LargeEnemyLayout kLayout = {
    .body_sprite = 92,
    .body_layer = 2,
    .turret_layer = 4,
    .parts = kParts,
    .cycle = {.steps = kCycle},
    .record_schedule = true,
    .death_smokes = kDeathChain.points,
};

}  // namespace en015

// CEN013, the frigate of stages 3 and 6: a 128 x 288 hull, bow down, with
// two twin turrets fore and two aft on the centreline and four small
// turrets flanking the bridge. Eight aimed-shot sources take turns.
//
//                 stern -144
//              +-----------+
//              |    (D)    |  -100  twin
//              |    (C)    |   -62  twin
//              | o  ###  o |   -24  small, small
//              |    ###    |         bridge (the core runs the whole keel)
//              | o  ###  o |   +12  small, small
//              |    (B)    |   +54  twin
//               \   (A)   /    +92  twin
//                 \     /
//                   \ /         bow +144
#pragma once

#include "game/enemies/large_layout.h"

namespace en013 {

inline constexpr LargePartDef kCore = {
    .dx = 0, .dy = 0, .w = 36, .h = 248, .hit_points = 6000, .score = 2000, .large_smoke = true};
constexpr LargePartDef Twin(std::int32_t dy) { return TwinTurret(0, dy, 4); }  // they start trained left
constexpr LargePartDef Small(std::int32_t dx, std::int32_t dy) { return SmallTurret(dx, dy); }

inline constexpr LargePartDef kParts[] = {
    kCore,
    Twin(92), Twin(54), Twin(-62), Twin(-100),
    Small(40, 12), Small(-40, 12), Small(40, -24), Small(-40, -24),
};

inline constexpr std::int32_t kFan[] = {-1, 0, 1};
inline constexpr std::int32_t kAhead[] = {0};
constexpr FireStep TwinFan(std::int32_t part) {
    return {.part = part, .spread = kFan, .offset = 14, .speed_add = -0.5};
}
constexpr FireStep SmallShot(std::int32_t part) { return {.part = part, .spread = kAhead, .offset = 6}; }

// Fore and aft, port and starboard by turns: sixteen bullets a cycle.
inline constexpr FireStep kCycle[] = {
    TwinFan(1), SmallShot(5), TwinFan(3), SmallShot(8), TwinFan(2), SmallShot(6), TwinFan(4), SmallShot(7),
};

// Down the keel from the stern to the bow, zigzagging.
inline constexpr SmokeChain<20> kDeathChain(-8, -130, 130, 16);

inline constexpr LargeEnemyLayout kLayout = {
    .body_sprite = 94,
    .body_layer = 2,
    .turret_layer = 4,
    .parts = kParts,
    .cycle = {.steps = kCycle},
    .death_smokes = kDeathChain.points,
};

}  // namespace en013

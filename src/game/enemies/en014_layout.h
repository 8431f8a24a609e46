// CEN014, the battleship of stages 3 and 6: a 176 x 528 hull, bow down,
// reaching 384 pixels above its centre and 143 below; the core runs the
// keel in two rectangles, at the centre and 240 above it. Thirty-four
// turrets guard it: a heavy triple and a big twin at each end, four pairs of
// twins beside the superstructure and eleven pairs of small turrets along
// the sides; casemates in the sides fire the broadsides. The core opens only
// once all thirty-four are wrecked. One turn of its firing cycle throws 106
// bullets.
//
//                        stern -384
//               +-----------------------+
//               | o        [H2]       o | -332 heavy         o small (x +-74, every 35 from +24)
//               | o        [B2]       o | -292 big           = casemate (x +-80)
//               =o   (T)  #####  (T)  o= -248 twins (x +-46)
//               | o       #####       o |
//               =o   (T)  #####  (T)  o= -168
//               | o        mast       o |
//               =o   (T)  funnels (T) o=  -88
//               | o       #####       o |
//               =o   (T)  bridge (T)  o=   -8   core (0, 0) and (0, -240)
//               | o                   o |
//                \        [B1]        /    +56 big
//                  \      [H1]      /      +96 heavy
//                     \          /
//                         \/              bow +143
#pragma once

#include "game/enemies/large_layout.h"

namespace en014 {

inline constexpr std::int32_t kHeavy = 4193;
inline constexpr std::int32_t kBig = 4117;
inline constexpr std::int32_t kSmall = 4125;
inline constexpr std::int32_t kSecondHullDY = -240;

inline constexpr LargePartDef kCore = {
    .dx = 0, .dy = 0, .w = 40, .h = 232, .hit_points = 20000, .score = 8000, .large_smoke = true};
constexpr LargePartDef Heavy(std::int32_t dy) {
    return {.dx = 0, .dy = dy, .w = 32, .h = 32, .hit_points = 5000, .score = 700, .sprite_base = kHeavy,
            .large_smoke = true};
}
constexpr LargePartDef Big(std::int32_t dy) {
    return {.dx = 0, .dy = dy, .w = 24, .h = 24, .hit_points = 3200, .score = 500, .sprite_base = kBig,
            .large_smoke = true};
}
constexpr LargePartDef Twin(std::int32_t dx, std::int32_t dy) { return TwinTurret(dx, dy); }
constexpr LargePartDef Small(std::int32_t dx, std::int32_t dy) { return SmallTurret(dx, dy); }

inline constexpr LargePartDef kParts[] = {
    kCore,                                                                     // 0
    Heavy(96), Heavy(-332),                                                    // 1, 2
    Big(56), Big(-292),                                                        // 3, 4
    Twin(46, -8), Twin(-46, -8), Twin(46, -88), Twin(-46, -88),                // 5 .. 8
    Twin(46, -168), Twin(-46, -168), Twin(46, -248), Twin(-46, -248),          // 9 .. 12
    Small(74, 24), Small(-74, 24), Small(74, -11), Small(-74, -11),            // 13 .. 16
    Small(74, -46), Small(-74, -46), Small(74, -81), Small(-74, -81),          // 17 .. 20
    Small(74, -116), Small(-74, -116), Small(74, -151), Small(-74, -151),      // 21 .. 24
    Small(74, -186), Small(-74, -186), Small(74, -221), Small(-74, -221),      // 25 .. 28
    Small(74, -256), Small(-74, -256), Small(74, -291), Small(-74, -291),      // 29 .. 32
    Small(74, -326), Small(-74, -326),                                         // 33, 34
};

inline constexpr HullRect kSecondHull[] = {{.dx = 0, .dy = kSecondHullDY, .w = 40, .h = 232}};

inline constexpr std::int32_t kHeavyFan[] = {-3, -2, -1, 0, 1, 2, 3};
inline constexpr std::int32_t kBigFan[] = {-2, -1, 0, 1, 2};
inline constexpr std::int32_t kTwinFan[] = {-1, 0, 1};
inline constexpr std::int32_t kAhead[] = {0};

// Six casemates a side; one broadside fires all twelve.
constexpr HullShot Casemate(std::int32_t side, std::int32_t k, std::int32_t dir) {
    return {.dx = 80 * side, .dy = 6 - 64 * k, .dir = dir};
}
struct Broadside {
    HullShot guns[12];
    constexpr Broadside(std::int32_t right_dir, std::int32_t left_dir) : guns() {
        for (std::int32_t k = 0; k < 6; ++k) {
            guns[2 * k] = Casemate(1, k, right_dir);
            guns[2 * k + 1] = Casemate(-1, k, left_dir);
        }
    }
};
inline constexpr Broadside kBeam(0, 8);
inline constexpr Broadside kForward(2, 6);
inline constexpr Broadside kAft(14, 10);

constexpr FireStep HeavyFan(std::int32_t part) {
    return {.part = part, .spread = kHeavyFan, .offset = 20, .speed_add = -0.5};
}
constexpr FireStep BigFan(std::int32_t part) { return {.part = part, .spread = kBigFan, .offset = 14, .speed_add = -0.5}; }
constexpr FireStep Twins(std::int32_t part) { return {.part = part, .pair = part + 1, .spread = kTwinFan, .offset = 14}; }
constexpr FireStep Smalls(std::int32_t part) { return {.part = part, .pair = part + 1, .spread = kAhead, .offset = 6}; }
constexpr FireStep Guns(const Broadside& b) { return {.hull = b.guns, .offset = 4, .speed_add = -0.5}; }

// The small turrets fire a pair on every other step, from the bow aft;
// between them the big guns, the twins and the broadsides.
inline constexpr FireStep kCycle[] = {
    HeavyFan(1), Smalls(13), Twins(5),    Smalls(15), BigFan(3), Smalls(17), Guns(kBeam),    Smalls(19),
    Twins(7),    Smalls(21), HeavyFan(2), Smalls(23), Twins(9),  Smalls(25), Guns(kForward), Smalls(27),
    BigFan(4),   Smalls(29), Twins(11),   Smalls(31), Guns(kAft), Smalls(33),
};
static_assert(ShotsPerCycle({.steps = kCycle}) == 106);

inline constexpr SmokeChain<32> kDeathChain(-10, -370, 130, 20);

inline constexpr LargeEnemyLayout kLayout = {
    .body_sprite = 93,
    .body_dx = 0,
    .body_dy = -120,
    .body_layer = 2,
    .turret_layer = 4,
    .parts = kParts,
    .extra_hull = kSecondHull,
    .cycle = {.steps = kCycle},
    .death_smokes = kDeathChain.points,
};

}  // namespace en014

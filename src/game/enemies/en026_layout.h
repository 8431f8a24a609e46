// CEN026, the mothership of stages 7 and 8: a 144 x 224 hull, nose down,
// over a pair of swept wings 288 across (sprite 4243, drawn under it). Four
// twin launchers on the hull send homing missiles out one after another,
// the nose guns throw pairs of bullets at the ship between them, and on a
// faster clock of its own (14 - rank frames) the ten small turrets on the
// wings and at the ends of the hull take turns with single aimed bullets.
//
//                            tail -112
//                           o   o             -92  small (x +-22)
//                 _______ [L]   [L] _______   -44  launchers (x +-34)
//        o  o  o /       |   ###   |       \ o  o  o   wings: small at
//       /_______/        |   ###   |        \_______\  (+-84, -10), (+-108, -22), (+-132, -34)
//                         [L]   [L]            +30  launchers
//                           o   o              +84  small (x +-22)
//                            \ /  nose guns   +104
//                            nose +112
#pragma once

#include "game/enemies/large_layout.h"

namespace en026 {

inline constexpr std::int32_t kSmall = 4125;
inline constexpr std::int32_t kWings = 4243;

inline constexpr LargePartDef kCore = {
    .dx = 0, .dy = 0, .w = 40, .h = 200, .hit_points = 18000, .score = 4000, .large_smoke = true};
constexpr LargePartDef Launcher(std::int32_t dx, std::int32_t dy) { return TwinTurret(dx, dy); }  // its barrels are rails
constexpr LargePartDef Small(std::int32_t dx, std::int32_t dy) { return SmallTurret(dx, dy); }

inline constexpr LargePartDef kParts[] = {
    kCore,
    Launcher(-34, -44), Launcher(34, -44), Launcher(-34, 30), Launcher(34, 30),  // 1 .. 4
    Small(-84, -10), Small(84, -10), Small(-108, -22), Small(108, -22),          // 5 .. 8
    Small(-132, -34), Small(132, -34),                                           // 9, 10
    Small(-22, -92), Small(22, -92), Small(-22, 84), Small(22, 84),              // 11 .. 14
};

inline constexpr HullSprite kDecor[] = {{.sprite = kWings, .dx = 0, .dy = -8, .layer = 12}};

inline constexpr HullShot kNoseGuns[] = {{.dx = -8, .dy = 104}, {.dx = 8, .dy = 104}};
constexpr FireStep Launch(std::int32_t part) { return {.part = part, .kind = ShotKind::Missile, .offset = 14}; }
inline constexpr FireStep kNose = {.hull = kNoseGuns, .kind = ShotKind::AimedTama5};
constexpr FireStep SmallShot(std::int32_t part) { return {.part = part, .kind = ShotKind::AimedTama5}; }

// Main clock: a missile, a pair from the nose guns, the next missile ...
inline constexpr FireStep kCycle[] = {
    Launch(3), kNose, Launch(2), kNose, Launch(4), kNose, Launch(1), kNose,
};
// Second clock: the small turrets in turn, out along the wings and back.
inline constexpr FireStep kSmallCycle[] = {
    SmallShot(13), SmallShot(5), SmallShot(8), SmallShot(9),  SmallShot(12),
    SmallShot(14), SmallShot(6), SmallShot(7), SmallShot(10), SmallShot(11),
};

inline constexpr HullShot kDeathSmokes[] = {
    {0, -96},   {-20, -70}, {20, -50},  {0, -30},   {-60, -14}, {60, -14},  {-96, -20}, {96, -20},
    {-124, -30}, {124, -30}, {-20, 0},  {20, 16},   {0, 40},    {-24, 60},  {24, 76},   {0, 100},
};

inline constexpr LargeEnemyLayout kLayout = {
    .body_sprite = 90,
    .body_layer = 13,
    .turret_layer = 14,
    .decor = kDecor,
    .parts = kParts,
    .cycle = {.steps = kCycle},
    .second = {.steps = kSmallCycle, .base = 14, .per_rank = 1, .divisor = 1},
    .death_smokes = kDeathSmokes,
};

}  // namespace en026

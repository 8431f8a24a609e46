#include "game/enemies/en006.h"

#include "core/vb.h"

namespace {
constexpr std::int32_t kBig = 4117;
constexpr std::int32_t kSmall = 4125;

constexpr LargePartDef kParts[] = {
    {.dx = 0, .dy = 0, .w = 32, .h = 220, .hit_points = 10000, .score = 3000, .sprite_base = 0, .large_smoke = true},
    {.dx = 0, .dy = 52, .w = 24, .h = 24, .hit_points = 3200, .score = 500, .sprite_base = kBig, .large_smoke = true},
    {.dx = 19, .dy = 30, .w = 8, .h = 8, .hit_points = 1400, .score = 200, .sprite_base = kSmall},
    {.dx = -19, .dy = 30, .w = 8, .h = 8, .hit_points = 1400, .score = 200, .sprite_base = kSmall},
    {.dx = 0, .dy = -52, .w = 24, .h = 24, .hit_points = 3200, .score = 500, .sprite_base = kBig, .large_smoke = true},
    {.dx = 19, .dy = -30, .w = 8, .h = 8, .hit_points = 1400, .score = 200, .sprite_base = kSmall},
    {.dx = -19, .dy = -30, .w = 8, .h = 8, .hit_points = 1400, .score = 200, .sprite_base = kSmall},
};

constexpr std::int32_t kFan[] = {-2, -1, 0, 1, 2};
constexpr std::int32_t kAhead[] = {0};

constexpr HullShot kBroadside[] = {
    {31, 49, 0},   {34, 26, 0},   {35, 0, 0},   {34, -26, 0},   {31, -49, 0},
    {-32, 49, 8},  {-35, 26, 8},  {-36, 0, 8},  {-35, -26, 8},  {-32, -49, 8},
};
constexpr HullShot kMidships[] = {{20, 16, 0}, {20, -16, 0}, {-21, 16, 8}, {-21, -16, 8}};

const FireStep kCycle[] = {
    {.part = 1, .spread = kFan, .offset = 12, .speed_add = -0.5},
    {.part = 2, .spread = kAhead, .offset = 4, .speed_add = 0},
    {.part = 3, .spread = kAhead, .offset = 4, .speed_add = 0},
    {.part = -1, .hull = kBroadside, .offset = 4, .speed_add = -0.5},
    {.part = 4, .spread = kFan, .offset = 12, .speed_add = -0.5},
    {.part = 5, .spread = kAhead, .offset = 4, .speed_add = 0},
    {.part = 6, .spread = kAhead, .offset = 4, .speed_add = 0},
    {.part = -1, .hull = kMidships, .offset = 4, .speed_add = -0.5},
};

// 26 smokes down the hull, from (-1, -105) to (-1, +100).
constexpr SmokeChain<26> kDeathChain(-1, -105, 100);

const LargeEnemyLayout kLayout = {
    .body_sprite = 98,
    .body_layer = 2,
    .turret_layer = 4,
    .parts = kParts,
    .cycle = {.steps = kCycle},
    .death_smokes = kDeathChain.points,
};
}  // namespace

CEN006::CEN006() : CLargeEnemy(kLayout) {}

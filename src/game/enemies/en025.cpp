#include "game/enemies/en025.h"

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 200,
    .score = 100,
    .bound_sprite = 100,
    .distance_rule = true,
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 17},
};
constexpr std::int32_t kFireLimitY = 200;  // the family's usual limit, 20 lower a rank
const CHeadingFlyer::Look kLook = {.sprite_base = 4035, .shadow_base = 4043, .hit_size = 32, .speed = 2.5};
}  // namespace

CEN025::CEN025() : CHeadingFlyer(kProfile, kLook) {}

void SpawnStreamFighter(double x, double y, std::int32_t heading, std::int32_t entry_frames) {
    g_EnemyParam.X = x;
    g_EnemyParam.Y = y;
    g_EnemyParam.EntryFrames = entry_frames;
    g_EnemyParam.ShotSpeedAdd = 3.0;
    g_EnemyParamEx.Heading = heading;
    g_EnemyParamEx.FirstShot = g_Angle.Rnd32(-1) + 5;
    g_EnemyParamEx.ShotInterval = 40;
    g_EnemyParamEx.FireLimitY = kFireLimitY;
    g_ObjectPack.Spawn<CEN025>(3, VB_TRUE);
}

#include "game/enemies/en021.h"

#include "core/q7_objectpack.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 4500,
    .score = 0,
    .bound_sprite = 100,
    .turns = true,
    .ends_when_bullets_off = true,
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 17},
};
const CHeadingFlyer::Look kLook = {.sprite_base = 6055, .shadow_base = 6063, .hit_size = 24, .speed = 1.5};
}  // namespace

CEN021::CEN021() : CHeadingFlyer(kProfile, kLook) {}

void SpawnInterceptor(double x, double y, std::int32_t heading, std::int32_t first_shot, std::int32_t shot_interval,
                      std::int32_t turn_interval) {
    g_EnemyParam.X = x;
    g_EnemyParam.Y = y;
    g_EnemyParam.EntryFrames = 30;
    g_EnemyParam.ShotSpeedAdd = 0;
    g_EnemyParamEx.Heading = heading;
    g_EnemyParamEx.FirstShot = first_shot;
    g_EnemyParamEx.ShotInterval = shot_interval;
    g_EnemyParamEx.TurnInterval = turn_interval;
    g_EnemyParamEx.FireLimitY = 240;
    g_ObjectPack.Spawn<CEN021>(4, VB_TRUE);
}

#include "game/enemies/en011.h"

#include "core/q7_objectpack.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 3000,
    .score = 0,
    .bound_sprite = 0,
    .distance_rule = true,
    .ends_when_bullets_off = true,
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 7},
};
constexpr std::int32_t kSprite = 6023, kLayer = 4;
constexpr double kMuzzle = 10;  // the barrel's length
}  // namespace

CEN011::CEN011() : CEnemy(kProfile) {}

void CEN011::SetUp() {
    never_hidden_ = true;
    x_ = ep_.Mode == 0 ? 204 : 116;
    y_ = ep_.Mode == 0 ? 84 : 44;
    sprite_ = kSprite;
    layer_ = kLayer;
    CopySpriteRect(kSprite, sprite_pos_);
    hit_.ReSize(22, 22);
}

void CEN011::Fire() { FireTama(x_, y_, hit_.KAKUDO16(g_MyShipPos), kMuzzle, ep_.ShotSpeedAdd); }

std::int32_t SpawnBossTurret(std::int32_t mode, std::int32_t first_shot, std::int32_t shot_interval) {
    g_EnemyParam.EntryFrames = 0;
    g_EnemyParam.Mode = mode;
    g_EnemyParam.ShotSpeedAdd = 0;
    g_EnemyParamEx.FirstShot = first_shot;
    g_EnemyParamEx.ShotInterval = shot_interval;
    g_EnemyParamEx.FireLimitY = 240;
    return g_ObjectPack.Spawn<CEN011>(3, VB_TRUE);
}

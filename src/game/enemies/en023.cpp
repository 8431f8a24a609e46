#include "game/enemies/en023.h"

#include "gfx/q7_ddbpack256.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 3500,
    .score = 500,
    .bound_sprite = 0,
    .turns = true,
    .distance_rule = true,
    .shot_rank = {.divisor = 4},
    // One large smoke over its crater, as the quad turret of the same size goes up.
    .explosion = {.sound = &g_SeReq8, .large = true, .step = 4, .layer = 17, .wreck_sprite = 226, .wreck_layer = 5},
};
constexpr std::int32_t kBody = 4214, kBodyLayer = 6;
constexpr std::int32_t kTurret = 4125, kTurretLayer = 7;
}  // namespace

CEN023::CEN023() : CEnemy(kProfile) {}

void CEN023::SetUp() {
    heading_ &= 7;
    sprite_base_ = kTurret;  // the turning sprite is the turret's
    sprite_ = kTurret + heading_;
    CopySpriteRect(kBody, sprite_pos_);
    CopySpriteRect(kBody, hit_);
}

void CEN023::Draw() {
    g_DDBPack.AddBlt(sprite_pos_, kBody, kBodyLayer, 0, DrawMode());
    g_DDBPack.AddBlt(sprite_pos_, sprite_, kTurretLayer, 0, DrawMode());
}

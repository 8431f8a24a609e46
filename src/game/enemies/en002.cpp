#include "game/enemies/en002.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 500,
    .score = 100,
    .bound_sprite = 0,
    .turns = true,
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 7, .wreck_sprite = 225},
};
}  // namespace

CEN002::CEN002() : CEnemy(kProfile) {}

void CEN002::SetUp() {
    sprite_base_ = 4003;
    sprite_ = sprite_base_ + heading_;
    CopySpriteRect(sprite_base_, sprite_pos_);
    CopySpriteRect(sprite_base_, hit_);
}

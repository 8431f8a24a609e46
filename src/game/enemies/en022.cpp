#include "game/enemies/en022.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 3500,
    .score = 500,
    .bound_sprite = 0,
    .turns = true,
    .explosion = {.sound = &g_SeReq8, .large = true, .step = 4, .layer = 17, .wreck_sprite = 226},
};
constexpr std::int32_t kBase = 4215;
constexpr double kMuzzle = 16;
}  // namespace

CEN022::CEN022() : CEnemy(kProfile) {}

void CEN022::SetUp() {
    heading_ &= 7;
    sprite_base_ = kBase;
    sprite_ = kBase + heading_;
    CopySpriteRect(kBase, sprite_pos_);
    hit_.ReSize(36, 36);
}

void CEN022::Fire() {
    const std::int32_t dir = heading_ * 2;
    FireTama(x_, y_, dir, kMuzzle, ep_.ShotSpeedAdd);
    FireTama(x_, y_, (dir + 15) % 16, kMuzzle, ep_.ShotSpeedAdd);
}

#include "game/enemies/en017.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 15000,
    .score = 1000,
    .bound_sprite = 0,
    .flash_bonus = 5000,
    // A heavy enemy's end: five large smokes with the crater and the large sound.
    .explosion = {.sound = &g_SeReq8, .pattern = Explosion::Pattern::Heavy, .large = true, .step = 4, .layer = 17,
                  .wreck_sprite = 226},
};
constexpr std::int32_t kOpen = 4206, kClosed = 4207;
constexpr double kMuzzle = 16;
}  // namespace

CEN017::CEN017() : CEnemy(kProfile) {}

void CEN017::SetUp() {
    sprite_ = kClosed;
    CopySpriteRect(kClosed, sprite_pos_);
    hit_.ReSize(56, 56);
}

void CEN017::Move() {
    y_ = GroundY();
    const std::int32_t wait = next_shot_ - frame_;
    sprite_ = wait >= 0 && wait < kOpenFrames ? kOpen : kClosed;
}

void CEN017::Fire() {
    const std::int32_t dir = hit_.KAKUDO16(g_MyShipPos);
    FireTama(x_, y_, dir, kMuzzle, ep_.ShotSpeedAdd);
    FireTama(x_, y_, (dir + 1) % 16, kMuzzle, ep_.ShotSpeedAdd);
}

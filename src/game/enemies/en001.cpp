#include "game/enemies/en001.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 0,
    .score = 10,
    .bound_sprite = 100,
    .explosion = {.sound = &g_SeReq5, .large = false, .step = 2, .layer = 17},
};
}  // namespace

CEN001::CEN001() : CEnemy(kProfile) {}

void CEN001::SetUp() {
    sprite_ = 4001;
    shadow_sprite_ = 4002;
    layer_ = ep_.Mode == 10 ? 6 : 25;
    CopySpriteRect(sprite_, sprite_pos_);
    CopySpriteRect(sprite_, hit_);
    CopySpriteRect(shadow_sprite_, shadow_);
}

void CEN001::Move() {
    const double offset = ep_.Param9 * CQ7Pos::GetSin(angle_);
    angle_ = (angle_ + 2) % 360;
    switch (ep_.Mode) {
    case 0: x_ = ep_.X + offset; y_ += 0.2; break;
    case 1: x_ = ep_.X - offset; y_ += 0.2; break;
    case 2: x_ = ep_.X + offset; y_ -= 0.2; break;
    case 3: x_ = ep_.X - offset; y_ -= 0.2; break;
    default: break;  // parked
    }
}

void CEN001::OnDestroyed() {
    if (ep_.DeathShot == 1) FireTama(x_, y_, hit_.KAKUDO16(g_MyShipPos), 4, ep_.ShotSpeedAdd);
}

#include "game/enemies/en009.h"

#include <cmath>

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 300,
    .hit_points_per_rank = 200,
    .score = 0,
    .bound_sprite = 100,
    .explosion = {.sound = &g_SeReq5, .large = true, .step = 3, .layer = 25},
};
constexpr std::int32_t kFalling = 4166, kRight = 4167, kLeft = 4168;
constexpr std::int32_t kLayer = 25;
constexpr double kSideSpeed = 3;
constexpr double kTrail = 8;  // the smoke puff's distance behind the missile
}  // namespace

CEN009::CEN009() : CEnemy(kProfile) {}

void CEN009::SetUp() {
    // The launcher writes only X and Y, so the record's entry time is some
    // earlier spawn's: the missile can be shot from its first frame.
    ep_.EntryFrames = 0;
    sprite_ = kFalling;
    layer_ = kLayer;
    CopySpriteRect(kFalling, sprite_pos_);
    CopySpriteRect(kFalling, hit_);
}

void CEN009::TurnLevel(std::int32_t sprite, double vx) {
    turned_ = true;
    vx_ = vx;
    vy_ = 0;
    sprite_ = sprite;
    CopySpriteRect(sprite, sprite_pos_);
    CopySpriteRect(sprite, hit_);
}

void CEN009::Move() {
    if (!turned_) {
        const std::int32_t to_ship = hit_.KAKUDO32(g_MyShipPos);
        if (to_ship == 0) TurnLevel(kRight, kSideSpeed);
        if (to_ship == 16) TurnLevel(kLeft, -kSideSpeed);
    }
    x_ += vx_;
    y_ += vy_;
    if (frame_ % 8 == 0) {
        const double speed = std::hypot(vx_, vy_);
        MakeSmoke(RoundHalfEven(x_ - vx_ / speed * kTrail), RoundHalfEven(y_ - vy_ / speed * kTrail), 0, 0, false, 4, 23);
    }
}

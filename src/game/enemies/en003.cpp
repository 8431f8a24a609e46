#include "game/enemies/en003.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 5000,
    .score = 500,
    .bound_sprite = 0,
    .explosion = {.sound = &g_SeReq8, .pattern = Explosion::Pattern::Heavy, .large = true, .step = 4, .layer = 17},
};
constexpr std::int32_t kCrater = 226;
}  // namespace

CEN003::CEN003() : CEnemy(kProfile) {}

void CEN003::SetUp() {
    sprite_base_ = 4011;
    sprite_ = sprite_base_;
    layer_ = 6;
    CopySpriteRect(sprite_base_, sprite_pos_);
    CopySpriteRect(sprite_base_, hit_);
}

void CEN003::Move() {
    if (frame_ % 4 == 0) {
        image_ = (image_ + 1) % kImages;
        if (image_ == 0) anchor_ += 12;  // one cycle crawls 12 rows down along the ground
    }
    sprite_ = sprite_base_ + image_;
    y_ = GroundY();
}

void CEN003::PlaceRects() {
    CEnemy::PlaceRects();
    hit_.Move(RoundHalfEven(x_), RoundHalfEven(y_) - 12 + image_);
}

void CEN003::Fire() {
    for (std::int32_t dir = 2; dir <= 6; ++dir) FireTama(hit_.CenterX(), hit_.CenterY() + 26, dir, 12, -0.5);
}

void CEN003::OnDestroyed() {
    const std::int32_t ix = RoundHalfEven(x_), iy = RoundHalfEven(y_);
    if (ep_.Mode != 0)
        enemy_fx::PaintIntoGround(ix, iy, kCrater);
    else
        enemy_fx::LeaveWreck(ix, iy, kCrater, layer_ - 1);
}

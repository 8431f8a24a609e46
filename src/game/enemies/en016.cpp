#include "game/enemies/en016.h"

#include <span>

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 200,
    .score = 100,
    .bound_sprite = 100,
    .shot_rank = {.per_rank = 2},
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 17},
};
constexpr std::int32_t kDown = 4037, kUp = 4041;
constexpr std::int32_t kShadowOffset = 8;
constexpr std::int32_t kLayer = 25;
constexpr double kSpeed = 1.5;
constexpr std::int32_t kBelowVolley[] = {1, 2, 7, 8};     // the ship is below
constexpr std::int32_t kAboveVolley[] = {15, 14, 10, 9};  // the ship is level or above
}  // namespace

CEN016::CEN016() : CEnemy(kProfile) {}

void CEN016::SetUp() {
    const bool up = ep_.Variant != 0;
    sprite_ = up ? kUp : kDown;
    shadow_sprite_ = sprite_ + kShadowOffset;
    vy_ = up ? -kSpeed : kSpeed;
    layer_ = kLayer;
    CopySpriteRect(sprite_, sprite_pos_);
    CopySpriteRect(sprite_, hit_);
    CopySpriteRect(shadow_sprite_, shadow_);
}

void CEN016::Fire() {
    const bool ship_below = y_ < g_MyShipPos.CenterY();
    for (std::int32_t dir : ship_below ? std::span<const std::int32_t>(kBelowVolley) : std::span<const std::int32_t>(kAboveVolley))
        FireTama(x_, y_, dir, 16, ep_.ShotSpeedAdd);
}

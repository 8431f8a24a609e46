#include "game/enemies/en007.h"

#include "core/q7_angle.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 2000,
    .score = 200,
    .bound_sprite = 0,
    .turns = true,
    .distance_rule = true,
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 17},
};
constexpr std::int32_t kLayer = 2;

struct Travel {
    std::int32_t sprite_base;
    std::int32_t hit_w, hit_h;
    std::int32_t muzzle_x, muzzle_y;
};
// By travel: right, down, left, up.
constexpr Travel kTravels[4] = {
    {4133, 46, 30, 12, 0},
    {4141, 30, 46, 0, 11},
    {4149, 46, 30, -12, 0},
    {4157, 30, 46, 0, -12},
};
}  // namespace

CEN007::CEN007() : CEnemy(kProfile) {}

void CEN007::SetUp() {
    variant_ = (ex_.Heading / 2) & 3;
    const Travel& v = kTravels[variant_];
    const double speed = ep_.Mode / 100.0;
    vx_ = g_Angle.GetDX8(2 * variant_) * speed;
    vy_ = g_Angle.GetDY8(2 * variant_) * speed;
    heading_ = 2 * variant_;  // the gun starts along the travel
    sprite_base_ = v.sprite_base;
    sprite_ = sprite_base_ + heading_;
    layer_ = kLayer;
    CopySpriteRect(sprite_base_, sprite_pos_);
    hit_.ReSize(v.hit_w, v.hit_h);
}

void CEN007::Move() {
    x_ += vx_;
    anchor_ += vy_;  // travel is along the ground, which scrolls on
    y_ = GroundY();
}

void CEN007::Fire() {
    const Travel& v = kTravels[variant_];
    FireTama(x_ + v.muzzle_x, y_ + v.muzzle_y, heading_ * 2, 8, ep_.ShotSpeedAdd);
}

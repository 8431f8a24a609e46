#include "game/enemies/heading_flyer.h"

#include "core/q7_angle.h"

namespace {
constexpr std::int32_t kLayer = 25;
}  // namespace

void CHeadingFlyer::SetUp() {
    heading_ &= 7;
    sprite_base_ = look_.sprite_base;
    sprite_ = sprite_base_ + heading_;
    shadow_sprite_ = look_.shadow_base + heading_;
    layer_ = kLayer;
    CopySpriteRect(sprite_base_, sprite_pos_);
    CopySpriteRect(look_.shadow_base, shadow_);
    hit_.ReSize(look_.hit_size, look_.hit_size);
}

void CHeadingFlyer::Move() {
    x_ += g_Angle.GetDX8(heading_) * look_.speed;
    y_ += g_Angle.GetDY8(heading_) * look_.speed;
}

void CHeadingFlyer::Turn() {
    CEnemy::Turn();
    shadow_sprite_ = look_.shadow_base + heading_;
}

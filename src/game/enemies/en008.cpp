#include "game/enemies/en008.h"

#include "core/q7_objectpack.h"
#include "game/enemies/en009.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 18000,
    .score = 2000,
    .bound_sprite = 0,
    .explosion = {.sound = &g_SeReq8, .pattern = Explosion::Pattern::Heavy, .large = true, .step = 4, .layer = 17,
                  .wreck_sprite = 244},
};
constexpr std::int32_t kSprite = 4165, kOpen = 4169;
constexpr std::int32_t kHatchFrames = 8;  // open this long before and after a launch
constexpr double kLaunchTop = 2, kLaunchBottom = 218;  // launches only strictly between these rows
constexpr double kMissileDrop = 22;                   // the missile leaves this far below the centre
}  // namespace

CEN008::CEN008() : CEnemy(kProfile) {}

void CEN008::SetUp() {
    sprite_ = kSprite;
    CopySpriteRect(kSprite, sprite_pos_);
    hit_.ReSize(48, 96);
}

void CEN008::Move() {
    y_ = GroundY();
    const bool launching = next_shot_ - frame_ <= kHatchFrames && next_shot_ >= frame_;
    sprite_ = launching || frame_ - last_launch_ <= kHatchFrames ? kOpen : kSprite;
}

void CEN008::Shoot() {
    if (frame_ != next_shot_) return;
    ++launches_;
    next_shot_ += launches_ % kBurst == 0 ? ex_.ShotInterval : 20 - g_Rank;
    if (y_ <= kLaunchTop || y_ >= kLaunchBottom) return;
    last_launch_ = frame_;
    // The launcher writes only the missile's place; the rest of the record
    // stays as the last spawn left it.
    g_EnemyParam.X = x_;
    g_EnemyParam.Y = y_ + kMissileDrop;
    g_ObjectPack.Spawn<CEN009>(3, VB_TRUE);
}

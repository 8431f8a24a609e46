#include "game/enemies/en027.h"

#include "game/enemies/tama_velocity.h"
#include "gfx/q7_ddbpack256.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 10000,
    .score = 1500,
    .bound_sprite = 0,
    .turns = true,
    .distance_rule = true,
    .explosion = {.sound = &g_SeReq8, .pattern = Explosion::Pattern::Heavy, .large = true, .step = 4, .layer = 17},
};
constexpr std::int32_t kHitSize = 48;
}  // namespace

CEN027::CEN027() : CEnemy(kProfile) {}

void CEN027::SetUp() {
    sprite_base_ = kTurret;
    sprite_ = sprite_base_ + heading_;
    layer_ = kLayer;
    CopySpriteRect(kHull, sprite_pos_);
    CopySpriteRect(kTurret, turret_pos_);
    hit_.ReSize(kHitSize, kHitSize);
}

void CEN027::Move() { y_ = GroundY(); }

void CEN027::PlaceRects() {
    CEnemy::PlaceRects();
    turret_pos_.Move(RoundHalfEven(x_), RoundHalfEven(y_) + kMountDY);
}

void CEN027::Fire() { FireAimedTama6(turret_pos_.CenterX(), turret_pos_.CenterY()); }

void CEN027::Draw() {
    g_DDBPack.AddBlt(sprite_pos_, kHull, layer_, 0, DrawMode());
    g_DDBPack.AddBlt(turret_pos_, sprite_, layer_, 0, DrawMode());
}

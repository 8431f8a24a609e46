#include "game/enemies/en004.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 200,
    .score = 100,
    .bound_sprite = 100,
    .distance_rule = true,
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 17},
};
constexpr std::int32_t kBase = 4035;
constexpr std::int32_t kShadowOffset = 8;  // each image's shadow is 8 sprites on
}  // namespace

CEN004::CEN004() : CEnemy(kProfile) {}

void CEN004::SetUp() {
    script_.Load(g_EnemyMoveScript);
    layer_ = 25;
    sprite_ = kBase;
    shadow_sprite_ = sprite_ + kShadowOffset;
    CopySpriteRect(kBase, sprite_pos_);
    CopySpriteRect(kBase, hit_);
    CopySpriteRect(shadow_sprite_, shadow_);
}

void CEN004::Move() {
    script_.Step(frame_, hit_, heading_);
    x_ += script_.VX();
    y_ += script_.VY();
    sprite_ = kBase + script_.SpriteOffset(heading_);
    shadow_sprite_ = sprite_ + kShadowOffset;
}

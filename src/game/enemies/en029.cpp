#include "game/enemies/en029.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 200,
    .hit_points_per_rank = 100,
    .score = 100,
    .bound_sprite = 100,
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 17},
};
constexpr std::int32_t kSprite = 4037, kLayer = 25;
}  // namespace

CEN029::CEN029() : CEnemy(kProfile) {}

std::int32_t CEN029::FallSpeed() { return RoundHalfEven(g_Rank * 0.3 + 3); }

void CEN029::SetUp() {
    sprite_ = kSprite;
    layer_ = kLayer;
    CopySpriteRect(kSprite, sprite_pos_);
    hit_.ReSize(32, 32);
}

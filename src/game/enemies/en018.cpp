#include "game/enemies/en018.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 1000,
    .score = 50,
    .bound_sprite = 0,
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 17},
};
constexpr std::int32_t kDark = 4208, kLit = 4209, kLayer = 34;
constexpr std::int32_t kBeacon = 32;  // frames the beacon stays lit or dark
}  // namespace

CEN018::CEN018() : CEnemy(kProfile) {}

void CEN018::SetUp() {
    sprite_ = kDark;
    layer_ = kLayer;
    CopySpriteRect(kDark, sprite_pos_);
    hit_.ReSize(40, 40);
}

void CEN018::Move() {
    y_ = GroundY();
    sprite_ = (frame_ / kBeacon) % 2 == 0 ? kDark : kLit;
}

void CEN018::Register() const {
    CEnemy::Register();
    g_ObstacleList.Add(hit_, 1);
}

#include "game/enemies/en020.h"

#include "game/enemies/large_tama.h"
#include "gfx/q7_ddbpack256.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 10000,
    .score = 1000,
    .bound_sprite = 100,
    .shot_rank = {.floor = 40},
    .explosion = {.sound = &g_SeReq8, .pattern = Explosion::Pattern::None},
};
constexpr std::int32_t kSprite = 4212, kLayer = 23;
constexpr std::int32_t kFlare = 243, kFlareLayer = 22;
constexpr std::int32_t kFlareDY = -48;  // the engines sit at the tail, above the centre
constexpr double kWeave = 1.5;          // degrees a frame: one weave in four seconds
constexpr double kNoseY = 30;
constexpr std::int32_t kSmokes[7][2] = {{0, -36}, {-10, -24}, {10, -12}, {0, 0}, {-10, 12}, {10, 24}, {0, 36}};
}  // namespace

CEN020::CEN020() : CEnemy(kProfile) {}

void CEN020::SetUp() {
    sprite_ = kSprite;
    layer_ = kLayer;
    CopySpriteRect(kSprite, sprite_pos_);
    CopySpriteRect(kFlare, flare_);
    hit_.ReSize(32, 88);
}

void CEN020::Move() {
    angle_ += kWeave;
    if (angle_ >= 360) angle_ -= 360;
    x_ = ep_.X + ep_.Param9 * CQ7Pos::GetSin(angle_);
    y_ += ep_.Mode / 100.0;
}

void CEN020::PlaceRects() {
    CEnemy::PlaceRects();
    flare_.Move(RoundHalfEven(x_), RoundHalfEven(y_) + kFlareDY);
}

void CEN020::Fire() {
    for (std::int32_t dir = 1; dir <= 7; ++dir) FireLargeTama(x_, y_ + kNoseY, dir, 8, ep_.ShotSpeedAdd);
}

void CEN020::Draw() {
    g_DDBPack.AddBlt(flare_, kFlare, kFlareLayer, 0, 0);
    CEnemy::Draw();
}

void CEN020::OnDestroyed() {
    const std::int32_t x = RoundHalfEven(x_), y = RoundHalfEven(y_);
    for (const auto& o : kSmokes) MakeSmoke(x + o[0], y + o[1], 0, 0, true, 4, 17);
}

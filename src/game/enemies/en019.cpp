#include "game/enemies/en019.h"

#include <span>

#include "game/enemies/large_tama.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 16000,
    .score = 2000,
    .bound_sprite = 100,
    .flash_bonus = 2000,
    .shot_rank = {.floor = 40, .divisor = 2},
    .explosion = {.sound = &g_SeReq8, .pattern = Explosion::Pattern::Heavy, .large = true, .step = 4, .layer = 17},
};
constexpr std::int32_t kSprite = 4210, kShadow = 4211, kLayer = 23;
constexpr std::int32_t kLeftFan[] = {9, 8, 7, 6, 5, 4, 3};
constexpr std::int32_t kRightFan[] = {15, 0, 1, 2, 3, 4, 5};
constexpr double kFanMuzzle = 14;
constexpr double kWingGun = 40;  // the aimed pair leaves from the wing guns, this far out
constexpr std::int32_t kObstacleStage = 8;
}  // namespace

CEN019::CEN019() : CEnemy(kProfile) {}

void CEN019::SetUp() {
    vy_ = ep_.Mode / 100.0;
    sprite_ = kSprite;
    shadow_sprite_ = kShadow;
    layer_ = kLayer;
    CopySpriteRect(kSprite, sprite_pos_);
    CopySpriteRect(kShadow, shadow_);
    hit_.ReSize(112, 28);
}

void CEN019::Fire() {
    const std::int32_t step = volley_++ % 4;
    if (step % 2 == 0) {
        for (std::int32_t dir : step == 0 ? std::span<const std::int32_t>(kLeftFan) : std::span<const std::int32_t>(kRightFan))
            FireLargeTama(x_, y_, dir, kFanMuzzle, ep_.ShotSpeedAdd);
        return;
    }
    const std::int32_t aim = hit_.KAKUDO16(g_MyShipPos);
    FireTama(x_ - kWingGun, y_, aim, 8, ep_.ShotSpeedAdd);
    FireTama(x_ + kWingGun, y_, aim, 8, ep_.ShotSpeedAdd);
}

void CEN019::Register() const {
    CEnemy::Register();
    if (g_StageNo == kObstacleStage) g_ObstacleList.Add(hit_, 1);
}

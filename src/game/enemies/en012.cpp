#include "game/enemies/en012.h"

#include "core/q7_objectpack.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 4000,
    .hit_points_per_rank = 2000,
    .score = 0,
    .bound_sprite = 100,
    .ends_when_bullets_off = true,
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 24},
};
constexpr std::int32_t kSprite = 6024, kShadow = 6025, kLayer = 25;
constexpr double kCentre = 160, kSweep = 140;
constexpr double kTurn = 1;     // degrees a frame: one sweep across and back in six seconds
constexpr double kSink = 0.4;
}  // namespace

CEN012::CEN012() : CEnemy(kProfile) {}

void CEN012::SetUp() {
    sprite_ = kSprite;
    shadow_sprite_ = kShadow;
    layer_ = kLayer;
    CopySpriteRect(kSprite, sprite_pos_);
    CopySpriteRect(kShadow, shadow_);
    hit_.ReSize(32, 32);
}

void CEN012::Move() {
    angle_ += kTurn;
    if (angle_ >= 360) angle_ -= 360;
    const double sweep = kSweep * CQ7Pos::GetSin(angle_);
    if (ep_.Mode == 0) {
        x_ = kCentre + sweep;
        y_ += kSink;
    } else {
        x_ = kCentre - sweep;
        y_ = GroundY();
    }
}

std::int32_t SpawnBossEscort(double y, std::int32_t mode, std::int32_t entry_frames) {
    g_EnemyParam.X = kCentre;
    g_EnemyParam.Y = y;
    g_EnemyParam.EntryFrames = entry_frames;
    g_EnemyParam.Mode = mode;
    return g_ObjectPack.Spawn<CEN012>(3, VB_TRUE);
}

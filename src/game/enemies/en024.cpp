#include "game/enemies/en024.h"

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/en022.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 3000,
    .score = 100,
    .bound_sprite = 0,
    // A medium enemy's end: one large smoke with the medium sound.
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 17},
};
constexpr std::int32_t kClosed = 4223, kLayer = 6;
constexpr std::int32_t kHatch[3] = {4240, 4241, 4242};  // opening, a third at a time

// The turret it sets down: below the carrier, turning every 10 frames,
// first shot a second after landing, then every 100 frames before the rank.
constexpr std::int32_t kTurretLayer = 5;
constexpr EnemyParamEx kTurretSchedule = {
    .Heading = 2, .FirstShot = 60, .ShotInterval = 100, .TurnInterval = 10, .FireLimitY = 200};
}  // namespace

CEN024::CEN024() : CEnemy(kProfile) {}

void CEN024::SetUp() {
    const double speed = ep_.Mode / 100.0;
    vx_ = g_Angle.GetDX8(ex_.Heading) * speed;
    vy_ = g_Angle.GetDY8(ex_.Heading) * speed;
    sprite_ = kClosed;
    layer_ = kLayer;
    CopySpriteRect(kClosed, sprite_pos_);
    hit_.ReSize(44, 44);
}

void CEN024::Move() {
    x_ += vx_;
    anchor_ += vy_;
    y_ = GroundY();
    const std::int32_t wait = next_shot_ - frame_;
    sprite_ = wait >= 0 && wait < kHatchFrames ? kHatch[2 - wait * 3 / kHatchFrames] : kClosed;
}

void CEN024::Fire() {
    g_EnemyParam.X = x_;
    g_EnemyParam.Y = y_;
    g_EnemyParam.EntryFrames = 0;
    g_EnemyParam.DrawLayer = kTurretLayer;
    g_EnemyParam.Param9 = 0;
    g_EnemyParam.ShotSpeedAdd = ep_.ShotSpeedAdd;
    g_EnemyParamEx = kTurretSchedule;
    g_ObjectPack.Spawn<CEN022>(3, VB_TRUE);
}

#include "game/enemies/en_missile.h"

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Air,
    .hit_points = 300,
    .hit_points_per_rank = 200,
    .score = 0,
    .bound_sprite = 0,  // launched from hulls still under the status bar
    .ends_when_bullets_off = true,
    .explosion = {.sound = &g_SeReq5, .large = false, .step = 2, .layer = 17},
};
constexpr std::int32_t kHitSize = 10;
constexpr std::int32_t kTrailDistance = 8;
}  // namespace

CENMissile::CENMissile() : CEnemy(kProfile) {}

void CENMissile::SetUp() {
    // Everything comes from the bullet record: the enemy record still holds
    // its launcher's values, which are not the missile's.
    const TamaParam& t = g_TamaParam;
    ep_.EntryFrames = 0;
    x_ = t.X;
    y_ = t.Y;
    layer_ = 26;
    CopySpriteRect(kSprite, sprite_pos_);
    hit_.ReSize(kHitSize, kHitSize);
    SetDirection(t.Dir);
}

void CENMissile::SetDirection(std::int32_t dir) {
    dir_ = dir & 15;
    dx_ = g_Angle.GetDX16(dir_) * kSpeed;
    dy_ = g_Angle.GetDY16(dir_) * kSpeed;
    sprite_ = kSprite + dir_;
}

void CENMissile::Move() {
    if (frame_ % 8 == 0 && frame_ <= kLastTurnFrame) SetDirection(g_Angle.GetGK16(hit_.KAKUDO16(g_MyShipPos), dir_));
    x_ += dx_;
    y_ += dy_;
    if (frame_ % 8 == 0)
        MakeSmoke(RoundHalfEven(x_ - g_Angle.GetDX16(dir_) * kTrailDistance),
                  RoundHalfEven(y_ - g_Angle.GetDY16(dir_) * kTrailDistance), 0, 0, false, 4, 23);
}

void LaunchMissile(double x, double y, std::int32_t dir) {
    g_TamaParam.X = x;
    g_TamaParam.Y = y;
    g_TamaParam.Dir = dir;
    g_TamaParam.Speed = CENMissile::kSpeed;
    g_ObjectPack.Spawn<CENMissile>(3, VB_TRUE);
}

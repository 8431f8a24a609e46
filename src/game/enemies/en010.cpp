#include "game/enemies/en010.h"

#include "core/q7_objectpack.h"
#include "gfx/q7_ddbpack256.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 100,
    .score = 10,
    .bound_sprite = 0,
    .explosion = {.sound = &g_SeReq5, .large = true, .step = 3, .layer = 25},
};
constexpr std::int32_t kHeavyHitPoints = 500;
constexpr std::int32_t kLayer = 6;
constexpr std::int32_t kRuin = 232, kHeavyRuin = 233, kRuinLayer = 5;
constexpr std::int32_t kGoneRow = 241;
constexpr std::int32_t kFirstSprite = 101;  // below are the run-time canvases: never a target's picture
constexpr std::int32_t kFallbackSprite = 1123;
}  // namespace

CEN010::CEN010() : CEnemy(kProfile) {}

void CEN010::SetUp() {
    if (Heavy()) hit_points_ = kHeavyHitPoints;
    sprite_ = ep_.Param6 >= kFirstSprite ? ep_.Param6 : kFallbackSprite;
    layer_ = kLayer;
    // X and Y are the target's centre, whatever the base of its picture (the
    // scenery's pieces are corner-based).
    for (CQ7Pos* rect : {&sprite_pos_, &hit_}) {
        CopySpriteRect(sprite_, *rect);
        rect->SetCenter_Base(VB_TRUE);
    }
}

bool CEN010::IsHidden() const { return CEnemy::IsHidden() || !g_DDBPack.GetSprite(100).Pos.GetClipOn(hit_); }

bool CEN010::OffScreen() const { return sprite_pos_.Top() >= kGoneRow; }

void CEN010::OnDestroyed() {
    enemy_fx::LeaveWreck(RoundHalfEven(x_), RoundHalfEven(y_), Heavy() ? kHeavyRuin : kRuin, kRuinLayer);
    FireTama(x_, y_, hit_.KAKUDO16(g_MyShipPos), 4, ep_.ShotSpeedAdd);
}

void SpawnGroundTarget(double x, double y, std::int32_t sprite, bool heavy, double shot_speed_add) {
    g_EnemyParam.X = x;
    g_EnemyParam.Y = y;
    g_EnemyParam.Variant = heavy ? VB_TRUE : VB_FALSE;
    g_EnemyParam.EntryFrames = 0;
    g_EnemyParam.Param6 = sprite;
    g_EnemyParam.Param9 = 0;
    g_EnemyParam.ShotSpeedAdd = shot_speed_add;
    g_ObjectPack.Spawn<CEN010>(3, VB_TRUE);
}

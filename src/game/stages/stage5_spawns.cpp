#include "game/stages/stage5_spawns.h"

#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/en001.h"
#include "game/enemies/en016.h"
#include "game/enemies/en019.h"
#include "game/enemies/en020.h"
#include "game/stages/enemy_spawns.h"
#include "gfx/q7_ddbpack256.h"

namespace {

// A climber starts this far below the screen: 60 frames at 1.5 pixels a
// frame before its nose shows. It may not be hit or removed until then.
constexpr double kClimbStartY = 346, kDiveStartY = -16;
constexpr std::int32_t kClimbEntry = 64, kDiveEntry = 20;
// One volley each as they pass (the second would come when they are
// leaving): a diver soon after it shows, a climber once it is well above
// the ship's usual height, so its sideways spray is not fired point-blank.
constexpr std::int32_t kDiveFirstShot = 36, kClimbFirstShot = 150, kShotInterval = 70;
constexpr std::int32_t kFireLimit = 200;
// Shots faster than the rank's own speed: the sky is the fast stage.
constexpr double kFighterShotSpeedAdd = 1.5, kPartingShotSpeedAdd = 2.0, kHeavyShotSpeedAdd = 1.5;
constexpr std::int32_t kHeavyEntry = 120, kHeavyTurn = 10;

// What the heavies share: place, entry time, faster bullets, their schedule.
void BeginHeavy(double x, double y, double first_shot, double interval) {
    g_EnemyParam.X = x;
    g_EnemyParam.Y = y;
    g_EnemyParam.EntryFrames = kHeavyEntry;
    g_EnemyParam.ShotSpeedAdd = kHeavyShotSpeedAdd;
    g_EnemyParam.DeathShot = 0;
    g_EnemyParamEx.FirstShot = RoundHalfEven(first_shot);
    g_EnemyParamEx.ShotInterval = RoundHalfEven(interval);
    g_EnemyParamEx.TurnInterval = kHeavyTurn;
    g_EnemyParamEx.FireLimitY = kFireLimit;
}
constexpr std::int32_t kWarningY = 231;
constexpr std::int32_t kEffectGroup = 6;

}  // namespace

namespace stage5 {

void Fighter(std::int32_t x, bool up) {
    g_EnemyParam.X = x;
    g_EnemyParam.Y = up ? kClimbStartY : kDiveStartY;
    g_EnemyParam.Variant = up ? VB_TRUE : VB_FALSE;
    g_EnemyParam.EntryFrames = up ? kClimbEntry : kDiveEntry;
    g_EnemyParam.ShotSpeedAdd = kFighterShotSpeedAdd;
    g_EnemyParam.DeathShot = 0;
    g_EnemyParamEx.FirstShot = up ? kClimbFirstShot : kDiveFirstShot;
    g_EnemyParamEx.ShotInterval = kShotInterval;
    g_EnemyParamEx.TurnInterval = 10000;
    g_EnemyParamEx.FireLimitY = kFireLimit;
    g_ObjectPack.Spawn<CEN016>(3, VB_TRUE);
    if (up) g_ObjectPack.Spawn<CClimbWarning>(kEffectGroup, VB_TRUE, x);
}

void Diver(std::int32_t x) { spawns::EN029({double(x), kDiveStartY}); }

void Weaver(const ScriptArgs& a) {
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = a[1];
    g_EnemyParam.Mode = RoundHalfEven(a[2]);
    g_EnemyParam.Param9 = RoundHalfEven(a[3]);
    g_EnemyParam.EntryFrames = RoundHalfEven(a[4]);
    g_EnemyParam.DeathShot = 1;
    g_EnemyParam.ShotSpeedAdd = kPartingShotSpeedAdd;
    g_ObjectPack.Spawn<CEN001>(3, VB_TRUE);
}

void Bomber(const ScriptArgs& a) {
    BeginHeavy(a[0], a[1], a[4], a[5]);
    g_EnemyParam.Param9 = RoundHalfEven(a[2]);
    g_EnemyParam.Mode = RoundHalfEven(a[3]);
    g_ObjectPack.Spawn<CEN020>(3, VB_TRUE);
}

void Gunship(const ScriptArgs& a) {
    BeginHeavy(a[0], a[1], a[3], a[4]);
    g_EnemyParam.Mode = RoundHalfEven(a[2]);
    g_ObjectPack.Spawn<CEN019>(3, VB_TRUE);
}

void ResetRnd8(const ScriptArgs&) { g_Angle.ReSet_Rnd8(0); }

void CClimbWarning::Call_Initial(int&) {
    g_DDBPack.GetSprite(kSprite).Pos.Copy(pos_);
    pos_.Move(x_, kWarningY);
}

bool CClimbWarning::Call_Events() {
    if (++frame_ > kFrames) return true;
    // Three frames of the chevron rising, blinking: shown 6 frames of every 8.
    if (frame_ % 8 < 6) g_DDBPack.AddBlt(pos_, kSprite + (frame_ / 4) % 3, kLayer, 0, 0);
    return false;
}

}  // namespace stage5

#include "game/stages/large_spawns.h"

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "game/enemies/en013.h"
#include "game/enemies/en014.h"
#include "game/enemies/en015.h"
#include "game/enemies/en026.h"
#include "game/enemies/en027.h"
#include "game/enemies/en028.h"
#include "game/stages/hull_sprites.h"

namespace {

std::int32_t Int(double v) { return RoundHalfEven(v); }

constexpr std::int32_t kTurnInterval = 10;
constexpr std::int32_t kShipEntryFrames = 100;

// A ship entering at x with the lowest 12 rows of its hull inside the top
// edge: x, mode, first shot.
template <class T>
void Ship(const WorkSprite& hull, const LargeEnemyLayout& layout, const ScriptArgs& a) {
    const std::int32_t below = hull.height - hull.height / 2 - 1 + layout.body_dy;  // hull rows under its centre
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = 12 - below;
    g_EnemyParam.Mode = Int(a[1]);
    g_EnemyParam.EntryFrames = kShipEntryFrames;
    g_EnemyParamEx.FirstShot = Int(a[2]);
    g_EnemyParamEx.TurnInterval = kTurnInterval;
    g_ObjectPack.Spawn<T>(3, VB_TRUE);
}

// A single-hull ground enemy: x, y, then the schedule from `from` on (entry
// frames, first shot, shot interval).
void GroundHull(const ScriptArgs& a, std::size_t from) {
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = a[1];
    g_EnemyParam.EntryFrames = Int(a[from]);
    g_EnemyParam.Param9 = 0;  // hidden under obstacles
    g_EnemyParamEx.Heading = 2;
    g_EnemyParamEx.FirstShot = Int(a[from + 1]);
    g_EnemyParamEx.ShotInterval = Int(a[from + 2]);
    g_EnemyParamEx.TurnInterval = kTurnInterval;
    g_EnemyParamEx.FireLimitY = 200;
}

}  // namespace

namespace large_spawns {

void EN013(const ScriptArgs& a) { Ship<CEN013>(kFrigateHull, en013::kLayout, a); }

void EN014(const ScriptArgs& a) { Ship<CEN014>(kBattleshipHull, en014::kLayout, a); }

void EN015(const ScriptArgs& a) {
    g_EnemyParamEx.ShotInterval = Int(a[3]);
    g_EnemyParamEx.FireLimitY = Int(a[4]);
    Ship<CEN015>(kCarrierHull, en015::kLayout, a);
}

void EN026(const ScriptArgs& a) { Ship<CEN026>(kMothershipHull, en026::kLayout, a); }

void EN027(const ScriptArgs& a) {
    GroundHull(a, 2);
    g_ObjectPack.Spawn<CEN027>(3, VB_TRUE);
}

void EN028(const ScriptArgs& a) {
    g_EnemyParam.Mode = Int(a[2]);
    GroundHull(a, 3);
    g_ObjectPack.Spawn<CEN028>(3, VB_TRUE);
}

}  // namespace large_spawns

#include "game/stages/stage4_spawns.h"

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "core/vb.h"
#include "game/enemies/en002.h"
#include "game/enemies/en003.h"
#include "game/enemies/en005.h"
#include "game/enemies/en017.h"
#include "game/enemies/en018.h"
#include "game/stages/bg_object.h"

namespace {

std::int32_t Int(double v) { return RoundHalfEven(v); }

constexpr std::int32_t kGroundLayer = 6;
constexpr std::int32_t kTurnEvery = 10;

// A ground enemy at (x, y) that any cover hides, on the ground layer.
void BeginGround(const ScriptArgs& a, double entry_frames) {
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = a[1];
    g_EnemyParam.EntryFrames = Int(entry_frames);
    g_EnemyParam.DrawLayer = kGroundLayer;
    g_EnemyParam.Param9 = 0;
    g_EnemyParam.ShotSpeedAdd = 0;
    g_EnemyParam.DeathShot = 0;
}

void Schedule(double first_shot, double shot_interval, std::int32_t fire_limit_y) {
    g_EnemyParamEx.FirstShot = Int(first_shot);
    g_EnemyParamEx.ShotInterval = Int(shot_interval);
    g_EnemyParamEx.TurnInterval = kTurnEvery;
    g_EnemyParamEx.FireLimitY = fire_limit_y;
}

template <class T>
void Create(int layer = 3) {
    g_ObjectPack.Spawn<T>(layer, VB_TRUE);
}

}  // namespace

namespace stage4 {

void EN002(const ScriptArgs& a) {
    BeginGround(a, a[2]);
    g_EnemyParam.DrawLayer = Int(a[5]);
    g_EnemyParamEx.Heading = 2;
    Schedule(a[3], a[4], 160);  // quiet once it is level with the ship's usual place
    Create<CEN002>();
}

void EN003(const ScriptArgs& a) {
    BeginGround(a, a[2]);
    g_EnemyParam.Variant = g_ScrollSpeed != 0 ? VB_TRUE : VB_FALSE;
    g_EnemyParam.Mode = 0;
    Schedule(a[3], 180, 100);
    Create<CEN003>();
}

void EN005(const ScriptArgs& a) {
    BeginGround(a, a[2]);
    g_EnemyParam.Mode = 2;           // the turret follows the ship
    g_EnemyParam.Variant = VB_TRUE;  // it rides the floor as it drives
    g_EnemyParam.DeathShot = Int(a[5]);
    g_EnemyParamEx.Heading = 2;
    Schedule(a[3], a[4], 200);
    Create<CEN005>();
}

void EN017(const ScriptArgs& a) {
    BeginGround(a, a[2]);
    Schedule(a[3], a[4], 200);
    Create<CEN017>();
}

void EN018(const ScriptArgs& a) {
    BeginGround(a, a[2]);
    g_EnemyParam.Param9 = 1;  // a dome is never hidden by its neighbours
    Create<CEN018>(2);         // ahead of the enemies it covers
}

void Lay(const ScriptArgs& a) {
    const std::int32_t w = Int(a[4]), h = Int(a[5]);
    SpawnBGObject(Int(a[0]), a[1], Int(a[2]), Int(a[3]), w, h, true);
}

}  // namespace stage4

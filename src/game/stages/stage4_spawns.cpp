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
#include "game/stages/enemy_spawns.h"

namespace {
std::int32_t Int(double v) { return RoundHalfEven(v); }
}  // namespace

namespace stage4 {

void EN002(const ScriptArgs& a) {
    spawns::BeginGround(a, Int(a[2]));
    g_EnemyParam.DrawLayer = Int(a[5]);
    g_EnemyParamEx.Heading = 2;
    spawns::Schedule(a[3], a[4]);
    g_EnemyParamEx.FireLimitY = 160;  // quiet once it is level with the ship's usual place
    g_ObjectPack.Spawn<CEN002>(3, VB_TRUE);
}

void EN003(const ScriptArgs& a) {
    spawns::BeginGround(a, Int(a[2]));
    g_EnemyParam.Variant = g_ScrollSpeed != 0 ? VB_TRUE : VB_FALSE;
    g_EnemyParam.Mode = 0;  // its crater stays an object: nothing is painted into the floor
    spawns::Schedule(a[3], 180);
    g_EnemyParamEx.FireLimitY = 100;
    g_ObjectPack.Spawn<CEN003>(3, VB_TRUE);
}

void EN005(const ScriptArgs& a) {
    spawns::BeginGround(a, Int(a[2]));
    g_EnemyParam.Mode = 2;           // the turret follows the ship
    g_EnemyParam.Variant = VB_TRUE;  // it rides the floor as it drives
    g_EnemyParam.DeathShot = Int(a[5]);
    g_EnemyParamEx.Heading = 2;
    spawns::Schedule(a[3], a[4]);
    g_ObjectPack.Spawn<CEN005>(3, VB_TRUE);
}

void EN017(const ScriptArgs& a) {
    spawns::BeginGround(a, Int(a[2]));
    spawns::Schedule(a[3], a[4]);
    g_EnemyParamEx.FireLimitY = 140;  // it aims at no one close enough to touch it
    g_ObjectPack.Spawn<CEN017>(3, VB_TRUE);
}

void EN018(const ScriptArgs& a) {
    spawns::BeginGround(a, Int(a[2]));
    g_EnemyParam.Param9 = 1;                  // a dome is never hidden by its neighbours
    g_ObjectPack.Spawn<CEN018>(2, VB_TRUE);  // ahead of the enemies it covers
}

void Lay(const ScriptArgs& a) {
    SpawnBGObject(Int(a[0]), a[1], Int(a[2]), Int(a[3]), Int(a[4]), Int(a[5]), true);
}

}  // namespace stage4

#include "game/stages/enemy_spawns.h"

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "core/vb.h"
#include "game/enemies/en007.h"
#include "game/enemies/en008.h"
#include "game/enemies/en010.h"
#include "game/enemies/en011.h"
#include "game/enemies/en012.h"
#include "game/enemies/en016.h"
#include "game/enemies/en017.h"
#include "game/enemies/en018.h"
#include "game/enemies/en019.h"
#include "game/enemies/en020.h"
#include "game/enemies/en021.h"
#include "game/enemies/en022.h"
#include "game/enemies/en023.h"
#include "game/enemies/en024.h"
#include "game/enemies/en025.h"
#include "game/enemies/en029.h"

namespace {

std::int32_t Int(double v) { return RoundHalfEven(v); }

constexpr std::int32_t kGroundLayer = 6;
constexpr std::int32_t kTurnEvery = 10;
constexpr std::int32_t kFireLimit = 200;

template <class T>
void Create(int layer = 3) {
    g_ObjectPack.Spawn<T>(layer, VB_TRUE);
}

}  // namespace

namespace spawns {

void Begin(const ScriptArgs& a, std::int32_t entry_frames) {
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = a[1];
    g_EnemyParam.EntryFrames = entry_frames;
    g_EnemyParam.ShotSpeedAdd = 0;
    g_EnemyParam.DeathShot = 0;
}

void BeginGround(const ScriptArgs& a, std::int32_t entry_frames) {
    Begin(a, entry_frames);
    g_EnemyParam.DrawLayer = kGroundLayer;
    g_EnemyParam.Param9 = 0;
}

void Schedule(double first_shot, double shot_interval) {
    g_EnemyParamEx.FirstShot = Int(first_shot);
    g_EnemyParamEx.ShotInterval = Int(shot_interval);
    g_EnemyParamEx.TurnInterval = kTurnEvery;
    g_EnemyParamEx.FireLimitY = kFireLimit;
}

void EN007(const ScriptArgs& a) {
    BeginGround(a, 120);
    g_EnemyParamEx.Heading = Int(a[2]);
    g_EnemyParam.Mode = Int(a[3]);
    Schedule(a[4], a[5]);
    Create<CEN007>();
}

void EN008(const ScriptArgs& a) {
    // The launcher's body must touch the screen from the start (y -47 or
    // lower down).
    BeginGround(a, 10);
    Schedule(a[2], a[3]);
    Create<CEN008>();
}

void EN010(const ScriptArgs& a) { SpawnGroundTarget(a[0], a[1], Int(a[2]), Int(a[3]) != 0, a[4]); }

void EN011(const ScriptArgs& a) { SpawnBossTurret(Int(a[0]), Int(a[1]), Int(a[2])); }

void EN012(const ScriptArgs& a) { SpawnBossEscort(a[0], Int(a[1]), Int(a[2])); }

void EN016(const ScriptArgs& a) {
    Begin(a, 30);
    g_EnemyParam.Variant = Int(a[2]) != 0 ? VB_TRUE : VB_FALSE;
    Schedule(a[3], a[4]);
    Create<CEN016>();
}

void EN017(const ScriptArgs& a) {
    BeginGround(a, 100);
    Schedule(a[2], a[3]);
    Create<CEN017>();
}

void EN018(const ScriptArgs& a) {
    BeginGround(a, 100);
    g_EnemyParam.Param9 = 1;  // the dome itself is never hidden
    Create<CEN018>(2);
}

void EN019(const ScriptArgs& a) {
    Begin(a, 120);  // a slow heavy needs a while to show itself
    g_EnemyParam.Mode = Int(a[2]);
    Schedule(a[3], a[4]);
    Create<CEN019>();
}

void EN020(const ScriptArgs& a) {
    Begin(a, 120);
    g_EnemyParam.Param9 = Int(a[2]);
    g_EnemyParam.Mode = Int(a[3]);
    Schedule(a[4], a[5]);
    Create<CEN020>();
}

void EN021(const ScriptArgs& a) { SpawnInterceptor(a[0], a[1], Int(a[2]), Int(a[3]), Int(a[4]), Int(a[5])); }

void EN022(const ScriptArgs& a) {
    BeginGround(a, 100);
    g_EnemyParamEx.Heading = Int(a[2]);
    Schedule(a[3], a[4]);
    Create<CEN022>();
}

void EN023(const ScriptArgs& a) {
    BeginGround(a, 100);
    g_EnemyParamEx.Heading = Int(a[2]);
    Schedule(a[3], a[4]);
    Create<CEN023>();
}

void EN024(const ScriptArgs& a) {
    BeginGround(a, 100);
    g_EnemyParamEx.Heading = Int(a[2]);
    g_EnemyParam.Mode = Int(a[3]);
    Schedule(a[4], a[5]);
    Create<CEN024>();
}

void EN025(const ScriptArgs& a) { SpawnStreamFighter(a[0], a[1], Int(a[2]), Int(a[3])); }

void EN029(const ScriptArgs& a) {
    Begin(a, 10);
    Create<CEN029>();
}

}  // namespace spawns

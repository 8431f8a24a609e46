#include "game/stages/stage1_spawns.h"

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "core/vb.h"
#include "game/enemies/en001.h"
#include "game/enemies/en002.h"
#include "game/enemies/en003.h"
#include "game/enemies/en004.h"
#include "game/enemies/en005.h"
#include "game/enemies/en006.h"

namespace {

constexpr std::int32_t kNever = 100000;

std::int32_t Int(double v) { return RoundHalfEven(v); }

template <class T>
void Create() {
    g_ObjectPack.Spawn<T>(3, VB_TRUE);
}

struct ShotSchedule {
    std::int32_t first_shot, shot_interval;
};

// CEN005: FirstShot / ShotInterval by schedule number.
constexpr ShotSchedule kTankSchedules[] = {
    {kNever, kNever}, {200, 240}, {60, 120}, {180, kNever}, {400, 60}, {102, 60},
};

// One step of the CEN004 flight, its frames counted from the first-shot base.
struct FlightStep {
    std::int32_t end;  // frame (after the base) at which the next step starts
    std::int32_t turn;
    std::int32_t dir;  // 8: toward the ship
    double speed;
};

// Dives in, brakes while it swings round to the ship, fires at base + 145
// and climbs away one notch at a time, faster and faster.
constexpr FlightStep kFlight[] = {
    {40, 0, 2, 1.5},  {80, 0, 2, 1.0},   {95, 1, 8, 0.5},   {110, 1, 8, 0.5},  {125, 1, 8, 0.3},
    {160, 1, 8, 0.3}, {170, 1, 6, 1.0},  {180, 1, 6, 1.5},  {190, 1, 6, 2.0},  {200, 1, 6, 2.5},
    {210, 1, 6, 3.0}, {kNever, 1, 6, 3.0},
};
constexpr std::int32_t kFollowHeading = 8;

}  // namespace

void SetMoveStep(std::int32_t index, std::int32_t& end_frame, std::int32_t direction, std::int32_t sprite,
                 double speed) {
    if (end_frame == 0) end_frame = kNever;
    g_EnemyMoveScript.StepEnd[index] = end_frame;
    g_EnemyMoveScript.StepDir[index] = direction;
    g_EnemyMoveScript.StepSprite[index] = sprite;
    g_EnemyMoveScript.StepSpeed[index] = speed;
    g_EnemyMoveScript.StepTurn[index] = 1;
}

namespace stage1 {

void EN001(const ScriptArgs& a) {
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = a[1];
    g_EnemyParam.Mode = Int(a[2]);
    g_EnemyParam.Param9 = Int(a[3]);
    g_EnemyParam.EntryFrames = Int(a[4]);
    g_EnemyParam.DeathShot = 0;
    Create<CEN001>();
}

void EN002(const ScriptArgs& a) {
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = -11;
    g_EnemyParamEx.Heading = Int(a[1]);
    g_EnemyParam.EntryFrames = 130;
    g_EnemyParam.DrawLayer = 6;
    g_EnemyParam.Param9 = 1;
    g_EnemyParamEx.FireLimitY = 160;
    g_EnemyParamEx.TurnInterval = 10;
    switch (Int(a[2])) {
    case 0: g_EnemyParamEx.FirstShot = 0; break;
    case 1:
        g_EnemyParamEx.FirstShot = 181;
        g_EnemyParamEx.ShotInterval = 120;
        g_EnemyParamEx.TurnInterval = 10000;
        break;
    case 2:
        g_EnemyParamEx.FirstShot = 300;
        g_EnemyParamEx.ShotInterval = 180;
        break;
    case 3:
        g_EnemyParamEx.FirstShot = 181;
        g_EnemyParamEx.ShotInterval = 120;
        break;
    default: break;
    }
    Create<CEN002>();
}

void EN003(const ScriptArgs& a) {
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = -2;
    g_EnemyParam.EntryFrames = 10;
    g_EnemyParam.Variant = g_ScrollSpeed != 0 ? VB_TRUE : VB_FALSE;
    g_EnemyParam.Mode = 1;
    g_EnemyParam.Param9 = 1;
    g_EnemyParamEx.FireLimitY = 100;
    g_EnemyParamEx.FirstShot = 50;
    g_EnemyParamEx.ShotInterval = 180;
    Create<CEN003>();
}

void EN004(const ScriptArgs& a) {
    const std::int32_t base = Int(a[1]);
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = -10;
    g_EnemyParam.EntryFrames = 10;
    g_EnemyParamEx.FireLimitY = 200;
    g_EnemyParamEx.FirstShot = Int(a[2]) == 0 ? kNever : base + 145;
    g_EnemyParamEx.ShotInterval = kNever;
    // The first step takes its direction at once, whatever heading the
    // record still holds from the previous spawn; the rest turn.
    for (std::int32_t i = 0; i < std::int32_t(std::size(kFlight)); ++i) {
        const FlightStep& s = kFlight[i];
        g_EnemyMoveScript.StepEnd[i] = s.end == kNever ? kNever : base + s.end;
        g_EnemyMoveScript.StepTurn[i] = s.turn;
        g_EnemyMoveScript.StepDir[i] = s.dir;
        g_EnemyMoveScript.StepSprite[i] = kFollowHeading;
        g_EnemyMoveScript.StepSpeed[i] = s.speed;
    }
    Create<CEN004>();
}

void EN005(const ScriptArgs& a) {
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = a[1];
    g_EnemyParam.Mode = Int(a[2]);
    g_EnemyParamEx.Heading = Int(a[3]);
    g_EnemyParam.EntryFrames = 30;
    g_EnemyParam.DrawLayer = 6;
    g_EnemyParam.Variant = VB_TRUE;
    g_EnemyParam.Param9 = 0;
    g_EnemyParam.DeathShot = 0;
    g_EnemyParamEx.FireLimitY = 200;
    g_EnemyParamEx.TurnInterval = 10;
    const std::int32_t schedule = Int(a[4]);
    if (schedule >= 0 && schedule < std::int32_t(std::size(kTankSchedules))) {
        g_EnemyParamEx.FirstShot = kTankSchedules[schedule].first_shot;
        g_EnemyParamEx.ShotInterval = kTankSchedules[schedule].shot_interval;
    }
    Create<CEN005>();
}

void EN006(const ScriptArgs& a) {
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = -109;
    g_EnemyParam.Mode = Int(a[1]);
    g_EnemyParam.EntryFrames = 100;
    g_EnemyParamEx.FirstShot = 130;
    g_EnemyParamEx.TurnInterval = 10;
    Create<CEN006>();
}

void MoveStep(const ScriptArgs& a) {
    std::int32_t end = Int(a[1]);
    SetMoveStep(Int(a[0]), end, Int(a[2]), Int(a[3]), a[4]);
}

}  // namespace stage1

// The spawn routines of stage 1 and the move-step routine shared by the
// stages that create CEN004 and CEN005.
//
// A spawn routine fills g_EnemyParam / g_EnemyParamEx from its arguments and
// fixed values and creates the enemy on object layer 3. Fields it does not
// name keep what the record held, as with every creator. The routines take
// their arguments from a script entry (ScriptArgs), in the order listed.
#pragma once

#include <cstdint>

#include "game/stages/stage_script.h"

// Fills entry `index` of g_EnemyMoveScript before a CEN004 or CEN005 is
// created. An end frame of 0 means "never" and becomes 100000, in the
// caller's variable too. The step turns one notch toward its direction.
void SetMoveStep(std::int32_t index, std::int32_t& end_frame, std::int32_t direction, std::int32_t sprite,
                 double speed);

namespace stage1 {

// CEN001 fighter: x, y, mode, param (sine amplitude), entry frames.
void EN001(const ScriptArgs& a);
// CEN002 turret: x, heading, schedule (0 never fires; 1 fixed aim, every 120
// from 181; 2 every 180 from 300; 3 every 120 from 181, turning).
void EN002(const ScriptArgs& a);
// CEN003 crawler: x.
void EN003(const ScriptArgs& a);
// CEN004 fighter with its own flight: x, first-shot base, shooting (0 / 1).
void EN004(const ScriptArgs& a);
// CEN005 tank: x, y, mode, heading, schedule (0..5); reads the move steps
// written before it.
void EN005(const ScriptArgs& a);
// CEN006 armoured ship: x, mode.
void EN006(const ScriptArgs& a);
// SetMoveStep from a script entry: index, end frame, direction, sprite, speed.
void MoveStep(const ScriptArgs& a);

}  // namespace stage1

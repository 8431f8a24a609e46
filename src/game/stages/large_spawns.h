// Spawn routines of the large enemies for the stage scripts of stages 3, 6,
// 7 and 8 (CEN006 has stage1::EN006). Each fills g_EnemyParam and
// g_EnemyParamEx from its arguments and fixed values and creates the enemy
// on object layer 3; fields it does not name keep what the record held.
//
// The ships come in bow first from above the top edge: their Y puts the
// lowest rows of the hull just inside the screen, and they ride the ground
// at Mode / 10 pixels a frame faster than the scenery. A stage that places
// one lists its hull among its work sprites (hull_sprites.h).
#pragma once

#include "game/stages/stage_script.h"

namespace large_spawns {

// CEN013 frigate (work sprite 94): x, mode, first shot.
void EN013(const ScriptArgs& a);
// CEN014 battleship (work sprite 93): x, mode, first shot.
void EN014(const ScriptArgs& a);
// CEN015 tank carrier (work sprite 92): x, mode, first shot, shot interval,
// fire limit y (the last two adjusted for the rank at creation).
void EN015(const ScriptArgs& a);
// CEN026 mothership (work sprite 90, wings 4243): x, mode, first shot.
void EN026(const ScriptArgs& a);
// CEN027 gun fortress: x, y, entry frames, first shot, shot interval.
void EN027(const ScriptArgs& a);
// CEN028 missile walker: x, y, mode, entry frames, first shot, shot interval.
void EN028(const ScriptArgs& a);

}  // namespace large_spawns

// The spawn routines of stage 4 that need other fixed values than the shared
// ones (enemy_spawns.h), and the routine that lays the citadel's structures
// and dressing on the floor.
//
// Everything on the ground here can be hidden: under a shield dome (CEN018)
// or inside a structure laid with a hit box, a ground enemy takes no damage
// until its cover is gone or it has driven out. Ground enemies that start
// above the screen with their cover take an entry time long enough to come
// into view, so that they are not removed before they get there.
// Arguments in the order listed.
#pragma once

#include "game/stages/stage_script.h"

namespace stage4 {

// CEN002 turret: x, y, entry frames, first shot, shot interval, drawing layer.
void EN002(const ScriptArgs& a);
// CEN003 crawler: x, y, entry frames, first shot. Its crater stays on the
// floor as an object (the floor is a loop picture, nothing is painted into it).
void EN003(const ScriptArgs& a);
// CEN005 tank, its turret following the ship: x, y, entry frames, first
// shot, shot interval, fires from under its cover (0 / 1); reads the move
// steps written before it.
void EN005(const ScriptArgs& a);
// CEN017 bunker: x, y, entry frames, first shot, shot interval.
void EN017(const ScriptArgs& a);
// CEN018 shield dome: x, y, entry frames.
void EN018(const ScriptArgs& a);
// A structure or a piece of dressing riding the floor: centre x, centre y,
// sprite, drawing layer, hit box width and height (0: none; a hit box hides
// the ground enemies under it).
void Lay(const ScriptArgs& a);

}  // namespace stage4

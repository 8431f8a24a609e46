// Spawn routines for the enemy classes of stages 2 to 8, for their scripts
// (ScriptArgs, arguments in the order listed) and for test scenes.
//
// Each routine writes every record field its class reads, from its
// arguments and fixed values, and creates the enemy on object layer 3 (the
// shield dome CEN018 on layer 2, so that it steps before the ground enemies
// it covers). Fields it does not name keep what the record held. A "first
// shot" of 0 means the enemy never fires; intervals are before the rank.
//
// The classes' own creators (the launcher's missiles, the carrier's turrets,
// the bosses' escorts, the stage-2 scenery's targets) use the routines next to
// those classes; the escort routines here only pass a script's arguments on.
#pragma once

#include <cstdint>

#include "game/stages/stage_script.h"

namespace spawns {

// The record fields every scripted enemy starts from: its place (a[0], a[1]),
// how long it is untouchable, plain bullets, no farewell shot.
void Begin(const ScriptArgs& a, std::int32_t entry_frames);
// The same for a ground enemy riding the scenery on the ground layer, hidden
// by obstacles.
void BeginGround(const ScriptArgs& a, std::int32_t entry_frames);
// Its shots: first shot, interval; turning every 10 frames, quiet below row 200.
void Schedule(double first_shot, double shot_interval);

// CEN007 armoured carrier: x, y, heading (0 right, 2 down, 4 left, 6 up),
// speed in hundredths of a pixel a frame, first shot, shot interval.
void EN007(const ScriptArgs& a);
// CEN008 missile launcher: x, y (-47 or more: its body on screen from the
// start), first launch, pause after each burst.
void EN008(const ScriptArgs& a);
// CEN010 ground target: x, y, sprite, heavy (0 / 1), farewell shot's speed addition.
void EN010(const ScriptArgs& a);
// CEN011 boss turret: mode (0 at (204, 84), 1 at (116, 44)), first shot, shot interval.
void EN011(const ScriptArgs& a);
// CEN012 boss escort: y, mode (0 sweeps and sinks, 1 sweeps on the ground), entry frames.
void EN012(const ScriptArgs& a);
// CEN016 fighter: x, y, up (0 flies down, 1 flies up), first shot, shot interval.
void EN016(const ScriptArgs& a);
// CEN017 bunker: x, y, first shot, shot interval.
void EN017(const ScriptArgs& a);
// CEN018 shield dome: x, y.
void EN018(const ScriptArgs& a);
// CEN019 gunship: x, y, sink speed in hundredths, first shot, shot interval.
void EN019(const ScriptArgs& a);
// CEN020 bomber: x, y, weave (pixels either way), sink speed in hundredths,
// first shot, shot interval.
void EN020(const ScriptArgs& a);
// CEN021 interceptor: x, y, heading, first shot, shot interval, turn interval.
void EN021(const ScriptArgs& a);
// CEN022 quad turret: x, y, heading, first shot, shot interval.
void EN022(const ScriptArgs& a);
// CEN023 pillbox: x, y, heading, first shot, shot interval (quartered by the class).
void EN023(const ScriptArgs& a);
// CEN024 turret carrier: x, y, heading, speed in hundredths, first set-down,
// set-down interval.
void EN024(const ScriptArgs& a);
// CEN025 stream fighter: x, y, heading, entry frames (the stages' stream routine).
void EN025(const ScriptArgs& a);
// CEN029 diving fighter: x, y.
void EN029(const ScriptArgs& a);

}  // namespace spawns

// CEN025: the stream fighter of stages 7 and 8. It flies in from an edge
// along its 8-way heading at 2.5 pixels a frame and fires straight at the
// ship when it is far enough away.
#pragma once

#include "game/enemies/heading_flyer.h"

class CEN025 final : public CHeadingFlyer {
public:
    CEN025();

protected:
    void Fire() override { FireTama(x_, y_, hit_.KAKUDO16(g_MyShipPos), 16, ep_.ShotSpeedAdd); }
};

// The stages' stream routine: a CEN025 at (x, y) on `heading`, untouchable for
// `entry_frames`, its bullets 3 faster than the rank's, firing every 40 frames
// (before the rank) from a random frame 5..36 while above row 200 (before the
// rank).
void SpawnStreamFighter(double x, double y, std::int32_t heading, std::int32_t entry_frames);

// CEN012: the stage-2 boss's escort craft, a heavy saucer without guns that
// sweeps the screen: its x follows 160 + 140 x sin(angle) (Mode 0) or
// 160 - 140 x sin(angle) (any other Mode), the angle growing a degree a
// frame; Mode 0 sinks 0.4 pixels a frame, the others ride the ground. It
// goes up in smoke, unscored, once the boss is beaten.
#pragma once

#include "game/enemies/enemy.h"

class CEN012 final : public CEnemy {
public:
    CEN012();

protected:
    void SetUp() override;
    void Move() override;

private:
    double angle_ = 0;  // degrees
};

// The boss's protocol: an escort of `mode` starting at row `y`, untouchable
// for `entry_frames`, created on object layer 3. Returns its slot.
std::int32_t SpawnBossEscort(double y, std::int32_t mode, std::int32_t entry_frames);

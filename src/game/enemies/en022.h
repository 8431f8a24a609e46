// CEN022: the quad gun turret of stages 6 and 8 (and of the carrier CEN024).
// It rides the ground, turns one step toward the ship every TurnInterval
// and fires an aimed pair: along its heading and one 16-way step
// counter-clockwise of it. Leaves a crater.
#pragma once

#include "game/enemies/enemy.h"

class CEN022 final : public CEnemy {
public:
    CEN022();

protected:
    void SetUp() override;
    void Move() override { y_ = GroundY(); }
    void Fire() override;
};

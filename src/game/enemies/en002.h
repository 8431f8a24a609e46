// CEN002: the ground turret. Rides the scenery, turns one step toward the
// ship every TurnInterval frames and fires along its heading every
// ShotInterval frames from FirstShot. Leaves a wreck.
#pragma once

#include "game/enemies/enemy.h"

class CEN002 final : public CEnemy {
public:
    CEN002();

protected:
    void SetUp() override;
    void Move() override { y_ = GroundY(); }
    void Fire() override { FireHeading(12, 0); }
};

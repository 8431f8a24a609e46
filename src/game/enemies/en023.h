// CEN023: the pillbox of stages 6 and 8: a fortified body (layer 6) with a
// small turret on top (layer 7) that turns one step toward the ship every
// TurnInterval. It fires along the turret four times as often as its
// ShotInterval says (the interval is quartered after the rank), only when
// the ship is far enough away. Leaves a crater.
#pragma once

#include "game/enemies/enemy.h"

class CEN023 final : public CEnemy {
public:
    CEN023();

protected:
    void SetUp() override;
    void Move() override { y_ = GroundY(); }
    void Fire() override { FireHeading(10, ep_.ShotSpeedAdd); }
    void Draw() override;
};

// CEN007: the armoured carrier of stages 2, 3 and 6. Heading 0, 2, 4 or 6
// picks its travel along the ground (right, down, left, up) at Mode / 100
// pixels a frame, its sprite set, its hit box and the muzzle of its gun. The
// gun starts along the travel, turns toward the ship every TurnInterval and
// fires from the muzzle when the ship is far enough away.
#pragma once

#include "game/enemies/enemy.h"

class CEN007 final : public CEnemy {
public:
    CEN007();
    std::int32_t Variant() const { return variant_; }

protected:
    void SetUp() override;
    void Move() override;
    void Fire() override;

private:
    std::int32_t variant_ = 0;  // 0 right, 1 down, 2 left, 3 up
    double vx_ = 0, vy_ = 0;
};

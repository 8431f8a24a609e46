// CEN016: the straight-flying fighter of stages 4 to 6. Variant 0 flies down
// the screen (sprite 4037), any other Variant up it (4041), at 1.5 pixels a
// frame. Every ShotInterval (2 less a rank, at least 20) it fires four
// bullets: down and to the sides (16-way 1, 2, 7, 8) while it is above the
// ship's centre, up and to the sides (15, 14, 10, 9) once level or below.
#pragma once

#include "game/enemies/enemy.h"

class CEN016 final : public CEnemy {
public:
    CEN016();

protected:
    void SetUp() override;
    void Move() override { y_ += vy_; }
    void Fire() override;

private:
    double vy_ = 0;
};

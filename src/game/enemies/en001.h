// CEN001: the small air enemy of the first stages. Weaves along a sine
// around its spawn X (Param9 the amplitude), drifting 0.2 pixels a frame down
// (Mode 0, 1) or up (Mode 2, 3); any other Mode stands still, and Mode 10
// sits low on drawing layer 6. Dies at the first touch; with DeathShot 1 it
// fires one farewell bullet at the ship.
#pragma once

#include "game/enemies/enemy.h"

class CEN001 final : public CEnemy {
public:
    CEN001();

protected:
    void SetUp() override;
    void Move() override;
    void OnDestroyed() override;

private:
    int angle_ = 0;  // degrees, 2 more every frame
};

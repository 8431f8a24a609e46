// CEN017: the armoured bunker of stage 4. It opens its gun port for the 24
// frames before each shot (sprite 4206, closed 4207) and fires an aimed pair,
// along the direction to the ship and one step clockwise of it. The hit flash
// costs it 5000. Goes up like the heavy enemies and leaves a crater.
#pragma once

#include "game/enemies/enemy.h"

class CEN017 final : public CEnemy {
public:
    static constexpr std::int32_t kOpenFrames = 24;

    CEN017();

protected:
    void SetUp() override;
    void Move() override;
    void Fire() override;
};

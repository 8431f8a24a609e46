// CEN029: the diving fighter of stage 5's last stretch. It drops straight
// down, rank x 0.3 + 3 pixels a frame rounded to a whole number (3 at rank 0,
// 6 at rank 10), and never fires; tougher with the rank.
#pragma once

#include "game/enemies/enemy.h"

class CEN029 final : public CEnemy {
public:
    CEN029();
    // Pixels fallen per frame at the current rank.
    static std::int32_t FallSpeed();

protected:
    void SetUp() override;
    void Move() override { y_ += FallSpeed(); }
};

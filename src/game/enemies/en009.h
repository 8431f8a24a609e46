// CEN009: the launcher's missile. It falls at 2 pixels a frame until the
// ship lies level with it (KAKUDO32 0 or 16), then flies sideways toward it
// at 3 pixels a frame for good, leaving a puff of smoke 8 pixels behind it
// every eighth frame. Tougher with the rank; no score. Of the enemy record it
// reads only X and Y, the two fields its launcher writes.
#pragma once

#include "game/enemies/enemy.h"

class CEN009 final : public CEnemy {
public:
    CEN009();
    double VX() const { return vx_; }
    double VY() const { return vy_; }

protected:
    void SetUp() override;
    void Move() override;

private:
    void TurnLevel(std::int32_t sprite, double vx);
    double vx_ = 0, vy_ = 2;
    bool turned_ = false;
};

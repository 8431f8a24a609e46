// CENMissile: the homing missile of the mothership (CEN026) and the missile
// walker (CEN028).
//
// Created from g_TamaParam (X, Y, Dir): it flies at 2 pixels a frame along
// its 16-way direction and, on its frames 8, 16, ... 176, turns one step
// toward the ship; after that it flies straight on. It leaves a small smoke
// behind it every eighth frame, can be shot down (rank x 200 + 300 hit
// points, no score) and blows up by itself once a boss is beaten.
#pragma once

#include "game/enemies/enemy.h"

class CENMissile final : public CEnemy {
public:
    static constexpr double kSpeed = 2.0;
    static constexpr std::int32_t kSprite = 4224;  // + direction
    static constexpr std::int32_t kLastTurnFrame = 180;

    CENMissile();
    std::int32_t Dir() const { return dir_; }

protected:
    void SetUp() override;
    void Move() override;

private:
    void SetDirection(std::int32_t dir);

    std::int32_t dir_ = 0;
    double dx_ = 0, dy_ = 0;
};

// Fills g_TamaParam and creates one CENMissile on object layer 3.
void LaunchMissile(double x, double y, std::int32_t dir);

// CEN027: the gun fortress of stage 8. One armoured hull (4252) on the
// ground with a turret on its roof (4125 + heading) that turns toward the
// ship every TurnInterval frames; every ShotInterval, while the ship is far
// enough away, it fires one large bullet (CTama6) straight at it. Hidden
// under obstacles like every ground enemy; five large smokes when it falls.
#pragma once

#include "game/enemies/enemy.h"

class CEN027 final : public CEnemy {
public:
    static constexpr std::int32_t kHull = 4252;
    static constexpr std::int32_t kTurret = 4125;  // + heading
    static constexpr std::int32_t kLayer = 6;
    static constexpr std::int32_t kMountDY = -4;   // the turret ring, a little aft of the centre

    CEN027();

protected:
    void SetUp() override;
    void Move() override;
    void PlaceRects() override;
    void Fire() override;
    void Draw() override;

private:
    CQ7Pos turret_pos_;
};

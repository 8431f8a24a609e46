// CEN024: the turret carrier of stage 6. It drives along the ground on its
// 8-way heading at Mode / 100 pixels a frame and, on the shot schedule (and
// under the usual firing rules), sets down a CEN022 turret where it stands;
// its hatch opens over the 12 frames before each set-down.
#pragma once

#include "game/enemies/enemy.h"

class CEN024 final : public CEnemy {
public:
    static constexpr std::int32_t kHatchFrames = 12;

    CEN024();

protected:
    void SetUp() override;
    void Move() override;
    void Fire() override;

private:
    double vx_ = 0, vy_ = 0;
};

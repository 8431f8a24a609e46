// CEN018: the shield dome of stage 4, a 40x40 ground obstacle drawn over
// everything below the status bar (layer 34). Every frame it adds itself to
// g_ObstacleList, so the ground enemies that step after it and stand under
// it are hidden; its beacon lights up every other 32 frames. Its spawn
// routine creates it in object group 1, ahead of the enemies it covers.
#pragma once

#include "game/enemies/enemy.h"

class CEN018 final : public CEnemy {
public:
    CEN018();

protected:
    void SetUp() override;
    void Move() override;
    void Register() const override;
};

// CEN011: a gun turret the stage-2 boss sets down on its deck: fixed at
// (204, 84) for Mode 0 or (116, 44) for any other Mode, firing at the ship
// when it is far enough away. Never hidden by the fortress it stands on. It
// goes up in smoke, unscored, once the boss is beaten.
#pragma once

#include "game/enemies/enemy.h"

class CEN011 final : public CEnemy {
public:
    CEN011();

protected:
    void SetUp() override;
    void Fire() override;
};

// The boss's protocol: turret `mode` (0 or 1) firing first at its frame
// `first_shot`, then every `shot_interval` (rank-adjusted), created on object
// layer 3. Returns its slot.
std::int32_t SpawnBossTurret(std::int32_t mode, std::int32_t first_shot, std::int32_t shot_interval);

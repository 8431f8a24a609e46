// CEN004: the scripted air enemy. Flies its move script, with a shadow in
// the stages that have shadows, and fires along its heading when the ship is
// far enough away.
#pragma once

#include "game/enemies/enemy.h"
#include "game/enemies/move_script.h"

class CEN004 final : public CEnemy {
public:
    CEN004();

protected:
    void SetUp() override;
    void Move() override;
    void Fire() override { FireHeading(16, 0); }

private:
    MoveScript script_;
};

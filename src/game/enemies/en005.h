// CEN005: the tank. Its body follows the move script (riding the scenery too
// when Variant is -1); its turret either points where the body points
// (Mode 1) or turns toward the ship every TurnInterval frames (Mode 2).
// Shots leave from the turret mount, whose place on the hull depends on the
// body's direction. With DeathShot set it fires even while hidden.
#pragma once

#include "game/enemies/enemy.h"
#include "game/enemies/move_script.h"

class CEN005 final : public CEnemy {
public:
    CEN005();
    std::int32_t Turret() const { return turret_; }

protected:
    void SetUp() override;
    void Move() override;
    void Turn() override;
    void Fire() override;
    bool FiresWhileHidden() const override { return ep_.DeathShot != 0; }

private:
    bool RidesScroll() const { return ep_.Variant == -1; }
    MoveScript script_;
    std::int32_t turret_ = 2;
};

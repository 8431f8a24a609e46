// CEN010: a ground target (buildings, tanks, masts) that the stage-2 scenery
// and stage 4 place. Its sprite comes with the spawn (Param6); Variant 0 is a
// light target (100 hit points, ruin 232), any other a heavy one (500, ruin
// 233). It rides the ground, can be hit and locked on only while it overlaps
// the play area, is removed once its top reaches row 241, and when destroyed
// fires one last bullet at the ship (ShotSpeedAdd) and leaves its ruin.
#pragma once

#include "game/enemies/enemy.h"

class CEN010 final : public CEnemy {
public:
    CEN010();

protected:
    void SetUp() override;
    void Move() override { y_ = GroundY(); }
    bool IsHidden() const override;
    bool OffScreen() const override;
    void OnDestroyed() override;

private:
    bool Heavy() const { return ep_.Variant != 0; }
};

// Creates a CEN010 at (x, y) showing `sprite`; the record fields the class
// reads are all written (EntryFrames 0, never hidden off).
void SpawnGroundTarget(double x, double y, std::int32_t sprite, bool heavy, double shot_speed_add);

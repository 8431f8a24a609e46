// CBoss02: the stage-2 boss, a ground fortress in the citadel's courtyard at
// the end of the map. It rides the scenery like every ground thing: it wakes
// at frame 13200 just above the screen and comes into view as the map scrolls
// its last rows, stopping with it (its centre on row 60). It takes no damage
// for 600 frames; then it fights with what it sets down and sends out:
//
//   - two gun turrets (CEN011), one in each of its two wells, which stand at
//     (204, 84) and (116, 44) on the screen. Every 120 frames it raises a
//     turret in each well whose turret is gone; a well holds one turret, so
//     they never stack (the hatch opens over the 12 frames before a turret
//     rises, and stays shut while nothing is due).
//   - every 300 frames an escort saucer (CEN012) out of its bay, modes 0 and
//     1 in turn: mode 0 sweeps and sinks toward the ship; mode 1 patrols a
//     row in front of the fortress. While the last patroller still patrols,
//     the fortress keeps its next one in (the two would sweep as one).
//
// Its defeat leaves the wreck 235 on the ground.
#pragma once

#include <array>

#include "game/enemies/boss.h"

class CBoss02 final : public CBoss {
public:
    static constexpr std::int32_t kRestY = 60;  // map row of its centre; the map stops with its top at 0
    static constexpr std::int32_t kTurretEvery = 120;
    static constexpr std::int32_t kEscortEvery = 300;
    static constexpr std::int32_t kHatchFrames = 12;
    // The two wells, from the centre: mode 0's at (204, 84), mode 1's at (116, 44).
    static constexpr std::array<BossOffset, 2> kWells = {{{44, 24}, {-44, -16}}};

    CBoss02();

    // Read-outs for tests.
    std::int32_t TurretSlot(std::int32_t mode) const { return turret_slot_[mode]; }
    std::int32_t EscortsLaunched() const { return escorts_; }

protected:
    std::int32_t StartHitPoints() const override;
    void SetUp() override;
    void EntryMove(std::int32_t t) override;
    void FightMove(std::int32_t t) override;
    void Attack(std::int32_t t) override;
    std::int32_t BodySprite() const override;

private:
    void RideTheMap();
    void DrawHatches(std::int32_t t) const;
    bool TurretStands(std::int32_t mode) const;
    bool PatrolFlies() const;
    void Took(std::int32_t slot);

    std::array<std::int32_t, 2> turret_slot_ = {-1, -1};
    std::int32_t patrol_slot_ = -1;
    std::int32_t escorts_ = 0;
    std::int32_t bay_open_until_ = 0;  // t until which the bay doors stand open
};

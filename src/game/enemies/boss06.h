// CBoss06: the stage-6 boss, the fleet's flying carrier. Wakes at frame
// 9800; on its first frame it restarts the shared random sequences, then
// comes down on the stage-1 boss's descent and sways over the open sea. From
// t = 410, every 120 - 10 x rank frames, one of its wing guns in turn fires a
// ring of bullets that leaves out the three directions behind it (up-left,
// up, up-right); every second volley it also launches two interceptors
// (CEN021) from its flight decks.
#pragma once

#include "game/enemies/boss.h"

class CBoss06 final : public CBoss {
public:
    // The flight decks' catapults, from the centre.
    static constexpr BossOffset kLeftDeck = {-52, 18}, kRightDeck = {52, 18};
    // The interceptors turn toward the ship only every 40 frames: each makes
    // a pass or two and flies off instead of circling the ship for ever.
    static constexpr std::int32_t kEscortTurnInterval = 40;

    CBoss06();

    // Frames between two attacks at the current rank.
    static std::int32_t AttackInterval();

protected:
    std::int32_t StartHitPoints() const override;
    void EntryMove(std::int32_t t) override;
    void FightMove(std::int32_t t) override;
    void Attack(std::int32_t t) override;

private:
    std::int32_t next_volley_ = 0;  // t of the next volley
    std::int32_t volleys_ = 0;
    std::int32_t last_launch_ = -1000000;  // t of the last pair of interceptors
    double a_ = 0, b_ = 0;          // sway and bob angles in degrees
};

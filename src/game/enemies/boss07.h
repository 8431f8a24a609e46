// CBoss07: the stage-7 boss, the gatekeeper: a flying fortress with swept
// gun wings and a spinal cannon down its hull. It wakes at frame 11300,
// rewinds the shared random tables on its first frame awake (so every fight
// goes the same way), comes down to y 89 by t = 230 and from t = 310 sways
// across the corridor. Every 10 frames a step of its cycle of 24: two
// bursts of four bullets straight down from the spinal gun, and between them
// pairs of bouncing bullets (CTama4) from its wing, inner and bow guns in
// turn, each bullet spread a little by the random tables. The spinal muzzle
// glows for 20 frames before each burst.
#pragma once

#include "game/enemies/boss.h"

class CBoss07 final : public CBoss {
public:
    static constexpr std::int32_t kCycle = 24;

    CBoss07();

protected:
    std::int32_t StartHitPoints() const override { return 150000 * g_Rank + 1500000; }
    void SetUp() override;
    void EntryMove(std::int32_t t) override;
    void FightMove(std::int32_t t) override;
    void Attack(std::int32_t t) override;

private:
    double sway_ = 0, bob_ = 0;  // degrees
    std::int32_t volleys_ = 0;   // pairs of bouncing bullets fired
    CQ7Pos glow_;                // the spinal muzzle's glow before a burst
};

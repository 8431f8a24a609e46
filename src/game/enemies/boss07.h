// CBoss07: the stage-7 boss, the gatekeeper: a flying fortress with swept
// gun wings and a spinal cannon down its hull. It wakes at frame 11300,
// rewinds the shared random tables on its first frame awake (so every fight
// goes the same way), comes down to y 89 by t = 230 and from t = 310 sways
// across the corridor. Every 10 frames its cycle of 24 steps fires: two
// bursts of six bullets straight down from the spinal gun, and between them
// pairs of bouncing bullets (CTama4) from its wing and bow guns, each pair
// spread a little by the random tables.
#pragma once

#include "game/enemies/boss.h"

class CBoss07 final : public CBoss {
public:
    static constexpr std::int32_t kCycle = 24;

    CBoss07();

protected:
    std::int32_t StartHitPoints() const override { return 150000 * g_Rank + 1500000; }
    void EntryMove(std::int32_t t) override;
    void FightMove(std::int32_t t) override;
    void Attack(std::int32_t t) override;

private:
    double sway_ = 0, bob_ = 0;  // degrees
};

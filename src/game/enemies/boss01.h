// CBoss01: the stage-1 boss, a heavy bomber. Wakes at frame 12700, descends
// to y 76, then sways 50 pixels either side and bobs up to 20 above its base
// line. Every 30 frames a four-step cycle fires: big bullets from its pods
// and two fans from its wingtips; fans from the wing roots; a straight
// volley from the guns under the wings and aimed shots from the nose; then
// a pause, so the pattern repeats every 120 frames.
#pragma once

#include "game/enemies/boss.h"

class CBoss01 final : public CBoss {
public:
    CBoss01();

protected:
    std::int32_t StartHitPoints() const override { return 100000; }
    void EntryMove(std::int32_t t) override { Descend(kBossDescent, t); }
    void FightMove(std::int32_t t) override;
    void Attack(std::int32_t t) override;

private:
    double a_ = 0, b_ = 0;  // sway and bob angles in degrees
};

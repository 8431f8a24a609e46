// CBoss08: the last boss, the stronghold's heart. A reactor core hovering
// low over the chamber floor (the ship flies over it: its body registers in
// g_HitList1) between two bomb launchers. Wakes at frame 10700, sinks 0.3
// pixels a frame into view and settles; from t = 601 it sways slowly and,
// every 3 frames, a step of its launch cycle may throw a bomb (CTama7) high
// over the screen to fall down a column drawn at random, at least 41 pixels
// from the last one. The cycle throws a salvo and then rests; a higher rank
// shortens the rest. Its defeat stops the music instead of sounding the
// boss's explosion.
#pragma once

#include <cstdint>

#include "game/enemies/boss.h"

class CBoss08 final : public CBoss {
public:
    static constexpr std::int32_t kWakeFrame = 10700;
    static constexpr std::int32_t kMinSpacing = 41;  // between two targets, in pixels

    CBoss08();

    // Read-outs for tests.
    std::int32_t LastTarget() const { return last_target_; }
    // Steps of one launch cycle at a rank (every step is 3 frames).
    static std::int32_t CycleSteps(std::int32_t rank);

protected:
    std::int32_t StartHitPoints() const override { return 400000 * g_Rank + 4000000; }
    void EntryMove(std::int32_t t) override;
    void FightMove(std::int32_t t) override;
    void Attack(std::int32_t t) override;
    void SetUp() override;
    std::int32_t Damage() const override;

private:
    std::int32_t PickTarget();
    void Throw(std::int32_t type, std::int32_t side);
    void DrawLaunchers();

    double sway_ = 0;             // degrees
    std::int32_t step_ = 0;       // position in the launch cycle
    std::int32_t cycles_ = 0;     // cycles completed
    std::int32_t last_target_ = -1000;
    std::int32_t open_[2] = {0, 0};  // frames each launcher's hatch stays open
    CQ7Pos launcher_;
    CQ7Pos launcher_hit_[2];
};

// CBoss08: the last boss, the stronghold's heart. A reactor core hovering
// low over the chamber floor (the ship flies over it: its body registers in
// g_HitList1) between two bomb launchers. Wakes at frame 10700, sinks 0.3
// pixels a frame into view and settles; from t = 601 it sways slowly and,
// every 3 frames, throws a bomb (CTama7) high over the screen to fall down a
// column drawn at random, at least 41 pixels from the last one. The kinds
// follow a phrase of 32 throws that the rank shifts a little. Its defeat
// stops the music instead of sounding the boss's explosion.
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
    std::int32_t LastType() const { return last_type_; }
    // The type of the bomb thrown on attack step `step` (0 at t = 601) at a rank.
    static std::int32_t TypeAt(std::int32_t step, std::int32_t rank);
    // Phrases from one heavy accent to the next at a rank.
    static std::int32_t AccentEvery(std::int32_t rank);
    // Darts a phrase throws at a rank (of its eight; the others become eggs).
    static std::int32_t DartsPerPhrase(std::int32_t rank);

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
    std::int32_t step_ = 0;       // attack steps taken
    std::int32_t last_target_ = -1000;
    std::int32_t last_type_ = 0;
    std::int32_t open_[2] = {0, 0};  // frames each launcher's hatch stays open
    CQ7Pos launcher_;
    CQ7Pos launcher_hit_[2];
};

// CBoss04: the stage-4 boss, the citadel's war platform. It wakes at frame
// 11700 above the screen, sinks to (160, 100) over its 600-frame entry and
// then sways along x = 160 + 80 sin a, y = 100 + 30 sin b. Its hull only
// blocks the ship: the damage it takes is what strikes its three 40x40 gun
// wells, summed into one pool of 30000 x rank + 300000.
//
// Each gun fires a full ring of sixteen bullets (offset 24 from its centre)
// and re-arms after 130 - 10 x rank frames plus a random 0..93; the three
// first fire at t = 601, 801 and 1001. A gun glows for the last frames
// before it fires, so every ring is announced.
#pragma once

#include <array>

#include "game/enemies/boss.h"
#include "game/enemies/boss04_layout.h"

class CBoss04 final : public CBoss {
public:
    static constexpr std::int32_t kRingSize = 16;
    static constexpr double kRingOffset = 24;
    static constexpr std::int32_t kWarnFrames = 30;  // the gun glows this long before its ring

    CBoss04();

    // Frame t (since waking) of each gun's next ring.
    std::int32_t NextRing(std::size_t gun) const { return next_ring_[gun]; }
    // The gun's weak point, placed this frame.
    const CQ7Pos& Gun(std::size_t gun) const { return Part(gun); }
    // Frames between rings before the random part.
    static std::int32_t RearmFrames();

protected:
    std::int32_t StartHitPoints() const override;
    void EntryMove(std::int32_t t) override;
    void FightMove(std::int32_t t) override;
    void Attack(std::int32_t t) override;
    std::int32_t Damage() const override;
    void DrawOnBody(std::int32_t x, std::int32_t y, std::int32_t mode) override;

private:
    std::array<std::int32_t, boss04::kGuns.size()> next_ring_{};
    std::int32_t t_ = 0;
    double a_ = 0, b_ = 0;  // sway and bob angles in degrees
};

// CBoss05: the stage-5 boss, a sky serpent of a head and sixteen segments.
//
// Wakes at frame 10700. From its eleventh frame awake the head crawls 1.3
// pixels a frame along the 16-way headings of its waypoint table: in from
// above the right edge, once round the lower half, then for ever round a
// loop that coils through the top of the screen and, turned about the
// middle, through the bottom. Every new whole-pixel place of the head goes
// into a ring of 1001 places; segment k sits 16 k places back, so the body
// follows the head's path exactly. Segments alternate 28x28 and 20x20.
//
// The head and every segment take damage, but only while their centre is
// in x -9 .. 329, y 15 .. 249, all into one pool of 130000 x rank + 1300000.
// It fires aimed bullets: a ripple running down (or up) the body, each
// segment glowing before it fires, and fans from the head; never from off
// screen or from closer to the ship than the rank's fire distance. Beaten,
// it bursts into smoke at the head and every segment.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "game/enemies/boss.h"

// One row of the serpent's path: a 16-way heading held for some frames.
struct SerpentWaypoint {
    std::int32_t heading = 0;
    std::int32_t frames = 0;
};

class CBoss05 final : public CBoss {
public:
    static constexpr std::int32_t kSegments = 16;
    static constexpr std::int32_t kRingSize = 1001;
    static constexpr std::int32_t kSpacing = 16;    // ring places between two segments
    static constexpr double kSpeed = 1.3;
    static constexpr std::int32_t kFirstCrawl = 11;  // t of the first step

    CBoss05();

    // The path: the entry rows, then the loop (from LoopFrom on) that repeats.
    static std::span<const SerpentWaypoint> Waypoints();
    static std::int32_t LoopFrom();

    // Read-outs for the tests. Segments count 1 (the neck) .. 16 (the tail).
    const CQ7Pos& Segment(std::int32_t k) const { return segments_[static_cast<std::size_t>(k - 1)]; }
    std::int32_t Heading() const { return heading_; }
    // Whether a part with this rectangle can be hurt where it is.
    static bool InDamageWindow(const CQ7Pos& rect);

protected:
    std::int32_t StartHitPoints() const override { return 130000 * g_Rank + 1300000; }
    void SetUp() override;
    void EntryMove(std::int32_t t) override;
    void FightMove(std::int32_t t) override;
    void Attack(std::int32_t t) override;
    std::int32_t Damage() const override;
    void PlaceDrawRegister() override;
    void OnDefeat() override;

private:
    struct Place {
        std::int32_t x = 0, y = 0;
        bool operator==(const Place&) const = default;
    };

    void Crawl();
    const Place& RingPlace(std::int32_t back) const;
    void StartRipple(std::int32_t t);
    void FireFromSegments(std::int32_t t);
    void FireFan(std::int32_t t);
    bool MayFireFrom(const CQ7Pos& rect) const;

    std::array<Place, kRingSize> ring_{};
    std::int32_t ring_head_ = 0;
    std::int32_t waypoint_ = 0;
    std::int32_t heading_ = 0;
    std::int32_t frames_left_ = 0;
    std::vector<CQ7Pos> segments_;
    // The t on which each segment fires next (0: it is not charged).
    std::array<std::int32_t, kSegments> fire_at_{};
};

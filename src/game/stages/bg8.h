// CBG8: the floor of the stronghold, a 320x7200 map (sprite 1) filled from
// the floor tile 1186 and composed once at set-up with the stronghold's
// structures, then scrolled at g_ScrollSpeed (0.4 at the start). Once its top
// has scrolled past row 0, it wraps by 480 rows: the top 480 rows (the
// chamber round the core) repeat for as long as the boss fight lasts.
//
// The floor's energy veins (111..170) and its plates (171..230) are two
// colour loops of 60. They roll in beats, 15 steps each, so that a surge runs
// down the veins and across the plates and the floor is still again between
// two beats; the beats come quicker toward the core:
//   frames below 9000         every 500 frames, on the multiples of 4 of 421..480
//   frames 9000 .. 9999       every 200 frames, on the even frames of 161..190
//   frames 10000 and beyond   every 100 frames, on every frame of 85..99
// (frame = the background's own count, 1 on its first frame).
//
// Under every ground unit of the stage's script the map carries its pad
// (a turret ring, a fortress base, a walker's hangar), placed on the map row
// the unit will ride on.
#pragma once

#include <cstdint>

#include "core/game_object.h"

class CBG8 final : public GameObject {
public:
    static constexpr std::int32_t kMapHeight = 7200;
    static constexpr std::int32_t kStartTop = 239 - kMapHeight + 1;  // bottom row on screen row 239
    static constexpr std::int32_t kWrap = 480;                       // rows of the top that repeat
    static constexpr std::int32_t kStartSpeed10 = 4;                 // 0.4 pixels a frame
    static constexpr std::int32_t kVeins = 111, kPlates = 171, kLoop = 60;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Does the floor roll on the background's frame n?
    static bool RollsOn(std::int32_t n);

    // Read-outs for the stage's tests.
    double ScrollPos() const { return scroll_pos_; }
    std::int32_t Top() const { return top_; }
    std::int32_t Frame() const { return frame_; }
    // Draws the composition could not queue at set-up (0: all of it was drawn).
    std::int32_t LostDraws() const { return lost_draws_; }

private:
    void BuildMap();

    std::int32_t frame_ = 0;
    double scroll_pos_ = 0;
    std::int32_t top_ = 0;
    std::int32_t lost_draws_ = 0;
};

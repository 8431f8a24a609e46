// CBG1: the scenery of stage 1, a 320x4320 map (sprite 1) composed once at
// set-up from 32x32 cells and scrolled down at g_ScrollSpeed. Once it has
// scrolled through, its top 1440 rows repeat for ever.
//
// At fixed distances (rows scrolled) it places CBGObjects that ride on the
// map: launch pads, hangars, buildings and, at 764, the base (sprite 99,
// composed by the stage). The hangars and pads of the last column are kept
// by slot and animated at distances 2252..2266: the doors open, the pads'
// lights run, and the stage's tanks roll out.
#pragma once

#include <array>
#include <cstdint>

#include "core/game_object.h"
#include "game/stages/map_painter.h"

class CBG1 final : public GameObject {
public:
    static constexpr std::int32_t kMapHeight = 4320;
    static constexpr std::int32_t kStartTop = 239 - kMapHeight + 1;  // bottom row on screen row 239
    static constexpr std::int32_t kRepeat = 1440;                    // rows of the top that repeat
    static constexpr std::int32_t kKeptSlots = 34;                   // 0..13 hangars, 20..33 pads

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for the stage's tests.
    double ScrollPos() const { return scroll_pos_; }
    std::int32_t StartTop() const { return start_top_; }
    std::int32_t KeptSlot(std::int32_t i) const { return kept_[i]; }
    // Draws the terrain could not queue at set-up (0: all of it was drawn).
    std::int32_t LostDraws() const { return lost_draws_; }

    // The terrain of rows 15..31 and 45..69, for tests and tools.
    static const map_paint::Terrain& Terrain();

private:
    void BuildMap();
    void RunEvents(std::int32_t distance);
    void Animate(std::int32_t frame_no);

    std::int32_t frame_ = 0;
    double scroll_pos_ = 0;
    std::int32_t start_top_ = 0;
    std::int32_t top_ = 0;
    std::array<std::int32_t, kKeptSlots> kept_{};
    std::int32_t lost_draws_ = 0;
};

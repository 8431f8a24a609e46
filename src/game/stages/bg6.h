// CBG6: the scenery of stage 6, the naval base. A 320x5280 map (sprite 1)
// composed once at set-up from 32x32 cells, painted harbour furniture and,
// over its top 1200 rows, the open sea: a 320x240 picture (sprite 3) laid
// five times. It scrolls down at g_ScrollSpeed (0.4 at the start); once its
// top reaches row 0 it jumps back by 960 rows, so the sea beyond the harbour
// mouth runs on for ever under the boss fight.
//
// Every 32 rows scrolled, the step number (distance / 32) selects the map
// objects that come into view next: warehouse roofs, the submarine pens'
// roof (both hide what stands under them) and the gantry cranes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/game_object.h"

class CBG6 final : public GameObject {
public:
    static constexpr std::int32_t kMapHeight = 5280;
    static constexpr std::int32_t kStartTop = 239 - kMapHeight + 1;  // bottom row on screen row 239
    static constexpr std::int32_t kRepeat = 960;                     // rows the top jumps back by
    static constexpr std::int32_t kPicture = 3;                      // the open sea, 320x240
    static constexpr std::int32_t kSeaRows = 1200;                   // map rows the picture covers
    static constexpr std::int32_t kEventStep = 32;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for the stage's tests.
    double ScrollPos() const { return scroll_pos_; }
    std::int32_t StartTop() const { return start_top_; }
    // Draws the composition could not queue at set-up (0: all of it was drawn).
    std::int32_t LostDraws() const { return lost_draws_; }
    // The last event step run (distance / 32), 0 before the first.
    std::int32_t LastEvent() const { return last_event_; }

    // One row of the harbour's terrain: its number (1 at the map's bottom)
    // and one character per column.
    struct Row {
        std::int32_t r = 0;
        std::string_view cells;
    };
    static std::span<const Row> Terrain();

private:
    void BuildMap();
    void RunEvent(std::int32_t step);

    std::int32_t frame_ = 0;
    double scroll_pos_ = 0;
    std::int32_t start_top_ = 0;
    std::int32_t top_ = 0;
    std::int32_t last_event_ = 0;
    std::int32_t lost_draws_ = 0;
};

// CBG2: the scenery of stage 2, a 320x3120 map (sprite 1) composed once at
// set-up from 32x32 cells of the desert's own ground, concrete and water, and
// scrolled down at g_ScrollSpeed until its top row reaches the screen's top
// (Top 0), where it stops: the citadel at the end of the map is the last
// place of the stage, and its fortress rides the scenery into view.
//
// Every 32 rows scrolled (distance / 32 selects the event) it places the
// buildings of the next stretch as CBGObjects and the stage's ground targets
// (CEN010), each just before it comes into view.
#pragma once

#include <cstdint>

#include "core/game_object.h"
#include "game/stages/map_painter.h"

class CBG2 final : public GameObject {
public:
    static constexpr std::int32_t kMapHeight = 3120;
    static constexpr std::int32_t kStartTop = 239 - kMapHeight + 1;  // bottom row on screen row 239
    static constexpr std::int32_t kEventRows = 32;
    static constexpr std::int32_t kRowsPerBand = 8;  // terrain rows painted per draw of the queue

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for the stage's tests.
    double ScrollPos() const { return scroll_pos_; }
    std::int32_t StartTop() const { return start_top_; }
    std::int32_t Top() const { return top_; }
    std::int32_t LostDraws() const { return lost_draws_; }
    std::int32_t EventsRun() const { return events_run_; }

    // The terrain, for tests and tools.
    static const map_paint::Terrain& Terrain();

    // The event that places a thing whose picture has its top at `map_y`
    // (from the map's top) and is `height` rows tall: the last one before it
    // shows (0: it shows from the start).
    static constexpr std::int32_t EventFor(std::int32_t map_y, std::int32_t height) {
        const std::int32_t distance = -kStartTop - map_y - height;  // rows scrolled when it reaches the top edge
        return distance <= 0 ? 0 : distance / kEventRows;
    }

private:
    void BuildMap();
    void RunEvent(std::int32_t index);

    std::int32_t frame_ = 0;
    double scroll_pos_ = 0;
    std::int32_t start_top_ = 0;
    std::int32_t top_ = 0;
    std::int32_t lost_draws_ = 0;
    std::int32_t events_run_ = 0;
};

// CBG7: the scenery of stage 7, a run so fast that the ground below is one
// blur. At set-up the twelve strips 1174..1185 are stacked into a 320x360
// picture (sprite 3), and every row t of it is stretched into a band of 22
// identical rows (sprite 2000 + t) through a 320x1 line sprite (sprite 2).
// Each frame the current band fills the play area (ten draws, rows 22..241)
// and the next frame shows the next row, so the picture passes by one row a
// frame and comes round every 360 frames.
//
// The four colour ranges of the stage's text (101..133, 134..166, 167..199,
// 200..232) roll one place on the frames whose count mod 500 is 390, 400,
// ... 490: every 500 frames a pulse of light runs through the corridor.
#pragma once

#include <cstdint>

#include "core/game_object.h"

class CBG7 final : public GameObject {
public:
    static constexpr std::int32_t kRows = 360;        // picture rows, one band each
    static constexpr std::int32_t kFirstBand = 2000;  // band sprites 2000..2359
    static constexpr std::int32_t kBandHeight = 22;
    static constexpr std::int32_t kBandDraws = 10;    // at rows 22, 44, ... 220
    static constexpr std::int32_t kFirstStrip = 1174, kStrips = 12, kStripHeight = 30;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for tests: frames stepped; the picture row the next frame shows.
    std::int32_t Frame() const { return frame_; }
    std::int32_t Band() const { return band_; }

    // True on the frames (the count after stepping) whose colours roll.
    static bool RollsOn(std::int32_t frame);

private:
    std::int32_t frame_ = 0;
    std::int32_t band_ = 0;
};

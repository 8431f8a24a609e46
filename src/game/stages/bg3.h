// CBG3: the scenery of stage 3, the open sea. At set-up it lays ten by nine
// cells of 32x32 (1001 plus a random number 0..9; the ninth row is cut at
// row 240) into a 320x240 picture (sprite 3) and doubles it into a 320x480
// loop (sprite 2), which scrolls down at g_ScrollSpeed and repeats every 240
// rows. Sprite 1 is only a marker, a 1x1 sprite resized to 320x3120, whose
// top carries the scroll position for everything that rides the sea.
//
// The cells are the ground cells every map stage shares; what they show here
// is decided by the stage's palette (text 104), which gives their ramp the
// colours of deep water, its lit tufts wave crests and its flowers glints.
#pragma once

#include <cstdint>

#include "core/game_object.h"

class CBG3 final : public GameObject {
public:
    static constexpr std::int32_t kMarkerHeight = 3120;
    static constexpr std::int32_t kStartTop = 239 - kMarkerHeight + 1;
    static constexpr std::int32_t kPeriod = 240;
    static constexpr std::int32_t kColumns = 10, kRows = 9;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for the stage's tests.
    double ScrollPos() const { return scroll_pos_; }
    // The loop picture's top on the screen (-240 .. -1).
    std::int32_t PictureTop() const { return picture_top_; }

private:
    std::int32_t frame_ = 0;
    double scroll_pos_ = 0;
    std::int32_t picture_top_ = -kPeriod;
};

// CBG4: the scenery of stage 4, the stone floor of the mesa citadel. One
// 40x40 floor tile (sprite 1153) is laid 8 x 12 into a 320x480 picture
// (sprite 2) that repeats every 240 rows: drawn from row -240 + (rows
// scrolled mod 240), it always covers the screen and wraps without a seam.
//
// Sprite 1 is only a marker: a 1x1 sprite whose rectangle is stretched to
// 320x7200 and carries the scroll position, so that ground enemies and the
// objects the stage lays on the floor ride the scenery as on a map. The
// floor has no colour cycling and no events of its own; what stands on it
// comes from the stage's script.
#pragma once

#include <cstdint>

#include "core/game_object.h"

class CBG4 final : public GameObject {
public:
    static constexpr std::int32_t kTile = 40;
    static constexpr std::int32_t kColumns = 8, kRows = 12;  // 320 x 480
    static constexpr std::int32_t kPeriod = 240;
    static constexpr std::int32_t kMarkerHeight = 7200;
    static constexpr std::int32_t kStartTop = 240 - kMarkerHeight;  // the marker's bottom on row 239
    static constexpr double kStartSpeed = 0.4;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for tests.
    double ScrollPos() const { return scroll_pos_; }
    std::int32_t StartTop() const { return start_top_; }
    // The screen row the loop picture's top was drawn at this frame (-240 .. -1).
    std::int32_t PictureTop() const { return picture_top_; }

private:
    std::int32_t frame_ = 0;
    double scroll_pos_ = 0;
    std::int32_t start_top_ = 0;
    std::int32_t picture_top_ = -kPeriod;
};

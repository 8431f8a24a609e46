// CBG5: the scenery of stage 5, the sky high above a deck of clouds.
//
// A 320x720 picture (sprite 2) is built once from the fifteen 320x32 strips
// 1154..1168 (rows 0..479) and their first 240 rows again (480..719), so it
// repeats its first screen after 480 rows and scrolls seamlessly at
// g_ScrollSpeed (1.0). Sprite 1 is a 1x1 marker whose rectangle, 320x7200,
// carries the scroll position for anything that rides on the scenery.
//
// Six ranges of 16 colours (101..196) roll at their own paces: the sea far
// below slides by at half the deck's speed and glitters, the deck billows.
// The background sets g_BgMode 3, in which the CBGClouds it spawns between
// frames 7499 and 10459 (the cloud layer the ship flies through) are drawn;
// their places and kinds come from its own random sequence, so the shared
// sequences of the stage are left alone.
#pragma once

#include <cstdint>

#include "core/game_object.h"

class CBG5 final : public GameObject {
public:
    static constexpr std::int32_t kPeriod = 480;
    static constexpr std::int32_t kPictureHeight = 720;
    static constexpr std::int32_t kMarkerHeight = 7200;
    static constexpr std::int32_t kStartTop = 239 - kMarkerHeight + 1;  // the marker's bottom on row 239
    static constexpr std::int32_t kFirstStrip = 1154, kStrips = 15;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for the tests.
    std::int32_t Frame() const { return frame_; }
    double ScrollPos() const { return scroll_pos_; }
    std::int32_t PictureTop() const { return picture_top_; }

private:
    void BuildPicture();
    void RunEvents();
    void SpawnCloud(std::int32_t x);
    std::uint32_t Random();

    std::int32_t frame_ = 0;
    double scroll_pos_ = 0;
    std::int32_t picture_top_ = 0;
    std::uint32_t seed_ = 0;
};

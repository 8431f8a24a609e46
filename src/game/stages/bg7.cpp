#include "game/stages/bg7.h"

#include "core/q7_pos.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

constexpr std::int32_t kLine = 2, kPicture = 3;
constexpr std::int32_t kWidth = 320;
constexpr std::int32_t kRollFirst = 101, kRollLength = 33, kRollRanges = 4;
constexpr std::int32_t kPulsePeriod = 500, kPulseFirst = 390, kPulseEvery = 10;

// A corner-based place for a queued draw.
CQ7Pos Corner(std::int32_t left, std::int32_t top) {
    CQ7Pos at;
    at.SetCenter_Base(VB_FALSE);
    at.ReSize(1, 1);
    at.Move(left, top);
    return at;
}

}  // namespace

bool CBG7::RollsOn(std::int32_t frame) {
    const std::int32_t phase = frame % kPulsePeriod;
    return phase >= kPulseFirst && phase % kPulseEvery == 0;
}

void CBG7::Call_Initial(int&) {
    // The picture: the strips one under the other.
    CQ7Sprite256& picture = g_DDBPack.GetSprite(kPicture);
    picture.SetUP(kWidth, kRows, 0);
    g_DDBPack.BltClear(-1);
    for (std::int32_t k = 0; k < kStrips; ++k)
        g_DDBPack.AddBlt(Corner(0, k * kStripHeight), kFirstStrip + k, 0, kPicture, 1);
    g_DDBPack.Blt();

    // Each row through the line sprite into its band, 22 times over.
    CQ7Sprite256& line = g_DDBPack.GetSprite(kLine);
    line.SetUP(kWidth, 1, 0);
    for (std::int32_t t = 0; t < kRows; ++t) {
        // A drawn sprite keeps the place of its last draw: the line goes back
        // to the top before it takes the next row.
        line.Pos.Move(0, 0);
        g_DDBPack.BltClear(-1);
        g_DDBPack.AddBlt(Corner(0, -t), kPicture, 0, kLine, 1);
        g_DDBPack.Blt();
        g_DDBPack.BltClear(-1);
        g_DDBPack.GetSprite(kFirstBand + t).SetUP(kWidth, kBandHeight, 0);
        for (std::int32_t y = 0; y < kBandHeight; ++y) g_DDBPack.AddBlt(Corner(0, y), kLine, 0, kFirstBand + t, 1);
        g_DDBPack.Blt();
    }
    g_DDBPack.BltClear(-1);
    frame_ = 0;
    band_ = 0;
}

bool CBG7::Call_Events() {
    ++frame_;
    if (RollsOn(frame_))
        for (std::int32_t k = 0; k < kRollRanges; ++k) g_Palette.Roll_UP(kRollFirst + k * kRollLength, kRollLength, -1);

    for (std::int32_t k = 1; k <= kBandDraws; ++k) g_DDBPack.AddBlt(Corner(0, k * kBandHeight), kFirstBand + band_, 0, 0, 1);
    band_ = (band_ + 1) % kRows;
    return false;
}

#include "game/stages/bg4.h"

#include "app/zenit02.h"
#include "gfx/q7_ddbpack256.h"

namespace {
constexpr std::int32_t kMarker = 1, kPicture = 2, kFloorTile = 1153;
}  // namespace

void CBG4::Call_Initial(int&) {
    CQ7Sprite256& picture = g_DDBPack.GetSprite(kPicture);
    picture.SetUP(kColumns * kTile, kRows * kTile, 0);
    CQ7Pos at;
    at.SetCenter_Base(VB_FALSE);
    at.ReSize(kTile, kTile);
    g_DDBPack.BltClear(-1);
    for (std::int32_t row = 0; row < kRows; ++row)
        for (std::int32_t column = 0; column < kColumns; ++column) {
            at.Move(column * kTile, row * kTile);
            g_DDBPack.AddBlt(at, kFloorTile, 0, kPicture, 1);
        }
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);
    picture.DT.ALL_Paint();

    // The marker is never drawn: only its rectangle matters.
    CQ7Sprite256& marker = g_DDBPack.GetSprite(kMarker);
    marker.SetUP(1, 1, 0);
    marker.Pos.ReSize(320, kMarkerHeight);
    marker.Pos.Move(0, kStartTop);
    start_top_ = marker.Pos.Top();

    frame_ = 0;
    scroll_pos_ = 0;
    picture_top_ = -kPeriod;
    g_ScrollSpeed = kStartSpeed;
}

bool CBG4::Call_Events() {
    ++frame_;
    scroll_pos_ += g_ScrollSpeed;
    const std::int32_t top = start_top_ + RoundHalfEven(scroll_pos_);
    CQ7Sprite256& marker = g_DDBPack.GetSprite(kMarker);
    marker.Pos.SetTop(top);

    // The picture's first screen comes round again after every period.
    const std::int32_t scrolled = top - start_top_;
    picture_top_ = -kPeriod + ((scrolled % kPeriod) + kPeriod) % kPeriod;
    CQ7Sprite256& picture = g_DDBPack.GetSprite(kPicture);
    picture.Pos.Move(0, picture_top_);
    g_DDBPack.AddBlt(picture.Pos, kPicture, 0, 0, 1);
    return false;
}

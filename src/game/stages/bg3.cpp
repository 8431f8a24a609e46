#include "game/stages/bg3.h"

#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

constexpr std::int32_t kMarker = 1, kLoop = 2, kPicture = 3;
constexpr std::int32_t kCell = 32, kFirstTile = 1001;

// Queues `sprite` with its top-left at (x, y) into `target`, opaque.
void QueueAt(std::int32_t sprite, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
             std::int32_t target) {
    CQ7Pos at;
    at.SetCenter_Base(VB_FALSE);
    at.ReSize(w, h);
    at.Move(x, y);
    g_DDBPack.AddBlt(at, sprite, 0, target, 1);
}

}  // namespace

void CBG3::Call_Initial(int&) {
    g_DDBPack.GetSprite(kPicture).SetUP(320, kPeriod, 0);
    g_DDBPack.BltClear(-1);
    for (std::int32_t row = 0; row < kRows; ++row)
        for (std::int32_t c = 0; c < kColumns; ++c)
            QueueAt(kFirstTile + g_Angle.Rnd10(-1), kCell * c, kCell * row, kCell, kCell, kPicture);
    g_DDBPack.Blt();

    g_DDBPack.GetSprite(kLoop).SetUP(320, 2 * kPeriod, 0);
    g_DDBPack.BltClear(-1);
    QueueAt(kPicture, 0, 0, 320, kPeriod, kLoop);
    QueueAt(kPicture, 0, kPeriod, 320, kPeriod, kLoop);
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);

    CQ7Sprite256& marker = g_DDBPack.GetSprite(kMarker);
    marker.SetUP(1, 1, 0);
    marker.Pos.ReSize(320, kMarkerHeight);
    marker.Pos.Move(0, kStartTop);

    frame_ = 0;
    scroll_pos_ = 0;
    picture_top_ = -kPeriod;
    g_ScrollSpeed = 0.2;
}

bool CBG3::Call_Events() {
    if ((frame_ & 3) == 3) g_Palette.Roll_UP(181, 16, -1);
    ++frame_;

    scroll_pos_ += g_ScrollSpeed;
    const std::int32_t top = kStartTop + RoundHalfEven(scroll_pos_);
    g_DDBPack.GetSprite(kMarker).Pos.SetTop(top);

    // The loop picture's top runs from -240 up to -1 and starts again.
    picture_top_ = ((top % kPeriod) + kPeriod) % kPeriod - kPeriod;
    CQ7Sprite256& loop = g_DDBPack.GetSprite(kLoop);
    loop.Pos.SetCenter_Base(VB_FALSE);
    loop.Pos.Move(0, picture_top_);
    g_DDBPack.AddBlt(loop.Pos, kLoop, 0, 0, 1);
    return false;
}

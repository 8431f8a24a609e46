#include "game/stages/bg5.h"

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "game/stages/bg_object.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

constexpr std::int32_t kMarkerSprite = 1, kPictureSprite = 2;
constexpr std::int32_t kStripHeight = 32;

// The six colour loops and how many frames each waits between two steps.
// The sea's three (its swell, its glitter, the swell in the deck's
// shadows) step every second frame: their pattern climbs a row a step, so
// the sea slides by at half the deck's speed, far below it. The deck's
// shaded and lit flanks billow slowly; the drifting clouds shimmer.
struct PaletteRoll {
    std::int32_t first;
    std::int32_t every;
};
constexpr PaletteRoll kRolls[] = {{101, 2}, {117, 2}, {133, 2}, {149, 8}, {165, 8}, {181, 4}};

// The cloud layer: from frame 7499 the ship flies among loose clouds
// drifting under it, thickest during the dive-bomber rain, until the sky
// clears for the serpent. On every `every`-th frame of [first, last],
// `count` clouds at places and of kinds drawn from the background's own
// sequence; several at once are spread over the width.
struct CloudEvent {
    std::int32_t first, last, every;
    std::int32_t count;
};
constexpr CloudEvent kEvents[] = {
    {7499, 7499, 1, 5},      // into the layer: a bank across the sky
    {7523, 8999, 24, 1},
    {9000, 9899, 15, 1},     // the thick of it
    {9900, 10439, 36, 1},    // thinning out
    {10459, 10459, 1, 2},    // the last wisps
};
constexpr std::int32_t kCloudFirst = 1169, kCloudKinds = 4;

}  // namespace

void CBG5::Call_Initial(int&) {
    BuildPicture();
    CQ7Sprite256& marker = g_DDBPack.GetSprite(kMarkerSprite);
    marker.SetUP(1, 1, 0);
    marker.Pos.ReSize(320, kMarkerHeight);
    marker.Pos.Move(0, kStartTop);
    picture_top_ = -kPeriod;
    g_DDBPack.GetSprite(kPictureSprite).Pos.Move(0, picture_top_);
    frame_ = 0;
    scroll_pos_ = 0;
    seed_ = 5;
    g_ScrollSpeed = 1.0;
    g_BgMode = CBGCloud::kCloudMode;
}

void CBG5::BuildPicture() {
    CQ7Sprite256& picture = g_DDBPack.GetSprite(kPictureSprite);
    picture.SetUP(320, kPictureHeight, 0);
    CQ7Pos at;
    at.SetCenter_Base(VB_FALSE);
    at.ReSize(320, kStripHeight);
    g_DDBPack.BltClear(-1);
    // Rows 0..479, then the first screen and a half again below them
    // (the last strip is cut by the picture's bottom).
    for (std::int32_t y = 0; y < kPictureHeight; y += kStripHeight) {
        at.Move(0, y);
        g_DDBPack.AddBlt(at, kFirstStrip + (y / kStripHeight) % kStrips, 0, kPictureSprite, 1);
    }
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);
    picture.DT.ALL_Paint();
}

bool CBG5::Call_Events() {
    for (const PaletteRoll& roll : kRolls)
        if (frame_ % roll.every == roll.every - 1) g_Palette.Roll_UP(roll.first, 16, -1);
    ++frame_;

    // The marker scrolls like a map and wraps by the picture's period, so
    // the rows scrolled modulo 480 place the picture.
    scroll_pos_ += g_ScrollSpeed;
    std::int32_t top = kStartTop + RoundHalfEven(scroll_pos_);
    if (top >= 0) {
        top -= kPeriod;
        scroll_pos_ -= kPeriod;
    }
    g_DDBPack.GetSprite(kMarkerSprite).Pos.SetTop(top);
    picture_top_ = -kPeriod + (top - kStartTop) % kPeriod;
    CQ7Sprite256& picture = g_DDBPack.GetSprite(kPictureSprite);
    picture.Pos.Move(0, picture_top_);
    g_DDBPack.AddBlt(picture.Pos, kPictureSprite, 0, 0, 1);

    RunEvents();
    return false;
}

void CBG5::RunEvents() {
    for (const CloudEvent& e : kEvents) {
        if (frame_ < e.first || frame_ > e.last || (frame_ - e.first) % e.every != 0) continue;
        const std::int32_t lane = 320 / e.count;
        for (std::int32_t i = 0; i < e.count; ++i) {
            const std::int32_t x = e.count == 1 ? static_cast<std::int32_t>(Random() % 320)
                                                : lane * i + lane / 4 + static_cast<std::int32_t>(Random() % (lane / 2 + 1));
            SpawnCloud(x);
        }
    }
}

void CBG5::SpawnCloud(std::int32_t x) {
    g_BGObjParam.X = x;
    g_BGObjParam.Y = 0;
    g_BGObjParam.CG_No = kCloudFirst + static_cast<std::int32_t>(Random() % kCloudKinds);
    g_BGObjParam.DrawMode = 0;
    g_BGObjParam.DrawLayer = 0;
    g_BGObjParam.HasHitBox = VB_FALSE;
    g_BGObjParam.HitW = 0;
    g_BGObjParam.HitH = 0;
    g_BGObjParam.HitCentred = VB_FALSE;
    g_ObjectPack.Spawn<CBGCloud>(2, VB_TRUE);
}

std::uint32_t CBG5::Random() {
    // A plain linear congruential sequence; the high bits vary best.
    seed_ = seed_ * 1664525u + 1013904223u;
    return seed_ >> 16;
}

// CBG6: the naval base's map, the sea over its top, the 960-row wrap and
// the objects its 32-row steps place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/zenit02.h"
#include "game/stages/bg6.h"
#include "game/stages/bg_object.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "spawn_watch.h"
#include "support/headless_game.h"

namespace {

class BG6Test : public ::testing::Test {
protected:
    void SetUp() override {
        game_.StartStage();
        g_Palette.Clear();
        g_Palette.SetUpText(GetPaletteText(107), 181);
        g_Palette.SetUP();
        bg_ = HeadlessGame::ObjectAt<CBG6>(g_ObjectPack.Spawn<CBG6>(1, VB_TRUE));
        ASSERT_NE(bg_, nullptr);
    }

    static int Top() { return g_DDBPack.GetSprite(1).Pos.Top(); }

    HeadlessGame game_;
    CBG6* bg_ = nullptr;
};

TEST_F(BG6Test, MapIsComposedWholeWithTheSeaRepeatingOverItsTop) {
    EXPECT_EQ(bg_->LostDraws(), 0);
    for (const CBG6::Row& row : CBG6::Terrain()) {
        EXPECT_EQ(row.cells.size(), 10u) << row.r;
        EXPECT_TRUE(row.r >= 1 && row.r <= 128) << row.r;
    }
    const CQ7Sprite256& map = g_DDBPack.GetSprite(1);
    EXPECT_EQ(map.Pos.Width(), 320);
    EXPECT_EQ(map.Pos.Height(), 5280);
    EXPECT_EQ(bg_->StartTop(), -5040);
    EXPECT_EQ(g_ScrollSpeed, 0.4);
    const CQ7Sprite256& sea = g_DDBPack.GetSprite(CBG6::kPicture);
    EXPECT_EQ(sea.Pos.Width(), 320);
    EXPECT_EQ(sea.Pos.Height(), 240);
    // After the jump back rows 960.. show where rows 0.. were: they must be the same.
    int differing = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) differing += map.DT.GetPixelData(x, y) != map.DT.GetPixelData(x, y + CBG6::kRepeat);
    EXPECT_EQ(differing, 0);

    // The sea picture is laid end to end: its last row must run on into its first as
    // smoothly as any row into the next (the swells' colours cycle over 16 entries from 181).
    auto step = [&](int y0, int y1) {
        double sum = 0;
        int n = 0;
        for (int x = 0; x < 320; ++x) {
            const int a = sea.DT.GetPixelData(x, y0) - 181, b = sea.DT.GetPixelData(x, y1) - 181;
            if (a < 0 || a > 15 || b < 0 || b > 15) continue;  // whitecaps
            const int d = std::abs(a - b);
            sum += std::min(d, 16 - d);
            ++n;
        }
        return sum / n;
    };
    double roughest = 0;
    for (int y = 0; y + 1 < 240; ++y) roughest = std::max(roughest, step(y, y + 1));
    EXPECT_LE(step(239, 0), roughest);
}

TEST_F(BG6Test, TopJumpsBackBy960RowsOnceItReachesRowZero) {
    g_ScrollSpeed = 7;  // 720 frames to the top
    int jumps = 0;
    for (int frame = 1; frame <= 1000; ++frame) {
        const double pos = bg_->ScrollPos();
        game_.Step();
        const int expected = bg_->StartTop() + RoundHalfEven(pos + 7);
        if (expected >= 0) {
            ++jumps;
            EXPECT_EQ(Top(), expected - CBG6::kRepeat) << frame;
            EXPECT_NEAR(bg_->ScrollPos(), pos + 7 - CBG6::kRepeat, 1e-9) << frame;
        } else {
            EXPECT_EQ(Top(), expected) << frame;
        }
        EXPECT_LT(Top(), 0);
    }
    EXPECT_EQ(jumps, 3);  // at 720, then every 960 / 7 frames or so
}

// Every map object comes once, whether the map creeps or races (more than
// a row a frame skips no step), and nothing comes back after the jump.
TEST_F(BG6Test, EachMapObjectIsPlacedOnceAtAnySpeed) {
    const double speeds[] = {0.4, 3.0};
    std::vector<int> placed;
    for (double speed : speeds) {
        SetUp();
        SpawnWatch watch;
        int count = 0, after_jump = 0;
        bool jumped = false;
        const int frames = int(6500 / speed);
        for (int frame = 1; frame <= frames; ++frame) {
            g_ScrollSpeed = speed;
            const int before = Top();
            game_.Step();
            watch.Update();
            if (Top() < before) jumped = true;
            count += watch.New<CBGObject>();
            if (jumped) after_jump += watch.New<CBGObject>();
        }
        EXPECT_TRUE(jumped) << speed;
        EXPECT_EQ(after_jump, 0) << speed;
        placed.push_back(count);
    }
    EXPECT_GT(placed[0], 0);
    EXPECT_EQ(placed[0], placed[1]);
}

TEST_F(BG6Test, WaterColoursRollEveryFourthFrame) {
    const std::uint32_t colour182 = PalColor32[182];
    game_.Step(3);
    EXPECT_NE(PalColor32[181], colour182);
    game_.Step();
    EXPECT_EQ(PalColor32[181], colour182);
}

}  // namespace

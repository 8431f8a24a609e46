// CBG5: the stage-5 sky, its loop and its seam, its colour loops, and the
// cloud layer it spawns.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "game/stages/bg5.h"
#include "game/stages/bg_object.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "spawn_watch.h"
#include "support/headless_game.h"

namespace {

class BG5Test : public ::testing::Test {
protected:
    void SetUp() override {
        game_.StartStage();
        g_Palette.Clear();
        g_Palette.SetUpText(GetPaletteText(106), 101);
        g_Palette.SetUP();
        g_BgMode = 0;
        bg_ = HeadlessGame::ObjectAt<CBG5>(g_ObjectPack.Spawn<CBG5>(1, VB_TRUE));
        ASSERT_NE(bg_, nullptr);
    }

    HeadlessGame game_;
    CBG5* bg_ = nullptr;
};

TEST_F(BG5Test, PictureRepeatsEvery480RowsAndScrollsAcrossTheSeamOneRowAFrame) {
    const CQ7Sprite256& picture = g_DDBPack.GetSprite(2);
    ASSERT_EQ(picture.Pos.Width(), 320);
    ASSERT_EQ(picture.Pos.Height(), 720);
    std::set<int> colours;
    for (int x = 0; x < 320; x += 4) colours.insert(picture.DT.GetPixelData(x, 37));
    ASSERT_GT(colours.size(), 8u) << "a picture, not an empty sprite";
    // Rows 480..719 are the first screen again, so the top may wrap from 0 to -480 unseen.
    for (int y = 0; y < 240; y += 7)
        for (int x = 0; x < 320; x += 3)
            ASSERT_EQ(picture.DT.GetPixelData(x, y + 480), picture.DT.GetPixelData(x, y)) << x << ", " << y;
    // The strips lie in order: strip 3 at rows 96..127.
    const CQ7Sprite256& strip3 = g_DDBPack.GetSprite(1157);
    for (int x = 0; x < 320; x += 5) ASSERT_EQ(picture.DT.GetPixelData(x, 100), strip3.DT.GetPixelData(x, 4)) << x;

    const CQ7Pos& marker = g_DDBPack.GetSprite(1).Pos;
    EXPECT_EQ(marker.Height(), 7200);
    EXPECT_EQ(marker.Bottom(), 239);
    EXPECT_EQ(g_ScrollSpeed, 1.0);
    EXPECT_EQ(g_BgMode, CBGCloud::kCloudMode);

    int row = -bg_->PictureTop();  // the picture row on screen row 0
    int wraps = 0;
    for (int frame = 1; frame <= 1500; ++frame) {
        const int marker_top = marker.Top();
        game_.Step();
        ASSERT_GE(bg_->PictureTop(), -480) << frame;
        ASSERT_LE(bg_->PictureTop(), -1) << frame;  // the screen never runs off the picture
        const int now = -bg_->PictureTop();
        ASSERT_EQ((row - 1 + 480) % 480, now % 480) << frame;
        if (now > row) ++wraps;
        row = now;
        // The marker moves with the picture, and wraps with it.
        ASSERT_EQ((marker.Top() - marker_top + 480) % 480, 1) << frame;
        ASSERT_EQ(g_DDBPack.QueuedCount(0), 1) << frame;
    }
    EXPECT_EQ(wraps, 3);
}

TEST_F(BG5Test, SixColourLoopsRollAtTheirOwnPaces) {
    struct Loop {
        int first, every;
    };
    const Loop loops[] = {{101, 2}, {117, 2}, {133, 2}, {149, 8}, {165, 8}, {181, 4}};
    std::array<std::uint32_t, 256> start{};
    for (int i = 0; i < 256; ++i) start[static_cast<std::size_t>(i)] = PalColor32[i];
    for (int frames : {1, 2, 7, 8, 33}) {
        game_.Step(frames - bg_->Frame());
        for (const Loop& l : loops) {
            const int steps = frames / l.every;
            for (int k = 0; k < 16; ++k)
                ASSERT_EQ(PalColor32[l.first + k], start[static_cast<std::size_t>(l.first + (k + steps) % 16)])
                    << "loop " << l.first << " after " << frames << " frames";
        }
        EXPECT_EQ(PalColor32[197], start[197]) << "nothing past the six loops rolls";
        EXPECT_EQ(PalColor32[100], start[100]);
    }
}

TEST_F(BG5Test, CloudsDriftUnderTheShipFrom7499To10459AndShowOnlyInTheCloudMode) {
    SpawnWatch watch;
    std::vector<int> cloud_frames;
    int first_batch = 0;
    for (int frame = 1; frame <= 10600; ++frame) {
        game_.Step();
        watch.Update();
        const auto clouds = watch.Fresh<CBGCloud>();
        if (clouds.empty()) continue;
        cloud_frames.push_back(frame);
        if (frame == 7499) first_batch = static_cast<int>(clouds.size());
        for (const CBGCloud* c : clouds) {
            EXPECT_GE(c->CG(), 1169) << frame;
            EXPECT_LE(c->CG(), 1172) << frame;
        }
        if (frame == 9000) {
            // Drawn on their layers in the cloud mode only.
            EXPECT_GT(g_DDBPack.QueuedCount(2) + g_DDBPack.QueuedCount(3), 0);
            g_BgMode = 5;
            game_.Step();
            EXPECT_EQ(g_DDBPack.QueuedCount(2) + g_DDBPack.QueuedCount(3), 0);
            g_BgMode = CBGCloud::kCloudMode;
            game_.Step();
            EXPECT_GT(g_DDBPack.QueuedCount(2) + g_DDBPack.QueuedCount(3), 0);
            frame += 2;
            watch.Update();
        }
    }
    ASSERT_FALSE(cloud_frames.empty());
    EXPECT_EQ(cloud_frames.front(), 7499);
    EXPECT_EQ(cloud_frames.back(), 10459);
    EXPECT_EQ(first_batch, 5);
    EXPECT_GT(cloud_frames.size(), 100u);
    // Its places and kinds come from its own sequence: the shared ones are untouched.
    EXPECT_EQ(g_Angle.Rnd16(-1), 7);
    EXPECT_EQ(g_Angle.Rnd8(-1), 7);
}

}  // namespace

// CBG1: the stage-1 map, its scrolling, its wrap and its map objects.
#include <gtest/gtest.h>

#include <vector>

#include "app/zenit02.h"
#include "game/stages/bg1.h"
#include "game/stages/bg_object.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "spawn_watch.h"
#include "support/headless_game.h"

namespace {

class BG1Test : public ::testing::Test {
protected:
    void SetUp() override {
        game_.StartStage();
        // The stage's water colours, so that their roll shows.
        g_Palette.Clear();
        g_Palette.SetUpText(GetPaletteText(102), 181);
        g_Palette.SetUP();
        bg_ = HeadlessGame::ObjectAt<CBG1>(g_ObjectPack.Spawn<CBG1>(1, VB_TRUE));
        ASSERT_NE(bg_, nullptr);
    }

    static int Top() { return g_DDBPack.GetSprite(1).Pos.Top(); }
    int Distance() const { return Top() - bg_->StartTop(); }

    // Steps until the map has scrolled `distance` rows.
    void StepTo(int distance) {
        while (Distance() < distance) game_.Step();
    }

    HeadlessGame game_;
    CBG1* bg_ = nullptr;
};

TEST_F(BG1Test, TerrainFitsTheDrawQueueInItsRows) {
    EXPECT_EQ(bg_->LostDraws(), 0);
    for (const map_paint::TerrainRow& row : CBG1::Terrain().rows) {
        EXPECT_EQ(row.cells.size(), 10u) << row.r;
        EXPECT_TRUE((row.r >= 15 && row.r <= 31) || (row.r >= 45 && row.r <= 69)) << row.r;
    }
    const CQ7Sprite256& map = g_DDBPack.GetSprite(1);
    EXPECT_EQ(map.Pos.Height(), 4320);
    EXPECT_EQ(bg_->StartTop(), -4080);
    EXPECT_EQ(g_ScrollSpeed, 0.2);
    // The wrap shows rows 1440.. where rows 0.. were: the scenery must match there.
    int differing = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            differing += map.DT.GetPixelData(x, y) != map.DT.GetPixelData(x, y + CBG1::kRepeat);
    EXPECT_EQ(differing, 0);
}

TEST_F(BG1Test, MapMovesOneRowEveryFiveFramesAndEachEventFiresOnce) {
    const std::uint32_t colour182 = PalColor32[182];
    SpawnWatch watch;
    std::vector<int> row_frames;  // frames on which the top moved
    std::vector<std::pair<int, int>> spawns;  // (distance, objects created)
    int top = Top();
    for (int frame = 1; frame <= 160; ++frame) {
        game_.Step();
        watch.Update();
        if (frame == 3) {
            EXPECT_NE(PalColor32[181], colour182);
        } else if (frame == 4) {
            EXPECT_EQ(PalColor32[181], colour182);  // the water rolled on the fourth frame
        }
        if (Top() != top) {
            EXPECT_EQ(Top(), top + 1);
            row_frames.push_back(frame);
            top = Top();
        }
        if (watch.New<CBGObject>() > 0) spawns.emplace_back(Distance(), watch.New<CBGObject>());
    }
    ASSERT_GE(row_frames.size(), 30u);
    for (std::size_t i = 1; i < row_frames.size(); ++i) EXPECT_EQ(row_frames[i] - row_frames[i - 1], 5);
    // A pad at 1, a four-piece house at 30, nothing in between or twice.
    EXPECT_EQ(spawns, (std::vector<std::pair<int, int>>{{1, 1}, {30, 4}}));
}

TEST_F(BG1Test, TopRowsRepeatOnceTheMapHasScrolledThrough) {
    g_ScrollSpeed = 1000;
    game_.Step(4);
    EXPECT_EQ(Top(), -80);
    game_.Step();
    EXPECT_EQ(Top(), -4080 + 5000 - 1440);
    EXPECT_EQ(bg_->ScrollPos(), 5000 - 1440);

    // At one row a frame every event distance is met: all of them fire on
    // the first pass, none on the repeats.
    game_.StartStage();
    bg_ = HeadlessGame::ObjectAt<CBG1>(g_ObjectPack.Spawn<CBG1>(1, VB_TRUE));
    g_ScrollSpeed = 1;
    SpawnWatch watch;
    int first_pass = 0, repeats = 0;
    bool wrapped = false;
    for (int frame = 1; frame <= 4080 + 2 * 1440 + 10; ++frame) {
        const int before = Top();
        game_.Step();
        watch.Update();
        if (Top() < before) wrapped = true;
        (wrapped ? repeats : first_pass) += watch.New<CBGObject>();
    }
    EXPECT_TRUE(wrapped);
    EXPECT_GT(first_pass, 0);
    EXPECT_EQ(repeats, 0);
}

TEST_F(BG1Test, ColumnHangarsOpenAndPadsLightUpStepByStep) {
    g_ScrollSpeed = 1;
    StepTo(2251);
    auto kept = [&](int i) { return HeadlessGame::ObjectAt<CBGObject>(bg_->KeptSlot(i)); };
    auto cg = [&](int i) { return kept(i) ? kept(i)->CG() : -1; };
    for (int i = 0; i < CBG1::kKeptSlots; ++i) {
        if (i >= 14 && i < 20) {
            EXPECT_EQ(bg_->KeptSlot(i), -1) << i;
            continue;
        }
        ASSERT_NE(kept(i), nullptr) << i;
        EXPECT_EQ(kept(i)->CG(), i < 14 ? 1083 : 1092) << i;
    }
    for (int step = 0; step < 8; ++step) {
        StepTo(2252 + 2 * step);
        for (int i : {0, 6, 7, 13}) EXPECT_EQ(cg(i), 1084 + step) << i;
        for (int i : {20, 26, 27, 33}) EXPECT_EQ(cg(i), 1093 + step) << i;
        game_.Step();  // the odd distance between changes nothing
        EXPECT_EQ(cg(0), 1084 + step);
    }
}

}  // namespace

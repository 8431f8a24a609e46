// CBG8: the 320x7200 floor, its scroll and wrap, and the frames its two colour loops roll on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/zenit02.h"
#include "game/stages/bg8.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "support/headless_game.h"

namespace {

class BG8Test : public ::testing::Test {
protected:
    void SetUp() override {
        game_.StartStage();
        for (int i = 1; i < 255; ++i) g_Palette.SetData(i, i * 0x010203);  // every entry its own colour
        g_Palette.SetUP();
        bg_ = HeadlessGame::ObjectAt<CBG8>(g_ObjectPack.Spawn<CBG8>(1, VB_TRUE));
        ASSERT_NE(bg_, nullptr);
    }

    HeadlessGame game_;
    CBG8* bg_ = nullptr;
};

TEST_F(BG8Test, TheMapIsTheFloorTileUnderItsStructuresAndScrollsAt04) {
    const CQ7Sprite256& map = g_DDBPack.GetSprite(1);
    ASSERT_EQ(map.Pos.Width(), 320);
    ASSERT_EQ(map.Pos.Height(), 7200);
    EXPECT_EQ(bg_->LostDraws(), 0);
    // Most of the map is bare floor: the tile repeated every 32 pixels.
    const CQ7Sprite256& tile = g_DDBPack.GetSprite(1186);
    int bare = 0, samples = 0;
    for (int y = 0; y < 7200; y += 37)
        for (int x = 0; x < 320; x += 13, ++samples) bare += map.DT.GetPixelData(x, y) == tile.DT.GetPixelData(x % 32, y % 32);
    EXPECT_GT(bare, samples / 3);
    EXPECT_LT(bare, samples) << "the structures are drawn in";
    // Every stretch is laid, the bottom too (the draw queue takes 200 strips a layer; the map needs 225).
    for (int band = 0; band < 7200; band += 320) {
        int laid = 0;
        for (int y = band; y < std::min(band + 320, 7200); y += 7)
            for (int x = 0; x < 320; x += 13) laid += map.DT.GetPixelData(x, y) == tile.DT.GetPixelData(x % 32, y % 32);
        EXPECT_GT(laid, 200) << "rows from " << band;  // of about 1150 samples
    }

    EXPECT_EQ(bg_->Top(), 240 - 7200);
    game_.Step(100);
    EXPECT_EQ(bg_->Top(), 240 - 7200 + 40);
    EXPECT_EQ(map.Pos.Top(), bg_->Top());
}

TEST_F(BG8Test, OnceItsTopPassesRowZeroTheMapWrapsBy480Rows) {
    g_ScrollSpeed = 7.0;
    int wraps = 0, last = bg_->Top();
    for (int frame = 0; frame < 2500; ++frame) {
        game_.Step();
        g_ScrollSpeed = 7.0;
        const int top = bg_->Top();
        ASSERT_LE(top, 0) << "frame " << frame;
        if (top < last) {
            ++wraps;
            EXPECT_EQ(top - last, 7 - 480) << "frame " << frame;
            EXPECT_GT(top, -480);
        }
        last = top;
    }
    EXPECT_GE(wraps, 2);
}

TEST_F(BG8Test, BothLoopsOf60RollOnlyOnTheFramePatternQuickerTowardTheCore) {
    g_ScrollSpeed = 0;
    struct Case {
        int n;
        bool rolls;
    };
    for (const Case& c : {Case{420, false}, Case{421, false}, Case{424, true}, Case{480, true}, Case{484, false},
                          Case{8980, true}, Case{9161, false}, Case{9162, true}, Case{9190, true}, Case{9192, false},
                          Case{9999, false}, Case{10084, false}, Case{10085, true}, Case{10099, true},
                          Case{10100, false}, Case{12385, true}})
        EXPECT_EQ(CBG8::RollsOn(c.n), c.rolls) << c.n;

    // Over 1100 frames: the multiples of 4 from 421 to 480 of each 500.
    std::vector<int> rolled, expected;
    std::uint32_t veins = PalColor32[111], plates = PalColor32[171];
    for (int frame = 1; frame <= 1100; ++frame) {
        game_.Step();
        const bool v = PalColor32[111] != veins, p = PalColor32[171] != plates;
        ASSERT_EQ(v, p) << "the two loops roll together, frame " << frame;
        ASSERT_EQ(PalColor32[110], g_Palette.PalSave32[110]);
        ASSERT_EQ(PalColor32[231], g_Palette.PalSave32[231]);
        if (v) rolled.push_back(frame);
        veins = PalColor32[111];
        plates = PalColor32[171];
        if (frame % 500 >= 421 && frame % 500 <= 480 && frame % 4 == 0) expected.push_back(frame);
    }
    EXPECT_EQ(rolled, expected);
    EXPECT_EQ(rolled.size(), 30u);
}

}  // namespace

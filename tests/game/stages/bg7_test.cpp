// CBG7: the stretched bands and the pulse of its colours.
#include <gtest/gtest.h>

#include <vector>

#include "game/stages/bg7.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "support/headless_game.h"

namespace {

class BG7Test : public ::testing::Test {
protected:
    void SetUp() override {
        game_.StartStage();
        g_Palette.Clear();
        g_Palette.SetUpText(GetPaletteText(108), 101);
        g_Palette.SetUP();
        bg_ = HeadlessGame::ObjectAt<CBG7>(g_ObjectPack.Spawn<CBG7>(1, VB_TRUE));
        ASSERT_NE(bg_, nullptr);
    }

    HeadlessGame game_;
    CBG7* bg_ = nullptr;
};

TEST_F(BG7Test, EachBandIsItsPictureRowRepeatedAndTheScreenShowsOneRowAFrame) {
    const CQ7Sprite256& picture = g_DDBPack.GetSprite(3);
    ASSERT_EQ(picture.Pos.Width(), 320);
    ASSERT_EQ(picture.Pos.Height(), 360);
    // The strips are stacked every 30 rows.
    const CQ7Sprite256& strip = g_DDBPack.GetSprite(1174 + 5);
    for (int x = 0; x < 320; x += 7) EXPECT_EQ(picture.DT.GetPixelData(x, 150 + 12), strip.DT.GetPixelData(x, 12)) << x;

    for (int t : {0, 1, 29, 30, 181, 359}) {
        const CQ7Sprite256& band = g_DDBPack.GetSprite(CBG7::kFirstBand + t);
        ASSERT_EQ(band.Pos.Width(), 320) << t;
        ASSERT_EQ(band.Pos.Height(), 22) << t;
        int differing = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 320; ++x) differing += band.DT.GetPixelData(x, y) != picture.DT.GetPixelData(x, t);
        EXPECT_EQ(differing, 0) << "band " << t;
    }

    // Frame n shows picture row (n - 1) mod 360 on every row from 22 down;
    // rows above stay as the status bar leaves them.
    const CQ7Sprite256& screen = g_DDBPack.GetSprite(0);
    for (int frames : {1, 2, 150, 210}) {  // frames 1, 3, 153, 363
        game_.Step(frames, true);
        const int row = (bg_->Frame() - 1) % 360;
        EXPECT_EQ(bg_->Band(), (row + 1) % 360);
        int differing = 0;
        for (int y = 22; y < 240; ++y)
            for (int x = 0; x < 320; ++x) differing += screen.DT.GetPixelData(x, y) != picture.DT.GetPixelData(x, row);
        EXPECT_EQ(differing, 0) << "frame " << bg_->Frame();
    }
}

TEST_F(BG7Test, FourRangesOf33RollOnlyOnTheListedFramesOfEach500) {
    // Every entry its own colour, so that each roll shows.
    for (int i = 1; i < 255; ++i) g_Palette.SetData(i, i * 0x010203);
    g_Palette.SetUP();
    std::vector<int> rolled;
    std::uint32_t before[4];
    for (int k = 0; k < 4; ++k) before[k] = PalColor32[101 + 33 * k];
    for (int frame = 1; frame <= 1100; ++frame) {
        game_.Step();
        bool changed = false;
        for (int k = 0; k < 4; ++k) {
            changed |= PalColor32[101 + 33 * k] != before[k];
            before[k] = PalColor32[101 + 33 * k];
        }
        // Nothing outside the four ranges moves.
        ASSERT_EQ(PalColor32[100], g_Palette.PalSave32[100]);
        ASSERT_EQ(PalColor32[233], g_Palette.PalSave32[233]);
        if (changed) rolled.push_back(frame);
    }
    const std::vector<int> expected = {390, 400, 410, 420, 430, 440, 450, 460, 470, 480, 490,
                                       890, 900, 910, 920, 930, 940, 950, 960, 970, 980, 990};
    EXPECT_EQ(rolled, expected);
    // Eleven places per pulse, three pulses to come round: the first colour is back after 1500.
    for (int frame = 1101; frame <= 1500; ++frame) game_.Step();
    for (int i = 101; i <= 232; ++i) EXPECT_EQ(PalColor32[i], g_Palette.PalSave32[i]) << i;
}

}  // namespace

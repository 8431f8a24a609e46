// CBG3: the sea's loop picture, its seam and its marker.
#include <gtest/gtest.h>

#include "app/zenit02.h"
#include "game/stages/bg3.h"
#include "gfx/q7_ddbpack256.h"
#include "support/headless_game.h"

namespace {

TEST(BG3, LoopRepeatsItsFirstScreenAndWrapsWithoutAJump) {
    HeadlessGame game;
    game.StartStage();
    CBG3* bg = HeadlessGame::ObjectAt<CBG3>(g_ObjectPack.Spawn<CBG3>(1, VB_TRUE));
    ASSERT_NE(bg, nullptr);

    // The two halves of the loop are the same picture, cells of the ground's ten variants.
    const CQ7Sprite256& loop = g_DDBPack.GetSprite(2);
    ASSERT_EQ(loop.Pos.Height(), 480);
    int differ = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) differ += loop.DT.GetPixelData(x, y) != loop.DT.GetPixelData(x, y + 240);
    EXPECT_EQ(differ, 0);
    const CQ7Sprite256& marker = g_DDBPack.GetSprite(1);
    EXPECT_EQ(marker.Pos.Height(), 3120);
    EXPECT_EQ(marker.Pos.Top(), -2880);

    // At 0.2 a frame the picture moves a row every five frames, from -240
    // down to -1 and back to -240, while the marker keeps going.
    int picture = bg->PictureTop(), wraps = 0;
    for (int frame = 1; frame <= 5 * 500; ++frame) {
        game.Step();
        const int now = bg->PictureTop();
        ASSERT_GE(now, -240);
        ASSERT_LE(now, -1);
        if (now < picture) {
            EXPECT_EQ(picture, -1) << frame;
            EXPECT_EQ(now, -240) << frame;
            ++wraps;
        } else {
            EXPECT_LE(now - picture, 1) << frame;
        }
        picture = now;
        EXPECT_EQ(marker.Pos.Top() - -2880, RoundHalfEven(bg->ScrollPos())) << frame;
    }
    EXPECT_EQ(wraps, 2);
    EXPECT_EQ(marker.Pos.Top(), -2880 + 500);
}

}  // namespace

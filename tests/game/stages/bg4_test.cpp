// CBG4: the stage-4 floor loop and the marker that carries its scroll.
#include <gtest/gtest.h>

#include <vector>

#include "app/zenit02.h"
#include "game/stages/bg4.h"
#include "gfx/q7_ddbpack256.h"
#include "support/headless_game.h"

namespace {

class BG4Test : public ::testing::Test {
protected:
    void SetUp() override {
        game_.StartStage();
        bg_ = HeadlessGame::ObjectAt<CBG4>(g_ObjectPack.Spawn<CBG4>(1, VB_TRUE));
        ASSERT_NE(bg_, nullptr);
    }

    static int MarkerTop() { return g_DDBPack.GetSprite(1).Pos.Top(); }

    // The back screen's rows, as drawn by the frame just stepped.
    static std::vector<std::uint8_t> Row(int y) {
        const CQ7Spritedata& screen = g_DDBPack.GetSprite(0).DT;
        std::vector<std::uint8_t> row(320);
        for (int x = 0; x < 320; ++x) row[std::size_t(x)] = std::uint8_t(screen.GetPixelData(x, y));
        return row;
    }
    static std::vector<std::vector<std::uint8_t>> Screen() {
        std::vector<std::vector<std::uint8_t>> rows;
        for (int y = 0; y < 240; ++y) rows.push_back(Row(y));
        return rows;
    }

    HeadlessGame game_;
    CBG4* bg_ = nullptr;
};

TEST_F(BG4Test, TilesTheFloorIntoALoopAndStretchesTheMarker) {
    EXPECT_EQ(g_ScrollSpeed, 0.4);
    const CQ7Sprite256& picture = g_DDBPack.GetSprite(2);
    EXPECT_EQ(picture.Pos.Width(), 320);
    EXPECT_EQ(picture.Pos.Height(), 480);
    // Every 40x40 cell of the picture is the floor tile.
    const CQ7Sprite256& tile = g_DDBPack.GetSprite(1153);
    for (int cell_y : {0, 200, 440})
        for (int cell_x : {0, 160, 280})
            for (int y = 0; y < 40; y += 7)
                for (int x = 0; x < 40; x += 3)
                    ASSERT_EQ(picture.DT.GetPixelData(cell_x + x, cell_y + y), tile.DT.GetPixelData(x, y))
                        << cell_x + x << "," << cell_y + y;
    const CQ7Pos& marker = g_DDBPack.GetSprite(1).Pos;
    EXPECT_EQ(marker.Width(), 320);
    EXPECT_EQ(marker.Height(), 7200);
    EXPECT_EQ(marker.Bottom(), 239);
    EXPECT_EQ(bg_->StartTop(), -6960);
}

// At one row a frame, every frame shows the previous one moved down a row,
// across the loop's wrap too, and after 240 rows the first screen comes back.
TEST_F(BG4Test, LoopMovesOnRowByRowWithoutASeam) {
    g_ScrollSpeed = 1;
    game_.Step(1, true);
    const auto first = Screen();
    auto previous = first;
    bool wrapped = false;
    for (int frame = 2; frame <= 241 + 20; ++frame) {
        const int picture_top = bg_->PictureTop();
        game_.Step(1, true);
        if (bg_->PictureTop() < picture_top) wrapped = true;
        EXPECT_EQ(MarkerTop(), bg_->StartTop() + frame);
        const auto now = Screen();
        for (int y = 1; y < 240; ++y) ASSERT_EQ(now[std::size_t(y)], previous[std::size_t(y - 1)]) << "frame " << frame << " row " << y;
        if (frame == 241) {
            EXPECT_EQ(now, first);
        }
        previous = now;
    }
    EXPECT_TRUE(wrapped);
}

// Below a pixel a frame the loop moves by whole rows when the rounded scroll
// does, and the marker carries the same distance for what rides on it.
TEST_F(BG4Test, SlowScrollMovesPictureAndMarkerTogether) {
    int moves = 0;
    for (int frame = 1; frame <= 1300; ++frame) {
        const int top = MarkerTop();
        game_.Step();
        const int scrolled = MarkerTop() - bg_->StartTop();
        EXPECT_EQ(scrolled, RoundHalfEven(frame * 0.4)) << frame;
        EXPECT_EQ(bg_->PictureTop(), -240 + scrolled % 240) << frame;
        moves += MarkerTop() - top;
    }
    EXPECT_EQ(moves, 520);
}

}  // namespace

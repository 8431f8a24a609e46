// The composed hulls of the large enemies: the stages' piece tables and the
// catalogue's piece sizes must agree, or a hull comes out with gaps or
// doubled rows.
#include <gtest/gtest.h>

#include <vector>

#include "game/stages/hull_sprites.h"
#include "gfx/q7_ddbpack256.h"

namespace {

TEST(HullSprites, PiecesTileEachHullExactlyOnce) {
    for (const WorkSprite& hull : {kCruiserHull, kFrigateHull, kBattleshipHull, kCarrierHull, kMothershipHull}) {
        SCOPED_TRACE(hull.id);
        std::vector<int> cover(std::size_t(hull.width) * hull.height, 0);
        for (const WorkPiece& p : hull.pieces) {
            ASSERT_EQ(g_DDBPack.LoadRES(p.sprite, p.sprite, "CUSTOM"), 0) << p.sprite;
            const CQ7Spritedata& dt = g_DDBPack.GetSprite(p.sprite).DT;
            ASSERT_LE(p.x + dt.Width(), hull.width) << p.sprite;
            ASSERT_LE(p.y + dt.Height(), hull.height) << p.sprite;
            for (int y = 0; y < dt.Height(); ++y)
                for (int x = 0; x < dt.Width(); ++x) ++cover[std::size_t(p.y + y) * hull.width + p.x + x];
        }
        for (std::size_t i = 0; i < cover.size(); ++i)
            ASSERT_EQ(cover[i], 1) << "pixel " << i % hull.width << "," << i / hull.width;
    }
}

}  // namespace

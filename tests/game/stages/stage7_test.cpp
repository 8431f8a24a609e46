// CStage7 in the headless game: its row, its streams and its random rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "app/form1.h"
#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "game/enemies/boss07.h"
#include "game/enemies/en019.h"
#include "game/enemies/en020.h"
#include "game/enemies/en025.h"
#include "game/stages/bg7.h"
#include "game/stages/stage7.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "platform/q7_directx7.h"
#include "spawn_watch.h"
#include "stage_fixture.h"
#include "support/headless_game.h"

namespace {

class Stage7Test : public StageTest<CStage7> {
protected:
    void Start(int score, int rank) { StageTest::Start(7, score, rank); }
};

TEST_F(Stage7Test, SetUpFollowsTheStageRow) {
    struct Case {
        int score, rank_before, rank_after;
    };
    for (const Case& c : {Case{1299999, 0, 0}, Case{1300000, 0, 1}, Case{1550000, 0, 3}, Case{1550000, 6, 6},
                          Case{2200000, 2, 10}, Case{9000000, 0, 10}}) {
        Start(c.score, c.rank_before);
        EXPECT_EQ(g_Rank, c.rank_after) << c.score;
    }

    ExpectPalettes({{101, 1}, {108, 101}, {103, 51}});

    EXPECT_FALSE(g_ShadowsOn);
    EXPECT_FALSE(g_BulletsOff);
    EXPECT_FALSE(g_NoDamage);
    EXPECT_EQ(Stage().Def().last_scripted_frame, 11000);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBG7>().size(), 1u);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBoss07>().size(), 1u);
    EXPECT_EQ(g_DDBPack.GetSprite(90).Pos.Height(), 224);  // the battleships' hull

    ExpectMusic(7, 6144, -400, 170);
}

// The whole script with the ship untouchable: what each rule creates, and when.
TEST_F(Stage7Test, StreamsAndRandomRulesCreateTheirEnemiesOnTheirFrames) {
    Start(0, 0);
    g_NoDamage = true;
    SpawnWatch watch;
    std::array<std::int32_t, 2> last_pair = {-1, -1};
    std::vector<int> columns;
    int stream_fighters = 0;
    for (int frame = 1; frame <= 11100; ++frame) {
        game_.Step();
        g_NoDamage = true;
        watch.Update();

        // Streams: only on the multiples of 16, from their entries, never after 11000.
        if (frame >= 700) {
            const int fresh = watch.New<CEN025>();
            if (frame % 16 != 0 || frame > 11000) {
                ASSERT_EQ(fresh, 0) << "frame " << frame;
            }
            stream_fighters += fresh;
        }
        if (frame >= 700 && frame <= 10999 && frame % 100 == 0) {
            const auto& pair = Stage().Streams().LastPair();
            ASSERT_NE(pair[0], pair[1]) << frame;
            for (int e : pair) ASSERT_TRUE(e != last_pair[0] && e != last_pair[1]) << "frame " << frame;
            last_pair = pair;
        }

        // Bombers every 200 frames from 1000 to 4999, in a column none of the last two took.
        const bool heavy = frame >= 1000 && frame <= 4999;
        if (heavy) {
            ASSERT_EQ(watch.New<CEN020>(), frame % 200 == 0 ? 1 : 0) << "frame " << frame;
            ASSERT_EQ(watch.New<CEN019>(), frame % 500 == 400 ? 2 : 0) << "frame " << frame;
            if (frame % 200 == 0) {
                const int column = Stage().LastColumns()[0];
                ASSERT_GE(column, 0);
                ASSERT_LT(column, 8);
                for (std::size_t back = 1; back <= 2 && back <= columns.size(); ++back) {
                    ASSERT_NE(column, columns[columns.size() - back]) << "frame " << frame;
                }
                columns.push_back(column);
                bool found = false;
                for (CEN020* b : HeadlessGame::ObjectsOf<CEN020>())
                    found |= std::fabs(b->X() - (column * 40 + 20)) <= 30;  // it weaves from its column
                EXPECT_TRUE(found) << "frame " << frame;
            }
        }
    }
    EXPECT_EQ(columns.size(), 20u);
    // 103 feeds of two entries, 6 fighters each, less what the end of the script cut off.
    int left = 0;
    for (int e = 0; e < 16; ++e) left += Stage().Streams().ShotsLeft(e);
    EXPECT_EQ(stream_fighters + left, 103 * 2 * 6);
}

// Every stream fighter flies on the line from its entry along the entry's
// heading, a whole number of 2.5-pixel steps from it.
TEST_F(Stage7Test, StreamFightersFlyInFromTheirEntriesAlongTheirHeadings) {
    Start(0, 0);
    g_NoDamage = true;
    game_.Step(699);
    const std::vector<CEN025*> opening = HeadlessGame::ObjectsOf<CEN025>();  // the opening's lines
    std::set<int> used;
    for (int frame = 700; frame <= 3000; ++frame) {
        game_.Step();
        g_NoDamage = true;
        for (CEN025* f : HeadlessGame::ObjectsOf<CEN025>()) {
            if (std::find(opening.begin(), opening.end(), f) != opening.end()) continue;
            int from = -1;
            for (int e = 0; e < 16; ++e) {
                const StreamEntry& s = kStage7Streams.entries[e];
                if (f->Heading() != s.heading) continue;
                const double dx = g_Angle.GetDX8(s.heading) * 2.5, dy = g_Angle.GetDY8(s.heading) * 2.5;
                const double k = std::round(dx != 0 ? (f->X() - s.x) / dx : (f->Y() - s.y) / dy);
                if (k >= 1 && std::fabs(s.x + k * dx - f->X()) < 1e-6 && std::fabs(s.y + k * dy - f->Y()) < 1e-6) from = e;
            }
            ASSERT_GE(from, 0) << "a fighter at " << f->X() << ", " << f->Y() << " heading " << f->Heading()
                               << ", frame " << frame;
            used.insert(from);
        }
    }
    EXPECT_GE(used.size(), 14u) << "the draws reach round the whole edge";
}

}  // namespace

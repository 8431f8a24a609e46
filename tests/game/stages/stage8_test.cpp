// CStage8 in the headless game: its row and the feeding of its eight streams.
#include <gtest/gtest.h>

#include <set>

#include "app/zenit02.h"
#include "game/enemies/boss08.h"
#include "game/enemies/en025.h"
#include "game/stages/bg8.h"
#include "game/stages/stage8.h"
#include "gfx/q7_ddbpack256.h"
#include "spawn_watch.h"
#include "stage_fixture.h"

namespace {

class Stage8Test : public StageTest<CStage8> {
protected:
    void Start(int score, int rank) { StageTest::Start(8, score, rank); }
};

TEST_F(Stage8Test, SetUpFollowsTheStageRow) {
    struct Case {
        int score, rank_before, rank_after;
    };
    for (const Case& c : {Case{1699999, 0, 0}, Case{1700000, 0, 1}, Case{2050000, 0, 4}, Case{2050000, 7, 7},
                          Case{2599999, 0, 9}, Case{2600000, 0, 10}, Case{9000000, 0, 10}}) {
        Start(c.score, c.rank_before);
        EXPECT_EQ(g_Rank, c.rank_after) << c.score;
    }

    ExpectPalettes({{111, 1}, {110, 111}, {109, 51}});

    EXPECT_TRUE(g_ShadowsOn);
    EXPECT_EQ(Stage().Def().last_scripted_frame, 10600);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBG8>().size(), 1u);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBoss08>().size(), 1u);
    EXPECT_EQ(g_DDBPack.GetSprite(90).Pos.Height(), 224);  // the motherships' hull

    ExpectMusic(8, 9216, -300, 120);
}

// Shots granted on a Count: one drawn entry gets 1 on the multiples of the
// period; all eight get 48 at 4600 and 8 at 10000.
int ExpectedGrant(int count) {
    struct Rule {
        int first, last, every;
    };
    for (const Rule& r : {Rule{700, 4399, 32}, Rule{5500, 9599, 32}, Rule{9600, 9799, 16}, Rule{9800, 9899, 8},
                          Rule{9900, 9999, 4}})
        if (count >= r.first && count <= r.last && count % r.every == 0) return 1;
    if (count == 4600) return 8 * 48;
    if (count == 10000) return 8 * 8;
    return 0;
}

// The whole script with the ship untouchable: every Count's grant exactly,
// fighters only on the multiples of 16, only entries 0..7 ever fed.
TEST_F(Stage8Test, StreamsAreFedExactlyOnTheirCounts) {
    Start(0, 0);
    g_NoDamage = true;
    SpawnWatch watch;
    auto left = [&] {
        int sum = 0;
        for (int e = 0; e < 16; ++e) sum += Stage().Streams().ShotsLeft(e);
        return sum;
    };
    std::set<int> fed;
    int before = 0, fighters = 0, granted = 0;
    for (int frame = 1; frame <= 10700; ++frame) {
        game_.Step();
        g_NoDamage = true;
        watch.Update();
        const int fresh = watch.New<CEN025>();
        if (frame % 16 != 0) {
            ASSERT_EQ(fresh, 0) << "frame " << frame;
        }
        const int now = left();
        ASSERT_EQ(now - before + fresh, ExpectedGrant(frame)) << "frame " << frame;
        for (int e = 8; e < 16; ++e) ASSERT_EQ(Stage().Streams().ShotsLeft(e), 0) << e;
        for (int e = 0; e < 8; ++e)
            if (Stage().Streams().ShotsLeft(e) > 0) fed.insert(e);
        fighters += fresh;
        granted += ExpectedGrant(frame);
        before = now;
    }
    EXPECT_EQ(granted, 116 + 384 + 128 + 13 + 13 + 25 + 64);
    EXPECT_EQ(fighters + before, granted) << "every shot granted is a fighter, or still waiting";
    EXPECT_EQ(fed.size(), 8u);
}

}  // namespace

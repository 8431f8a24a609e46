// CBoss06, the flying carrier: its reset of the random sequences, its
// descent, its rings and interceptors, and the interceptors' end with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/q7_angle.h"
#include "enemy_fixture.h"
#include "game/enemies/boss06.h"
#include "game/enemies/en021.h"
#include "game/enemies/tama.h"
#include "game/stages/spawn_watch.h"
#include "game/stages/stage_base.h"

namespace {

constexpr int kWake = 9800;

class Boss06Test : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        static constexpr WorkPiece kPieces[] = {{4271, 0, 0}, {4272, 0, 64}};
        ComposeWorkSprite({.id = 91, .width = 160, .height = 128, .pieces = kPieces, .centre_based = true});
        boss_ = HeadlessGame::ObjectAt<CBoss06>(g_ObjectPack.Spawn<CBoss06>(1, VB_TRUE));
        g_MyShipPos = Box(160, 200, 8, 8);
    }

    void StepToT(int t) { Step(kWake + t - boss_->Frame()); }
    void AttackEverywhere(int value) { attacks_ = {{Box(160, 120, 480, 480), value}}; }

    CBoss06* boss_ = nullptr;
};

TEST_F(Boss06Test, FirstAwakeFrameResetsTheRandomSequencesThenItDescendsAndSettles) {
    StepToT(0);
    for (int k = 0; k < 7; ++k) g_Angle.Rnd16(-1);
    const int first = g_Angle.Rnd16(0);
    Step();  // t = 1: the reset, no motion
    EXPECT_EQ(boss_->Y(), -100);
    EXPECT_EQ(g_Angle.Rnd16(-1), first);
    StepToT(2);
    EXPECT_NEAR(boss_->Y(), -98.4, 1e-9);  // the stage-1 descent from its second frame on
    StepToT(400);
    EXPECT_NEAR(boss_->Y(), -100 + 196 - 1.6, 1e-9);
    EXPECT_EQ(boss_->HitPoints(), 800000);
}

// Volleys with the bullets held still: a ring of 13 leaving out the three
// directions behind the boss, from its two wing guns in turn, every 120 - 10 x
// rank frames; every second volley two interceptors leave the decks, but
// never sooner than 160 frames after the last pair (at rank 10 the volleys
// come every 20 frames).
TEST_F(Boss06Test, RingsFromTheGunsInTurnAndInterceptorsEverySecondVolley) {
    for (int rank : {0, 4, 10}) {
        SCOPED_TRACE(rank);
        if (rank != 0) {
            Restart();
            SetUp();
        }
        g_Rank = rank;
        SetRankValues();
        StepToT(409);
        g_BulletSpeed = 0;
        const int interval = 120 - 10 * rank;
        ASSERT_EQ(CBoss06::AttackInterval(), interval);
        SpawnWatch watch;
        int volleys = 0;
        int last_pair = -1000;
        constexpr int kGunX[] = {-34, 34};  // port, starboard, both 30 below the centre
        const std::vector<int> ring = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 15};
        const int volley_count = rank == 10 ? 12 : 4;
        for (int t = 410; t < 410 + volley_count * interval; ++t) {
            const int x = RoundHalfEven(boss_->X()), y = RoundHalfEven(boss_->Y());
            const auto before = All<CTama>();
            Step();
            watch.Update();
            const bool volley = (t - 410) % interval == 0;
            const bool pair = volley && volleys % 2 == 1 && t - last_pair >= 160;
            if (pair) last_pair = t;
            ASSERT_EQ(watch.New<CEN021>(), pair ? 2 : 0) << t;
            // The new bullets 6 pixels out from the gun whose turn it is
            // (starboard first), along their directions; the interceptors
            // fire too, elsewhere.
            const int gun = (volleys + 1) % 2;
            std::vector<int> dirs;
            for (CTama* b : All<CTama>()) {
                if (std::find(before.begin(), before.end(), b) != before.end()) continue;
                if (std::abs(b->HitPos().CenterX() - (x + kGunX[gun] + g_Angle.GetDX16(b->Dir()) * 6)) <= 1 &&
                    std::abs(b->HitPos().CenterY() - (y + 30 + g_Angle.GetDY16(b->Dir()) * 6)) <= 1)
                    dirs.push_back(b->Dir());
            }
            std::sort(dirs.begin(), dirs.end());
            ASSERT_EQ(dirs, volley ? ring : std::vector<int>{}) << t;
            volleys += volley;
        }
        EXPECT_EQ(volleys, volley_count);
    }
}

TEST_F(Boss06Test, InterceptorsGoUpInSmokeUnscoredWhenTheBossIsBeaten) {
    StepToT(410 + CBoss06::AttackInterval());  // the second volley launched the first pair
    ASSERT_EQ(Count<CEN021>(), 2);
    Step(40);  // clear of the decks
    g_Score = 20000;
    const int score = g_Score;
    // A blow at the boss's centre only, which the interceptors are nowhere near.
    attacks_ = {{Box(RoundHalfEven(boss_->X()), RoundHalfEven(boss_->Y()), 8, 8), 900000}};
    Step(2);  // the stand-in lays the blow; the boss takes it, and the interceptors see its end
    EXPECT_LE(boss_->HitPoints(), 0);
    EXPECT_TRUE(g_BulletsOff);
    EXPECT_EQ(g_Score, score + 50000);
    EXPECT_EQ(Count<CEN021>(), 0);
}

}  // namespace

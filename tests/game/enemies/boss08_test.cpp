// CBoss08: asleep until 10700, its hit points, the slow descent, the bombs
// thrown every 3 frames toward columns at least 41 pixels apart, and a defeat
// that stops the music instead of sounding the explosion.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "enemy_fixture.h"
#include "game/enemies/boss08.h"
#include "game/enemies/tama_bomb.h"
#include "game/stages/spawn_watch.h"

namespace {

constexpr int kWake = CBoss08::kWakeFrame;

class Boss08Test : public EnemyTest {
protected:
    CBoss08* Spawn() { return HeadlessGame::ObjectAt<CBoss08>(g_ObjectPack.Spawn<CBoss08>(1, VB_TRUE)); }
    void StepToT(CBoss08* boss, int t) { Step(kWake + t - boss->Frame()); }
    void AttackEverywhere(int value) { attacks_ = {{Box(160, 120, 480, 480), value}}; }
};

TEST_F(Boss08Test, SleepsUntil10700ThenSinksAt03AFrameWithItsRankedHitPointsOnTheGroundList) {
    for (int rank : {0, 3, 10}) {
        Restart();
        g_Rank = rank;
        EXPECT_EQ(Spawn()->HitPoints(), 400000 * rank + 4000000) << rank;
    }
    Restart();
    g_Rank = 0;
    CBoss08* boss = Spawn();
    for (int frame = 1; frame <= kWake; ++frame) {
        Step();
        ASSERT_EQ(g_HitList1.GetDataCount(), 0) << frame;
        ASSERT_EQ(boss->Y(), -40) << frame;
    }
    StepToT(boss, 1);
    // The body and its two launchers, on the list the ship flies over.
    EXPECT_EQ(g_HitList1.GetDataCount(), 3);
    EXPECT_EQ(g_HitList2.GetDataCount(), 0);
    StepToT(boss, 100);
    const double y100 = boss->Y();
    StepToT(boss, 200);
    EXPECT_NEAR(boss->Y() - y100, 30, 1e-9);
    EXPECT_EQ(boss->X(), 160);
    StepToT(boss, 600);
    const double settled = boss->Y();
    EXPECT_GT(settled, 60);  // well into view
    EXPECT_EQ(Count<CTama7>(), 0) << "nothing is thrown before t = 601";
}

TEST_F(Boss08Test, FromT601EveryThirdFrameItThrowsBombsAtColumnsAtLeast41Apart) {
    for (int rank : {0, 10}) {
        Restart();
        g_Rank = rank;
        CBoss08* boss = Spawn();
        StepToT(boss, 600);
        SpawnWatch watch;
        std::vector<int> targets;
        int first = 0;
        for (int t = 601; t <= 2400; ++t) {
            Step();
            watch.Update();
            const int fresh = watch.New<CTama7>();
            if (fresh == 0) continue;
            ASSERT_EQ(fresh, 1) << "t = " << t;
            ASSERT_EQ((t - 601) % 3, 0) << "t = " << t;
            if (first == 0) first = t;
            targets.push_back(boss->LastTarget());
        }
        EXPECT_EQ(first, 601) << rank;
        // A salvo of 12 a cycle; a higher rank shortens the rest between salvos.
        const int cycles = (2400 - 601) / 3 / CBoss08::CycleSteps(rank) + 1;
        EXPECT_GE(int(targets.size()), 12 * (cycles - 1)) << rank;
        for (std::size_t k = 1; k < targets.size(); ++k) {
            ASSERT_GE(std::abs(targets[k] - targets[k - 1]), 41) << "bomb " << k << " rank " << rank;
            ASSERT_GE(targets[k], 0);
            ASSERT_LT(targets[k], 320);
        }
    }
    EXPECT_LT(CBoss08::CycleSteps(10), CBoss08::CycleSteps(0));
}

TEST_F(Boss08Test, DefeatStopsTheMusicInsteadOfPlayingTheExplosion) {
    CBoss08* boss = Spawn();
    StepToT(boss, 650);
    ASSERT_GT(Count<CTama7>(), 0);
    g_Score = 20000;
    const int score = g_Score;
    game_.ClearAudioCalls();
    AttackEverywhere(5000000);
    Step(2);
    EXPECT_LE(boss->HitPoints(), 0);
    EXPECT_TRUE(g_BulletsOff);
    EXPECT_TRUE(g_NoDamage);
    EXPECT_EQ(g_Score, score + 100000);
    EXPECT_EQ(game_.AudioCalls(AudioOp::DM_Stop).size(), 1u);
    for (int f = game_.Frame() - 2; f <= game_.Frame(); ++f)
        for (int sound : game_.SoundsPlayed(f)) EXPECT_NE(sound, 12) << "frame " << f;
    Step();
    EXPECT_EQ(Count<CTama7>(), 0) << "its bombs vanish with the enemy fire";
}

}  // namespace

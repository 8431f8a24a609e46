// The bosses of stages 2 and 3: wake frames, hit points by rank, the
// untouchable entry, the fortress's turrets and escorts, the monitor's shells.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "enemy_fixture.h"
#include "game/enemies/boss02.h"
#include "game/enemies/boss03.h"
#include "game/enemies/en011.h"
#include "game/enemies/en012.h"
#include "game/enemies/tama_bomb.h"
#include "game/stages/bg_object.h"
#include "game/stages/spawn_watch.h"

namespace {

// Sets up a boss of class T at the given rank.
template <class T>
T* SpawnBoss(int rank) {
    g_Rank = rank;
    SetRankValues();
    return HeadlessGame::ObjectAt<T>(g_ObjectPack.Spawn<T>(1, VB_TRUE));
}

class BossTest : public EnemyTest {
protected:
    void AttackEverywhere(int value) { attacks_ = {{Box(160, 120, 480, 480), value}}; }
};

TEST_F(BossTest, BothWakeOnTheirFramesWithHitPointsByRankAndEnterUntouchable) {
    struct Case {
        bool fortress;
        int rank, hit_points;
    };
    for (const Case& c : {Case{true, 0, 250000}, Case{true, 5, 375000}, Case{true, 10, 500000},
                          Case{false, 0, 400000}, Case{false, 3, 520000}}) {
        Restart();
        SetUpGround(0, 3120);
        CBoss* boss = c.fortress ? static_cast<CBoss*>(SpawnBoss<CBoss02>(c.rank)) : SpawnBoss<CBoss03>(c.rank);
        const int wake = c.fortress ? 13200 : 9000;
        CQ7PosList& list = c.fortress ? g_HitList1 : g_HitList2;
        AttackEverywhere(1000);
        Step(wake);
        EXPECT_EQ(list.GetDataCount(), 0) << "dormant up to its wake frame";
        Step();
        EXPECT_EQ(boss->T(), 1);
        EXPECT_EQ(list.GetDataCount(), 1);
        EXPECT_EQ(g_ObstacleList.GetDataCount(), c.fortress ? 1 : 0);
        Step(599);
        EXPECT_EQ(boss->HitPoints(), c.hit_points) << "rank " << c.rank;
        Step();  // t = 601: the fight
        EXPECT_EQ(boss->HitPoints(), c.hit_points - 1000) << "rank " << c.rank;
    }
}

class Boss02Test : public BossTest {
protected:
    void SetUp() override {
        BossTest::SetUp();
        SetUpGround(0, 3120);  // the map has stopped: the fortress rests on row 60
        boss_ = SpawnBoss<CBoss02>(0);
        Step(13200 + 600);
    }
    // Steps to t and returns what that frame created.
    SpawnWatch StepTo(int t) {
        SpawnWatch watch;
        while (boss_->T() < t) {
            Step();
            watch.Update();
        }
        return watch;
    }
    CBoss02* boss_ = nullptr;
};

TEST_F(Boss02Test, RaisesATurretOnlyInAnEmptyWellEvery120Frames) {
    EXPECT_DOUBLE_EQ(boss_->Y(), 60);
    SpawnWatch first = StepTo(601);
    const std::vector<const CEN011*> raised = first.Fresh<CEN011>();
    ASSERT_EQ(raised.size(), 2u);
    std::vector<std::pair<double, double>> at;
    for (const CEN011* t : raised) at.emplace_back(t->X(), t->Y());
    EXPECT_EQ(at, (std::vector<std::pair<double, double>>{{204, 84}, {116, 44}}));

    EXPECT_EQ(StepTo(721).New<CEN011>(), 0) << "both wells hold a turret";
    // Shoot the turret of the lower well; the next set-down replaces it alone.
    attacks_ = {{Box(204, 84, 20, 20), 5000}};
    Step(2);
    attacks_.clear();
    EXPECT_EQ(Count<CEN011>(), 1);
    SpawnWatch third = StepTo(841);
    ASSERT_EQ(third.New<CEN011>(), 1);
    EXPECT_EQ(third.Fresh<CEN011>()[0]->X(), 204);
    EXPECT_EQ(Count<CEN011>(), 2);
}

TEST_F(Boss02Test, SendsEscortsEvery300FramesAndKeepsOnePatrollerOut) {
    std::vector<int> launched;  // t of each new escort
    auto run_to = [&](int t) {
        SpawnWatch watch;
        while (boss_->T() < t) {
            Step();
            watch.Update();
            if (watch.New<CEN012>() > 0) launched.push_back(boss_->T());
        }
    };
    run_to(1700);
    // Modes 0, 1, 0, then the second patroller stays in: the first still patrols.
    EXPECT_EQ(launched, (std::vector<int>{751, 1051, 1351}));
    EXPECT_EQ(boss_->EscortsLaunched(), 4);
    // Shoot the patroller down (it patrols row 132); the next patroller goes out.
    attacks_ = {{Box(160, 132, 320, 8), 6000}};
    Step(40);
    attacks_.clear();
    run_to(2300);
    EXPECT_EQ(launched, (std::vector<int>{751, 1051, 1351, 1951, 2251}));
}

TEST_F(Boss02Test, DefeatBlowsUpItsTurretsAndEscortsAndLeavesItsWreck) {
    StepTo(800);
    ASSERT_EQ(Count<CEN011>(), 2);
    ASSERT_EQ(Count<CEN012>(), 1);
    AttackEverywhere(300000);
    Step(2);  // the attack counts a frame after it is made
    EXPECT_TRUE(g_BulletsOff);
    EXPECT_EQ(boss_->Countdown(), CBoss::kDefeatCountdown);
    int wrecks = 0;
    for (CBGObject* ob : All<CBGObject>()) wrecks += ob->CG() == 235;
    EXPECT_EQ(wrecks, 1);
    Step();
    EXPECT_EQ(Count<CEN011>(), 0);
    EXPECT_EQ(Count<CEN012>(), 0);
}

TEST_F(BossTest, MonitorDescendsSwaysAndLobsShellsAtSpacedColumns) {
    CBoss03* boss = SpawnBoss<CBoss03>(5);
    Step(9000 + 420);
    EXPECT_NEAR(boss->Y(), 86, 1e-9);
    EXPECT_EQ(boss->X(), 160);
    Step(180);  // t = 600: swaying, nothing thrown yet
    EXPECT_NE(boss->X(), 160);
    EXPECT_EQ(Count<CTama3>(), 0);

    // 16 steps a cycle at rank 5: large shell first, medium every fourth step.
    std::vector<int> kinds, targets;
    SpawnWatch watch;
    for (int t = 601; t <= 600 + 4 * 32; ++t) {
        Step();
        watch.Update();
        const std::vector<const CTama3*> shells = watch.Fresh<CTama3>();
        if (t % 4 != 0) {
            EXPECT_TRUE(shells.empty()) << t;
            continue;
        }
        ASSERT_EQ(shells.size(), 1u) << t;
        kinds.push_back(shells[0]->HitPoints() - 25 * 5);
        targets.push_back(boss->LastTarget());
    }
    std::vector<int> expected;
    for (int cycle = 0; cycle < 2; ++cycle)
        for (int step = 0; step < 16; ++step) expected.push_back(step == 0 ? 225 : step % 4 == 0 ? 300 : 400);
    EXPECT_EQ(kinds, expected);
    for (std::size_t i = 0; i < targets.size(); ++i) {
        EXPECT_GE(targets[i], 24);
        EXPECT_LE(targets[i], 296);
        if (i == 0) continue;
        EXPECT_GE(std::abs(targets[i] - targets[i - 1]), CBoss03::kMinSpacing) << i;
    }
}

}  // namespace

// CEN006, the multi-part ground ship, on the headless game.
#include <gtest/gtest.h>

#include "enemy_fixture.h"
#include "game/enemies/en006.h"
#include "game/enemies/smoke.h"
#include "game/enemies/tama.h"

namespace {

// Part centres relative to the hull centre, in table order (0 is the core).
constexpr int kPartDX[] = {0, 0, 19, -19, 0, 19, -19};
constexpr int kPartDY[] = {0, 52, 30, 30, -52, -30, -30};

class LargeEnemyTest : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        SetUpGround(-4000);
        g_EnemyParam.Mode = 0;  // stays where it is on the ground
        g_EnemyParamEx.FirstShot = 1000;
    }
    CEN006* Spawn(int y = 120) { return ship_ = SpawnEnemy<CEN006>(160, y); }
    ScriptedBox OnPart(int part, int value) const {
        return {Box(160 + kPartDX[part], static_cast<int>(ship_->Y()) + kPartDY[part], 2, 2), value};
    }
    CEN006* ship_ = nullptr;
};

TEST_F(LargeEnemyTest, CoreIsLockedWhileAnyTurretLivesAndStoresNoDamage) {
    Spawn();
    // Every turret but the first, and the core (the hull box covers them all).
    attacks_ = {{Box(160, 200, 2, 2), 3000}};
    for (int part = 2; part <= 6; ++part) attacks_.push_back(OnPart(part, 5000));
    Step(4);
    EXPECT_EQ(ship_->PartHitPoints(0), 10000);
    EXPECT_EQ(ship_->PartHitPoints(1), 3200);
    for (int part = 2; part <= 6; ++part) EXPECT_EQ(ship_->PartHitPoints(part), 0) << part;
    EXPECT_EQ(g_Score, 4 * 200 + 500);

    attacks_ = {OnPart(1, 3200)};
    Step(2);  // the last turret falls, and the core takes the same blow in that frame
    EXPECT_EQ(ship_->PartHitPoints(1), 0);
    EXPECT_EQ(ship_->PartHitPoints(0), 6800);
    attacks_ = {{Box(160, 200, 2, 2), 10000}};
    Step();
    const int smokes = Count<CSmoke>();
    Step();
    EXPECT_EQ(Count<CEN006>(), 0);
    EXPECT_EQ(Count<CSmoke>() - smokes, 26);
    EXPECT_EQ(g_Score, 2 * 500 + 4 * 200 + 3000);
}

TEST_F(LargeEnemyTest, PartUnderTheStatusBarTakesNoDamage) {
    struct Case {
        int hull_y;
        bool hurt;
    };
    for (const Case c : {Case{76, false}, Case{77, true}}) {  // the rear big turret's centre at 24 / 25
        SCOPED_TRACE(c.hull_y);
        Restart();
        Spawn(c.hull_y);
        attacks_ = {OnPart(4, 100), OnPart(1, 100)};
        Step(3);
        EXPECT_EQ(ship_->PartHitPos(4).CenterY(), c.hull_y - 52);
        EXPECT_EQ(ship_->PartHitPoints(4), c.hurt ? 3000 : 3200);
        EXPECT_EQ(ship_->PartHitPoints(1), 3000);
    }
}

TEST_F(LargeEnemyTest, HitFlashTakesAThousandFromEveryLiveTurret) {
    Spawn();
    attacks_ = {OnPart(1, 2300)};
    Step(2);
    ASSERT_EQ(ship_->PartHitPoints(1), 900);
    attacks_.clear();
    Step();
    g_HitFlash = 1;
    Step();
    EXPECT_EQ(ship_->PartHitPoints(1), 0);
    EXPECT_EQ(ship_->PartHitPoints(4), 2200);
    EXPECT_EQ(ship_->PartHitPoints(2), 400);
    EXPECT_EQ(ship_->PartHitPoints(0), 10000);  // the core is still locked
}

TEST_F(LargeEnemyTest, FiringCycleAdvancesEveryThirtyFramesAtRankZeroAndFiveAtRankTen) {
    for (const int rank : {0, 10}) {
        SCOPED_TRACE(rank);
        Restart();
        g_Rank = rank;
        SetRankValues();
        g_EnemyParamEx.FirstShot = 10;
        Spawn();
        const int interval = rank == 0 ? 30 : 5;
        EXPECT_EQ(ship_->FireInterval(), interval);
        Step(9);
        EXPECT_EQ(ship_->FireStepNo(), 0);
        Step();
        EXPECT_EQ(ship_->FireStepNo(), 1);
        EXPECT_EQ(Count<CTama>(), 5);  // the rear big turret's fan
        Step(interval - 1);
        EXPECT_EQ(ship_->FireStepNo(), 1);
        Step();
        EXPECT_EQ(ship_->FireStepNo(), 2);
        Step(7 * interval);
        EXPECT_EQ(ship_->FireStepNo(), 1);  // wrapped after step 8
    }
}

TEST_F(LargeEnemyTest, WreckedBigTurretSmokesOnEveryEighthStep) {
    g_EnemyParamEx.FirstShot = 100;
    Spawn();
    attacks_ = {OnPart(1, 5000)};
    Step(2);
    ASSERT_EQ(ship_->PartHitPoints(1), 0);
    attacks_.clear();
    Step(97);  // frame 99: its own explosion is over
    ASSERT_EQ(Count<CSmoke>(), 0);
    std::vector<int> smokes;
    for (int step = 1; step <= 9; ++step) {
        Step();
        smokes.push_back(Count<CSmoke>());
        Step(29);
    }
    EXPECT_EQ(smokes, (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 1}));
}

}  // namespace

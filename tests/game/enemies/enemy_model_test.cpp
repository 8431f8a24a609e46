// The enemy template and the small classes on the headless game.
#include <gtest/gtest.h>

#include "enemy_fixture.h"
#include "game/enemies/en001.h"
#include "game/enemies/en002.h"
#include "game/enemies/en003.h"
#include "game/enemies/en005.h"
#include "game/enemies/smoke.h"
#include "game/enemies/tama.h"
#include "game/stages/bg_object.h"

namespace {

const EnemyProfile kAir100 = {.kind = EnemyKind::Air, .hit_points = 100, .score = 100};
const EnemyProfile kAir5000 = {.kind = EnemyKind::Air, .hit_points = 5000, .score = 100};
const EnemyProfile kGround500 = {.kind = EnemyKind::Ground, .hit_points = 500, .score = 100, .bound_sprite = 0};

using EnemyModelTest = EnemyTest;

TEST_F(EnemyModelTest, SteadyHitsFlashOnTheFirstFrameOnlyAndDestroyOnTheFourth) {
    CTestEnemy* e = SpawnEnemy<CTestEnemy>(160, 100, kAir100);
    attacks_ = {{Box(160, 100, 8, 8), 30}};
    Step();  // the stand-in puts the shots in the list at the end of this frame
    std::vector<int> flashes;
    for (int hit = 1; hit <= 3; ++hit) {
        Step();
        flashes.push_back(e->Flash());
    }
    EXPECT_EQ(flashes, (std::vector<int>{4, 3, 2}));  // white (4) on the first hit frame only
    EXPECT_EQ(e->HitPoints(), 10);
    const int score = g_Score;
    Step();
    EXPECT_EQ(Count<CTestEnemy>(), 0);
    EXPECT_EQ(g_Score, score + 100);
}

TEST_F(EnemyModelTest, HitFlashFrameDestroysOneHitEnemiesAndAddsAThousandToOthers) {
    g_EnemyParam.Mode = 10;  // a CEN001 that stands still
    SpawnEnemy<CEN001>(100, 100);
    CTestEnemy* sturdy = SpawnEnemy<CTestEnemy>(200, 100, kAir5000);
    g_EnemyParam.EntryFrames = 100;
    SpawnEnemy<CEN001>(100, 150);  // still entering: untouchable
    Step(2);
    g_HitFlash = 1;
    Step();
    EXPECT_EQ(Count<CEN001>(), 1);
    EXPECT_EQ(g_Score, 10);
    EXPECT_EQ(sturdy->HitPoints(), 4000);
    EXPECT_EQ(sturdy->Flash(), 4);
    g_HitFlash = 0;
    Step();
    EXPECT_EQ(sturdy->HitPoints(), 4000);
}

TEST_F(EnemyModelTest, GroundEnemyUnderAnObstacleIsDrawnButNeitherHitNorRegistered) {
    SetUpGround(-4000);
    hook_ = [](TestStage&) { g_ObstacleList.Add(Box(100, 100, 40, 40), 1); };
    CTestEnemy* hidden = SpawnEnemy<CTestEnemy>(100, 100, kGround500);
    g_EnemyParam.Param9 = 1;  // never hidden
    CTestEnemy* exposed = SpawnEnemy<CTestEnemy>(110, 100, kGround500);
    attacks_ = {{Box(105, 100, 40, 40), 50}};
    Step(3);
    EXPECT_TRUE(hidden->Hidden());
    EXPECT_EQ(hidden->HitPoints(), 500);
    EXPECT_EQ(exposed->HitPoints(), 400);
    EXPECT_EQ(g_HitList1.GetDataCount(), 1);
    EXPECT_EQ(g_MissileTargets.GetDataCount(), 1);
    EXPECT_EQ(g_DDBPack.QueuedCount(25), 2);  // both drawn
}

TEST_F(EnemyModelTest, ShotScheduleStartsAtFirstShotAndZeroNeverFires) {
    g_EnemyParamEx.ShotInterval = 20;
    g_EnemyParamEx.FireLimitY = 240;
    g_EnemyParamEx.FirstShot = 0;
    CTestEnemy* never = SpawnEnemy<CTestEnemy>(100, 100, kAir5000);
    g_EnemyParamEx.FirstShot = 5;
    CTestEnemy* early = SpawnEnemy<CTestEnemy>(200, 100, kAir5000);
    g_EnemyParamEx.FireLimitY = 80;  // below its limit: never fires
    CTestEnemy* low = SpawnEnemy<CTestEnemy>(150, 100, kAir5000);
    Step(45);
    EXPECT_EQ(never->Shots(), 0);
    EXPECT_EQ(early->Shots(), 3);  // frames 5, 25, 45
    EXPECT_EQ(low->Shots(), 0);
}

TEST_F(EnemyModelTest, RankShortensTheShotIntervalAndRaisesTheFireLimit) {
    struct Case {
        int rank, interval, limit, want_interval, want_limit;
    };
    for (const Case c : {Case{0, 120, 160, 120, 160}, Case{10, 120, 160, 20, 240}, Case{3, 40, 100, 20, 160},
                         Case{5, 100, 300, 50, 240}}) {
        SCOPED_TRACE(c.rank);
        g_Rank = c.rank;
        g_EnemyParamEx.ShotInterval = c.interval;
        g_EnemyParamEx.FireLimitY = c.limit;
        CTestEnemy* e = SpawnEnemy<CTestEnemy>(100, 100, kAir100);
        EXPECT_EQ(e->ShotInterval(), c.want_interval);
        EXPECT_EQ(e->FireLimitY(), c.want_limit);
    }
}

TEST_F(EnemyModelTest, ShadowInViewKeepsAnAirEnemyAlive) {
    g_EnemyParamEx.Heading = 1;  // the test enemy's shadow switch
    for (bool shadows : {true, false}) {
        SCOPED_TRACE(shadows);
        Restart();
        g_ShadowsOn = shadows;
        // Body left of the screen; its shadow 24 right, 20 down overlaps it.
        SpawnEnemy<CTestEnemy>(-14, 100, kAir100);
        Step(3);
        EXPECT_EQ(Count<CTestEnemy>(), shadows ? 1 : 0);
    }
}

TEST_F(EnemyModelTest, SineWeaverMovesByModeAndStandsStillInModeTen) {
    struct Case {
        int mode;
        double dx_sign, dy;  // after 45 frames: the weave is at its widest
    };
    g_EnemyParam.Param9 = 30;
    for (const Case c : {Case{0, 1, 0.2}, Case{1, -1, 0.2}, Case{2, 1, -0.2}, Case{3, -1, -0.2}, Case{10, 0, 0}}) {
        SCOPED_TRACE(c.mode);
        g_EnemyParam.Mode = c.mode;
        CEN001* e = SpawnEnemy<CEN001>(160, 100);
        Step(46);
        EXPECT_NEAR(e->X(), 160 + c.dx_sign * 30, 1e-9);
        EXPECT_NEAR(e->Y(), 100 + 46 * c.dy, 1e-9);
        Restart();
    }
}

TEST_F(EnemyModelTest, OneHitEnemyWithDeathShotFiresAtTheShipAndLeavesSmoke) {
    g_EnemyParam.Mode = 10;
    g_EnemyParam.DeathShot = 1;
    g_MyShipPos = Box(160, 200, 8, 8);
    SpawnEnemy<CEN001>(160, 100);
    attacks_ = {{Box(160, 100, 4, 4), 1}};
    Step(2);
    EXPECT_EQ(Count<CEN001>(), 0);
    ASSERT_EQ(Count<CTama>(), 1);
    EXPECT_EQ(All<CTama>()[0]->Dir(), 4);  // straight down at the ship
    EXPECT_EQ(Count<CSmoke>(), 1);
}

TEST_F(EnemyModelTest, TurretTurnsTowardTheShipAndFiresAlongItsHeading) {
    SetUpGround(-4000);
    g_EnemyParam.DrawLayer = 6;
    g_EnemyParamEx = {.Heading = 2, .FirstShot = 30, .ShotInterval = 60, .TurnInterval = 10, .FireLimitY = 240};
    g_MyShipPos = Box(60, 0, 8, 8);  // up-left: 8-way direction 5
    CEN002* t = SpawnEnemy<CEN002>(160, 100);
    Step(29);
    EXPECT_EQ(t->Heading(), 4);  // down, then one step per 10 frames toward the ship
    EXPECT_EQ(Count<CTama>(), 0);
    Step();
    EXPECT_EQ(t->Heading(), 5);
    ASSERT_EQ(Count<CTama>(), 1);
    EXPECT_EQ(All<CTama>()[0]->Dir(), 10);
    // The turret rides the scenery.
    g_DDBPack.GetSprite(1).Pos.SetTop(-3990);
    Step();
    EXPECT_DOUBLE_EQ(t->Y(), 110);
}

TEST_F(EnemyModelTest, DestroyedTurretLeavesAWreckOnTheGround) {
    SetUpGround(-4000);
    g_EnemyParam.DrawLayer = 6;
    SpawnEnemy<CEN002>(160, 100);
    attacks_ = {{Box(160, 100, 8, 8), 500}};
    Step(2);
    EXPECT_EQ(Count<CEN002>(), 0);
    ASSERT_EQ(Count<CBGObject>(), 1);
    EXPECT_EQ(All<CBGObject>()[0]->CG(), 225);
}

TEST_F(EnemyModelTest, CrawlerAdvancesTwelvePixelsPerCycleAndFiresAFanOfFive) {
    SetUpGround(-4000);
    g_EnemyParamEx = {.Heading = 0, .FirstShot = 10, .ShotInterval = 1000, .TurnInterval = 10000, .FireLimitY = 240};
    CEN003* c = SpawnEnemy<CEN003>(160, 60);
    Step(10);
    EXPECT_EQ(Count<CTama>(), 5);
    Step(86);  // 96 frames: one whole cycle of 24 images
    EXPECT_EQ(c->Image(), 0);
    EXPECT_DOUBLE_EQ(c->Y(), 72);
}

TEST_F(EnemyModelTest, TankTurretPointsWithTheBodyAndFiresFromItsMount) {
    SetUpGround(-4000);
    g_EnemyParam.Mode = 1;
    g_EnemyParam.Variant = -1;
    g_EnemyParamEx = {.Heading = 9, .FirstShot = 1, .ShotInterval = 1000, .TurnInterval = 10000, .FireLimitY = 240};
    g_EnemyMoveScript = EnemyMoveScript();
    g_EnemyMoveScript.StepEnd[0] = 100;
    g_EnemyMoveScript.StepDir[0] = 0;  // right
    g_EnemyMoveScript.StepSprite[0] = 8;
    g_EnemyMoveScript.StepSpeed[0] = 1;
    g_MinFireDist2 = 0;
    CEN005* t = SpawnEnemy<CEN005>(100, 100);
    Step();
    EXPECT_EQ(t->Turret(), 0);
    EXPECT_DOUBLE_EQ(t->X(), 101);
    ASSERT_EQ(Count<CTama>(), 1);
    // Mount for body direction 0 is (-8, -1); the bullet already moved one step.
    const CQ7Pos& shot = All<CTama>()[0]->HitPos();
    EXPECT_EQ(shot.CenterX(), 104);  // 101 - 8, plus the offset 8 and one step of 2.5
    EXPECT_EQ(shot.CenterY(), 99);
}

TEST_F(EnemyModelTest, TankTurretAimsFromWhereTheHullStandsAfterItsMove) {
    SetUpGround(-4000);
    g_EnemyParam.Mode = 2;
    g_EnemyParam.Variant = 0;
    g_EnemyParamEx = {.Heading = 1, .FirstShot = 0, .ShotInterval = 1000, .TurnInterval = 1, .FireLimitY = 240};
    g_EnemyMoveScript = EnemyMoveScript();
    g_EnemyMoveScript.StepEnd[0] = 100;
    g_EnemyMoveScript.StepDir[0] = 0;  // right, one pixel a frame
    g_EnemyMoveScript.StepSpeed[0] = 1;
    // Seen from x 100 the ship lies just inside direction 0, from x 101 just
    // inside direction 1: the turret keeps 1 only if it aims after the move.
    g_MyShipPos = Box(125, 110, 8, 8);
    CEN005* t = SpawnEnemy<CEN005>(100, 100);
    Step();
    EXPECT_DOUBLE_EQ(t->X(), 101);
    EXPECT_EQ(t->Turret(), 1);
}

}  // namespace

// Enemy bullets and smoke on the headless game.
#include <gtest/gtest.h>

#include "enemy_fixture.h"
#include "game/enemies/smoke.h"
#include "game/enemies/tama.h"
#include "game/enemies/tama2.h"
#include "game/enemies/tama_bomb.h"
#include "game/enemies/tama_velocity.h"

namespace {

const EnemyProfile kSturdyAir = {.kind = EnemyKind::Air, .hit_points = 5000, .score = 0};

using BulletTest = EnemyTest;

template <class T>
void SpawnVelocity(double x, double y, double dx, double dy, int sprite) {
    g_SpawnParam.X = x;
    g_SpawnParam.Y = y;
    g_SpawnParam.DX = dx;
    g_SpawnParam.DY = dy;
    g_SpawnParam.Sprite = sprite;
    g_ObjectPack.Spawn<T>(4, VB_TRUE);
}

TEST_F(BulletTest, OptionReflectsFireTamaBackIntoTheFirstEnemy) {
    CTestEnemy* near = SpawnEnemy<CTestEnemy>(160, 60, kSturdyAir);
    CTestEnemy* far = SpawnEnemy<CTestEnemy>(160, 40, kSturdyAir);
    options_ = {{Box(160, 112, 16, 16), 1}};
    Step();
    FireTama(160, 100, 4, 0, 0);  // straight down into the option
    Step();
    ASSERT_EQ(Count<CTama>(), 1);
    CTama* back = All<CTama>()[0];
    EXPECT_TRUE(back->Reflected());
    EXPECT_EQ(back->Dir(), 12);  // straight up
    EXPECT_DOUBLE_EQ(back->Speed(), g_BulletSpeed);
    EXPECT_EQ(back->Sprite(), 200);
    EXPECT_EQ(back->HitPos().Width(), 12);
    EXPECT_EQ(back->HitPos().Height(), 12);

    options_.clear();
    for (int i = 0; i < 40 && Count<CTama>() > 0; ++i) Step();
    EXPECT_EQ(Count<CTama>(), 0);
    Step();  // the enemy takes the blow one frame later
    EXPECT_EQ(near->HitPoints(), 4500);
    EXPECT_EQ(far->HitPoints(), 5000);
}

TEST_F(BulletTest, ReflectedBulletIgnoresTheHitFlashAndLeavesHarmlessly) {
    g_TamaParam = {.Reflectable = VB_TRUE, .X = 160, .Y = 100, .Speed = 3, .Dir = 12, .Attack = 500,
                   .Sprite = 199, .DrawLayer = 32, .DrawEvery = 1, .HitW = 8, .HitH = 8, .Reflected = VB_TRUE};
    g_ObjectPack.Spawn<CTama>(7, VB_TRUE);
    g_HitFlash = 1;
    Step();
    EXPECT_EQ(Count<CTama>(), 1);
    g_HitFlash = 0;
    Step(60);
    EXPECT_EQ(Count<CTama>(), 0);
    EXPECT_EQ(g_PlayerAttackList.GetDataCount(), 0);
}

TEST_F(BulletTest, EveryUnreflectedBulletVanishesInTheFrameAfterTheShipIsHit) {
    FireTama(100, 100, 4, 0, -2);
    SpawnVelocity<CTama4>(120, 100, 0.5, 0.5, 199);
    SpawnVelocity<CTama5>(140, 100, 0.5, 0.5, 199);
    SpawnVelocity<CTama6>(160, 100, 0.5, 0.5, 230);
    SpawnVelocity<CTama5>(180, 100, 0, -0.5, 200);  // a reflected one stays
    Step(2);
    EXPECT_EQ(Count<CTama>() + Count<CTama4>() + Count<CTama5>() + Count<CTama6>(), 5);
    EXPECT_EQ(g_EnemyBulletList.GetDataCount(), 4);

    g_HitFlash = 1;
    Step();
    EXPECT_EQ(Count<CTama>(), 0);
    EXPECT_EQ(Count<CTama4>(), 0);
    EXPECT_EQ(Count<CTama6>(), 0);
    ASSERT_EQ(Count<CTama5>(), 1);
    EXPECT_EQ(All<CTama5>()[0]->Sprite(), 200);
}

TEST_F(BulletTest, ShootableBulletSurvivesThreeHundredAndDiesToTheNextHundred) {
    attacks_ = {{Box(160, 100, 16, 16), 300}};
    Step();
    g_TamaParam = {.X = 160, .Y = 100, .Speed = 0, .Dir = 0, .Attack = 400, .Sprite = 237, .DrawLayer = 33,
                   .DrawEvery = 1, .HitW = 8, .HitH = 8};
    g_ObjectPack.Spawn<CTama2>(4, VB_TRUE);
    attacks_[0].value = 100;  // in the list from the end of the next frame on
    Step();
    ASSERT_EQ(Count<CTama2>(), 1);
    EXPECT_EQ(All<CTama2>()[0]->HitPoints(), 100);
    EXPECT_EQ(g_HitList2.GetDataCount(), 1);
    Step();
    EXPECT_EQ(Count<CTama2>(), 0);
    EXPECT_EQ(Count<CSmoke>(), 1);
    Step();  // the stage plays the requests of the frame before
    EXPECT_EQ(game_.SoundsPlayed(), (std::vector<int>{7, 5}));
}

TEST_F(BulletTest, BouncingBulletBouncesForItsBounceTimeThenLeaves) {
    struct Case {
        int rank, sprite, bounce;
    };
    for (const Case c : {Case{0, 199, 500}, Case{0, 200, 1000}, Case{10, 199, 400}}) {
        SCOPED_TRACE(c.bounce);
        Restart();
        g_Rank = c.rank;
        SpawnVelocity<CTama4>(300, 100, 4, 3, c.sprite);
        Step();
        ASSERT_EQ(Count<CTama4>(), 1);
        EXPECT_EQ(All<CTama4>()[0]->BounceFrames(), c.bounce);
        Step(c.bounce - 1);
        ASSERT_EQ(Count<CTama4>(), 1);
        const CTama4* t = All<CTama4>()[0];
        EXPECT_GE(t->X(), 0);
        EXPECT_LE(t->X(), 320);
        EXPECT_GE(t->Y(), 22);
        EXPECT_LE(t->Y(), 240);
        Step(100);  // 400 pixels of straight flight take it out of any corner
        EXPECT_EQ(Count<CTama4>(), 0);
    }
}

TEST_F(BulletTest, LargeBulletAbsorbsTwentyOptionContactsBeforeTurningBack) {
    options_ = {{Box(160, 100, 16, 16), 1}, {Box(162, 100, 16, 16), 1}};
    Step();
    SpawnVelocity<CTama6>(160, 100, 0, 0.1, 230);
    Step(9);  // 18 contacts
    ASSERT_EQ(Count<CTama6>(), 1);
    EXPECT_EQ(All<CTama6>()[0]->Sprite(), 230);
    Step();
    ASSERT_EQ(Count<CTama6>(), 1);
    const CTama6* back = All<CTama6>()[0];
    EXPECT_EQ(back->Sprite(), 231);
    EXPECT_DOUBLE_EQ(back->DY(), -0.1);
    // It is never used up: it hurts whatever it passes with 20, every frame.
    Step(3);
    EXPECT_EQ(g_PlayerAttackList.GetDamage(Box(160, 99, 2, 2)), 20);
}

TEST_F(BulletTest, SmokeShowsSevenImagesOfItsStepAndEndsEarlyOffScreen) {
    MakeSmoke(160, 120, 0, 0, false, 2, 25);
    int drawn = 0;
    for (int i = 0; i < 20; ++i) {
        Step();
        drawn += g_DDBPack.QueuedCount(25);
    }
    EXPECT_EQ(drawn, 14);
    EXPECT_EQ(Count<CSmoke>(), 0);

    MakeSmoke(316, 120, 3, 0, true, 2, 25);
    drawn = 0;
    for (int i = 0; i < 20; ++i) {
        Step();
        drawn += g_DDBPack.QueuedCount(25);
    }
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 14);
}

TEST_F(BulletTest, RisingBombBurstsIntoSixteenShootableBulletsBelowItsBurstHeight) {
    g_SpawnParam = {.X = 200, .Y = 200, .DX = 0, .DY = 2, .Sprite = 237, .Dir = 0, .Level = 100, .Side = 60};
    g_ObjectPack.Spawn<CTama3>(3, VB_TRUE);
    Step(59);
    ASSERT_EQ(Count<CTama3>(), 1);
    Step();  // frame 60: at the top of its column
    EXPECT_EQ(All<CTama3>()[0]->X(), 100);
    EXPECT_EQ(All<CTama3>()[0]->Y(), 0);
    Step(30);  // y 60: not yet past
    ASSERT_EQ(Count<CTama3>(), 1);
    EXPECT_EQ(g_HitList2.GetDataCount(), 1);
    Step();
    EXPECT_EQ(Count<CTama3>(), 0);
    EXPECT_EQ(Count<CTama2>(), 16);
}

TEST_F(BulletTest, EachBombTypeFiresOnceByItsRuleAndVanishes) {
    struct Case {
        int type;
        int ship_x, ship_y;
        bool shot_down;
        int aimed5, aimed6, ring;
    };
    const Case cases[] = {
        {6081, 160, 200, false, 1, 0, 0},   // fires when 150..160 pixels from the ship
        {6081, -10, 120, false, 0, 0, 0},   // never that close: falls out unfired
        {6082, 20, 230, false, 1, 0, 0},    // fires at the bottom when the ship is far
        {6082, 160, 230, false, 0, 0, 0},   // ... and not when it is close
        {6083, 20, 230, true, 1, 0, 0},     // fires when shot down
        {6084, 20, 230, false, 0, 0, 8},    // a ring of eight at its trigger height
        {6084, 160, 150, false, 0, 0, 0},   // the ship too close as it passes: no ring
        {6085, 160, 200, false, 0, 1, 0},   // the large ones fire large bullets
        {6088, 20, 230, false, 0, 0, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Restart();
        g_MyShipPos = Box(c.ship_x, c.ship_y, 8, 8);
        attacks_.clear();
        if (c.shot_down) attacks_ = {{Box(160, 100, 8, 8), 1000}};
        g_SpawnParam = {.X = 100, .Y = 200, .DX = 0, .DY = 2, .Sprite = c.type, .Dir = 0, .Level = 160, .Side = 0};
        g_ObjectPack.Spawn<CTama7>(3, VB_TRUE);
        for (int i = 0; i < 300 && Count<CTama7>() > 0; ++i) Step();
        EXPECT_EQ(Count<CTama7>(), 0);
        int aimed5 = 0;
        for (const CTama5* t : All<CTama5>()) aimed5 += t->Sprite() == 199;
        EXPECT_EQ(aimed5, c.aimed5);
        EXPECT_EQ(Count<CTama6>(), c.aimed6);
        EXPECT_EQ(Count<CTama>(), c.ring);
    }
}

}  // namespace

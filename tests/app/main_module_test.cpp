// The shared routines of the main module: score, score rate, rank-derived
// values, effect volume.
#include <gtest/gtest.h>

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "game/player/my_ship.h"
#include "platform/q7_directx7.h"
#include "support/headless_game.h"

namespace {

struct RateCase {
    int stage, lv0, lv1, lv2, lv3, rank, lives;
    double rate;
};

TEST(UpdateScoreRate, FollowsLevelsStageRankAndLives) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    const RateCase cases[] = {
        {1, 0, 0, 0, 0, 0, 1, 10.0},   // new game
        {8, 3, 3, 3, 3, 10, 4, 10.6},  // everything bought, top rank, four ships
        {1, 1, 0, 0, 0, 0, 1, 8.6},    // 17 + 1 + 8 = 26 -> 86
        {2, 0, 1, 0, 0, 5, 2, 9.0},    // 16 + 2 + floor(7.5) + 2 = 27 -> 90
        {4, 0, 0, 0, 0, 4, 3, 10.0},   // 21 + 4 + 4 + 1 = 30 -> 100
        {7, 0, 0, 0, 0, 9, 1, 16.3},   // 21 + 7 + floor(13.5) + 8 = 49 -> 163
    };
    for (const RateCase& c : cases) {
        g_StageNo = c.stage;
        g_PowerLv0 = c.lv0, g_PowerLv1 = c.lv1, g_PowerLv2 = c.lv2, g_PowerLv3 = c.lv3;
        g_Rank = c.rank;
        g_Lives = c.lives;
        UpdateScoreRate();
        EXPECT_DOUBLE_EQ(g_ScoreRate, c.rate) << "stage " << c.stage << " rank " << c.rank;
    }
}

TEST(UpdateScoreRate, IsOneWhileTheShipIsInvulnerable) {
    HeadlessGame game;
    g_MyShipSlot = g_ObjectPack.Spawn<CMyShip>(5, VB_FALSE);
    CMyShip* ship = MyShip();
    ASSERT_NE(ship, nullptr);
    g_StageNo = 1;
    g_Lives = 1;
    ship->MTC = 1;
    UpdateScoreRate();
    EXPECT_DOUBLE_EQ(g_ScoreRate, 1.0);
    ship->MTC = 0;
    UpdateScoreRate();
    EXPECT_DOUBLE_EQ(g_ScoreRate, 10.0);
}

TEST(AddScore, ScaledPointsAndTheShopOpeningOnce) {
    HeadlessGame game({.load_graphics = false});
    g_ScoreRate = 10.0;
    g_Score = 5000;
    g_PowerUpCursor = 3;
    AddScore(1000, true);
    EXPECT_EQ(g_Score, 15000);
    EXPECT_EQ(g_PowerUpCursor, 0);
    EXPECT_EQ(game.SoundsPlayed(), std::vector<int>{1});

    g_PowerUpCursor = 2;
    AddScore(1000, true);  // already past 10000: only accumulates
    EXPECT_EQ(g_Score, 25000);
    EXPECT_EQ(g_PowerUpCursor, 2);
    EXPECT_EQ(game.SoundsPlayed(), std::vector<int>{1});
}

TEST(AddScore, RoundsHalvesToEvenAndStopsAtTheTop) {
    HeadlessGame game({.load_graphics = false});
    g_Score = 20000;
    g_ScoreRate = 2.5;
    AddScore(1, true);  // 2.5 -> 2
    EXPECT_EQ(g_Score, 20002);
    AddScore(3, true);  // 7.5 -> 8
    EXPECT_EQ(g_Score, 20010);
    AddScore(7, false);
    EXPECT_EQ(g_Score, 20017);
    g_Score = 2147483000;
    AddScore(100000, false);
    EXPECT_EQ(g_Score, 2147483647);
}

TEST(RankValues, BulletSpeedFireDistanceAndShieldTimes) {
    struct Case {
        int rank;
        double speed;
        int dist2, power_up, hit, life_max;
    };
    const Case cases[] = {
        {0, 2.5, 10000, 121, 241, 151},
        {5, 3.5, 2500, 91, 151, 106},
        {10, 4.5, 0, 61, 61, 61},
    };
    for (const Case& c : cases) {
        g_Rank = c.rank;
        SetRankValues();
        SetShieldTimes();
        EXPECT_DOUBLE_EQ(g_BulletSpeed, c.speed);
        EXPECT_EQ(g_MinFireDist2, c.dist2);
        EXPECT_EQ(g_ShieldPowerUp, c.power_up);
        EXPECT_EQ(g_ShieldHit, c.hit);
        EXPECT_EQ(g_ShieldLifeMax, c.life_max);
    }
}

TEST(Volume, LevelsMoveAllThirteenEffectsAndStopAtTheEnds) {
    HeadlessGame game({.load_graphics = false});
    ASSERT_EQ(g_SeVolLevel, 2);
    for (int i = 1; i <= 13; ++i) g_DX7.DS_Set_Volume(i, -1000);

    VolumeUp();
    EXPECT_EQ(g_SeVolLevel, 3);
    VolumeUp();  // already at the top: nothing
    EXPECT_EQ(g_SeVolLevel, 3);
    for (int i = 1; i <= 13; ++i) EXPECT_EQ(g_DX7.DS_Get_Volume(i), 0) << i;

    VolumeDown();
    VolumeDown();
    VolumeDown();  // already at the bottom: nothing
    EXPECT_EQ(g_SeVolLevel, 1);
    for (int i = 1; i <= 13; ++i) EXPECT_EQ(g_DX7.DS_Get_Volume(i), -2000) << i;
}

}  // namespace

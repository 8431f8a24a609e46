// The player's ship: flying, being hit, the shop, pause, options and the
// intro, stage-clear and game-over sequences, run in a headless game.
#include <algorithm>
#include <vector>

#include "app/zenit02.h"
#include "game/enemies/smoke.h"
#include "game/enemies/tama.h"
#include "gfx/q7_ddbpack256.h"
#include "platform/q7_directx7.h"
#include "player_fixture.h"

namespace {

constexpr int kShot = 0, kBuy = 1, kPause = 2, kFast = 3;

std::vector<int> Levels() { return {g_PowerLv0, g_PowerLv1, g_PowerLv2, g_PowerLv3}; }
void SetLevels(int a, int b, int c, int d) {
    g_PowerLv0 = a;
    g_PowerLv1 = b;
    g_PowerLv2 = c;
    g_PowerLv3 = d;
}

int WipeLines() { return g_DDBPack.QueuedCount(38) + g_DDBPack.QueuedCount(39); }

bool Called(const HeadlessGame& game, AudioOp op, int id, int value = 0) {
    for (const AudioCallRecord& c : game.AudioCalls(op))
        if (c.id == id && c.value == value) return true;
    return false;
}

}  // namespace

// ---- Flying ----------------------------------------------------------------------

TEST_F(PlayerTest, PadMovesTheShipWithLeftAndUpWinningTies) {
    struct Case {
        const char* name;
        PadFrame pad;
        int dx, dy;  // after 4 frames
    };
    const Case cases[] = {
        {"left", Pad(true, false, false, false), -10, 0},
        {"right", Pad(false, true, false, false), 10, 0},
        {"left and right", Pad(true, true, false, false), -10, 0},
        {"up and down", Pad(false, false, true, true), 0, -10},
        {"down", Pad(false, false, false, true), 0, 10},
        {"fast diagonal", Pad(false, true, false, true, {kFast}), 30, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartWithShip(1);  // the intro leaves the ship at (160, 151)
        ASSERT_EQ(ShipX(), 160);
        ASSERT_EQ(ShipY(), 151);
        game.SetPad(c.pad);
        game.Step(4);
        EXPECT_EQ(ShipX(), 160 + c.dx);
        EXPECT_EQ(ShipY(), 151 + c.dy);
    }
}

TEST_F(PlayerTest, ShipStaysInsideTheFieldAtFullSpeed) {
    StartWithShip(1);
    const PadFrame corners[] = {Pad(true, false, true, false, {kFast}), Pad(false, true, false, true, {kFast})};
    for (const PadFrame& pad : corners) {
        game.SetPad(pad);
        for (int i = 0; i < 50; ++i) {
            game.Step();
            ASSERT_GE(ShipX(), 8);
            ASSERT_LE(ShipX(), 314);
            ASSERT_GE(ShipY(), 32);
            ASSERT_LE(ShipY(), 232);
        }
        EXPECT_EQ(ShipX(), pad.left ? 8 : 314);
        EXPECT_EQ(ShipY(), pad.up ? 32 : 232);
    }
    EXPECT_EQ(g_MyShipPos.Width(), 8);
    EXPECT_EQ(g_MyShipPos.Height(), 8);
}

// ---- Being hit -------------------------------------------------------------------

TEST_F(PlayerTest, HitCostsALifeAWeaponLevelEachAndGrantsAShield) {
    StartWithShip(2);
    SetLevels(2, 0, 3, 1);
    game.ClearAudioCalls();
    per_frame = [] { g_HitList2.Add(g_MyShipPos, 1); };
    game.Step();
    EXPECT_EQ(g_Lives, 1);
    EXPECT_EQ(Levels(), (std::vector<int>{1, 0, 2, 0}));
    EXPECT_EQ(Ship().MTC, g_ShieldHit);
    EXPECT_EQ(g_HitFlash, 1);  // set to 2, one flash frame drawn
    EXPECT_EQ(game.SoundsPlayed(), (std::vector<int>{3}));
}

TEST_F(PlayerTest, InvulnerableShipIgnoresBothListsUntilTheShieldRunsOut) {
    StartWithShip(3);
    int which = 0;
    // Alternate between the two lists that hurt the ship.
    per_frame = [&] { (which++ % 2 ? g_EnemyBulletList : g_HitList2).Add(g_MyShipPos, 1); };
    game.Step();
    ASSERT_EQ(g_Lives, 2);
    game.Step(g_ShieldHit - 1);
    EXPECT_EQ(g_Lives, 2);
    game.Step();
    EXPECT_EQ(g_Lives, 1);
}

TEST_F(PlayerTest, NoDamageFlagKeepsTheShipWhole) {
    StartWithShip(2);
    g_NoDamage = true;
    per_frame = [] { g_EnemyBulletList.Add(g_MyShipPos, 1); };
    game.Step(10);
    EXPECT_EQ(g_Lives, 2);
    EXPECT_EQ(Ship().MTC, 0);
}

TEST_F(PlayerTest, EnemyBulletsVanishTheFrameAfterAHit) {
    StartWithShip(2);
    // One bullet on the ship, one far away.
    FireTama(ShipX(), ShipY(), 4, 0, 0);
    FireTama(40, 60, 4, 0, 0);
    game.Step();
    ASSERT_EQ(g_Lives, 1);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CTama>().size(), 2u);
    game.Step();
    EXPECT_TRUE(HeadlessGame::ObjectsOf<CTama>().empty());
}

// ---- Game over -------------------------------------------------------------------

TEST_F(PlayerTest, LastShipLostRunsTheGameOverAndEndsTheProgram) {
    StartWithShip(1);
    game.ClearAudioCalls();
    bool hit = true;
    per_frame = [&] {
        if (hit) g_HitList2.Add(g_MyShipPos, 1);
        hit = false;
    };
    game.Step();
    EXPECT_EQ(g_Lives, 0);
    EXPECT_EQ(g_GameOverTimer, 0);
    EXPECT_EQ(game.SoundsPlayed(), (std::vector<int>{10}));

    std::size_t most_smoke = 0;
    for (int t = 1; t < 700; ++t) {
        game.Step();
        ASSERT_EQ(g_GameOverTimer, t);
        ASSERT_EQ(Ship().MTC, 2);
        most_smoke = std::max(most_smoke, HeadlessGame::ObjectsOf<CSmoke>().size());
    }
    EXPECT_FALSE(g_StageEnd);
    EXPECT_EQ(g_StageNo, 1);
    EXPECT_GT(most_smoke, 0u);
    EXPECT_TRUE(Called(game, AudioOp::DS_Play, 9, 1));  // the wreck's loop
    EXPECT_TRUE(Called(game, AudioOp::DS_Stop, 9));
    EXPECT_TRUE(Called(game, AudioOp::DS_Play, 11));
    EXPECT_FALSE(game.AudioCalls(AudioOp::DM_Stop).empty());
    EXPECT_TRUE(game.AudioCalls(AudioOp::DM_UnLoad).empty());

    game.Step();
    EXPECT_EQ(g_StageNo, 10);
    EXPECT_TRUE(g_StageEnd);
    EXPECT_EQ(g_GameOverTimer, 0);
    EXPECT_EQ(game.AudioCalls(AudioOp::DM_UnLoad).size(), 1u);
}

// ---- Shop ------------------------------------------------------------------------

TEST_F(PlayerTest, CursorPassesOverSlotsAtLevelThree) {
    struct Case {
        int levels[4];
        int cursor, expected;
    };
    const Case cases[] = {
        {{3, 3, 3, 3}, 0, 4},  // everything bought: only the extra ship is left
        {{3, 0, 0, 0}, 0, 1},
        {{3, 3, 0, 0}, 0, 2},
        {{0, 3, 3, 0}, 1, 3},
        {{0, 0, 0, 3}, 3, 4},
        {{3, 0, 0, 0}, 2, 2},  // never backwards
        {{3, 3, 3, 3}, 5, 4},  // wraps, then skips
        {{0, 0, 0, 0}, 5, 0},
    };
    StartWithShip(1);
    for (const Case& c : cases) {
        SetLevels(c.levels[0], c.levels[1], c.levels[2], c.levels[3]);
        g_PowerUpCursor = c.cursor;
        Ship().SetWeponSelect();
        game.Step();
        EXPECT_EQ(g_PowerUpCursor, c.expected) << "from " << c.cursor;
    }
}

TEST_F(PlayerTest, CursorAdvancesEvery180Frames) {
    StartWithShip(1);
    g_PowerUpCursor = 0;
    Ship().SetWeponSelect();
    game.Step(179);
    EXPECT_EQ(g_PowerUpCursor, 0);
    game.Step();
    EXPECT_EQ(g_PowerUpCursor, 1);
    game.Step(180 * 3);
    EXPECT_EQ(g_PowerUpCursor, 4);
    game.Step(180);
    EXPECT_EQ(g_PowerUpCursor, 0);
}

TEST_F(PlayerTest, PurchaseSpendsExactlyTenThousandAndWaits60Frames) {
    StartWithShip(1);
    g_PowerUpCursor = 2;
    Ship().SetWeponSelect();
    g_Score = 9999;
    game.SetPad(Buttons({kBuy}));
    game.Step();
    EXPECT_EQ(g_PowerLv2, 0);

    g_Score = 10000;
    game.ClearAudioCalls();
    game.Step();
    EXPECT_EQ(g_Score, 0);
    EXPECT_EQ(g_PowerLv2, 1);
    EXPECT_EQ(Ship().MTC, g_ShieldPowerUp);
    EXPECT_EQ(game.SoundsPlayed(), (std::vector<int>{2}));

    g_Score = 30000;  // button still held
    game.Step(59);
    EXPECT_EQ(g_PowerLv2, 1);
    game.Step();
    EXPECT_EQ(g_PowerLv2, 2);
    EXPECT_EQ(g_Score, 20000);
}

TEST_F(PlayerTest, ExtraShipBeyondFourIsPaidOutAsFlashAndShield) {
    struct Case {
        int lives, expected_lives, expected_mtc;
        bool flash;
    };
    StartWithShip(1);
    const Case cases[] = {
        {3, 4, g_ShieldPowerUp, false},
        {4, 4, std::max(g_ShieldLifeMax, g_ShieldPowerUp), true},
    };
    for (const Case& c : cases) {
        game.SetPad({});
        game.Step(61);  // past any purchase cooldown
        g_Lives = c.lives;
        SetLevels(3, 3, 3, 3);
        g_PowerUpCursor = 4;
        Ship().SetWeponSelect();
        Ship().MTC = 0;
        g_HitFlash = 0;
        g_Score = 10000;
        game.SetPad(Buttons({kBuy}));
        game.Step();
        EXPECT_EQ(g_Lives, c.expected_lives);
        EXPECT_EQ(Ship().MTC, c.expected_mtc);
        EXPECT_EQ(g_HitFlash > 0, c.flash);
        EXPECT_EQ(g_Score, 0);
    }
}

TEST_F(PlayerTest, PauseButtonPausesAtMostOnceIn60Frames) {
    StartWithShip(1);
    game.SetPad(Buttons({kPause}));
    game.Step();
    EXPECT_TRUE(g_Paused);
    g_Paused = false;  // the frame loop would resume here
    game.Step(59);
    EXPECT_FALSE(g_Paused);
    game.Step();
    EXPECT_TRUE(g_Paused);
}

// ---- Options ---------------------------------------------------------------------

TEST_F(PlayerTest, OptionsOrbitByLevelAndJoinBothLists) {
    struct Case {
        int level, count, radius, turn;
        int total_attack;
    };
    const Case cases[] = {{1, 2, 40, 5, 1 + 10}, {2, 4, 50, 4, 40}, {3, 6, 60, 3, 60}};
    StartWithShip(1);
    const int x = ShipX(), y = ShipY();
    const CQ7Pos option = g_DDBPack.GetSprite(105).Pos;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        g_PowerLv1 = 0;
        game.Step();  // level 0 puts the orbit back to angle 0
        EXPECT_EQ(g_MyShipList.GetDataCount(), 0);
        g_PowerLv1 = c.level;
        game.Step(2);
        EXPECT_EQ(g_MyShipList.GetDataCount(), c.count);
        EXPECT_EQ(g_PlayerAttackList.GetDamage(Field()), c.total_attack);
        EXPECT_EQ(g_MyShipList.GetDamage(Field()), c.count);
        for (int k = 0; k < c.count; ++k) {
            const double a = 2 * c.turn + 360.0 * k / c.count;
            const CQ7Pos expected = Box(RoundHalfEven(x + c.radius * CQ7Pos::GetCos(a)),
                                        RoundHalfEven(y + c.radius * CQ7Pos::GetSin(a)), option.Width() + 8,
                                        option.Height() + 8);
            EXPECT_EQ(g_MyShipList.GetClipIn(expected), VB_TRUE) << "option at " << a << " degrees";
        }
    }
}

// ---- Intro -----------------------------------------------------------------------

TEST_F(PlayerTest, IntroOpensTheScreenAndPaysBackTheScore) {
    StartWithShip(1, false, 12345);
    EXPECT_EQ(g_Score, 0);
    struct Frame {
        int frame, lines;
    };
    const Frame wipe[] = {{1, 240}, {9, 240}, {11, 240}, {12, 210}, {15, 210}, {16, 180}, {36, 30}, {38, 30}, {39, 0}};
    int at = 0;
    for (const Frame& f : wipe) {
        game.Step(f.frame - at, f.frame == 1);
        at = f.frame;
        EXPECT_EQ(WipeLines(), f.lines) << "frame " << f.frame;
        if (f.frame == 1) {
            // The first frame is black all over.
            const CQ7Spritedata& screen = g_DDBPack.GetSprite(0).DT;
            int lit = 0;
            for (int py = 0; py < 240; ++py)
                for (int px = 0; px < 320; ++px) lit += screen.GetPixelData(px, py) != 0;
            EXPECT_EQ(lit, 0);
        }
    }
    EXPECT_EQ(game.SoundsPlayed(4), (std::vector<int>{13}));

    game.Step(kIntroFrames - 1 - at);
    EXPECT_EQ(g_Score, 0);
    g_PowerUpCursor = 3;
    game.Step();
    EXPECT_EQ(g_Score, 12345);
    EXPECT_EQ(g_PowerUpCursor, 0);  // the shop opens afresh
    game.Step();
    EXPECT_EQ(ShipX(), 160);
    EXPECT_EQ(ShipY(), 151);
}

// ---- Stage clear -----------------------------------------------------------------

TEST_F(PlayerTest, StageClearLeadsToTheNextStageAtTimer600) {
    struct Case {
        int stage, next, banner;
    };
    for (const Case& c : {Case{3, 4, 169}, Case{8, 9, 170}}) {
        SCOPED_TRACE(c.stage);
        StartWithShip(2);
        g_StageNo = c.stage;
        game.ClearAudioCalls();
        g_ClearTimer = 1;
        game.Step(200);
        game.Step(1, true);
        CQ7Pos banner = g_DDBPack.GetSprite(c.banner).Pos;
        banner.Move(160, 100);
        EXPECT_EQ(g_DDBPack.GetSprite(c.banner).Pos.Left(), banner.Left());
        EXPECT_EQ(g_DDBPack.GetSprite(c.banner).Pos.Top(), banner.Top());

        game.Step(397);
        EXPECT_EQ(g_ClearTimer, 599);
        EXPECT_FALSE(g_StageEnd);
        EXPECT_TRUE(Called(game, AudioOp::DS_Play, 11));
        EXPECT_EQ(game.AudioCalls(AudioOp::DM_Stop).size(), 1u);
        game.Step();
        EXPECT_EQ(g_ClearTimer, 0);
        EXPECT_EQ(g_StageNo, c.next);
        EXPECT_TRUE(g_StageEnd);
        EXPECT_EQ(game.AudioCalls(AudioOp::DM_UnLoad).size(), 1u);
    }
}

// ---- Failure ---------------------------------------------------------------------

TEST_F(PlayerTest, FailureInTheShipsStepEndsTheProgramWithItsName) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    StartWithShip(1);
    while (g_ObjectPack.Spawn<CQ7Nop>(7, VB_TRUE) >= 0) {
    }
    game.SetPad(Buttons({kShot}));
    EXPECT_EXIT(
        {
            SetMessageBoxHandler({});  // the default handler writes the text to stderr
            game.Step();
        },
        ::testing::ExitedWithCode(1), "MyShip:");
}

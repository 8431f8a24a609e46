// CStage6 in the headless game: its row of the stage table, its rank rule,
// its sound gate, and its script from the first frame to the boss.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/form1.h"
#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "game/enemies/boss06.h"
#include "game/enemies/en006.h"
#include "game/enemies/en007.h"
#include "game/enemies/en008.h"
#include "game/enemies/en013.h"
#include "game/enemies/en014.h"
#include "game/enemies/en016.h"
#include "game/enemies/en022.h"
#include "game/enemies/en023.h"
#include "game/enemies/en024.h"
#include "game/player/my_ship.h"
#include "game/stages/bg6.h"
#include "game/stages/stage6.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "platform/q7_directx7.h"
#include "stage_fixture.h"
#include "support/headless_game.h"

namespace {

class Stage6Test : public StageTest<CStage6> {
protected:
    // A stage 6 started with this score and rank.
    void Start(int score, int rank) {
        g_Lives = 3;
        g_NoDamage = true;
        StageTest::Start(6, score, rank);
    }
};

TEST_F(Stage6Test, SetUpFollowsItsRowOfTheStageTable) {
    Start(1234567, 0);
    // Palette texts 101 at 1, 107 at 181, 103 at 51.
    CQ7Palette256 expected;
    expected.Clear();
    expected.SetUpText(GetPaletteText(101), 1);
    expected.SetUpText(GetPaletteText(107), 181);
    expected.SetUpText(GetPaletteText(103), 51);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(g_Palette.GetColor32(i), expected.GetColor32(i)) << i;

    // A carried-over game keeps its ships; shadows on, nothing switched off.
    EXPECT_EQ(g_Lives, 3);
    EXPECT_TRUE(g_ShadowsOn);
    EXPECT_FALSE(g_BulletsOff);
    EXPECT_FALSE(g_NoDamage);
    EXPECT_EQ(g_ScrollSpeed, 0.4);

    // The 16-table starts half-way through; the others at their first entry.
    EXPECT_EQ(g_Angle.Rnd16(-1), g_Angle.Rnd16(500));
    EXPECT_EQ(g_Angle.Rnd8(-1), g_Angle.Rnd8(0));

    struct Work {
        int id, w, h;
    };
    for (const Work& w : {Work{91, 160, 128}, Work{93, 176, 528}, Work{94, 128, 288}, Work{98, 84, 246}}) {
        const CQ7Sprite256& s = g_DDBPack.GetSprite(w.id);
        EXPECT_EQ(s.Pos.Width(), w.w) << w.id;
        EXPECT_EQ(s.Pos.Height(), w.h) << w.id;
        EXPECT_EQ(s.Pos.Center_Base(), VB_TRUE) << w.id;
    }

    EXPECT_NE(HeadlessGame::ObjectAt<CMyShip>(g_MyShipSlot), nullptr);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBG6>().size(), 1u);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBoss06>().size(), 1u);

    // Music 6, looped from 9216 to 156672 at -100, started paused and resumed at Count 120.
    EXPECT_EQ(kStage6.music.loop_end, 156672);
    std::vector<AudioCallRecord> setup;
    for (const AudioCallRecord& call : g_DX7.Headless()->AudioCalls())
        if (call.op >= AudioOp::DM_LoadRes && call.op != AudioOp::DM_Stop) setup.push_back(call);
    ASSERT_EQ(setup.size(), 6u);
    EXPECT_EQ(setup[0].op, AudioOp::DM_LoadRes);
    EXPECT_EQ(setup[0].id, 6);
    EXPECT_EQ(setup[1].op, AudioOp::DM_SetLoop);
    EXPECT_EQ(setup[1].value, 9216);
    EXPECT_EQ(setup[3].op, AudioOp::DM_SetMasterVolume);
    EXPECT_EQ(setup[3].value, -100);
    EXPECT_EQ(setup[5].op, AudioOp::DM_PauseIn);
    EXPECT_EQ(Stage().MusicStart, 120);
    game_.Step(119);
    EXPECT_TRUE(game_.AudioCalls(AudioOp::DM_PauseOut).empty());
    game_.Step();
    EXPECT_EQ(game_.AudioCalls(AudioOp::DM_PauseOut).size(), 1u);
}

// Ten thresholds from 1000000 in steps of 100000; the rank never falls.
TEST_F(Stage6Test, RankRisesFromTheScoreAndNeverFalls) {
    struct Case {
        int score, before, after;
    };
    for (const Case& c : {Case{999999, 0, 0}, Case{1000000, 0, 1}, Case{1350000, 2, 4}, Case{1899999, 0, 9},
                          Case{1900000, 0, 10}, Case{9000000, 3, 10}, Case{1000000, 7, 7}}) {
        Start(c.score, c.before);
        EXPECT_EQ(g_Rank, c.after) << c.score << " from rank " << c.before;
    }
}

TEST_F(Stage6Test, SoundRequestsFallSilentOnceTheBossIsBeaten) {
    Start(0, 0);
    game_.Step(20);
    game_.ClearAudioCalls();
    g_SeReq6 = true;
    game_.Step();
    EXPECT_EQ(game_.SoundsPlayed(), (std::vector<int>{6}));
    g_BulletsOff = true;
    g_SeReq8 = true;
    game_.Step();
    EXPECT_FALSE(g_SeReq8);
    EXPECT_EQ(game_.SoundsPlayed(), (std::vector<int>{6}));
}

// The harbour's cell under a screen point: '~' for water.
char CellUnder(double x, double y) {
    const int map_y = RoundHalfEven(y) - g_DDBPack.GetSprite(1).Pos.Top();
    const int r = (CBG6::kMapHeight - map_y + 31) / 32, c = RoundHalfEven(x) / 32;
    if (map_y < 0 || r > 128) return '~';
    for (const CBG6::Row& row : CBG6::Terrain())
        if (row.r == r) return row.cells[std::clamp(c, 0, 9)];
    return '.';
}

// The whole script without a shot fired: every class of the table comes,
// no gun, launcher or turret carrier ever stands in the water, the scroll
// slows for the battleship and speeds up for the sea, and when the boss
// wakes the screen shows nothing but the open sea.
TEST_F(Stage6Test, ScriptBringsEveryClassOfTheTableAndEndsOverTheOpenSea) {
    Start(0, 0);
    const std::set<std::string> table = {typeid(CEN006).name(), typeid(CEN007).name(), typeid(CEN008).name(),
                                         typeid(CEN013).name(), typeid(CEN014).name(), typeid(CEN016).name(),
                                         typeid(CEN022).name(), typeid(CEN023).name(), typeid(CEN024).name()};
    std::set<std::string> seen;
    struct Speed {
        int frame;
        double speed;
    };
    const Speed speeds[] = {{3799, 0.4}, {3850, 0.2}, {5199, 0.2}, {5250, 0.4}, {8799, 0.4}, {9550, 1.2}, {9800, 1.2}};
    for (int frame = 1; frame <= 9800; ++frame) {
        game_.Step();
        HeadlessGame::ForEachObject([&](GameObject* ob) {
            if (table.count(typeid(*ob).name())) seen.insert(typeid(*ob).name());
        });
        for (CEnemy* unit : HeadlessGame::ObjectsOf<CEnemy>()) {
            const bool land_only = dynamic_cast<CEN008*>(unit) || dynamic_cast<CEN022*>(unit) ||
                                   dynamic_cast<CEN023*>(unit) || dynamic_cast<CEN024*>(unit);
            if (land_only && unit->Y() > -24 && unit->Y() < 240) {
                ASSERT_NE(CellUnder(unit->X(), unit->Y()), '~')
                    << typeid(*unit).name() << " at " << unit->X() << ", " << unit->Y() << " on frame " << frame;
            }
        }
        for (const Speed& s : speeds)
            if (frame == s.frame) {
                EXPECT_NEAR(g_ScrollSpeed, s.speed, 1e-9) << frame;
            }
    }
    EXPECT_EQ(seen, table);
    // The screen's rows 0..239 are map rows -Top .. -Top + 239, all under the picture of the sea.
    const int top = g_DDBPack.GetSprite(1).Pos.Top();
    EXPECT_LE(-top + 239, CBG6::kSeaRows - 1);
}

}  // namespace

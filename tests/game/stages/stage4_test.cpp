// CStage4 in the headless game: its row and its script, and the cover its
// ground enemies wait under.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "app/zenit02.h"
#include "game/enemies/boss04.h"
#include "game/enemies/en002.h"
#include "game/enemies/en003.h"
#include "game/enemies/en005.h"
#include "game/enemies/en010.h"
#include "game/enemies/en016.h"
#include "game/enemies/en017.h"
#include "game/enemies/en018.h"
#include "game/stages/bg4.h"
#include "game/stages/stage4.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "platform/q7_directx7.h"
#include "spawn_watch.h"
#include "stage_fixture.h"
#include "support/headless_game.h"

namespace {

class Stage4Test : public StageTest<CStage4> {
protected:
    void SetUp() override { Start(0, 0); }

    void Start(int score, int rank) {
        g_NoDamage = true;  // a leftover the stage must clear
        g_ShadowsOn = false;
        StageTest::Start(4, score, rank);
    }
};

TEST_F(Stage4Test, SetUpLoadsItsRow) {
    CQ7Palette256 want;
    want.Clear();
    for (auto [text, first] : {std::pair{101, 1}, {105, 181}, {103, 51}}) want.SetUpText(GetPaletteText(text), first);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(g_Palette.GetColor32(i), want.GetColor32(i)) << i;

    EXPECT_TRUE(g_ShadowsOn);
    EXPECT_FALSE(g_NoDamage);
    EXPECT_FALSE(g_BulletsOff);
    const CQ7Sprite256& gate = g_DDBPack.GetSprite(99);
    EXPECT_EQ(gate.Pos.Width(), 320);
    EXPECT_EQ(gate.Pos.Height(), 192);
    EXPECT_EQ(gate.Pos.Center_Base(), VB_TRUE);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBG4>().size(), 1u);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBoss04>().size(), 1u);

    auto one = [&](AudioOp op) {
        const auto calls = game_.AudioCalls(op);
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? AudioCallRecord{} : calls[0];
    };
    EXPECT_EQ(one(AudioOp::DM_LoadRes).id, 4);
    EXPECT_EQ(one(AudioOp::DM_SetLoop).value, 6144);
    EXPECT_EQ(one(AudioOp::DM_SetMasterVolume).value, -300);
    EXPECT_EQ(Stage().MusicStart, 120);
    game_.Step(119);
    EXPECT_TRUE(game_.AudioCalls(AudioOp::DM_PauseOut).empty());
    game_.Step();
    EXPECT_EQ(game_.AudioCalls(AudioOp::DM_PauseOut).size(), 1u);
}

TEST_F(Stage4Test, RankRisesFromTheScoreAndNeverFalls) {
    struct Case {
        int score, rank_before, rank;
    };
    for (const Case& c : {Case{499999, 0, 0}, Case{500000, 0, 1}, Case{950000, 0, 5}, Case{1400000, 0, 10},
                          Case{3000000, 0, 10}, Case{600000, 7, 7}}) {
        Start(c.score, c.rank_before);
        EXPECT_EQ(g_Rank, c.rank) << c.score;
    }
}

// Once the boss is beaten the enemies' sound requests go unplayed.
TEST_F(Stage4Test, SoundsStopOnceTheEnemyFireIsOff) {
    game_.Step(20);
    game_.ClearAudioCalls();
    g_SeReq6 = true;
    game_.Step();
    EXPECT_EQ(game_.SoundsPlayed(), (std::vector<int>{6}));
    g_BulletsOff = true;
    game_.Step(10);
    g_SeReq5 = true;
    game_.Step();
    EXPECT_EQ(game_.SoundsPlayed(), (std::vector<int>{6}));
}

// The whole script, watched without a shot fired: every class of the row
// comes, the floor slows and speeds up on its frames, every ground enemy
// comes into view before it goes, the gate's tanks wait inside out of reach
// and drive out, and nothing comes after the last scripted frame.
TEST_F(Stage4Test, ScriptBringsItsClassesAndTheirCover) {
    SpawnWatch watch;
    std::map<const GameObject*, bool> in_view;  // ground enemies alive, and whether seen
    std::map<std::string, int> spawned;
    const std::map<int, double> speeds = {{1, 0.4}, {4399, 0.4}, {4500, 0.3}, {6100, 0.4}, {9900, 0.5},
                                          {11599, 0.5}, {11700, 0.4}, {12150, 0.3}};
    int after_last = 0, unseen = 0;
    std::vector<CEN005*> garrison;
    const CQ7Pos& screen = g_DDBPack.GetSprite(0).Pos;

    for (int frame = 1; frame <= 12400; ++frame) {
        g_NoDamage = true;
        game_.Step();
        watch.Update();
        if (auto it = speeds.find(frame); it != speeds.end()) {
            EXPECT_DOUBLE_EQ(g_ScrollSpeed, it->second) << frame;
        }
        spawned["CEN002"] += watch.New<CEN002>();
        spawned["CEN003"] += watch.New<CEN003>();
        spawned["CEN005"] += watch.New<CEN005>();
        spawned["CEN010"] += watch.New<CEN010>();
        spawned["CEN016"] += watch.New<CEN016>();
        spawned["CEN017"] += watch.New<CEN017>();
        spawned["CEN018"] += watch.New<CEN018>();
        if (frame > 12150) after_last += watch.New<CEnemy>();

        std::map<const GameObject*, bool> now;
        for (CEnemy* e : HeadlessGame::ObjectsOf<CEnemy>()) {
            if (dynamic_cast<CEN016*>(e)) continue;
            const bool seen = in_view.count(e) ? in_view[e] : false;
            now[e] = seen || screen.GetClipOn(e->HitPos());
        }
        for (const auto& [e, seen] : in_view)
            if (!now.count(e) && !seen) ++unseen;
        in_view = std::move(now);

        if (frame == 4701) {
            for (CEN005* t : HeadlessGame::ObjectsOf<CEN005>())
                if (t->Y() < 0) garrison.push_back(t);
            EXPECT_EQ(garrison.size(), 4u);
        }
        if (frame == 4760) {
            for (CEN005* t : garrison) EXPECT_TRUE(t->Hidden()) << "inside the gatehouse";
        }
        if (frame == 5300) {
            int out = 0;
            for (CEN005* t : HeadlessGame::ObjectsOf<CEN005>()) {
                if (std::find(garrison.begin(), garrison.end(), t) == garrison.end()) continue;
                EXPECT_FALSE(t->Hidden()) << "out of the gate";
                ++out;
            }
            EXPECT_EQ(out, 4);
        }
    }
    for (const auto& [name, n] : spawned) EXPECT_GT(n, 0) << name;
    EXPECT_EQ(unseen, 0) << "ground enemies removed before they came into view";
    EXPECT_EQ(after_last, 0);
}

}  // namespace

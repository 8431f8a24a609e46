// CStage2 and CStage3 in the headless game: their table rows, the rank they
// raise, their sound gates and the classes their scripts create; stage 2's
// map ending under the fortress.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/form1.h"
#include "app/zenit02.h"
#include "game/enemies/boss02.h"
#include "game/enemies/boss03.h"
#include "game/enemies/en001.h"
#include "game/enemies/en002.h"
#include "game/enemies/en003.h"
#include "game/enemies/en004.h"
#include "game/enemies/en005.h"
#include "game/enemies/en006.h"
#include "game/enemies/en007.h"
#include "game/enemies/en008.h"
#include "game/enemies/en010.h"
#include "game/enemies/en013.h"
#include "game/enemies/en014.h"
#include "game/enemies/en015.h"
#include "game/stages/bg2.h"
#include "game/stages/bg3.h"
#include "game/stages/bg_object.h"
#include "game/stages/stage2.h"
#include "game/stages/stage3.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "platform/q7_directx7.h"
#include "spawn_watch.h"
#include "support/headless_game.h"

namespace {

class Stage23Test : public ::testing::Test {
protected:
    // A stage started as the frame loop starts it, the score and rank as given.
    CStageBase& Start(int stage_no, int score = 0, int rank = 0) {
        g_Score = score;
        g_Rank = rank;
        g_NoDamage = true;  // left over from the last stage's clear
        g_StageNo = stage_no;
        g_ObjectPack.Call_Initial();
        g_StageSlot = stage_no == 2 ? g_ObjectPack.Spawn<CStage2>(1, VB_TRUE) : g_ObjectPack.Spawn<CStage3>(1, VB_TRUE);
        SetUpStageDisplay();
        g_FrameCount = 0;
        return *HeadlessGame::ObjectAt<CStageBase>(g_StageSlot);
    }

    HeadlessGame game_;
};

TEST_F(Stage23Test, SetUpLoadsTheRowsPalettesAndPausedMusic) {
    struct Row {
        int stage, volume, loop_start, loop_end, music_start, last_frame;
    };
    CQ7Palette256 own;
    own.Clear();
    own.SetUpText(GetPaletteText(104), 181);
    for (const Row& row : {Row{2, -100, 9216, 230400, 120, 13500}, Row{3, 0, 6144, 239616, 40, 8200}}) {
        game_.ClearAudioCalls();
        CStageBase& stage = Start(row.stage);
        EXPECT_FALSE(g_NoDamage) << row.stage;
        EXPECT_TRUE(g_ShadowsOn) << row.stage;
        for (int i : {181, 200, 241}) EXPECT_EQ(g_Palette.GetColor32(i), own.GetColor32(i)) << row.stage << " " << i;
        EXPECT_EQ(stage.Def().music.loop_end, row.loop_end);
        EXPECT_EQ(stage.Def().last_scripted_frame, row.last_frame);

        auto one = [&](AudioOp op) {
            const std::vector<AudioCallRecord> calls = game_.AudioCalls(op);
            return calls.size() == 1 ? calls[0] : AudioCallRecord{op, -1, -1, -1};
        };
        EXPECT_EQ(one(AudioOp::DM_LoadRes).id, row.stage);
        EXPECT_EQ(one(AudioOp::DM_SetLoop).id, row.stage);
        EXPECT_EQ(one(AudioOp::DM_SetLoop).value, row.loop_start);
        EXPECT_EQ(one(AudioOp::DM_SetMasterVolume).value, row.volume);
        EXPECT_EQ(one(AudioOp::DM_Play).id, row.stage);
        EXPECT_EQ(game_.AudioCalls(AudioOp::DM_PauseIn).size(), 1u);

        const int first = game_.Frame();
        game_.Step(row.music_start);
        const std::vector<AudioCallRecord> resumed = game_.AudioCalls(AudioOp::DM_PauseOut);
        ASSERT_EQ(resumed.size(), 1u) << row.stage;
        EXPECT_EQ(resumed[0].frame - first, row.music_start - 1) << row.stage;  // on the MusicStart-th step
    }
}

TEST_F(Stage23Test, RankRisesFromTheScoreToTheStagesCapAndNeverFalls) {
    struct Case {
        int stage, score, rank_before, rank_after;
    };
    const Case cases[] = {
        {2, 99999, 0, 0},    {2, 149999, 0, 1},  {2, 150000, 0, 2},   {2, 300000, 0, 5},
        {2, 5000000, 0, 5},  {2, 100000, 3, 3},  {3, 299999, 0, 0},   {3, 300000, 0, 1},
        {3, 1199999, 0, 9},  {3, 1200000, 0, 10}, {3, 350000, 4, 4},
    };
    for (const Case& c : cases) {
        Start(c.stage, c.score, c.rank_before);
        EXPECT_EQ(g_Rank, c.rank_after) << "stage " << c.stage << ", score " << c.score;
    }
}

TEST_F(Stage23Test, StageTwoPlaysRequestsDuringTheHitFlashStageThreeNotOnceFireIsOff) {
    struct Case {
        int stage;
        int hit_flash;
        bool bullets_off;
        bool played;
    };
    for (const Case& c : {Case{2, 5, false, true}, Case{2, 0, true, true}, Case{3, 5, false, true},
                          Case{3, 0, true, false}}) {
        Start(c.stage);
        game_.Step(20);
        game_.ClearAudioCalls();
        g_HitFlash = c.hit_flash;
        g_BulletsOff = c.bullets_off;
        g_SeReq8 = true;
        game_.Step();
        EXPECT_EQ(game_.SoundsPlayed() == std::vector<int>{8}, c.played) << "stage " << c.stage;
        EXPECT_FALSE(g_SeReq8);
        g_HitFlash = 0;
        g_BulletsOff = false;
    }
}

// Every enemy class the stage's row names is created by its script (stage
// 2's ground targets by its map), and nothing of it comes after the last
// scripted frame but the map's own.
TEST_F(Stage23Test, ScriptsCreateEveryClassTheirRowNames) {
    struct Named {
        const char* name;
        int (SpawnWatch::*count)() const;
    };
    const std::map<int, std::vector<Named>> rows = {
        {2,
         {{"CEN002", &SpawnWatch::New<CEN002>}, {"CEN003", &SpawnWatch::New<CEN003>},
          {"CEN004", &SpawnWatch::New<CEN004>}, {"CEN005", &SpawnWatch::New<CEN005>},
          {"CEN007", &SpawnWatch::New<CEN007>}, {"CEN008", &SpawnWatch::New<CEN008>},
          {"CEN010", &SpawnWatch::New<CEN010>}}},
        {3,
         {{"CEN001", &SpawnWatch::New<CEN001>}, {"CEN006", &SpawnWatch::New<CEN006>},
          {"CEN007", &SpawnWatch::New<CEN007>}, {"CEN013", &SpawnWatch::New<CEN013>},
          {"CEN014", &SpawnWatch::New<CEN014>}, {"CEN015", &SpawnWatch::New<CEN015>}}},
    };
    for (const auto& [stage_no, named] : rows) {
        CStageBase& stage = Start(stage_no);
        const int last = stage.Def().last_scripted_frame;
        std::map<std::string, int> made, late;
        SpawnWatch watch;
        for (int frame = 1; frame <= last + 300; ++frame) {
            g_NoDamage = true;
            game_.Step();
            watch.Update();
            for (const Named& n : named) (frame <= last ? made : late)[n.name] += (watch.*n.count)();
        }
        for (const Named& n : named) EXPECT_GT(made[n.name], 0) << "stage " << stage_no << ": " << n.name;
        for (const Named& n : named) {
            if (std::string(n.name) == "CEN010") continue;  // the map's, not the script's
            EXPECT_EQ(late[n.name], 0) << "stage " << stage_no << ": " << n.name;
        }
    }
}

// The map stops with its top on the screen's top, as the fortress riding it
// ends its entry; every event runs once, and nothing it places appears on
// screen: buildings and targets come in over the top edge.
TEST_F(Stage23Test, StageTwoMapStopsUnderTheFortressAndPlacesThingsOutOfView) {
    Start(2);
    CBG2* bg = HeadlessGame::ObjectsOf<CBG2>().at(0);
    CBoss02* boss = HeadlessGame::ObjectsOf<CBoss02>().at(0);
    EXPECT_EQ(bg->LostDraws(), 0);
    EXPECT_EQ(bg->StartTop(), -2880);
    SpawnWatch watch;
    int popped = 0, hidden = 0;
    for (int frame = 1; frame <= 14000; ++frame) {
        g_NoDamage = true;
        game_.Step();
        watch.Update();
        for (const CBGObject* ob : watch.Fresh<CBGObject>()) popped += ob->DrawPos().Bottom() > 0;
        for (const CEN010* target : watch.Fresh<CEN010>()) popped += target->HitPos().Bottom() > 0;
        // A target in full view can be shot: no building's roof hides it.
        for (const CEN010* target : HeadlessGame::ObjectsOf<CEN010>())
            if (target->HitPos().Top() >= 22 && target->HitPos().Bottom() <= 240) hidden += target->Hidden();
        if (frame == 13200) {
            EXPECT_LT(bg->Top(), 0);
            EXPECT_LE(boss->Y() + 56, 0) << "the fortress shows before it wakes";
        }
        if (frame == 13200 + 600) {
            EXPECT_EQ(bg->Top(), 0);
            EXPECT_DOUBLE_EQ(boss->Y(), CBoss02::kRestY);
        }
    }
    EXPECT_EQ(popped, 0);
    EXPECT_EQ(hidden, 0);
    EXPECT_EQ(bg->Top(), 0);
    EXPECT_EQ(bg->EventsRun(), 2880 / CBG2::kEventRows + 1);  // one per 32 rows, and the start
    EXPECT_NEAR(stage2::DistanceAfter(13800), 2880, 1e-9);
}

}  // namespace

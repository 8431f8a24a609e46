// CStage1 in the headless game: its set-up, its housekeeping and its script.
#include <gtest/gtest.h>

#include <vector>

#include "app/form1.h"
#include "app/zenit02.h"
#include "game/enemies/boss01.h"
#include "game/enemies/en001.h"
#include "game/enemies/en002.h"
#include "game/enemies/en003.h"
#include "game/enemies/en004.h"
#include "game/enemies/en005.h"
#include "game/enemies/en006.h"
#include "game/player/my_ship.h"
#include "game/stages/bg1.h"
#include "game/stages/stage1.h"
#include "gfx/q7_ddbpack256.h"
#include "platform/q7_directx7.h"
#include "spawn_watch.h"
#include "support/headless_game.h"

namespace {

class Stage1Test : public ::testing::Test {
protected:
    void SetUp() override {
        // Leftovers of a previous game the new game must clear.
        g_Score = 123456;
        g_Lives = 3;
        g_Rank = 4;
        g_PowerLv2 = 2;
        g_StageNo = 1;
        g_StageEnd = false;
        g_ObjectPack.Call_Initial();
        g_StageSlot = g_ObjectPack.Spawn<CStage1>(1, VB_TRUE);
        SetUpStageDisplay();
        g_FrameCount = 0;
    }

    CStage1& Stage() { return *HeadlessGame::ObjectAt<CStage1>(g_StageSlot); }

    std::vector<AudioOp> MusicOps() const {
        std::vector<AudioOp> ops;
        // Pausing stops the song inside the platform layer; that call is its own.
        for (const AudioCallRecord& call : g_DX7.Headless()->AudioCalls())
            if (call.op >= AudioOp::DM_LoadRes && call.op != AudioOp::DM_Stop) ops.push_back(call.op);
        return ops;
    }

    HeadlessGame game_;
};

TEST_F(Stage1Test, SetUpStartsANewGameWithItsSpritesObjectsAndPausedMusic) {
    EXPECT_EQ(g_Lives, 1);
    EXPECT_EQ(g_Rank, 0);
    EXPECT_EQ(g_PowerLv2, 0);
    EXPECT_EQ(g_Score, 0);
    EXPECT_DOUBLE_EQ(g_BulletSpeed, 2.5);
    EXPECT_EQ(g_ShieldHit, 241);
    EXPECT_TRUE(g_ShadowsOn);
    EXPECT_FALSE(g_BulletsOff);

    struct Work {
        int id, w, h;
        VBool centred;
    };
    for (const Work& w : {Work{97, 240, 100, VB_TRUE}, Work{98, 84, 246, VB_TRUE}, Work{99, 320, 196, VB_FALSE}}) {
        const CQ7Sprite256& s = g_DDBPack.GetSprite(w.id);
        EXPECT_EQ(s.Pos.Width(), w.w) << w.id;
        EXPECT_EQ(s.Pos.Height(), w.h) << w.id;
        EXPECT_EQ(s.Pos.Center_Base(), w.centred) << w.id;
    }
    EXPECT_EQ(g_DDBPack.GetSprite(4115).Pos.Center_Base(), VB_FALSE);

    EXPECT_NE(HeadlessGame::ObjectAt<CMyShip>(g_MyShipSlot), nullptr);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBG1>().size(), 1u);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBoss01>().size(), 1u);
    EXPECT_EQ(Stage().MusicStart, 70);

    const std::vector<AudioOp> setup = {AudioOp::DM_LoadRes, AudioOp::DM_SetLoop, AudioOp::DM_GM_Reset,
                                        AudioOp::DM_SetMasterVolume, AudioOp::DM_Play, AudioOp::DM_PauseIn};
    EXPECT_EQ(MusicOps(), setup);
    game_.Step(69);
    EXPECT_EQ(MusicOps(), setup);
    game_.Step();
    ASSERT_EQ(game_.AudioCalls(AudioOp::DM_PauseOut).size(), 1u);
    EXPECT_EQ(game_.AudioCalls(AudioOp::DM_PauseOut)[0].frame, 69);  // the 70th step
}

TEST_F(Stage1Test, SoundRequestDuringTheHitFlashIsDroppedNotDelayed) {
    game_.Step(20);  // past the intro's own sound
    game_.ClearAudioCalls();
    g_HitFlash = 2;
    g_SeReq5 = true;
    game_.Step();
    EXPECT_FALSE(g_SeReq5);
    g_HitFlash = 0;
    game_.Step(10);
    EXPECT_TRUE(game_.SoundsPlayed().empty());

    g_SeReq5 = true;
    g_SeReq8 = true;
    game_.Step();
    EXPECT_EQ(game_.SoundsPlayed(), (std::vector<int>{5, 8}));
    g_SeReq5 = true;  // within the 6-frame cool-down
    game_.Step();
    EXPECT_EQ(game_.SoundsPlayed(), (std::vector<int>{5, 8}));
}

// Enemies created by the listed entries of the script.
struct Expected {
    int first, last;  // frames; windows create on the multiples of 8 inside
    int per_frame;
    int (SpawnWatch::*count)() const;
    bool window;
};

TEST_F(Stage1Test, ScriptCreatesTheListedEnemiesOnTheirFrames) {
    g_NoDamage = true;
    const auto en001 = &SpawnWatch::New<CEN001>;
    const Expected expected[] = {
        {300, 379, 1, en001, true},    {500, 579, 1, en001, true},    {700, 779, 2, en001, true},
        {1500, 1659, 2, en001, true},  {1800, 1959, 2, en001, true},  {3900, 4059, 1, en001, true},
        {4200, 4359, 1, en001, true},  {4900, 5059, 1, en001, true},  {5100, 5259, 1, en001, true},
        {8200, 8359, 1, en001, true},  {8400, 8559, 1, en001, true},  {8700, 8859, 1, en001, true},
        {8900, 9059, 1, en001, true},
        {800, 800, 1, &SpawnWatch::New<CEN002>, false},   {925, 925, 1, &SpawnWatch::New<CEN002>, false},
        {2000, 2000, 1, &SpawnWatch::New<CEN003>, false}, {2500, 2500, 1, &SpawnWatch::New<CEN004>, false},
        {3300, 3300, 3, &SpawnWatch::New<CEN002>, false}, {6550, 6550, 1, &SpawnWatch::New<CEN006>, false},
        {11400, 11400, 14, &SpawnWatch::New<CEN005>, false},
    };
    SpawnWatch watch;
    for (int frame = 1; frame <= 11400; ++frame) {
        game_.Step();
        watch.Update();
        for (const Expected& e : expected) {
            if (frame < e.first || frame > e.last) continue;
            const int want = (!e.window || frame % 8 == 0) ? e.per_frame : 0;
            EXPECT_EQ((watch.*e.count)(), want) << "frame " << frame;
        }
    }
    // The fourteen tanks start inside the hangars of the column, out of reach.
    game_.Step();
    int hidden = 0;
    for (CEN005* tank : HeadlessGame::ObjectsOf<CEN005>()) hidden += tank->Hidden() ? 1 : 0;
    EXPECT_EQ(hidden, 14);
}

}  // namespace

// A stage object alone in the headless game, set up as the frame loop sets it
// up, with checks of the parts of its row every stage has.
#pragma once

#include <gtest/gtest.h>

#include "app/form1.h"
#include "app/zenit02.h"
#include "gfx/q7_palette256.h"
#include "platform/q7_directx7.h"
#include "support/headless_game.h"

template <class StageClass>
class StageTest : public ::testing::Test {
protected:
    void Start(int stage_no, int score, int rank) {
        g_Score = score;
        g_Rank = rank;
        g_StageNo = stage_no;
        g_StageEnd = false;
        g_ObjectPack.Call_Initial();
        g_StageSlot = g_ObjectPack.Spawn<StageClass>(1, VB_TRUE);
        SetUpStageDisplay();
        g_FrameCount = 0;
    }

    StageClass& Stage() { return *HeadlessGame::ObjectAt<StageClass>(g_StageSlot); }

    // The palette texts at their places, as a fresh palette loads them.
    void ExpectPalettes(std::initializer_list<std::pair<int, int>> texts) {
        CQ7Palette256 expected;
        expected.Clear();
        for (const auto& [text, at] : texts) expected.SetUpText(GetPaletteText(text), at);
        for (int i = 0; i < 256; ++i) EXPECT_EQ(g_Palette.PalColor[i], expected.PalColor[i]) << i;
    }

    // The music loaded, looped and set to its volume, and paused out on frame `music_start`.
    void ExpectMusic(int segment, int loop_start, int volume, int music_start) {
        const auto loads = game_.AudioCalls(AudioOp::DM_LoadRes);
        const auto loops = game_.AudioCalls(AudioOp::DM_SetLoop);
        const auto volumes = game_.AudioCalls(AudioOp::DM_SetMasterVolume);
        ASSERT_FALSE(loads.empty());
        ASSERT_FALSE(loops.empty());
        ASSERT_FALSE(volumes.empty());
        EXPECT_EQ(loads.back().id, segment);
        EXPECT_EQ(loops.back().id, segment);
        EXPECT_EQ(loops.back().value, loop_start);
        EXPECT_EQ(volumes.back().value, volume);
        EXPECT_EQ(Stage().MusicStart, music_start);
        game_.ClearAudioCalls();
        game_.Step(music_start - 1);
        EXPECT_TRUE(game_.AudioCalls(AudioOp::DM_PauseOut).empty());
        game_.Step();
        EXPECT_EQ(game_.AudioCalls(AudioOp::DM_PauseOut).size(), 1u);
    }

    HeadlessGame game_;
};

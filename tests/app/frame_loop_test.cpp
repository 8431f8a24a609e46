// The main window's stage run: pacing on the frame timer, late frames and
// re-syncs, the pause sequence, the per-stage statistics, the keys and the
// stage sequence through Main.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/program.h"
#include "app/stage_factory.h"
#include "app/zenit02.h"
#include "gfx/q7_ddbpack256.h"
#include "platform/q7_directx7.h"
#include "platform/test_media.h"
#include "support/headless_game.h"

namespace {

constexpr int kEsc = 27, kPageUp = 33, kPageDown = 34, kKeyC = 67;

// A one-note song playing in a loop, so the pause has music to pause.
void PlayTestSong() {
    using namespace test_media;
    const std::vector<std::uint8_t> midi = Midi(0, 96, {Track().On(0, 0, 60).Off(960, 0, 60).End()});
    const std::string path = testing::TempDir() + "/zenit_pause_song.mid";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(midi.data()),
                                               static_cast<std::streamsize>(midi.size()));
    ASSERT_TRUE(g_DX7.DM_LoadFile(1, path));
    g_DX7.DM_Play(1, -1);
    ASSERT_TRUE(g_DX7.DM_GetPlaying());
}

// Every stage number gets a TestStage running `per_frame`.
void UseTestStages(TestStage::FrameFn per_frame) {
    SetStageFactoryOverride([per_frame](int) { return std::make_unique<TestStage>(per_frame); });
}

// A stage that ends itself after `frames` steps, going on to `next`.
TestStage::FrameFn EndsAfter(int frames, int next, TestStage::FrameFn also = {}) {
    return [=](TestStage& st) {
        if (also) also(st);
        if (st.Count == frames) {
            g_StageEnd = true;
            g_StageNo = next;
        }
    };
}

struct PacingCase {
    const char* name;
    std::function<double(int count)> step_cost_ms;  // how long each step takes
    int frames, late, resyncs;
    int next = 2;  // the stage ends itself going on to 2
};

TEST(RunStage, DrawsOnTimeFramesSkipsLateOnesAndResyncsAfterTen) {
    const PacingCase cases[] = {
        {"every frame on time", [](int) { return 0.0; }, 30, 0, 0},
        // One 100 ms hiccup after five frames: the tick is 10 while frame 5
        // is due, so frames 5..9 are late and frame 10 is on time again.
        {"one slow frame", [](int c) { return c == 6 ? 100.0 : 0.0; }, 20, 5, 0},
        // Every step 40 ms: never on time; every tenth late frame is shown
        // and the timer restarts.
        {"always slow", [](int) { return 40.0; }, 30, 30, 3},
        // More than 50 re-syncs in one stage: the program ends after it.
        {"50 re-syncs", [](int) { return 40.0; }, 500, 500, 50},
        {"51 re-syncs", [](int) { return 40.0; }, 510, 510, 51, 10},
    };
    for (const PacingCase& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessGame game({.load_graphics = false, .load_sounds = false});
        UseTestStages(EndsAfter(c.frames, 2, [&](TestStage& st) { game.Clock().AdvanceMs(c.step_cost_ms(st.Count)); }));
        const int presents_before = game.PresentCount();

        g_Form1.RunStage();

        EXPECT_EQ(g_StageFrames[1], c.frames);
        EXPECT_EQ(g_StageLate[1], c.late);
        EXPECT_EQ(g_StageResyncs[1], c.resyncs);
        const int shown = c.frames - c.late + c.resyncs;
        EXPECT_EQ(g_FrameCount, shown);
        EXPECT_EQ(game.PresentCount() - presents_before, shown);
        EXPECT_EQ(g_StageNo, c.next);
        EXPECT_TRUE(g_Form1.Timer1Enabled());  // the next stage (or the end) follows one second later
    }
}

TEST(RunStage, OnTimeFramesFollowTheTickOf16683Microseconds) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    std::vector<std::int64_t> at;
    UseTestStages(EndsAfter(61, 2, [&](TestStage&) { at.push_back(game.Clock().Counter()); }));
    g_Form1.RunStage();
    ASSERT_EQ(at.size(), 61u);
    // The 61st step follows the frame shown at tick 59: 59 x 16.683 ms = 984.297 ms,
    // first seen by the 1 ms poll at 985 ms.
    EXPECT_EQ((at[60] - at[0]) / 1'000'000, 985);
}

TEST(RunStage, PauseWaitsHalfASecondThenResumesOnThePauseButton) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    PlayTestSong();
    std::int64_t paused_at = 0, resumed_at = 0;
    UseTestStages(EndsAfter(8, 2, [&](TestStage& st) {
        if (st.Count == 5) {
            g_Paused = true;
            paused_at = game.Clock().Counter();
        }
        if (st.Count == 6) resumed_at = game.Clock().Counter();
    }));
    g_PauseButton = 7;
    game.Backend().SetPadState(false, false, false, false, 1u << 7);  // held all along

    g_Form1.RunStage();

    EXPECT_FALSE(g_Paused);
    EXPECT_EQ(g_PauseCount, 1);
    EXPECT_EQ(game.SoundsPlayed(), (std::vector<int>{4, 4}));
    EXPECT_EQ(game.AudioCalls(AudioOp::DM_PauseIn).size(), 1u);
    EXPECT_EQ(game.AudioCalls(AudioOp::DM_PauseOut).size(), 1u);
    EXPECT_TRUE(g_DX7.DM_GetPlaying());
    // 500 ms after pausing, the first 100 ms poll sees the button; 200 ms after the resume sound.
    EXPECT_EQ((resumed_at - paused_at) / 1'000'000, 800);
    EXPECT_EQ(g_StageNo, 2);
}

TEST(RunStage, EscWhilePausedStopsTheMusicAndEndsTheProgram) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    PlayTestSong();
    int frames_seen = 0;
    UseTestStages([&](TestStage& st) {
        frames_seen = st.Count;
        if (st.Count == 3) {
            g_Paused = true;
            game.Backend().QueuePaint();  // paints the paused frame again
            game.Backend().QueueKeyDown(kEsc);
        }
    });
    const int presents_before = game.PresentCount();

    g_Form1.RunStage();

    EXPECT_EQ(frames_seen, 3);
    EXPECT_EQ(g_StageNo, 10);
    EXPECT_EQ(game.SoundsPlayed(), std::vector<int>{4});  // no resume sound
    EXPECT_TRUE(game.AudioCalls(AudioOp::DM_PauseOut).empty());
    EXPECT_FALSE(g_DX7.DM_GetPause());  // stopped, not paused
    // Frames 1 and 2, the paused frame on both display pages, the repaint,
    // and frame 3 after the pause.
    EXPECT_EQ(game.PresentCount() - presents_before, 6);
}

TEST(RunStage, MoreThanFiftyPausesInOneStageEndTheProgramAfterIt) {
    struct Case {
        int pauses_before, pauses_in_stage, next;
    };
    const Case cases[] = {{0, 50, 2}, {0, 51, 10}, {40, 50, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pauses_in_stage);
        HeadlessGame game({.load_graphics = false, .load_sounds = false});
        g_PauseCount = c.pauses_before;
        game.Backend().SetPadState(false, false, false, false, 1u << g_PauseButton);
        UseTestStages(EndsAfter(c.pauses_in_stage + 1, 2, [&](TestStage& st) {
            if (st.Count <= c.pauses_in_stage) g_Paused = true;
        }));
        g_Form1.RunStage();
        EXPECT_EQ(g_PauseCount, c.pauses_before + c.pauses_in_stage);
        EXPECT_EQ(g_StageNo, c.next);
    }
}

TEST(RunStage, StageOneStartsAtTheVolumeChosenInTheSettings) {
    struct Case {
        int stage, init_vol, level, volume;
    };
    const Case cases[] = {{1, 3, 3, 0}, {1, 2, 2, -1000}, {1, 1, 1, -2000}, {2, 3, 2, -1000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stage " << c.stage << " Init_Vol " << c.init_vol);
        HeadlessGame game({.load_graphics = false});
        UseTestStages(EndsAfter(1, 3));
        g_StageNo = c.stage;
        g_InitVol = c.init_vol;
        g_Form1.RunStage();
        EXPECT_EQ(g_SeVolLevel, c.level);
        for (int i = 1; i <= 13; ++i) EXPECT_EQ(g_DX7.DS_Get_Volume(i), c.volume) << "effect " << i;
    }
}

TEST(RunStage, HitFlashShowsOnlyTheTopFourLayers) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    // Two 8 x 8 squares: colour 10 on layer 35, colour 20 on layer 36.
    for (int id : {5000, 5001}) {
        CQ7Sprite256& sprite = g_DDBPack.GetSprite(id);
        sprite.SetUP(8, 8, 0);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) sprite.DT.SetPixelData(x, y, id == 5000 ? 10 : 20);
    }
    UseTestStages(EndsAfter(2, 2, [](TestStage& st) {
        g_DDBPack.Cls(false);  // no background here to paint over the last frame
        g_HitFlash = st.Count == 2 ? 2 : 0;
        CQ7Pos at;
        at.SetCenter_Base(0);
        at.ReSize(8, 8);
        at.Move(100, 100);
        g_DDBPack.AddBlt(at, 5000, 35, 0, 0);
        at.Move(200, 100);
        g_DDBPack.AddBlt(at, 5001, 36, 0, 0);
    }));
    game.Backend().SetKeepIndices(true);
    std::vector<std::pair<int, int>> seen;  // colours at the two squares, per presented frame
    FrameLoopHooks hooks;
    hooks.after_present = [&] {
        const auto& f = game.Backend().LastFrame();
        ASSERT_FALSE(f.indices.empty());
        seen.emplace_back(f.indices[102 * f.width + 102], f.indices[102 * f.width + 202]);
    };
    g_Form1.SetHooks(hooks);
    g_Form1.RunStage();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(10, 20));
    EXPECT_EQ(seen[1].second, 20);
    EXPECT_NE(seen[1].first, 10);
}

TEST(RunStage, AStageNumberWithoutAStageEndsTheProgramWithAMessage) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    g_StageNo = 11;  // past the stages and the ending: never built, whatever stages are
    g_Form1.RunStage();
    EXPECT_FALSE(g_Form1.Loaded());
    ASSERT_EQ(game.Messages().size(), 1u);
    EXPECT_NE(game.Messages()[0].text.find("Stage 11"), std::string::npos);
}

TEST(Form1Keys, EscPageUpPageDownAndCtrlC) {
    HeadlessGame game({.load_graphics = false});
    std::vector<std::string> clipboard;
    g_Form1.SetClipboardWriter([&](const std::string& text) {
        clipboard.push_back(text);
        return true;
    });

    g_SeVolLevel = 3;
    g_Form1.OnKeyDown(kPageUp, false, false, false);
    EXPECT_EQ(g_SeVolLevel, 3);
    g_Form1.OnKeyDown(kPageDown, false, false, false);
    EXPECT_EQ(g_SeVolLevel, 2);
    g_SeVolLevel = 1;
    g_Form1.OnKeyDown(kPageDown, false, false, false);
    EXPECT_EQ(g_SeVolLevel, 1);

    g_ResultText = "FINAL SCORE =  100";
    g_Form1.OnKeyDown(kKeyC, true, false, false);  // not ready yet
    EXPECT_TRUE(clipboard.empty());
    g_ResultReady = true;
    g_Form1.OnKeyDown(kKeyC, false, false, false);  // C alone
    g_Form1.OnKeyDown(kKeyC, true, true, false);    // Ctrl+Shift+C
    EXPECT_TRUE(clipboard.empty());
    g_Form1.OnKeyDown(kKeyC, true, false, false);
    EXPECT_EQ(clipboard, std::vector<std::string>{"FINAL SCORE =  100"});

    g_Form1.OnKeyDown(kEsc, false, false, false);
    EXPECT_TRUE(g_StageEnd);
    EXPECT_EQ(g_StageNo, 10);
}

TEST(Main, PlaysTheStagesInTurnAndKeepsEachStagesStatistics) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    // Stage 1 lasts 30 frames, stage 2 20 frames, then the program ends.
    SetStageFactoryOverride([](int stage_no) {
        return std::make_unique<TestStage>(stage_no == 1 ? EndsAfter(30, 2) : EndsAfter(20, 10));
    });
    int setups = 0;
    ProgramOptions options;
    options.headless = true;
    options.hooks.after_stage_setup = [&] { ++setups; };

    EXPECT_EQ(Main(options), 0);

    EXPECT_EQ(setups, 2);
    EXPECT_EQ(g_StageFrames[1], 30);
    EXPECT_EQ(g_StageFrames[2], 20);
    EXPECT_EQ(g_StageNo, 10);
    EXPECT_FALSE(g_Form1.Loaded());
    EXPECT_EQ(g_Form1.TotalFrames(), 50);
}

TEST(Main, RunsTheSameLoopOnTheSdlBackEnd) {
    // SDL's dummy video and audio drivers (set for these tests): a real SDL
    // window and audio device without a screen or sound card.
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    UseTestStages(EndsAfter(1000, 10));
    int frames = 0;
    ProgramOptions options;
    options.settings_dialog = false;
    options.hooks.before_step = [&] { return frames < 30; };
    options.hooks.after_frame = [&] { ++frames; };

    EXPECT_EQ(Main(options), 0);

    EXPECT_EQ(frames, 30);
    EXPECT_EQ(g_StageFrames[1], 30);
    EXPECT_EQ(g_StageNo, 1);  // stopped by the hook, not by the stage
    ASSERT_NE(g_DX7.Sdl(), nullptr);
    EXPECT_FALSE(g_Form1.Loaded());
}

}  // namespace

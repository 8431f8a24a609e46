// A replay recorded by the frame loop of the game (stage 1, a virtual clock)
// plays back in zenit-tool sim to the same score and the same last frame,
// also when the file was cut short while the game ran.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/program.h"
#include "app/replay.h"
#include "app/zenit02.h"
#include "platform/q7_directx7.h"
#include "sim_run.h"
#include "support/headless_game.h"

namespace fs = std::filesystem;

namespace {

constexpr int kAttack = 5, kPowerUp = 4, kPause = 7, kTriple = 6;  // not the default buttons
constexpr int kPauseFrame = 700, kTripleFrom = 400, kTripleTo = 460, kEscFrame = 1500, kCrashFrame = 1000;

// What the player does at a frame: attack from the end of the intro on,
// sway left and right, triple speed for a while, one press of pause.
std::uint32_t Buttons(std::int64_t f) {
    std::uint32_t b = f >= 250 ? 1u << kAttack : 0;
    if (f >= kTripleFrom && f < kTripleTo) b |= 1u << kTriple;
    if (f == kPauseFrame) b |= 1u << kPause;
    return b;
}

struct Recording {
    fs::path file, crash_copy;
    int score = 0, lives = 0;
    std::uint64_t frame_hash = 0;
    std::vector<int> score_after;  // g_Score after each frame
    int pause_polls = 0;
};

struct PauseHand {
    bool pausing = false;
    int polls = 0;
};

// While paused the pad is let go; the eighth poll presses pause again.
void PauseYield(void* context) {
    auto* hand = static_cast<PauseHand*>(context);
    if (hand->pausing && ++hand->polls == 8) g_DX7.Headless()->SetPadState(false, false, false, false, 1u << kPause);
    g_DX7.DoEvents();
}

Recording RecordStage1() {
    Recording rec;
    rec.file = fs::path(testing::TempDir()) / "recorded.replay";
    rec.crash_copy = fs::path(testing::TempDir()) / "crashed.replay";
    fs::remove(rec.file);
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    PauseHand hand;
    SetYieldHandler(&PauseYield, &hand);

    ProgramOptions options;
    options.headless = true;
    options.replay_file = rec.file;
    std::int64_t frame = 0;
    options.hooks.after_stage_setup = [] {
        g_ShotButton = kAttack, g_PowerUpButton = kPowerUp, g_PauseButton = kPause, g_SpeedUpButton = kTriple;
    };
    options.hooks.before_step = [&] {
        const bool left = (frame / 45) % 4 == 0, right = (frame / 45) % 4 == 2;
        g_DX7.Headless()->SetPadState(left, right, false, frame % 300 > 200, Buttons(frame));
        if (frame == kEscFrame) g_DX7.Headless()->QueueKeyDown(27);  // Esc: the run ends after this frame
        return true;
    };
    options.hooks.after_step = [&] {
        if (!g_Paused) return;
        hand.pausing = true;
        g_DX7.Headless()->SetPadState(false, false, false, false, 0);
    };
    options.hooks.after_frame = [&] {
        ++frame;
        rec.score_after.push_back(g_Score);
        if (hand.pausing) rec.pause_polls = hand.polls;
        hand.pausing = false;
        if (frame == kCrashFrame) fs::copy_file(rec.file, rec.crash_copy, fs::copy_options::overwrite_existing);
    };
    EXPECT_EQ(Main(options), 0);
    SetYieldHandler(nullptr, nullptr);
    rec.score = g_Score;
    rec.lives = g_Lives;
    rec.frame_hash = g_DX7.Headless()->FrameHash();
    return rec;
}

SimResult PlayBack(const fs::path& file, std::int64_t frames) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    SimOptions options;
    options.input = file.string();
    options.frames = frames;
    SimResult result;
    EXPECT_EQ(RunSim(options, result), 0);
    return result;
}

TEST(ReplayRecording, APlayedStageWithAPauseAndTripleSpeedPlaysBackTheSame) {
    const Recording rec = RecordStage1();
    ASSERT_GE(rec.pause_polls, 8);  // the pause lasted through several polls
    const std::string text = ReadTextFile(rec.file.string());
    std::string error;
    std::optional<ReplayInfo> info = ParseReplayInfo(text, &error);
    ASSERT_TRUE(info) << error << "\n" << text;
    EXPECT_EQ(info->buttons, (std::array<int, 4>{kAttack, kPowerUp, kPause, kTriple}));
    ASSERT_EQ(info->stages.size(), 1u);
    EXPECT_EQ(info->stages[0].stage, 1);
    EXPECT_EQ(info->stages[0].score, rec.score);
    EXPECT_EQ(info->stages[0].frames, kEscFrame + 1);
    EXPECT_NE(text.find("# pause at frame 701 for "), std::string::npos) << text;
    EXPECT_NE(text.find(" 5 6\n"), std::string::npos) << "attack and triple speed held together";
    EXPECT_GT(rec.score, 0);

    const SimResult played = PlayBack(rec.file, kEscFrame + 1);
    EXPECT_EQ(played.score, rec.score);
    EXPECT_EQ(played.lives, rec.lives);
    EXPECT_EQ(g_DX7.Headless()->FrameHash(), rec.frame_hash);
    EXPECT_EQ(played.stage_ends, info->stages);
}

TEST(ReplayRecording, AFileCutShortPlaysWhatItHolds) {
    const Recording rec = RecordStage1();
    std::string text = ReadTextFile(rec.crash_copy.string());
    ASSERT_FALSE(text.empty());
    text.resize(text.size() - 2);  // the last line cut in the middle, as a crash would leave it
    std::ofstream(rec.crash_copy, std::ios::binary | std::ios::trunc) << text;

    std::optional<PadInput> input = LoadPadInput(rec.crash_copy.string());
    ASSERT_TRUE(input && input->replay);
    EXPECT_TRUE(input->replay->stages.empty());  // the stage was still running
    const std::int64_t held = input->script.Length();
    EXPECT_GT(held, kCrashFrame - 200);
    EXPECT_LE(held, kCrashFrame);
    const SimResult upto = PlayBack(rec.crash_copy, held);
    EXPECT_EQ(upto.score, rec.score_after[static_cast<std::size_t>(held - 1)]);
}

}  // namespace

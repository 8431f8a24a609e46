// zenit-tool sim: pad scripts and headless runs through Main.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/stage_factory.h"
#include "app/zenit02.h"
#include "gfx/q7_ddbpack256.h"
#include "input_script.h"
#include "platform/q7_directx7.h"
#include "sim_run.h"
#include "support/headless_game.h"

namespace {

TEST(InputScript, RunLengthLinesOfDirectionsAndButtons) {
    std::string error;
    auto script = InputScript::Parse(
        "# a comment line\n"
        "2\n"
        "3  R  0      # right and attack\r\n"
        "\n"
        "1  ul 3 31\n"
        "2  -  2\n",
        &error);
    ASSERT_TRUE(script) << error;
    EXPECT_EQ(script->Length(), 8);
    EXPECT_EQ(script->At(0), PadState{});
    EXPECT_EQ(script->At(2), (PadState{.right = true, .buttons = 1u}));
    EXPECT_EQ(script->At(4), (PadState{.right = true, .buttons = 1u}));
    EXPECT_EQ(script->At(5), (PadState{.left = true, .up = true, .buttons = (1u << 3) | (1u << 31)}));
    EXPECT_EQ(script->At(7), (PadState{.buttons = 1u << 2}));
    EXPECT_EQ(script->At(8), PadState{});  // released after the script
}

TEST(InputScript, AMalformedLineIsReportedWithItsNumber) {
    const struct {
        const char* text;
        const char* where;
    } cases[] = {
        {"10 R\nR 10\n", "line 2:"},         // count missing
        {"0 R\n", "line 1:"},                // a run of no frames
        {"5 R 32\n", "line 1:"},             // no button 32
        {"1\n\n# ok\n5 X\n", "line 4:"},     // unknown direction
        {"5 R -1\n", "line 1:"},             // negative button
        {"99999999999 R\n", "line 1:"},      // count too large
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(InputScript::Parse(c.text, &error)) << c.text;
        EXPECT_EQ(error.rfind(c.where, 0), 0u) << c.text << " gave: " << error;
    }
}

TEST(SimOptions, ParsedOrRefusedWithAReason) {
    std::string error;
    auto o = ParseSimOptions({"--stage", "3", "--frames", "600", "--input", "pad.txt", "--invincible", "--autofire",
                              "--power", "2", "--trace", "t.jsonl", "--frames-dir", "out", "--every", "10", "--score",
                              "149999", "--record", "r.replay"},
                             &error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->stage, 3);
    EXPECT_EQ(o->frames, 600);
    EXPECT_EQ(o->input, "pad.txt");
    EXPECT_TRUE(o->invincible && o->autofire);
    EXPECT_EQ(o->power, 2);
    EXPECT_EQ(o->trace, "t.jsonl");
    EXPECT_EQ(o->frames_dir, "out");
    EXPECT_EQ(o->every, 10);
    EXPECT_EQ(o->score, 149999);
    EXPECT_EQ(o->record, "r.replay");
    EXPECT_FALSE(o->bot);
    EXPECT_EQ(ReplayNote(*o), "--stage 3 --score 149999 --invincible --power 2");
    o = ParseSimOptions({"--bot", "--stage", "2"}, &error);
    ASSERT_TRUE(o) << error;
    EXPECT_TRUE(o->bot);

    const std::vector<std::vector<std::string>> bad = {
        {"--stage", "0"}, {"--stage", "10"}, {"--power", "4"}, {"--frames", "-1"}, {"--frames", "12x"},
        {"--every", "0"}, {"--input"},       {"--frames"},     {"--fast"},     {"--score", "-1"},
        {"--bot", "--input", "pad.txt"},  // the bot plays the pad itself
    };
    for (const auto& args : bad) {
        error.clear();
        EXPECT_FALSE(ParseSimOptions(args, &error)) << args[0];
        EXPECT_NE(error.find(args[0]), std::string::npos) << error;
    }
}

// A stage that moves a square with the pad, scores while button 0 is held,
// and starts a new game like stage 1 (levels 0, g_NoDamage off).
std::unique_ptr<GameObject> PadDrivenStage() {
    struct State {
        int x = 160;
    };
    auto state = std::make_shared<State>();
    return std::make_unique<TestStage>(
        [state](TestStage& st) {
            std::int32_t l = 0, r = 0, u = 0, d = 0;
            g_DX7.GetPadButton(l, r, u, d);
            state->x += (r ? 2 : 0) - (l ? 2 : 0);
            if (g_PadButtons[0] == 1) AddScore(10, false);
            g_DDBPack.Cls(false);
            CQ7Pos at;
            at.SetCenter_Base(0);
            at.ReSize(8, 8);
            at.Move(state->x, 100);
            g_DDBPack.AddBlt(at, 5000, 20, 0, 1);
            if (st.Count == 1000) {
                g_StageEnd = true;
                g_StageNo = 10;
            }
        },
        [](TestStage&) {
            g_PowerLv0 = g_PowerLv1 = g_PowerLv2 = g_PowerLv3 = 0;
            g_NoDamage = false;
            CQ7Sprite256& square = g_DDBPack.GetSprite(5000);
            square.SetUP(8, 8, 0);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) square.DT.SetPixelData(x, y, 40);
        });
}

std::string WriteFile(const std::string& name, const std::string& text) {
    std::string path = testing::TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

SimResult RunWithPadStage(SimOptions options) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    SetStageFactoryOverride([](int) { return PadDrivenStage(); });
    SimResult result;
    EXPECT_EQ(RunSim(options, result), 0);
    return result;
}

TEST(Sim, SameOptionsGiveTheSameRunAndInputChangesIt) {
    SimOptions options;
    options.frames = 120;
    options.input = WriteFile("sim_pad.txt", "20\n30 R 0\n10 L\n");
    SimResult a = RunWithPadStage(options);
    SimResult b = RunWithPadStage(options);
    EXPECT_EQ(a.frames, 120);
    EXPECT_EQ(a.stage_no, 1);
    EXPECT_EQ(a.score, 300);
    EXPECT_EQ(a.stage_frames[1], 120);
    EXPECT_EQ(SummaryJson(a), SummaryJson(b));

    options.input = WriteFile("sim_pad2.txt", "20\n30 L 0\n");
    SimResult c = RunWithPadStage(options);
    EXPECT_EQ(c.score, a.score);
    EXPECT_NE(c.hash, a.hash);  // same score, the square elsewhere
}

TEST(Sim, OptionsActOnEveryFrameAndAfterEachStageSetUp) {
    SimOptions options;
    options.frames = 40;
    options.autofire = true;
    options.invincible = true;
    options.power = 3;
    options.trace = testing::TempDir() + "/sim_trace.jsonl";
    SimResult r = RunWithPadStage(options);
    EXPECT_EQ(r.score, 400);  // the attack button held on all 40 frames
    EXPECT_EQ(g_PowerLv0 + g_PowerLv1 + g_PowerLv2 + g_PowerLv3, 12);
    EXPECT_TRUE(g_NoDamage);

    std::ifstream trace(options.trace);
    std::string line, last;
    int lines = 0;
    while (std::getline(trace, line)) ++lines, last = line;
    EXPECT_EQ(lines, 40);
    EXPECT_EQ(last,
              "{\"frame\":40,\"stage_no\":1,\"score\":400,\"lives\":0,\"rank\":0,\"objects\":1,\"enemy_bullets\":0}");
}

TEST(Sim, AMalformedPadScriptPlaysNothing) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    int stages = 0;
    SetStageFactoryOverride([&](int) {
        ++stages;
        return PadDrivenStage();
    });
    SimOptions options;
    options.input = WriteFile("sim_bad.txt", "10 R\n5 Q\n");
    SimResult result;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunSim(options, result), 2);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("sim_bad.txt:2:"), std::string::npos) << err;
    EXPECT_EQ(stages, 0);
}

TEST(Sim, SummaryIsOneJsonLine) {
    SimResult r;
    r.stage_no = 9;
    r.frames = 5;
    r.score = 120;
    r.lives = 2;
    r.rank = 3;
    r.stage_frames = {0, 5};
    r.result_text = "FINAL SCORE =  120\r\n\"x\"";
    r.hash = 0xabc;
    EXPECT_EQ(SummaryJson(r),
              "{\"stage_no\":9,\"frames\":5,\"score\":120,\"lives\":2,\"rank\":3,\"stage_frames\":[0,5],"
              "\"result_text\":\"FINAL SCORE =  120\\r\\n\\\"x\\\"\",\"hash\":\"0000000000000abc\"}");
    // With tallies they come before the hash.
    r.tallied = true;
    r.spawned = {{"CEN001", 3}, {"bullets", 12}};
    r.destroyed = {{"CEN001", 2}};
    r.hits = 1;
    r.peak_objects = 40;
    r.peak_enemy_bullets = 7;
    EXPECT_NE(SummaryJson(r).find(",\"spawned\":{\"CEN001\":3,\"bullets\":12},\"destroyed\":{\"CEN001\":2},\"hits\":1,"
                                  "\"peak_objects\":40,\"peak_enemy_bullets\":7,\"hash\":"),
              std::string::npos)
        << SummaryJson(r);
}

}  // namespace

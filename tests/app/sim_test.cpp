// zenit-tool sim: pad scripts and headless runs through Main.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "app/stage_factory.h"
#include "app/zenit02.h"
#include "common/child_process.h"
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

    // Old Mac line ends (a lone CR) are line ends too.
    auto cr = InputScript::Parse("# a comment line\r2\r3  R  0\r\r1  ul 3 31", &error);
    ASSERT_TRUE(cr) << error;
    EXPECT_EQ(cr->Length(), 6);
    EXPECT_EQ(cr->At(2), (PadState{.right = true, .buttons = 1u}));
    EXPECT_EQ(cr->At(5), (PadState{.left = true, .up = true, .buttons = (1u << 3) | (1u << 31)}));
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
        {"--stage", " 5"}, {"--stage", "+1"}, {"--stage", "5 "}, {"--frames", ""},
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

// RunSim with what it says on stderr.
int RunSimCapturing(const SimOptions& options, SimResult& result, std::string& err) {
    testing::internal::CaptureStderr();
    const int code = RunSim(options, result);
    err = testing::internal::GetCapturedStderr();
    return code;
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

// bench --all plays each stage on its own: the run ends where the stage does.
TEST(Sim, StopAfterStageEndsTheProgramWithTheFirstStage) {
    for (bool stop : {false, true}) {
        HeadlessGame game({.load_graphics = false, .load_sounds = false});
        std::vector<int> played;
        SetStageFactoryOverride([&](int stage_no) {
            played.push_back(stage_no);
            return std::make_unique<TestStage>([stage_no](TestStage& st) {
                if (st.Count < 5) return;
                g_StageEnd = true;  // cleared: on to the next stage, the third is the last
                g_StageNo = stage_no < 3 ? stage_no + 1 : 10;
            });
        });
        SimOptions options;
        options.stage = 2;
        options.stop_after_stage = stop;
        SimResult result;
        ASSERT_EQ(RunSim(options, result), 0);
        EXPECT_EQ(played, stop ? std::vector<int>{2} : (std::vector<int>{2, 3}));
        EXPECT_EQ(result.stage_no, 10);
        EXPECT_EQ(result.frames, stop ? 5 : 10);
        EXPECT_GT(result.cpu_seconds, 0.0);
    }
}

// --one-stage: the run stops once the stage it started with is cleared; the
// next one is set up but never stepped, so the frames and hits are the stage's.
TEST(Sim, OneStageStopsWhenTheFirstStageEnds) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    std::vector<int> played;
    SetStageFactoryOverride([&](int stage_no) {
        played.push_back(stage_no);
        return std::make_unique<TestStage>([stage_no](TestStage& st) {
            if (st.Count < 5) return;
            g_StageEnd = true;
            g_StageNo = stage_no + 1;
        });
    });
    std::string error;
    std::optional<SimOptions> options = ParseSimOptions({"--stage", "2", "--one-stage"}, &error);
    ASSERT_TRUE(options) << error;
    SimResult result;
    ASSERT_EQ(RunSim(*options, result), 0);
    EXPECT_EQ(played, (std::vector<int>{2, 3}));
    EXPECT_EQ(result.stage_no, 3);
    EXPECT_EQ(result.frames, 5);
    EXPECT_EQ(result.stage_frames[2], 5);
    EXPECT_EQ(result.stage_frames[3], 0);
}

TEST(Sim, AnUnusablePadScriptPlaysNothing) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    int stages = 0;
    SetStageFactoryOverride([&](int) {
        ++stages;
        return PadDrivenStage();
    });
    const std::string fifo = testing::TempDir() + "/sim_fifo.txt";
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string file, says;
    } cases[] = {
        {WriteFile("sim_bad.txt", "10 R\n5 Q\n"), "sim_bad.txt:2:"},
        {testing::TempDir(), "not a regular file"},  // a folder is no empty script
        {fifo, "not a regular file"},                // nor does a FIFO wait for a writer
        {testing::TempDir() + "/sim_missing.txt", "No such file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        SimOptions options;
        options.input = c.file;
        SimResult result;
        std::string err;
        EXPECT_EQ(RunSimCapturing(options, result, err), 2);
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
    }
    EXPECT_EQ(stages, 0);
    std::remove(fifo.c_str());
}

TEST(Sim, AnOutputThatCannotBeWrittenEndsTheRunNamingTheFile) {
    const std::string frames_dir = testing::TempDir() + "/sim_frames_blocked";
    std::filesystem::remove_all(frames_dir);
    std::filesystem::create_directories(frames_dir + "/frame_000000.png");  // a folder where the first frame goes
    const struct {
        const char* what;
        std::string trace, frames_dir, says;
    } cases[] = {
        {"a full disk under the trace", "/dev/full", "", "trace: cannot write /dev/full: "},
        {"a frame that cannot be written", "", frames_dir,
         "frames-dir: cannot write " + frames_dir + "/frame_000000.png: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HeadlessGame game({.load_graphics = false, .load_sounds = false});
        SetStageFactoryOverride([](int) { return PadDrivenStage(); });
        SimOptions options;
        options.frames = 900;
        options.trace = c.trace;
        options.frames_dir = c.frames_dir;
        SimResult result;
        std::string err;
        EXPECT_EQ(RunSimCapturing(options, result, err), 1);
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
        EXPECT_LT(result.frames, options.frames);  // the run stops at the failure
    }
    std::filesystem::remove_all(frames_dir);
}

TEST(ZenitToolExport, AFolderThatCannotBeMadeIsReportedNotAborted) {
    const std::string file = WriteFile("export_in_the_way", "x");
    for (const std::string& dir : {file, file + "/sub"}) {
        ChildResult r = RunChild({ZENIT_BINARY_DIR "/zenit-tool", "export", dir}, {}, 60);
        EXPECT_EQ(r.signal, 0) << dir;
        EXPECT_EQ(r.exit_code, 1) << dir;
        EXPECT_NE(r.err.find("export: cannot create the folder " + dir + ": "), std::string::npos) << r.err;
    }
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

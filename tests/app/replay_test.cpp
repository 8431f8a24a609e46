// Replays: reading and rewriting their "#" lines, where the game keeps them,
// and a recorder that cannot write.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/program.h"
#include "app/replay.h"
#include "app/stage_factory.h"
#include "app/zenit02.h"
#include "input_script.h"
#include "support/headless_game.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kReplay =
    "# zenit replay 1\n"
    "# sim --stage 2 --invincible\n"
    "# recorded 2025-01-31 21:04:17\n"
    "# buttons 5 1 7 6    (attack, power-up, pause, triple speed)\n"
    "# stage 1 score 123450 frames 13412\n"
    "# expect {\"score\":1}\n"
    "120 -\n"
    "# pause at frame 2210 for 3400 ms\n"
    "300 R 5\r\n";

TEST(ReplayInfo, HeaderLinesAreRead) {
    std::string error;
    std::optional<ReplayInfo> info = ParseReplayInfo(kReplay, &error);
    ASSERT_TRUE(info) << error;
    EXPECT_EQ(info->buttons, (std::array<int, 4>{5, 1, 7, 6}));
    EXPECT_EQ(info->stages, (std::vector<ReplayInfo::StageEnd>{{1, 123450, 13412}}));
    EXPECT_EQ(info->sim_options, "--stage 2 --invincible");
    EXPECT_EQ(info->expect, "{\"score\":1}");
    // The pad lines are an ordinary pad script.
    std::optional<InputScript> script = InputScript::Parse(kReplay, &error);
    ASSERT_TRUE(script) << error;
    EXPECT_EQ(script->Length(), 420);

    // A pad script without the first line is no replay, whatever its comments say.
    error.clear();
    EXPECT_FALSE(ParseReplayInfo("# stage 1 starts\n10 R\n", &error));
    EXPECT_EQ(error, "");
}

TEST(ReplayInfo, AMalformedLineIsReportedWithItsNumber) {
    const struct {
        const char* line;
        const char* where;
    } cases[] = {
        {"# buttons 0 1 2", "line 3:"},                    // three numbers
        {"# buttons 0 1 2 32", "line 3:"},                 // no button 32
        {"# buttons 0 x 2 3", "line 3:"},                  // not a number
        {"# stage 1 score 100", "line 3:"},                // no frames
        {"# stage 1 score many frames 10", "line 3:"},     // not a number
        {"# stage 11 score 1 frames 10", "line 3:"},       // no stage 11
        {"# stage 1 points 100 frames 10", "line 3:"},     // wrong word
    };
    for (const auto& c : cases) {
        std::string error;
        const std::string text = std::string("# zenit replay 1\n10 R\n") + c.line + "\n20 L\n";
        EXPECT_FALSE(ParseReplayInfo(text, &error)) << c.line;
        EXPECT_EQ(error.rfind(c.where, 0), 0u) << c.line << " gave: " << error;
    }
}

TEST(ReplayInfo, RewriteReplacesStageAndExpectLinesOnly) {
    ReplayInfo info;
    info.stages = {{1, 500, 1000}, {2, 900, 800}};
    info.expect = "{\"score\":2}";
    const std::string text = RewriteReplayInfo(kReplay, info);
    EXPECT_EQ(text,
              "# zenit replay 1\n"
              "# sim --stage 2 --invincible\n"
              "# recorded 2025-01-31 21:04:17\n"
              "# buttons 5 1 7 6    (attack, power-up, pause, triple speed)\n"
              "# stage 1 score 500 frames 1000\n"
              "# stage 2 score 900 frames 800\n"
              "# expect {\"score\":2}\n"
              "120 -\n"
              "# pause at frame 2210 for 3400 ms\n"
              "300 R 5\n");
    std::string error;
    std::optional<ReplayInfo> again = ParseReplayInfo(text, &error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(again->stages, info.stages);
}

TEST(ReplayFiles, TheOldestArePrunedSoThatAHundredRemain) {
    const fs::path dir = fs::path(testing::TempDir()) / "zenit_replays_prune";
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (int i = 0; i < 105; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "2020-01-01_00-%02d-%02d.replay", i / 60, i % 60);
        std::ofstream(dir / name) << "# zenit replay 1\n";
    }
    std::ofstream(dir / "notes.txt") << "not a replay\n";

    const fs::path fresh = NewReplayPath(dir);
    EXPECT_EQ(fresh.parent_path(), dir);
    EXPECT_EQ(fresh.extension(), ".replay");
    EXPECT_FALSE(fs::exists(fresh));
    int replays = 0;
    for (const auto& entry : fs::directory_iterator(dir)) replays += entry.path().extension() == ".replay";
    EXPECT_EQ(replays, kReplaysKept - 1);  // the new one makes a hundred
    EXPECT_FALSE(fs::exists(dir / "2020-01-01_00-00-05.replay"));
    EXPECT_TRUE(fs::exists(dir / "2020-01-01_00-00-06.replay"));
    EXPECT_TRUE(fs::exists(dir / "notes.txt"));
}

TEST(ReplayFiles, AFolderThatCannotBeWrittenLeavesTheGameAlone) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    int frames = 0;
    SetStageFactoryOverride([&](int) {
        return std::make_unique<TestStage>([&](TestStage& st) {
            ++frames;
            if (st.Count == 30) {
                g_StageEnd = true;
                g_StageNo = 10;
            }
        });
    });
    // A file where the folder should be: nothing can be created under it.
    const fs::path blocker = fs::path(testing::TempDir()) / "zenit_replay_blocker";
    std::ofstream(blocker) << "x";
    ProgramOptions options;
    options.headless = true;
    options.replay_dir = blocker / "replays";
    EXPECT_EQ(Main(options), 0);
    EXPECT_EQ(frames, 30);
    EXPECT_TRUE(game.Messages().empty());
    EXPECT_TRUE(fs::is_regular_file(blocker));
}

TEST(ReplayFiles, DefaultFolderFollowsXdgDataHome) {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const std::string saved = xdg ? xdg : "";
    setenv("XDG_DATA_HOME", "/data/here", 1);
    EXPECT_EQ(DefaultReplayDirectory(), fs::path("/data/here/zenit/replays"));
    setenv("XDG_DATA_HOME", "relative", 1);  // not an absolute path: ignored
    setenv("HOME", "/home/player", 1);
    EXPECT_EQ(DefaultReplayDirectory(), fs::path("/home/player/.local/share/zenit/replays"));
    if (xdg)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

}  // namespace

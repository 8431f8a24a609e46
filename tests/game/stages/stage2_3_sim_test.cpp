// Stages 2 and 3 from their first frame to the clear, and a game from stage
// 1 through both, through `zenit-tool sim`.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

const std::string kTool = std::string(ZENIT_BINARY_DIR) + "/zenit-tool";

std::string Sim(const std::string& options) {
    std::string out;
    FILE* pipe = popen((kTool + " sim " + options + " 2>/dev/null").c_str(), "r");
    if (!pipe) return out;
    char buf[512];
    while (fgets(buf, sizeof buf, pipe)) out += buf;
    pclose(pipe);
    return out;
}

std::string Field(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const auto at = json.find(key);
    if (at == std::string::npos) return {};
    const auto from = at + key.size();
    return json.substr(from, json.find_first_of(",}", from) - from);
}

TEST(Stage23Sim, InvincibleAutofireRunsClearEachStageTheSameWayTwice) {
    if (!std::filesystem::exists(kTool)) GTEST_SKIP() << "zenit-tool is not built";
    for (int stage : {2, 3}) {
        const std::string options =
            "--stage " + std::to_string(stage) + " --frames 25000 --invincible --autofire --power 3";
        const std::string first = Sim(options);
        ASSERT_EQ(Field(first, "stage_no"), std::to_string(stage + 1)) << first;
        const std::string second = Sim(options);
        EXPECT_EQ(Field(second, "hash"), Field(first, "hash")) << stage;
        EXPECT_EQ(Field(second, "frames"), Field(first, "frames")) << stage;
        EXPECT_EQ(Field(second, "score"), Field(first, "score")) << stage;
    }
}

TEST(Stage23Sim, AGameFromStageOneReachesStageFour) {
    if (!std::filesystem::exists(kTool)) GTEST_SKIP() << "zenit-tool is not built";
    const std::string run = Sim("--stage 1 --frames 60000 --invincible --autofire --power 3");
    EXPECT_EQ(Field(run, "stage_no"), "4") << run;
}

}  // namespace

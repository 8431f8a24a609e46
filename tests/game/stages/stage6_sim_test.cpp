// Stage 6 from the first frame to the clear, through `zenit-tool sim`.
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
    auto from = at + key.size();
    auto to = json.find_first_of(",}", from);
    return json.substr(from, to - from);
}

TEST(Stage6Sim, InvincibleAutofireRunClearsTheStageTheSameWayTwice) {
    if (!std::filesystem::exists(kTool)) GTEST_SKIP() << "zenit-tool is not built";
    const std::string options = "--stage 6 --frames 20000 --invincible --autofire --power 3";
    const std::string first = Sim(options);
    // Cleared: the run went on to stage 7 (which may end it, or play on).
    ASSERT_GE(std::stoi("0" + Field(first, "stage_no")), 7) << first;
    const std::string second = Sim(options);
    EXPECT_EQ(Field(second, "stage_no"), Field(first, "stage_no"));
    EXPECT_EQ(Field(second, "hash"), Field(first, "hash"));
    EXPECT_EQ(Field(second, "frames"), Field(first, "frames"));
    EXPECT_EQ(Field(second, "score"), Field(first, "score"));
}

}  // namespace

// The ending's first 4300 frames through `zenit-tool sim`, pinned, and its
// check code read back by `zenit-tool checkcode verify`.
//
// The hashes cover every presented pixel of the last frame, so they change
// whenever the ending's pictures or the shared sprites they show change on
// purpose; update them in the same commit and say why.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/wait.h>

namespace {

const std::string kTool = std::string(ZENIT_BINARY_DIR) + "/zenit-tool";

// Standard output of one tool call, and its exit code.
std::string Tool(const std::string& args, int* code = nullptr) {
    std::string out;
    FILE* pipe = popen((kTool + " " + args + " 2>/dev/null").c_str(), "r");
    if (!pipe) return out;
    char buf[512];
    while (fgets(buf, sizeof buf, pipe)) out += buf;
    const int status = pclose(pipe);
    if (code) *code = WEXITSTATUS(status);
    return out;
}

std::string Field(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const auto at = json.find(key);
    if (at == std::string::npos) return {};
    const auto from = at + key.size();
    if (json[from] == '"') return json.substr(from + 1, json.find('"', from + 1) - from - 1);
    return json.substr(from, json.find_first_of(",}", from) - from);
}

TEST(EndingSim, TheFirst4300FramesArePinnedAndTheirCodeVerifies) {
    if (!std::filesystem::exists(kTool)) GTEST_SKIP() << "zenit-tool is not built";
    const struct {
        const char* options;
        const char* code;
        const char* hash;
        const char* score;
    } runs[] = {
        // Score 0: the quiet final picture (scene 6).
        {"--stage 9 --frames 4300", "281374182017-012529367892", "44f6366976068521", "0"},
        // Above 9999999: the title over the home valley (scene 5).
        {"--stage 9 --score 10000000 --frames 4300", "281374192018-012529368893", "9a7529d8cc205969", "10000000"},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.options);
        const std::string summary = Tool(std::string("sim ") + r.options);
        EXPECT_EQ(Field(summary, "stage_no"), "9") << summary;
        EXPECT_EQ(Field(summary, "result_text"), std::string("FINAL SCORE =  ") + r.score +
                                                     "\\r\\n\\r\\nCHECK DIGIT =  " + r.code +
                                                     "\\r\\n\\r\\nFLAME SKIP =  0  /  0\\r\\n");
        EXPECT_EQ(Field(summary, "hash"), r.hash);

        int code = -1;
        const std::string verdict = Tool(std::string("checkcode verify ") + r.code, &code);
        EXPECT_EQ(code, 0) << verdict;
        EXPECT_EQ(Field(verdict, "score"), r.score) << verdict;
    }
}

// A whole game, stage 1 to the ending, played the same way twice: its result
// names the score it ended with and its check code reads back as that score.
TEST(EndingSim, AGameFromStageOneEndsWithACodeThatVerifies) {
    if (!std::filesystem::exists(kTool)) GTEST_SKIP() << "zenit-tool is not built";
    const std::string run = Tool("sim --invincible --autofire --power 3");
    ASSERT_EQ(Field(run, "stage_no"), "9") << run;
    for (int stage = 1; stage <= 8; ++stage) {
        const std::string key = "\"stage_frames\":[";
        std::size_t at = run.find(key) + key.size();
        for (int i = 0; i < stage; ++i) at = run.find(',', at) + 1;
        EXPECT_GT(std::stol(run.substr(at)), 0) << "stage " << stage << " was not played";
    }
    EXPECT_EQ(Tool("sim --invincible --autofire --power 3"), run) << "the same inputs, the same game";

    const std::string text = Field(run, "result_text");
    const std::string score = text.substr(15, text.find('\\') - 15);  // after "FINAL SCORE =  "
    const std::string mark = "CHECK DIGIT =  ";
    const std::string code = text.substr(text.find(mark) + mark.size(), 25);
    ASSERT_GT(std::stol(score), 0) << text;
    int exit_code = -1;
    const std::string verdict = Tool("checkcode verify " + code, &exit_code);
    EXPECT_EQ(exit_code, 0) << verdict;
    EXPECT_EQ(Field(verdict, "valid"), "true") << verdict;
    EXPECT_EQ(Field(verdict, "score"), score) << verdict;
}

TEST(EndingSim, CheckcodeEncodesAndRefusesAsDocumented) {
    if (!std::filesystem::exists(kTool)) GTEST_SKIP() << "zenit-tool is not built";
    int code = -1;
    const std::string made = Tool("checkcode encode 123456789 --seed 5", &code);
    ASSERT_EQ(code, 0);
    ASSERT_EQ(made.size(), 26u) << made;  // the code and a line end
    EXPECT_EQ(Tool("checkcode encode 123456789 --seed 5"), made) << "a seed gives the same code";
    const std::string verdict = Tool("checkcode verify " + made.substr(0, 25), &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Field(verdict, "digits"), "23456789");

    std::string tampered = made.substr(0, 25);
    tampered[20] = tampered[20] == '9' ? '0' : static_cast<char>(tampered[20] + 1);
    EXPECT_EQ(Field(Tool("checkcode verify " + tampered, &code), "valid"), "false");
    EXPECT_EQ(code, 1);
    for (const char* bad : {"checkcode", "checkcode encode", "checkcode encode -5", "checkcode encode 5 --seed x",
                            "checkcode verify", "checkcode decode 1"}) {
        Tool(bad, &code);
        EXPECT_EQ(code, 2) << bad;
    }
}

}  // namespace

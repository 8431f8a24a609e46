// The script interpreter, the rank rule and the move-step routine.
#include <gtest/gtest.h>

#include <vector>

#include "app/zenit02.h"
#include "game/stages/stage1_spawns.h"
#include "game/stages/stage_base.h"
#include "game/stages/stage_script.h"

namespace {

std::vector<std::pair<int, double>> g_calls;  // (frame, first argument)
int g_frame = 0;

void Record(const ScriptArgs& a) { g_calls.emplace_back(g_frame, a[0]); }

double g_setting = -1;

std::vector<std::pair<int, double>> RunFrames(std::span<const ScriptEntry> script, int from, int to) {
    g_calls.clear();
    for (g_frame = from; g_frame <= to; ++g_frame) RunScript(script, g_frame);
    return g_calls;
}

TEST(StageScript, WindowCallsOnTheMultiplesOfEightInsideIt) {
    const ScriptEntry script[] = {Window(300, 379, Record, {1})};
    const auto calls = RunFrames(script, 1, 1000);
    ASSERT_EQ(calls.size(), 10u);  // 300 is not a multiple of 8
    for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i].first, 304 + 8 * static_cast<int>(i));
}

TEST(StageScript, EntriesOfOneFrameRunInTableOrder) {
    const ScriptEntry script[] = {
        At(800, Record, {1}), Window(800, 800, Record, {2}), At(800, Record, {3}), At(801, Record, {4}),
    };
    const auto calls = RunFrames(script, 799, 801);
    const std::vector<std::pair<int, double>> expected = {{800, 1}, {800, 2}, {800, 3}, {801, 4}};
    EXPECT_EQ(calls, expected);
}

TEST(StageScript, RampWritesExactTenthsEveryStepAndNothingBetween) {
    const ScriptEntry script[] = {Ramp(12075, 12500, 25, &g_setting, 30, 10)};
    g_setting = -1;
    RunScript(script, 12074);
    EXPECT_EQ(g_setting, -1);
    for (int k = 0; k <= 17; ++k) {
        const int frame = 12075 + 25 * k;
        RunScript(script, frame);
        EXPECT_EQ(g_setting, (3 + k) / 10.0) << frame;
        g_setting = -1;
        RunScript(script, frame + 1);
        EXPECT_EQ(g_setting, -1) << frame + 1;
    }
    RunScript(script, 12500);
    EXPECT_EQ(g_setting, 2.0);
    g_setting = -1;
    RunScript(script, 12525);
    EXPECT_EQ(g_setting, -1);
}

TEST(StageRank, ThresholdsReachedGiveTheRank) {
    const RankRule stage2 = {100000, 50000, 5};
    const RankRule stage3 = {300000, 100000, 10};
    struct Case {
        const RankRule& rule;
        int score, rank;
    };
    const Case cases[] = {
        {stage2, 99999, 0},   {stage2, 100000, 1}, {stage2, 149999, 1},   {stage2, 150000, 2},
        {stage2, 300000, 5},  {stage2, 9000000, 5}, {stage3, 1200000, 10}, {stage3, 299999, 0},
        {RankRule{}, 5000000, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(RankForScore(c.rule, c.score), c.rank) << c.score;
}

TEST(SetMoveStep, EndFrameZeroMeansNeverAndTheCallerSeesIt) {
    g_EnemyMoveScript = EnemyMoveScript();
    int end = 0;
    SetMoveStep(3, end, 8, 2, 1.5);
    EXPECT_EQ(end, 100000);
    EXPECT_EQ(g_EnemyMoveScript.StepEnd[3], 100000);
    EXPECT_EQ(g_EnemyMoveScript.StepDir[3], 8);
    EXPECT_EQ(g_EnemyMoveScript.StepSprite[3], 2);
    EXPECT_EQ(g_EnemyMoveScript.StepSpeed[3], 1.5);
    EXPECT_EQ(g_EnemyMoveScript.StepTurn[3], 1);
    int later = 120;
    SetMoveStep(4, later, 2, 8, 0.4);
    EXPECT_EQ(later, 120);
    EXPECT_EQ(g_EnemyMoveScript.StepEnd[4], 120);
}

}  // namespace

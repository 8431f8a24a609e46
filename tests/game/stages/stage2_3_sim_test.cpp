// Stages 2 and 3 from their first frame to the clear through `zenit-tool sim`
// (a whole game from stage 1 to the ending is the ending's sim test).
#include <gtest/gtest.h>

#include <string>

#include "support/tool_run.h"

namespace {

std::string Sim(const std::string& options) { return ToolOutput("sim " + options); }

TEST(Stage23Sim, InvincibleAutofireRunsClearEachStageTheSameWayTwice) {
    if (!ToolBuilt()) GTEST_SKIP() << "zenit-tool is not built";
    for (int stage : {2, 3}) {
        const std::string options =
            "--stage " + std::to_string(stage) + " --frames 25000 --invincible --autofire --power 3";
        const std::string first = Sim(options);
        ASSERT_EQ(JsonField(first, "stage_no"), std::to_string(stage + 1)) << first;
        const std::string second = Sim(options);
        EXPECT_EQ(JsonField(second, "hash"), JsonField(first, "hash")) << stage;
        EXPECT_EQ(JsonField(second, "frames"), JsonField(first, "frames")) << stage;
        EXPECT_EQ(JsonField(second, "score"), JsonField(first, "score")) << stage;
    }
}

}  // namespace

// Stage 1 from the first frame to the clear, through `zenit-tool sim`.
#include <gtest/gtest.h>

#include <string>

#include "support/tool_run.h"

namespace {

std::string Sim(const std::string& options) { return ToolOutput("sim " + options); }

TEST(Stage1Sim, InvincibleAutofireRunClearsTheStageTheSameWayTwice) {
    if (!ToolBuilt()) GTEST_SKIP() << "zenit-tool is not built";
    const std::string options = "--stage 1 --frames 15000 --invincible --autofire --power 3";
    const std::string first = Sim(options);
    ASSERT_EQ(JsonField(first, "stage_no"), "2") << first;
    EXPECT_LT(JsonArrayItem(first, "stage_frames", 1), 15000);
    const std::string second = Sim(options);
    EXPECT_EQ(JsonField(second, "hash"), JsonField(first, "hash"));
    EXPECT_EQ(JsonField(second, "frames"), JsonField(first, "frames"));
    EXPECT_EQ(JsonField(second, "score"), JsonField(first, "score"));
}

}  // namespace

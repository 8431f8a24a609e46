// Stage 7 from its first frame to the clear, through `zenit-tool sim`.
#include <gtest/gtest.h>

#include <string>

#include "support/tool_run.h"

namespace {

TEST(Stage7Sim, InvincibleAutofireRunClearsTheStageTheSameWayTwiceWithEveryClass) {
    if (!ToolBuilt()) GTEST_SKIP() << "zenit-tool is not built";
    const std::string options = "sim --stage 7 --frames 25000 --invincible --autofire --power 3";
    const std::string first = ToolOutput(options);
    ASSERT_EQ(JsonField(first, "stage_no"), "8") << first;
    for (const char* cls : {"CBG7", "CBoss07", "CEN019", "CEN020", "CEN025", "CEN026"}) {
        const std::string count = JsonField(first, cls);
        ASSERT_FALSE(count.empty()) << cls << " never created: " << first;
        EXPECT_GT(std::stoi(count), 0) << cls;
    }
    const std::string second = ToolOutput(options);
    EXPECT_EQ(JsonField(second, "hash"), JsonField(first, "hash"));
    EXPECT_EQ(JsonField(second, "frames"), JsonField(first, "frames"));
    EXPECT_EQ(JsonField(second, "score"), JsonField(first, "score"));
}

}  // namespace

// The stages from their first frame to the clear, through `zenit-tool sim`:
// each clears the same way twice and creates every class its table names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tool_run.h"

namespace {

struct StageRun {
    int stage;
    int frames;
    std::vector<const char*> classes;
};

const StageRun kRuns[] = {
    {4, 15000, {"CBG4", "CBoss04", "CEN002", "CEN003", "CEN005", "CEN010", "CEN016", "CEN017", "CEN018"}},
    {7, 25000, {"CBG7", "CBoss07", "CEN019", "CEN020", "CEN025", "CEN026"}},
    {8, 25000, {"CBG8", "CBoss08", "CEN019", "CEN022", "CEN023", "CEN025", "CEN026", "CEN027", "CEN028"}},
};

TEST(StageSim, InvincibleAutofireRunsClearTheStageTheSameWayTwiceWithEveryClass) {
    if (!ToolBuilt()) GTEST_SKIP() << "zenit-tool is not built";
    for (const StageRun& run : kRuns) {
        SCOPED_TRACE("stage " + std::to_string(run.stage));
        const std::string options = "sim --stage " + std::to_string(run.stage) + " --frames " +
                                    std::to_string(run.frames) + " --invincible --autofire --power 3";
        const std::string first = ToolOutput(options);
        ASSERT_EQ(JsonField(first, "stage_no"), std::to_string(run.stage + 1)) << first;
        for (const char* cls : run.classes) {
            const std::string count = JsonField(first, cls);
            ASSERT_FALSE(count.empty()) << cls << " never created: " << first;
            EXPECT_GT(std::stoi(count), 0) << cls;
        }
        const std::string second = ToolOutput(options);
        EXPECT_EQ(JsonField(second, "hash"), JsonField(first, "hash"));
        EXPECT_EQ(JsonField(second, "frames"), JsonField(first, "frames"));
        EXPECT_EQ(JsonField(second, "score"), JsonField(first, "score"));
    }
}

}  // namespace

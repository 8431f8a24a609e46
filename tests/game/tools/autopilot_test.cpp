// zenit-tool sim --bot on stage 1: a careful player's run, the same every time.
#include <gtest/gtest.h>


#include "sim_run.h"
#include "support/headless_game.h"

namespace {

SimResult Stage1(SimOptions options) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    options.frames = 4000;
    options.invincible = true;
    SimResult result;
    EXPECT_EQ(RunSim(options, result), 0);
    return result;
}

TEST(Autopilot, GivesTheSameInputsTwiceAndTakesFarFewerHitsThanAnIdlePad) {
    SimOptions bot;
    bot.bot = true;
    bot.record = testing::TempDir() + "/bot_a.replay";
    const SimResult a = Stage1(bot);
    bot.record = testing::TempDir() + "/bot_b.replay";
    const SimResult b = Stage1(bot);
    const std::string inputs = ReadTextFile(testing::TempDir() + "/bot_a.replay");
    EXPECT_GT(inputs.size(), 100u);
    EXPECT_EQ(inputs, ReadTextFile(testing::TempDir() + "/bot_b.replay"));
    EXPECT_EQ(a.hash, b.hash);

    const SimResult idle = Stage1({});
    EXPECT_GE(idle.hits, 6);
    EXPECT_LE(a.hits * 3, idle.hits) << "bot " << a.hits << ", idle " << idle.hits;
    // It attacks while it dodges: more is shot down than by a pad that only attacks in place.
    SimOptions attack;
    attack.autofire = true;
    const SimResult fire = Stage1(attack);
    EXPECT_GE(a.score, fire.score);
}

}  // namespace

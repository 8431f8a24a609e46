// Tallies of zenit-tool sim (what a run creates, destroys and how often the
// ship is hit) and its starting score.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>

#include "app/program.h"
#include "app/stage_factory.h"
#include "app/zenit02.h"
#include "game/player/my_ship.h"
#include "game/stages/stage_base.h"
#include "sim_run.h"
#include "support/headless_game.h"

namespace {

SimResult Play(SimOptions options) {
    HeadlessGame game({.load_graphics = false, .load_sounds = false});
    SimResult result;
    EXPECT_EQ(RunSim(options, result), 0);
    return result;
}

// Per-class spawn counts summed over a trace's "spawned" objects.
std::map<std::string, int> SpawnedInTrace(const std::string& path) {
    std::map<std::string, int> sums;
    std::ifstream trace(path);
    const std::regex spawned("\"spawned\":\\{([^}]*)\\}"), entry("\"([^\"]+)\":([0-9]+)");
    for (std::string line; std::getline(trace, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, spawned)) continue;
        const std::string inner = m[1];
        for (std::sregex_iterator it(inner.begin(), inner.end(), entry), end; it != end; ++it)
            sums[(*it)[1]] += std::stoi((*it)[2]);
    }
    return sums;
}

TEST(Tallies, Stage1OpeningCountsItsClassesAsTheTraceDoesWithoutChangingThePlay) {
    SimOptions options;
    options.frames = 990;  // the first three fighter streams and two turrets
    options.autofire = true;
    options.trace = testing::TempDir() + "/tallies_trace.jsonl";
    const SimResult r = Play(options);
    EXPECT_EQ(r.spawned.at("CEN001"), 40);
    EXPECT_EQ(r.spawned.at("CEN002"), 2);
    EXPECT_EQ(r.spawned.at("CMyShip"), 1);
    EXPECT_EQ(r.spawned.at("CBoss01"), 1);
    EXPECT_GT(r.spawned.at("CShot"), 0);
    EXPECT_GT(r.spawned.at("smokes"), 0);
    EXPECT_EQ(SpawnedInTrace(options.trace), r.spawned);
    // Each fighter shot down is worth 10 points at rate 10.0, a turret 100.
    const int fighters = r.destroyed.count("CEN001") ? r.destroyed.at("CEN001") : 0;
    const int turrets = r.destroyed.count("CEN002") ? r.destroyed.at("CEN002") : 0;
    EXPECT_GT(fighters, 0);
    EXPECT_EQ(r.score, fighters * 100 + turrets * 1000);
    EXPECT_GE(r.peak_objects, 40);

    options.tallies = false;
    const SimResult plain = Play(options);
    EXPECT_EQ(plain.hash, r.hash);
    EXPECT_EQ(plain.score, r.score);
    EXPECT_TRUE(plain.spawned.empty());
}

// A still ship (four lives) and three contacts with one enemy bullet box the
// stage registers on it: at 400, at 500 (inside the shield a hit at 400 gives)
// and at 700 (after it).
std::unique_ptr<GameObject> ThreeContacts() {
    return std::make_unique<TestStage>(
        [](TestStage& st) {
            const int c = st.Count;
            if ((c >= 400 && c < 410) || (c >= 500 && c < 510) || (c >= 700 && c < 710))
                g_EnemyBulletList.Add(g_MyShipPos, 500);
            if (c == 900) {
                g_StageEnd = true;
                g_StageNo = 10;
            }
        },
        [](TestStage&) {
            SetNewGameValues();
            g_Lives = 4;
            g_NoDamage = false;
            g_MyShipSlot = g_ObjectPack.Spawn<CMyShip>(5, VB_FALSE);
            SetRankValues();
            SetShieldTimes();
        });
}

TEST(Tallies, HitsAreCountedOncePerContactWithOrWithoutInvincibility) {
    for (bool invincible : {false, true}) {
        SCOPED_TRACE(invincible ? "invincible" : "mortal");
        HeadlessGame game({.load_graphics = false, .load_sounds = false});
        SetStageFactoryOverride([](int) { return ThreeContacts(); });
        SimOptions options;
        options.invincible = invincible;
        SimResult r;
        EXPECT_EQ(RunSim(options, r), 0);
        EXPECT_EQ(r.hits, 2);
        EXPECT_EQ(r.lives, invincible ? 4 : 2);
    }
}

// A stage with stage 2's rank rule (thresholds 100000, 150000 ... 300000).
const StageDef kRankStage = {
    .stage_no = 2,
    .palettes = {{{101, 1}, {104, 181}, {103, 51}}},
    .work_sprites = {},
    .rank = {.first_threshold = 100000, .step = 50000, .count = 5},
    .music = {.segment = 2, .loop_start = 9216, .loop_end = 230400, .master_volume = -100, .start_count = 120},
    .script = {},
};

TEST(Tallies, AStartingScoreComesBeforeTheRankRuleOfALaterStage) {
    const struct {
        int stage, score, rank;
    } cases[] = {
        {2, 99999, 0}, {2, 100000, 1}, {2, 149999, 1}, {2, 150000, 2}, {2, 300000, 5}, {2, 2000000, 5},
        {1, 149999, 0},  // stage 1 starts a new game; the score is laid on top
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.stage) + "/" + std::to_string(c.score));
        HeadlessGame game({.load_graphics = false, .load_sounds = false});
        if (c.stage == 2) SetStageFactoryOverride([](int) { return std::make_unique<CStageBase>(kRankStage); });
        SimOptions options;
        options.stage = c.stage;
        options.score = c.score;
        options.frames = 260;  // the ship keeps the score through its intro, then gives it back
        SimResult r;
        EXPECT_EQ(RunSim(options, r), 0);
        EXPECT_EQ(r.rank, c.rank);
        EXPECT_EQ(r.score, c.score);
    }
}

}  // namespace

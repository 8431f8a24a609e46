// CBoss07: its hit points, its descent, and a fight that goes the same way
// whatever the random tables did before it woke.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "core/q7_angle.h"
#include "enemy_fixture.h"
#include "game/enemies/boss07.h"
#include "game/enemies/tama.h"
#include "game/enemies/tama_velocity.h"

namespace {

constexpr int kWake = 11300;

class Boss07Test : public EnemyTest {
protected:
    CBoss07* Spawn() { return HeadlessGame::ObjectAt<CBoss07>(g_ObjectPack.Spawn<CBoss07>(1, VB_TRUE)); }
    void StepToT(CBoss07* boss, int t) { Step(kWake + t - boss->Frame()); }
};

TEST_F(Boss07Test, HitPointsFollowTheRankAndTheDescentSettlesUntouchable) {
    for (int rank : {0, 4, 10}) {
        Restart();
        g_Rank = rank;
        EXPECT_EQ(Spawn()->HitPoints(), 150000 * rank + 1500000) << rank;
    }
    Restart();
    g_Rank = 0;
    CBoss07* boss = Spawn();
    attacks_ = {{Box(160, 120, 480, 480), 1000}};
    StepToT(boss, 1);
    EXPECT_DOUBLE_EQ(boss->Y(), -104) << "t = 1 rewinds the tables instead of moving";
    StepToT(boss, 2);
    EXPECT_DOUBLE_EQ(boss->Y(), -102.4);
    StepToT(boss, 300);
    // The stage-1 descent less its first step and its last lift of 1.
    EXPECT_NEAR(boss->Y(), -104 + 196 - 1.6 - 1.0, 1e-9);
    EXPECT_EQ(boss->HitPoints(), 1500000);
    Step();
    EXPECT_EQ(boss->HitPoints(), 1499000);
}

// Everything the fight fires from t = 310 to 1000, in order.
struct Shot {
    int t;
    double x, y, dx, dy;
    bool operator==(const Shot&) const = default;
};

TEST_F(Boss07Test, RewindingTheRandomTablesOnWakingMakesTwoFightsIdentical) {
    std::vector<Shot> runs[2];
    for (int run = 0; run < 2; ++run) {
        Restart();
        CBoss07* boss = Spawn();
        // Different histories before the boss wakes.
        Step(100);
        for (int k = 0; k < 37 * run + 5; ++k) g_Angle.Rnd16(-1);
        StepToT(boss, 309);
        std::vector<const GameObject*> seen;
        for (int t = 310; t <= 1000; ++t) {
            Step();
            for (CTama4* b : All<CTama4>()) {
                if (std::find(seen.begin(), seen.end(), b) != seen.end()) continue;
                seen.push_back(b);
                runs[run].push_back({t, b->X(), b->Y(), b->DX(), b->DY()});
            }
            for (CTama* b : All<CTama>()) {
                if (std::find(seen.begin(), seen.end(), b) != seen.end()) continue;
                seen.push_back(b);
                runs[run].push_back({t, double(b->HitPos().CenterX()), double(b->HitPos().CenterY()), 0, 0});
            }
        }
    }
    ASSERT_FALSE(runs[0].empty());
    EXPECT_EQ(runs[0].front().t, 310);
    EXPECT_EQ(runs[0], runs[1]);
    // The spread really comes from the tables: more headings than the six muzzles have.
    std::set<long> headings;
    for (const Shot& s : runs[0])
        if (s.dx != 0 || s.dy != 0) headings.insert(std::lround(std::atan2(s.dy, s.dx) * 1800 / M_PI));
    EXPECT_GT(headings.size(), 6u);
}

}  // namespace

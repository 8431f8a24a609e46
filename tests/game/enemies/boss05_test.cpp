// CBoss05, the serpent: its crawl along the waypoint table, the ring of
// places its segments follow, the damage window and the one pool of hit
// points, its aimed shots and its defeat.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/q7_angle.h"
#include "enemy_fixture.h"
#include "game/enemies/boss05.h"
#include "game/enemies/smoke.h"
#include "game/enemies/tama.h"
#include "game/stages/spawn_watch.h"

namespace {

constexpr int kWake = 10700;
constexpr int kEntry = 600;
constexpr int kParts = 17;  // the head and sixteen segments

class Boss05Test : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        boss_ = HeadlessGame::ObjectAt<CBoss05>(g_ObjectPack.Spawn<CBoss05>(1, VB_TRUE));
    }

    // Steps until the boss has been awake for t frames.
    void StepToT(int t) { Step(kWake + t - boss_->Frame()); }

    CBoss05* boss_ = nullptr;
};

// The heading the table gives the n-th step of the crawl (n = 1, 2, ...).
int TableHeading(int n) {
    const auto rows = CBoss05::Waypoints();
    std::size_t i = 0;
    int left = rows[0].frames;
    for (int step = 1; step < n; ++step) {
        if (--left == 0) {
            if (++i >= rows.size()) i = static_cast<std::size_t>(CBoss05::LoopFrom());
            left = rows[i].frames;
        }
    }
    return rows[i].heading;
}

TEST_F(Boss05Test, CrawlsFromItsEleventhFrameAndEachSegmentSitsSixteenPlacesBack) {
    StepToT(1);
    const double x0 = boss_->X(), y0 = boss_->Y();
    // Every whole-pixel place the head has been, as the ring must keep them.
    std::vector<std::pair<int, int>> places = {{RoundHalfEven(x0), RoundHalfEven(y0)}};
    for (int t = 2; t <= kEntry + 700; ++t) {
        const double x = boss_->X(), y = boss_->Y();
        Step();
        ASSERT_EQ(boss_->T(), t);
        if (t < CBoss05::kFirstCrawl) {
            ASSERT_EQ(boss_->X(), x0) << t;
            ASSERT_EQ(boss_->Y(), y0) << t;
        } else {
            const int heading = TableHeading(t - CBoss05::kFirstCrawl + 1);
            ASSERT_EQ(boss_->Heading(), heading) << t;
            ASSERT_NEAR(boss_->X() - x, g_Angle.GetDX16(heading) * 1.3, 1e-9) << t;
            ASSERT_NEAR(boss_->Y() - y, g_Angle.GetDY16(heading) * 1.3, 1e-9) << t;
        }
        const std::pair<int, int> here = {RoundHalfEven(boss_->X()), RoundHalfEven(boss_->Y())};
        if (here != places.back()) places.push_back(here);
        EXPECT_EQ(boss_->MainRect().CenterX(), here.first);
        EXPECT_EQ(boss_->MainRect().CenterY(), here.second);
        for (int k = 1; k <= CBoss05::kSegments; ++k) {
            const auto& want = places[static_cast<std::size_t>(std::max(0, int(places.size()) - 1 - 16 * k))];
            ASSERT_EQ(boss_->Segment(k).CenterX(), want.first) << "t " << t << ", segment " << k;
            ASSERT_EQ(boss_->Segment(k).CenterY(), want.second) << "t " << t << ", segment " << k;
        }
    }
    // The body alternates large and small segments, the tail small.
    for (int k = 1; k <= CBoss05::kSegments; ++k) EXPECT_EQ(boss_->Segment(k).Width(), k % 2 == 1 ? 28 : 20) << k;
    EXPECT_EQ(boss_->MainRect().Width(), 40);
}

// The loop must close on itself, or the serpent would drift away a little
// more on every round; and on every round it must stay where it can be hurt.
TEST_F(Boss05Test, LoopClosesOnItselfInsideTheDamageWindow) {
    const auto rows = CBoss05::Waypoints();
    ASSERT_GT(CBoss05::LoopFrom(), 0);
    ASSERT_LT(CBoss05::LoopFrom(), static_cast<int>(rows.size()));
    for (const SerpentWaypoint& w : rows) {
        EXPECT_GE(w.heading, 0);
        EXPECT_LE(w.heading, 15);
        EXPECT_GT(w.frames, 0);
    }
    int entry = 0, loop = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) (static_cast<int>(i) < CBoss05::LoopFrom() ? entry : loop) += rows[i].frames;
    // Any round of the loop, once the head is on it.
    StepToT(std::max(kEntry, CBoss05::kFirstCrawl + entry) + 37);
    const double x = boss_->X(), y = boss_->Y();
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (int f = 0; f < loop; ++f) {
        Step();
        left = std::min(left, boss_->X()), right = std::max(right, boss_->X());
        top = std::min(top, boss_->Y()), bottom = std::max(bottom, boss_->Y());
        ASSERT_TRUE(CBoss05::InDamageWindow(boss_->MainRect())) << f;
    }
    EXPECT_NEAR(boss_->X(), x, 1e-6);
    EXPECT_NEAR(boss_->Y(), y, 1e-6);
    // It coils through the whole screen, not a corner of it.
    EXPECT_LT(left, 80);
    EXPECT_GT(right, 240);
    EXPECT_LT(top, 60);
    EXPECT_GT(bottom, 150);
}

TEST_F(Boss05Test, DamageCountsOnlyInsideTheWindowIntoOnePool) {
    struct Case {
        int x, y;
        bool in;
    };
    for (const Case& c : {Case{-9, 15, true}, Case{329, 249, true}, Case{-10, 100, false}, Case{330, 100, false},
                          Case{160, 14, false}, Case{160, 250, false}, Case{160, 120, true}}) {
        EXPECT_EQ(CBoss05::InDamageWindow(Box(c.x, c.y, 20, 20)), c.in) << c.x << ", " << c.y;
    }

    // Untouchable through the entry; then every part that takes a hit adds to the same pool.
    attacks_ = {{Box(160, 120, 800, 800), 1}};
    StepToT(kEntry);
    EXPECT_EQ(boss_->HitPoints(), 1300000);
    EXPECT_EQ(boss_->Flash(), 0);
    Step();
    int in_window = CBoss05::InDamageWindow(boss_->MainRect()) ? 1 : 0;
    for (int k = 1; k <= CBoss05::kSegments; ++k) in_window += CBoss05::InDamageWindow(boss_->Segment(k)) ? 1 : 0;
    EXPECT_EQ(in_window, kParts);
    EXPECT_EQ(boss_->HitPoints(), 1300000 - kParts);
    EXPECT_EQ(boss_->Flash(), 4);

    // The pool grows with the rank.
    for (int rank : {3, 10}) {
        Restart();
        g_Rank = rank;
        auto* boss = HeadlessGame::ObjectAt<CBoss05>(g_ObjectPack.Spawn<CBoss05>(1, VB_TRUE));
        EXPECT_EQ(boss->HitPoints(), 130000 * rank + 1300000) << rank;
    }
}

TEST_F(Boss05Test, FiresAimedBulletsOnlyFromOnScreenAndNeverPointBlank) {
    g_MyShipPos = Box(160, 200, 8, 8);
    g_BulletSpeed = 0;  // the bullets stay where they were fired
    StepToT(kEntry + 9);
    SpawnWatch watch;
    int shots = 0;
    for (int t = kEntry + 10; t <= kEntry + 610; ++t) {
        const std::vector<CTama*> before = All<CTama>();
        Step();
        watch.Update();
        for (CTama* b : All<CTama>()) {
            if (std::find(before.begin(), before.end(), b) != before.end()) continue;
            ++shots;
            const CQ7Pos& at = b->HitPos();
            EXPECT_GE(at.CenterY(), 22 - 16) << t;  // fired from the play area (the head's muzzle is 16 out)
            EXPECT_GE(at.Length2(g_MyShipPos), ((10 - g_Rank) * 10 - 16) * ((10 - g_Rank) * 10 - 16)) << t;
            const int aim = b->Dir();
            EXPECT_LE(std::min((aim - at.KAKUDO16(g_MyShipPos) + 16) % 16, (at.KAKUDO16(g_MyShipPos) - aim + 16) % 16), 1)
                << "t " << t << ": a bullet not aimed at the ship";
        }
    }
    // Ten minutes' worth of ripples and fans, most of them fired.
    EXPECT_GT(shots, 40);
    EXPECT_EQ(watch.New<CSmoke>(), 0);
}

TEST_F(Boss05Test, DefeatBurstsAtTheHeadAndEverySegmentThenTheSerpentLeaves) {
    StepToT(kEntry - 1);
    attacks_ = {{Box(160, 120, 800, 800), 100000}};
    g_Score = 20000;
    SpawnWatch watch;
    Step(2);  // t = 601: the first hit it can take is the last
    watch.Update();
    EXPECT_LE(boss_->HitPoints(), 0);
    EXPECT_EQ(boss_->Countdown(), CBoss::kDefeatCountdown);
    EXPECT_TRUE(g_BulletsOff);
    EXPECT_EQ(g_Score, 20000 + 40000);
    EXPECT_EQ(watch.New<CSmoke>(), kParts);
    EXPECT_EQ(g_HitList2.GetDataCount(), 0);
    for (int after = 1; after < 399; ++after) {
        Step();
        ASSERT_EQ(g_HitList2.GetDataCount(), 0) << after;
        ASSERT_EQ(g_DDBPack.QueuedCount(23) + g_DDBPack.QueuedCount(24), 0) << after;
    }
    // The boss object, its segment rectangles with it, is gone when the clear begins.
    ASSERT_EQ(Count<CBoss05>(), 1);
    Step();
    EXPECT_EQ(g_ClearTimer, 1);
    EXPECT_EQ(Count<CBoss05>(), 0);
}

}  // namespace

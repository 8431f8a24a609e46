// The boss model through CBoss01: sleep, entry, fight, attack cycle, defeat.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "enemy_fixture.h"
#include "game/enemies/boss01.h"
#include "game/enemies/smoke.h"
#include "game/enemies/tama.h"
#include "game/enemies/tama2.h"
#include "game/enemies/tama_velocity.h"
#include "game/stages/spawn_watch.h"
#include "game/stages/stage_base.h"

namespace {

constexpr int kWake = 12700;

class Boss01Test : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        static constexpr WorkPiece kPieces[] = {{6001, 0, 0}, {6002, 0, 40}, {6003, 0, 80}};
        ComposeWorkSprite({.id = 97, .width = 240, .height = 100, .pieces = kPieces, .centre_based = true});
        boss_ = HeadlessGame::ObjectAt<CBoss01>(g_ObjectPack.Spawn<CBoss01>(1, VB_TRUE));
        g_MyShipPos = Box(160, 200, 8, 8);
    }

    // Steps until the boss has been awake for t frames.
    void StepToT(int t) { Step(kWake + t - boss_->Frame()); }

    // The player's attack over the whole play field, every frame.
    void AttackEverywhere(int value) { attacks_ = {{Box(160, 120, 480, 480), value}}; }

    CBoss01* boss_ = nullptr;
};

TEST_F(Boss01Test, SleepsUntilItsWakeFrameThenEntersUntouchableAndSettles) {
    AttackEverywhere(1000);
    for (int frame = 1; frame <= kWake; ++frame) {
        Step();
        ASSERT_EQ(g_HitList2.GetDataCount(), 0) << frame;
        ASSERT_EQ(g_DDBPack.QueuedCount(24), 0) << frame;
    }
    Step();
    EXPECT_EQ(boss_->T(), 1);
    EXPECT_EQ(g_HitList2.GetDataCount(), 6);  // wing, pods, core, tail and the main rectangle
    EXPECT_EQ(g_DDBPack.QueuedCount(24), 1);

    struct Place {
        int t;
        double y;
    };
    for (const Place& p : {Place{100, 40}, Place{180, 79}, Place{220, 75}, Place{400, 76}}) {
        StepToT(p.t);
        EXPECT_NEAR(boss_->Y(), p.y, 1e-9) << p.t;
        EXPECT_EQ(boss_->X(), 160) << p.t;
        EXPECT_EQ(boss_->HitPoints(), 100000) << p.t;
        EXPECT_EQ(boss_->Flash(), 0) << p.t;
    }
    g_SeReq7 = false;
    Step();  // t = 401: the fight begins
    EXPECT_EQ(boss_->HitPoints(), 99000);
    EXPECT_EQ(boss_->Flash(), 4);
    EXPECT_TRUE(g_SeReq7);
}

TEST_F(Boss01Test, AttackCycleRepeatsEvery120FramesWithAQuietFourthStep) {
    StepToT(409);
    SpawnWatch watch;
    struct Volley {
        int tama6, tama2, tama;
    };
    const Volley step1 = {2, 14, 0}, step2 = {0, 14, 0}, step3 = {0, 6, 4}, none = {0, 0, 0};
    for (int t = 410; t <= 530; ++t) {
        Step();
        watch.Update();
        const int phase = t - 410;
        const Volley want = phase % 30 != 0 ? none
                            : phase % 120 == 0 ? step1
                            : phase % 120 == 30 ? step2
                            : phase % 120 == 60 ? step3
                                                : none;
        EXPECT_EQ(watch.New<CTama6>(), want.tama6) << t;
        EXPECT_EQ(watch.New<CTama2>(), want.tama2) << t;
        EXPECT_EQ(watch.New<CTama>(), want.tama) << t;
    }
    EXPECT_EQ(boss_->AttackStep(), 1);
}

// Where each volley starts and where it flies, with the bullets held still
// (g_BulletSpeed 0) so that they stay at their muzzles.
TEST_F(Boss01Test, VolleysLeaveTheirMuzzlesInTheListedDirections) {
    using Shot = std::tuple<int, int, int>;  // x, y, direction
    StepToT(409);
    g_BulletSpeed = 0;
    auto fresh = [](const auto& before, const auto& after) {
        std::vector<Shot> shots;
        for (auto* b : after)
            if (std::find(before.begin(), before.end(), b) == before.end())
                shots.emplace_back(b->HitPos().CenterX(), b->HitPos().CenterY(), b->Dir());
        std::sort(shots.begin(), shots.end());
        return shots;
    };
    auto fan = [](std::vector<Shot>& out, int x, int y, std::initializer_list<int> dirs) {
        for (int d : dirs) out.emplace_back(x, y, d);
    };
    for (int step = 1; step <= 3; ++step) {
        const int x = RoundHalfEven(boss_->X()), y = RoundHalfEven(boss_->Y());
        // Step 3 aims from the main rectangle: the ship level with it on the right is direction 0.
        if (step == 3) g_MyShipPos = Box(319, boss_->MainRect().CenterY(), 8, 8);
        const auto tama2 = All<CTama2>();
        const auto tama = All<CTama>();
        const auto tama6 = All<CTama6>();
        Step();
        std::vector<Shot> want2, want;
        if (step == 1) {
            fan(want2, x + 100, y - 15, {0, 1, 2, 3, 4, 5, 15});
            fan(want2, x - 100, y - 15, {3, 4, 5, 6, 7, 8, 9});
        } else if (step == 2) {
            fan(want2, x + 59, y - 8, {1, 2, 3, 4, 5, 6, 7});
            fan(want2, x - 59, y - 8, {1, 2, 3, 4, 5, 6, 7});
        } else {
            fan(want2, x + 13, y - 25, {0, 15, 1});
            fan(want2, x - 13, y - 25, {0, 15, 1});
            for (int gun : {108, 92, -108, -92}) want.emplace_back(x + gun, y + 1 + 3, 4);
        }
        std::sort(want2.begin(), want2.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(fresh(tama2, All<CTama2>()), want2) << "step " << step;
        EXPECT_EQ(fresh(tama, All<CTama>()), want) << "step " << step;

        std::vector<double> big;
        for (CTama6* b : All<CTama6>())
            if (std::find(tama6.begin(), tama6.end(), b) == tama6.end()) {
                EXPECT_NEAR(b->Y(), y + 60, 0.5) << "step " << step;
                EXPECT_NEAR(b->DX(), 0, 1e-9);
                EXPECT_NEAR(b->DY(), -0.5, 1e-9);  // g_BulletSpeed - 0.5, straight down
                big.push_back(b->X() - x);
            }
        std::sort(big.begin(), big.end());
        EXPECT_EQ(big, step == 1 ? (std::vector<double>{-59, 59}) : std::vector<double>{}) << "step " << step;
        Step(29);
    }
}

TEST_F(Boss01Test, DefeatStartsTheClearSequence399FramesLater) {
    StepToT(399);
    AttackEverywhere(150000);
    g_Score = 20000;  // past the shop's opening, which has a sound of its own
    const int score = g_Score;
    SpawnWatch watch;
    Step(2);  // t = 401: the first hit it can take is the last
    watch.Update();
    EXPECT_LE(boss_->HitPoints(), 0);
    EXPECT_EQ(boss_->Countdown(), CBoss::kDefeatCountdown);
    EXPECT_TRUE(g_BulletsOff);
    EXPECT_TRUE(g_NoDamage);
    EXPECT_EQ(g_Score, score + 10000);
    EXPECT_EQ(watch.New<CSmoke>(), 32);
    EXPECT_EQ(game_.SoundsPlayed(game_.Frame() - 1), (std::vector<int>{12}));
    EXPECT_EQ(g_HitList2.GetDataCount(), 0);

    for (int after = 1; after < 399; ++after) {
        Step();
        ASSERT_EQ(g_ClearTimer, 0) << after;
        ASSERT_EQ(g_DDBPack.QueuedCount(24), 0) << after;
        ASSERT_EQ(g_HitList2.GetDataCount(), 0) << after;
    }
    ASSERT_EQ(Count<CBoss01>(), 1);
    Step();  // 399 frames after the defeating hit
    EXPECT_EQ(g_ClearTimer, 1);
    EXPECT_EQ(Count<CBoss01>(), 0);
}

}  // namespace

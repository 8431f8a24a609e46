// CBoss04, the stage-4 war platform: its summed weak points, its ring guns,
// their warning glow and its sway.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "core/q7_angle.h"
#include "enemy_fixture.h"
#include "game/enemies/boss04.h"
#include "game/enemies/tama.h"
#include "game/stages/spawn_watch.h"

namespace {

constexpr int kWake = 11700;

class Boss04Test : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        g_Angle.RndReset();
        Spawn();
    }

    void Spawn() { boss_ = HeadlessGame::ObjectAt<CBoss04>(g_ObjectPack.Spawn<CBoss04>(1, VB_TRUE)); }

    // Steps until the boss has been awake for t frames.
    void StepToT(int t) { Step(kWake + t - boss_->Frame()); }

    ScriptedBox OnGun(std::size_t gun, int value) const {
        const CQ7Pos& g = boss_->Gun(gun);
        return {Box(g.CenterX(), g.CenterY(), 8, 8), value};
    }

    CBoss04* boss_ = nullptr;
};

TEST_F(Boss04Test, HitPointsGrowWithTheRank) {
    for (auto [rank, hp] : {std::pair{0, 300000}, {3, 390000}, {10, 600000}}) {
        Restart();
        g_Rank = rank;
        Spawn();
        EXPECT_EQ(boss_->HitPoints(), hp) << rank;
    }
}

TEST_F(Boss04Test, WakesAtItsFrameAndSinksToItsStationUntouchable) {
    attacks_ = {{Box(160, 120, 480, 480), 1000}};
    StepToT(0);
    EXPECT_EQ(g_HitList2.GetDataCount(), 0);
    Step();
    EXPECT_EQ(boss_->T(), 1);
    EXPECT_EQ(g_HitList2.GetDataCount(), 5);  // three guns, the wing and the hull
    StepToT(600);
    EXPECT_NEAR(boss_->Y(), 100, 1e-6);
    EXPECT_EQ(boss_->X(), 160);
    EXPECT_EQ(boss_->HitPoints(), 300000);
    Step();  // t = 601: the fight
    EXPECT_EQ(boss_->HitPoints(), 300000 - 3 * 1000);  // the three guns, not the hull as well
}

// Only the gun wells take damage, and what strikes them is added up.
TEST_F(Boss04Test, DamageIsTheSumOverTheThreeGunWells) {
    StepToT(650);
    struct Case {
        std::vector<ScriptedBox> attacks;
        int damage;
    };
    const CQ7Pos& wing = boss_->Part(3);
    const Case cases[] = {
        {{OnGun(0, 700)}, 700},
        {{OnGun(0, 700), OnGun(1, 200)}, 900},
        {{OnGun(0, 100), OnGun(1, 100), OnGun(2, 100)}, 300},
        {{{Box(wing.Left() + 4, wing.Top() + 4, 4, 4), 5000}}, 0},  // the wing's corner, clear of the guns
    };
    for (const Case& c : cases) {
        attacks_ = c.attacks;
        const int before = boss_->HitPoints();
        Step();  // the boxes count on the frame after they are registered
        attacks_.clear();
        Step();
        EXPECT_EQ(before - boss_->HitPoints(), c.damage);
    }
}

// Each gun fires a full ring of sixteen, 24 pixels out from its centre, at
// its first frame, and is armed again after 130 - 10 x rank plus 0..93.
TEST_F(Boss04Test, GunsFireFullRingsOnTheirScheduleAndReArm) {
    g_Rank = 3;
    SetRankValues();
    Restart();
    Spawn();
    StepToT(600);
    g_BulletSpeed = 0;  // the bullets stay where they were fired
    SpawnWatch watch;
    const int first[] = {601, 801, 1001};
    for (std::size_t gun = 0; gun < 3; ++gun) {
        StepToT(first[gun] - 1);
        EXPECT_EQ(boss_->NextRing(gun), first[gun]);
        const double x = RoundHalfEven(boss_->X()) + boss04::kGuns[gun].dx;
        const double y = RoundHalfEven(boss_->Y()) + boss04::kGuns[gun].dy;
        const auto before = All<CTama>();
        Step();
        watch.Update();
        std::set<int> dirs;
        for (CTama* b : All<CTama>()) {
            if (std::find(before.begin(), before.end(), b) != before.end()) continue;
            dirs.insert(b->Dir());
            const double r = std::hypot(b->HitPos().CenterX() - x, b->HitPos().CenterY() - y);
            EXPECT_NEAR(r, 24, 1.0) << "gun " << gun << " dir " << b->Dir();
        }
        EXPECT_EQ(dirs.size(), 16u) << "gun " << gun;
        const int gap = boss_->NextRing(gun) - first[gun];
        EXPECT_GE(gap, 100) << gun;
        EXPECT_LE(gap, 193) << gun;
    }
    // From then on a ring on each gun's frame and nothing in between.
    for (int t = 1002; t <= 1400; ++t) {
        int due = 0;
        for (std::size_t gun = 0; gun < 3; ++gun) due += boss_->NextRing(gun) == t ? 16 : 0;
        Step();
        watch.Update();
        ASSERT_EQ(watch.New<CTama>(), due) << t;
    }
}

// The picture on screen where a gun stands: its shut or its glowing image.
int GunImage(const CQ7Pos& gun) {
    const CQ7Spritedata& screen = g_DDBPack.GetSprite(0).DT;
    for (int sprite : {6031, 6032}) {
        const CQ7Spritedata& image = g_DDBPack.GetSprite(sprite).DT;
        bool all = true;
        for (int y = 0; y < image.Height() && all; ++y)
            for (int x = 0; x < image.Width() && all; ++x) {
                const int v = image.GetPixelData(x, y);
                if (v != 255 && screen.GetPixelData(gun.Left() + x, gun.Top() + y) != v) all = false;
            }
        if (all) return sprite;
    }
    return 0;
}

// A gun glows for the 30 frames before its ring, and only then.
TEST_F(Boss04Test, GunGlowsBeforeItsRing) {
    StepToT(560);
    for (int t = 561; t <= 620; ++t) {
        game_.Step(1, true);
        const bool due = t >= 571 && t <= 600;
        EXPECT_EQ(GunImage(boss_->Gun(0)), due ? 6032 : 6031) << t;
        if (t <= 600) {  // until the first ring's bullets cross it
            EXPECT_EQ(GunImage(boss_->Gun(1)), 6031) << t;  // its ring is 200 frames later
        }
    }
}

TEST_F(Boss04Test, SwaysAlongItsFigure) {
    StepToT(600);
    for (int t = 601; t <= 1400; ++t) {
        Step();
        const double a = 0.5 * (t - 600), b = 1.0 * (t - 600);
        ASSERT_NEAR(boss_->X(), 160 + 80 * CQ7Pos::GetSin(std::fmod(a, 360)), 1e-3) << t;
        ASSERT_NEAR(boss_->Y(), 100 + 30 * CQ7Pos::GetSin(std::fmod(b, 360)), 1e-3) << t;
    }
}

}  // namespace

// The player's weapons: attack values by frame, shot boxes, rear-shot
// splinters, the laser volley, homing missiles and their explosions.
#include <algorithm>
#include <vector>

#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "game/player/weapons.h"
#include "gfx/q7_ddbpack256.h"
#include "player_fixture.h"

namespace {

constexpr int kShot = 0, kFast = 3;

void SetSpawn(double x, double y, double dx, double dy, int sprite, int dir, int level, int side) {
    g_SpawnParam = SpawnParam{x, y, dx, dy, sprite, dir, level, side};
}

template <class T>
std::size_t Live() {
    return HeadlessGame::ObjectsOf<T>().size();
}

}  // namespace

TEST_F(PlayerTest, ShotHitsHardestOnItsFirstFrameThenWeakens) {
    struct Case {
        const char* name;
        int sprite, side, first;
    };
    for (const Case& c : {Case{"main", 102, 0, 300}, Case{"side", 103, 1, 200}}) {
        SCOPED_TRACE(c.name);
        StartWithoutShip();
        // Held still so that it stays on screen long enough to go below 0.
        SetSpawn(160, 120, 0, 0, c.sprite, 0, 0, c.side);
        g_ObjectPack.Spawn<CShot>(6, VB_TRUE);
        std::vector<int> attack;
        for (int f = 1; f <= 23; ++f) {
            game.Step();
            attack.push_back(g_PlayerAttackList.GetDamage(Field()));
        }
        EXPECT_EQ(attack[0], c.first);
        EXPECT_EQ(attack[1], 100);
        EXPECT_EQ(attack[2], 95);
        EXPECT_EQ(attack[3], 90);
        EXPECT_EQ(attack[21], 0);
        EXPECT_EQ(attack[22], -5);  // not clamped
    }
}

TEST_F(PlayerTest, SideShotFansWithThePadAndWidensItsBox) {
    struct Case {
        const char* name;
        PadFrame pad;
        double ship_x;  // where the ship is when it fires
        int dx, width;
    };
    const Case cases[] = {
        {"none", Buttons({kShot}), 160, 0, 40},
        {"left", Pad(true, false, false, false, {kShot}), 157.5, -20, 72},
        {"right", Pad(false, true, false, false, {kShot}), 162.5, 20, 72},
        {"both", Pad(true, true, false, false, {kShot}), 157.5, 0, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartWithShip(1);
        g_PowerLv0 = 1;
        game.SetPad(c.pad);
        game.Step();
        // Fired at (X, Y - 4), moved once by (DX, -32).
        const int x = RoundHalfEven(c.ship_x + c.dx), y = 151 - 4 - 32;
        EXPECT_EQ(g_PlayerAttackList.GetClipIn(Box(x, y, c.width, 32)), VB_TRUE);
        EXPECT_EQ(g_PlayerAttackList.GetClipIn(Box(x, y, c.width + 1, 32)), VB_FALSE);
    }
}

TEST_F(PlayerTest, ShotsPerVolleyByMainShotLevel) {
    for (int level : {0, 1, 2, 3}) {
        StartWithShip(1);
        g_PowerLv0 = level;
        game.SetPad(Buttons({kShot}));
        game.Step();
        EXPECT_EQ(Live<CShot>(), level >= 2 ? 3u : level == 1 ? 2u : 1u) << "level " << level;
    }
}

TEST_F(PlayerTest, RearShotSplintersAtTheBottomEdge) {
    struct Case {
        int level;
        std::size_t splinters;
    };
    for (const Case& c : {Case{1, 0}, Case{2, 2}, Case{3, 4}}) {
        SCOPED_TRACE(c.level);
        StartWithoutShip();
        SetSpawn(100, 230, 0, 32, 104, 0, c.level, 0);
        g_ObjectPack.Spawn<CShot>(6, VB_TRUE);
        game.Step(1, true);
        EXPECT_EQ(Live<CShot>(), 0u);
        EXPECT_EQ(Live<CGun>(), c.splinters);
        if (c.splinters > 0) {
            // Born at (100, 240) and already one step (6 pixels) along direction 10.
            CQ7Pos expected = g_DDBPack.GetSprite(126).Pos;
            expected.Move(RoundHalfEven(100 + 6 * g_Angle.GetDX16(10)), RoundHalfEven(240 + 6 * g_Angle.GetDY16(10)));
            EXPECT_EQ(g_DDBPack.GetSprite(126).Pos.Left(), expected.Left());
            EXPECT_EQ(g_DDBPack.GetSprite(126).Pos.Top(), expected.Top());
        }
    }
}

TEST_F(PlayerTest, SplinterHurtsOnlyWhatItStrikes) {
    enum Target { kNone, kGround, kAir };
    for (Target target : {kNone, kGround, kAir}) {
        SCOPED_TRACE(target);
        StartWithoutShip();
        per_frame = [target] {
            if (target == kGround) g_HitList1.Add(Box(100, 120, 20, 20), 1);
            if (target == kAir) g_HitList2.Add(Box(100, 120, 20, 20), 1);
        };
        SetSpawn(100, 240, g_Angle.GetDX16(12), g_Angle.GetDY16(12), 125, 0, 0, 0);
        g_ObjectPack.Spawn<CGun>(7, VB_TRUE);
        int total = 0, frames = 0;
        while (Live<CGun>() > 0 && frames < 100) {
            game.Step();
            total += g_PlayerAttackList.GetDamage(Field());
            ++frames;
        }
        EXPECT_EQ(total, target == kNone ? 0 : 60);
        EXPECT_LT(frames, 100);
    }
}

TEST_F(PlayerTest, LaserVolleyStaysWhereTheShipFired) {
    for (int level : {1, 2, 3}) {
        SCOPED_TRACE(level);
        StartWithShip(1);
        g_PowerLv2 = level;
        game.SetPadScript({{1, Buttons({kShot})}, {100, Pad(false, true, false, false, {kFast})}});
        game.Step();
        EXPECT_EQ(Live<CLaser2>(), 2u * level);
        game.Step(11);
        ASSERT_GT(ShipX(), 230);  // the ship has moved far away
        // The 12th fan still starts at the firing point, every segment touching it.
        EXPECT_EQ(g_PlayerAttackList.GetDamage(Box(160, 156, 1, 1)), 13 * 2 * level);
        EXPECT_EQ(Live<CLaser1>(), 1u);
        game.Step();
        EXPECT_EQ(Live<CLaser1>(), 0u);
    }
}

TEST_F(PlayerTest, LaserSegmentSendsUpOneVerticalSegmentInsideTheField) {
    struct Case {
        int bottom_x;
        std::size_t risers;
    };
    for (const Case& c : {Case{100, 1}, Case{-10, 1}, Case{330, 1}, Case{-11, 0}, Case{331, 0}}) {
        SCOPED_TRACE(c.bottom_x);
        StartWithoutShip();
        SetSpawn(100, 200, 11, 11, 127, 0, c.bottom_x, 0);
        g_ObjectPack.Spawn<CLaser2>(6, VB_TRUE);
        std::size_t most = 0;
        bool rising_at_bottom_x = false;
        for (int f = 0; f < 40; ++f) {
            game.Step();
            most = std::max(most, Live<CLaser3>());
            if (Live<CLaser2>() == 0 && Live<CLaser3>() == 1) {
                rising_at_bottom_x = g_PlayerAttackList.GetDamage(Box(c.bottom_x, 120, 1, 400)) == 13 &&
                                     g_PlayerAttackList.GetDamage(Box(c.bottom_x + 13, 120, 1, 400)) == 0;
            }
        }
        EXPECT_EQ(most, c.risers);
        if (c.risers > 0) {
            EXPECT_TRUE(rising_at_bottom_x);
        }
        EXPECT_EQ(Live<CLaser3>(), 0u);
    }
}

TEST_F(PlayerTest, MissileCooldownRestartsEvenWithoutMissiles) {
    StartWithShip(1);
    game.SetPad(Buttons({kShot}));
    game.Step(10);
    g_PowerLv3 = 1;
    game.Step(20);
    EXPECT_EQ(Live<CMissile>(), 0u);
    game.Step();
    EXPECT_EQ(Live<CMissile>(), 1u);
}

TEST_F(PlayerTest, MissileVolleysByLevel) {
    for (int level : {1, 2, 3}) {
        StartWithShip(1);
        g_PowerLv3 = level;
        game.SetPad(Buttons({kShot}));
        game.Step();
        EXPECT_EQ(Live<CMissile>(), level == 3 ? 4u : static_cast<std::size_t>(level));
    }
}

TEST_F(PlayerTest, MissileExplodesNearATargetOnContactOrWhenSpent) {
    struct Case {
        const char* name;
        bool target;
        int target_y;
        bool air;          // a contact box on the missile's path
        int frames;        // frames the missile lives
        bool explodes;
    };
    const Case cases[] = {
        // Flying up from y 200, at y 145 after 11 frames; it looks for targets on frame 12.
        {"target 5 px away", true, 140, false, 12, true},
        // Exactly 10 px away on every look: it swings back and forth until it is spent.
        {"target 10 px away", true, 135, false, 180, true},
        {"contact", false, 0, true, 2, true},
        {"nothing", false, 0, false, 61, false},  // gone off the top, kept drawn to frame 60
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartWithoutShip();
        per_frame = [&c] {
            if (c.target) g_MissileTargets.Add(Box(160, c.target_y, 16, 16), 1);
            if (c.air) g_HitList2.Add(Box(160, 180, 20, 20), 1);
        };
        SetSpawn(160, 200, 0, 0, 0, 12, 0, 0);
        g_ObjectPack.Spawn<CMissile>(6, VB_TRUE);
        game.Step(c.frames - 1);
        EXPECT_EQ(Live<CMissile>(), 1u);
        EXPECT_EQ(Live<CBomber>(), 0u);
        game.Step();
        EXPECT_EQ(Live<CMissile>(), 0u);
        EXPECT_EQ(Live<CBomber>(), c.explodes ? 1u : 0u);
    }
}

TEST_F(PlayerTest, ExplosionHurtsFor70Frames) {
    StartWithoutShip();
    SetSpawn(120, 100, 0, 0, 0, 0, 0, 0);
    g_ObjectPack.Spawn<CBomber>(7, VB_TRUE);
    std::vector<int> attack, drawn;
    for (int f = 1; f <= 71; ++f) {
        game.Step();
        attack.push_back(g_PlayerAttackList.GetDamage(Box(120, 100, 24, 24)));
        if (g_DDBPack.QueuedCount(25) > 0) drawn.push_back(f);
    }
    std::vector<int> expected(71, 5);
    expected[0] = 30;
    expected[70] = 0;
    EXPECT_EQ(attack, expected);
    EXPECT_EQ(std::vector<int>(drawn.begin(), drawn.begin() + 3), (std::vector<int>{1, 5, 9}));
    EXPECT_EQ(drawn.size(), 18u);
    EXPECT_EQ(Live<CBomber>(), 0u);
}

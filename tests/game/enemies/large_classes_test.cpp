// The large enemies built on the part-table model (CEN013, CEN014, CEN015,
// CEN026), the single-hull CEN027 and CEN028, and their homing missile.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/q7_angle.h"
#include "enemy_fixture.h"
#include "game/enemies/en013.h"
#include "game/enemies/en014.h"
#include "game/enemies/en015.h"
#include "game/enemies/en026.h"
#include "game/enemies/en027.h"
#include "game/enemies/en028.h"
#include "game/enemies/en_missile.h"
#include "game/enemies/smoke.h"
#include "game/enemies/tama.h"
#include "game/enemies/tama_velocity.h"
#include "game/stages/hull_sprites.h"
#include "game/stages/stage_base.h"

namespace {

// Each class with the numbers its table must come to.
struct ClassCase {
    const char* name;
    const LargeEnemyLayout* layout;
    const WorkSprite* hull;
    std::function<CLargeEnemy*(double x, double y)> spawn;
    std::size_t parts;
    int other_hit_points;  // all parts but the core
    int core_hit_points;
    int score;             // every part and the core
};

template <class T>
std::function<CLargeEnemy*(double, double)> Spawner() {
    return [](double x, double y) {
        g_EnemyParam.X = x;
        g_EnemyParam.Y = y;
        return HeadlessGame::ObjectAt<T>(g_ObjectPack.Spawn<T>(3, VB_TRUE));
    };
}

const ClassCase kClasses[] = {
    {"CEN013", &en013::kLayout, &kFrigateHull, Spawner<CEN013>(), 9, 4 * 2400 + 4 * 1400, 6000,
     4 * 300 + 4 * 200 + 2000},
    {"CEN014", &en014::kLayout, &kBattleshipHull, Spawner<CEN014>(), 35,
     2 * 5000 + 2 * 3200 + 8 * 2400 + 22 * 1400, 20000, 2 * 700 + 2 * 500 + 8 * 300 + 22 * 200 + 8000},
    {"CEN015", &en015::kLayout, &kCarrierHull, Spawner<CEN015>(), 19, 9 * 3000 + 9 * 400, 10000, 18 * 100 + 2000},
    {"CEN026", &en026::kLayout, &kMothershipHull, Spawner<CEN026>(), 15, 4 * 2400 + 10 * 1400, 18000,
     4 * 300 + 10 * 200 + 4000},
};

class LargeClassTest : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        SetUpGround(-4000);
        g_EnemyParam.Mode = 0;        // stays where it is on the ground
        g_EnemyParamEx.FirstShot = 0;  // and holds its fire unless a test wants it
    }
    // A fresh stage with the class's hull composed, the ship placed so that
    // every part is below the status bar.
    CLargeEnemy* Place(const ClassCase& c) {
        Restart();
        ComposeWorkSprite(*c.hull);
        int top = 0;
        for (const LargePartDef& p : c.layout->parts) top = std::min(top, p.dy);
        y_ = 40 - top;
        return ship_ = c.spawn(160, y_);
    }
    ScriptedBox OnPart(std::size_t part, int value) const {
        const CQ7Pos& p = ship_->PartHitPos(part);
        return {Box(p.CenterX(), p.CenterY(), 2, 2), value};
    }
    // A screen large enough that nothing fired in a test leaves it.
    static void HugeScreen() {
        CQ7Pos& screen = g_DDBPack.GetSprite(0).Pos;
        screen.SetCenter_Base(VB_FALSE);
        screen.SetWidth(4000);
        screen.SetHeight(4000);
        screen.SetLeft(-2000);
        screen.SetTop(-2000);
    }
    CLargeEnemy* ship_ = nullptr;
    int y_ = 0;
};

TEST_F(LargeClassTest, TablesAddUpAndTheCoreOpensOnlyWhenEveryOtherPartIsGone) {
    for (const ClassCase& c : kClasses) {
        SCOPED_TRACE(c.name);
        g_Score = 0;
        Place(c);
        ASSERT_EQ(ship_->PartCount(), c.parts);
        int others = 0;
        for (std::size_t i = 1; i < c.parts; ++i) others += ship_->PartHitPoints(i);
        EXPECT_EQ(others, c.other_hit_points);
        EXPECT_EQ(ship_->PartHitPoints(0), c.core_hit_points);

        // Everything but the last part falls; the core, shot all along, takes nothing.
        const std::size_t last = c.parts - 1;
        const ScriptedBox core = OnPart(0, c.core_hit_points);
        attacks_ = {core};
        for (std::size_t i = 1; i < last; ++i) attacks_.push_back(OnPart(i, c.layout->parts[i].hit_points));
        Step(3);
        for (std::size_t i = 1; i < last; ++i) EXPECT_EQ(ship_->PartHitPoints(i), 0) << i;
        EXPECT_EQ(ship_->PartHitPoints(last), c.layout->parts[last].hit_points);
        EXPECT_EQ(ship_->PartHitPoints(0), c.core_hit_points);

        // The last one falls, and the core takes the blow of the same frame.
        attacks_ = {core, OnPart(last, c.layout->parts[last].hit_points)};
        Step(2);
        EXPECT_EQ(HeadlessGame::ObjectsOf<CLargeEnemy>().size(), 0u);
        EXPECT_EQ(g_Score, c.score);
    }
}

TEST_F(LargeClassTest, HitFlashTakesAThousandFromEveryLivePartButTheLockedCore) {
    for (const ClassCase& c : kClasses) {
        SCOPED_TRACE(c.name);
        Place(c);
        attacks_ = {OnPart(1, 5000)};  // one part already wrecked
        Step(2);
        attacks_.clear();
        Step(5);
        g_HitFlash = 1;
        Step();
        g_HitFlash = 0;
        EXPECT_EQ(ship_->PartHitPoints(0), c.core_hit_points);
        EXPECT_EQ(ship_->PartHitPoints(1), 0);
        for (std::size_t i = 2; i < c.parts; ++i) {
            EXPECT_EQ(ship_->PartHitPoints(i), std::max(0, c.layout->parts[i].hit_points - 1000)) << i;
            EXPECT_EQ(ship_->PartFlash(i), 4) << i;
        }
    }
}

TEST_F(LargeClassTest, BattleshipCycleHolds106ShotsAndRunsEveryFiveFramesAtRankTen) {
    g_Rank = 10;
    SetRankValues();
    g_EnemyParamEx.FirstShot = 10;
    Place(kClasses[1]);
    HugeScreen();
    EXPECT_EQ(ship_->FireInterval(), 5);
    Step(9);
    EXPECT_EQ(Count<CTama>(), 0);
    Step(1 + 21 * 5);  // frames 10, 15, ..., 115: all 22 steps
    EXPECT_EQ(ship_->FireStepNo(), 22);
    EXPECT_EQ(Count<CTama>(), 106);
    Step(5);
    EXPECT_EQ(ship_->FireStepNo(), 1);  // round again: the bow's heavy fan
    EXPECT_EQ(Count<CTama>(), 106 + 7);
}

TEST_F(LargeClassTest, SecondHullRectangleOfTheBattleshipHurtsTheOpenCore) {
    Place(kClasses[1]);
    // Exactly what each turret can take: the blows on the keel's turrets reach the core too.
    for (std::size_t i = 1; i < ship_->PartCount(); ++i) attacks_.push_back(OnPart(i, en014::kParts[i].hit_points));
    Step();  // the blows land in the next frame
    attacks_ = {{Box(160, y_ + en014::kSecondHullDY, 2, 2), 700}};
    Step();
    ASSERT_EQ(ship_->PartHitPoints(1), 0);
    const int core = ship_->PartHitPoints(0);
    Step();
    EXPECT_EQ(ship_->PartHitPoints(0), core - 700);
}

// The frame just presented shows the sprite centred at (cx, cy), every
// opaque pixel of it (placed as the draw queue places a sprite by its centre).
::testing::AssertionResult Shows(int sprite, int cx, int cy) {
    const CQ7Sprite256& s = g_DDBPack.GetSprite(sprite);
    CQ7Pos at;
    s.Pos.Copy(at);
    at.SetCenterX(cx);
    at.SetCenterY(cy);
    const CQ7Spritedata& screen = g_DDBPack.GetSprite(0).DT;
    for (int y = 0; y < s.DT.Height(); ++y)
        for (int x = 0; x < s.DT.Width(); ++x) {
            const int v = s.DT.GetPixelData(x, y);
            if (v != 255 && screen.GetPixelData(at.Left() + x, at.Top() + y) != v)
                return ::testing::AssertionFailure() << "sprite " << sprite << " not seen at " << x << "," << y;
        }
    return ::testing::AssertionSuccess();
}

TEST_F(LargeClassTest, CarrierPartsLeaveWrecksOnTheDeck) {
    ComposeWorkSprite(kCarrierHull);
    ship_ = kClasses[2].spawn(160, 120);
    const std::size_t hatch = 5, tank = 14;  // the middle of the deck
    const CQ7Pos h = ship_->PartHitPos(hatch), t = ship_->PartHitPos(tank);
    game_.Step(1, true);
    EXPECT_TRUE(Shows(en015::kHatch, h.CenterX(), h.CenterY()));
    EXPECT_TRUE(Shows(en015::kTank + 2, t.CenterX(), t.CenterY()));
    attacks_ = {OnPart(hatch, 3000), OnPart(tank, 400)};
    Step(2);
    ASSERT_EQ(ship_->PartHitPoints(hatch), 0);
    ASSERT_EQ(ship_->PartHitPoints(tank), 0);
    attacks_.clear();
    game_.Step(40, true);  // their explosions are over
    EXPECT_TRUE(Shows(en015::kWreck, h.CenterX(), h.CenterY()));
    EXPECT_TRUE(Shows(en015::kWreck, t.CenterX(), t.CenterY()));
    EXPECT_TRUE(Shows(en015::kTank + 2, t.CenterX(), t.CenterY() + 72));  // the live ones keep their own
}

TEST_F(LargeClassTest, CarrierKeepsTheRecordScheduleWithTheRankRule) {
    struct Case {
        int rank, fire_limit, interval, shots;
    };
    // ShotInterval 120 is 10 x rank shorter; FireLimitY 20 x rank lower; the hull sits at y 120.
    for (const Case c : {Case{0, 160, 120, 3}, Case{10, 60, 20, 3}, Case{0, 100, 120, 0}}) {
        SCOPED_TRACE(::testing::Message() << c.rank << " " << c.fire_limit);
        Restart();
        ComposeWorkSprite(kCarrierHull);
        g_Rank = c.rank;
        SetRankValues();
        g_EnemyParamEx.FirstShot = 10;
        g_EnemyParamEx.ShotInterval = 120;
        g_EnemyParamEx.FireLimitY = c.fire_limit;
        ship_ = kClasses[2].spawn(160, 120);
        EXPECT_EQ(ship_->FireInterval(), c.interval);
        Step(10);
        EXPECT_EQ(ship_->FireStepNo(), 1);
        EXPECT_EQ(Count<CTama>(), c.shots);  // the middle hatch's fan, or nothing below the limit
    }
}

TEST_F(LargeClassTest, MothershipLaunchesMissilesAndItsSmallTurretsKeepTheirOwnClock) {
    for (const int rank : {0, 10}) {
        SCOPED_TRACE(rank);
        Restart();
        ComposeWorkSprite(kMothershipHull);
        g_Rank = rank;
        SetRankValues();
        g_EnemyParamEx.FirstShot = 10;
        ship_ = kClasses[3].spawn(160, 110);
        EXPECT_EQ(ship_->FireInterval(1), 14 - rank);
        Step(10);
        ASSERT_EQ(Count<CENMissile>(), 1);  // from the first launcher, along its heading (down)
        EXPECT_EQ(All<CENMissile>()[0]->Dir(), 4);
        EXPECT_EQ(Count<CTama5>(), 1);  // and a bullet from the first small turret
        Step(14 - rank);
        EXPECT_EQ(Count<CTama5>(), 2);
        EXPECT_EQ(ship_->FireStepNo(1), 2);
    }
    g_BulletsOff = true;  // a boss is beaten: the missile blows up by itself
    const int smokes = Count<CSmoke>();
    Step();
    EXPECT_EQ(Count<CENMissile>(), 0);
    EXPECT_EQ(Count<CSmoke>(), smokes + 1);
    g_BulletsOff = false;
}

TEST_F(LargeClassTest, MissileTurnsOneStepOnEveryEighthFrameUntilFrame180) {
    HugeScreen();
    LaunchMissile(160, 120, 12);  // straight up
    CENMissile* m = All<CENMissile>()[0];
    EXPECT_EQ(m->HitPoints(), 300);
    std::vector<int> turns;
    int dir = m->Dir();
    for (int frame = 1; frame <= 200; ++frame) {
        // The ship always off to the missile's right, so every chance to turn is taken.
        const int side = (dir + 4) % 16;
        g_MyShipPos = Box(static_cast<int>(m->X() + 300 * g_Angle.GetDX16(side)),
                          static_cast<int>(m->Y() + 300 * g_Angle.GetDY16(side)), 8, 8);
        const double x = m->X(), y = m->Y();
        Step();
        const int turned = (m->Dir() - dir + 16) % 16;
        if (turned != 0) turns.push_back(frame);
        EXPECT_TRUE(turned == 0 || turned == 1 || turned == 15) << "one step at most, frame " << frame;
        dir = m->Dir();
        EXPECT_NEAR(m->X() - x, g_Angle.GetDX16(dir) * 2.0, 1e-9);
        EXPECT_NEAR(m->Y() - y, g_Angle.GetDY16(dir) * 2.0, 1e-9);
    }
    std::vector<int> expected;
    for (int f = 8; f <= 176; f += 8) expected.push_back(f);
    EXPECT_EQ(turns, expected);
}

TEST_F(LargeClassTest, MissileWalkerSendsFourMissilesThenTwoBulletsAndHidesUnderObstacles) {
    g_EnemyParamEx.FirstShot = 10;
    g_EnemyParamEx.ShotInterval = 60;
    g_EnemyParamEx.FireLimitY = 240;
    g_EnemyParam.Param9 = 0;
    HugeScreen();
    CEN028* walker = SpawnEnemy<CEN028>(160, 100);
    Step(10);
    std::vector<int> dirs;
    for (CENMissile* m : All<CENMissile>()) dirs.push_back(m->Dir());
    std::sort(dirs.begin(), dirs.end());
    EXPECT_EQ(dirs, (std::vector<int>{2, 6, 10, 14}));  // out along the four diagonals
    Step(60);
    EXPECT_EQ(Count<CTama5>(), 2);
    EXPECT_EQ(Count<CENMissile>(), 4);  // no new salvo yet

    bool covered = true;
    hook_ = [&covered](TestStage&) {
        if (covered) g_ObstacleList.Add(Box(160, 100, 80, 80), 1);
    };
    attacks_ = {{Box(160, 100, 4, 4), 500}};
    Step(3);
    EXPECT_EQ(walker->HitPoints(), 10000);
    covered = false;
    Step();
    EXPECT_EQ(walker->HitPoints(), 9500);
}

TEST_F(LargeClassTest, GunFortressFiresLargeBulletsOnlyAtAShipFarEnough) {
    struct Case {
        int ship_y;
        int shots;
    };
    // At rank 0 the ship must be at least 100 pixels away.
    for (const Case c : {Case{180, 0}, Case{230, 1}}) {
        SCOPED_TRACE(c.ship_y);
        Restart();
        g_MyShipPos = Box(160, c.ship_y, 8, 8);
        g_EnemyParamEx.FirstShot = 10;
        g_EnemyParamEx.ShotInterval = 60;
        g_EnemyParamEx.FireLimitY = 240;
        SpawnEnemy<CEN027>(160, 100);
        Step(10);
        EXPECT_EQ(Count<CTama6>(), c.shots);
    }
}

}  // namespace

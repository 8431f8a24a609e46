// The enemy classes of stages 2 to 8 on the headless game: their facts in one
// table, then the behaviours the rules pin down exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <typeinfo>

#include "core/q7_angle.h"
#include "enemy_fixture.h"
#include "game/enemies/en002.h"
#include "game/enemies/en007.h"
#include "game/enemies/en008.h"
#include "game/enemies/en009.h"
#include "game/enemies/en010.h"
#include "game/enemies/en011.h"
#include "game/enemies/en012.h"
#include "game/enemies/en016.h"
#include "game/enemies/en017.h"
#include "game/enemies/en018.h"
#include "game/enemies/en019.h"
#include "game/enemies/en020.h"
#include "game/enemies/en021.h"
#include "game/enemies/en022.h"
#include "game/enemies/en023.h"
#include "game/enemies/en024.h"
#include "game/enemies/en025.h"
#include "game/enemies/en029.h"
#include "game/enemies/en_missile.h"
#include "game/enemies/large_enemy.h"
#include "game/enemies/smoke.h"
#include "game/enemies/tama.h"
#include "game/enemies/tama2.h"
#include "game/enemies/tama_velocity.h"
#include "game/stages/bg_object.h"
#include "game/stages/enemy_spawns.h"
#include "game/stages/hull_sprites.h"
#include "game/stages/large_spawns.h"
#include "game/stages/stage_base.h"

namespace {

class EnemyFamilyTest : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        g_ShadowsOn = false;
        SetUpGround(-4000);
        g_EnemyParam.DrawLayer = 6;
    }

    // The 16-way directions of the bullets of one class now alive, sorted.
    template <class T>
    static std::multiset<int> Directions() {
        std::multiset<int> dirs;
        for (const T* t : All<T>()) dirs.insert(t->Dir());
        return dirs;
    }
};

template <class T>
CEnemy* Make(double x, double y) {
    g_EnemyParam.X = x;
    g_EnemyParam.Y = y;
    return HeadlessGame::ObjectAt<CEnemy>(g_ObjectPack.Spawn<T>(3, VB_TRUE));
}

// The homing missile comes from the bullet record, launched straight down.
CEnemy* MakeMissile(double x, double y) {
    LaunchMissile(x, y, 4);
    return HeadlessGame::ObjectsOf<CENMissile>().back();
}

int CountEnemies() { return static_cast<int>(HeadlessGame::ObjectsOf<CEnemy>().size()); }

struct ClassFacts {
    const char* name;
    CEnemy* (*make)(double x, double y);
    int hp_rank0, hp_rank10, score, layer;
    EnemyKind kind;
    int bound;  // 0 or 100; -1: the class keeps its own rule (tested apart)
    // On destruction: the sound request, the smokes (how many, and the last
    // one's first sprite, step and layer) and the wreck or crater (0: none).
    bool* sound;
    int smokes, smoke_sprite, smoke_step, smoke_layer;
    int wreck;
};

// Hit points at rank 0 and 10, score, drawing layer, kind, screen bound and
// what is left when it is destroyed.
const ClassFacts kFacts[] = {
    {"CEN007", Make<CEN007>, 2000, 2000, 200, 2, EnemyKind::Ground, 0,
     &g_SeReq6, 1, 161, 4, 17, 0},
    {"CEN008", Make<CEN008>, 18000, 18000, 2000, 6, EnemyKind::Ground, 0,
     &g_SeReq8, 5, 161, 4, 17, 244},
    {"CEN009", Make<CEN009>, 300, 2300, 0, 25, EnemyKind::Air, 100,
     &g_SeReq5, 1, 161, 3, 25, 0},
    {"CEN010", Make<CEN010>, 100, 100, 10, 6, EnemyKind::Ground, -1,
     &g_SeReq5, 1, 161, 3, 25, 232},
    {"CEN011", Make<CEN011>, 3000, 3000, 0, 4, EnemyKind::Ground, -1,
     &g_SeReq6, 1, 161, 4, 7, 0},
    {"CEN012", Make<CEN012>, 4000, 24000, 0, 25, EnemyKind::Air, 100,
     &g_SeReq6, 1, 161, 4, 24, 0},
    {"CEN016", Make<CEN016>, 200, 200, 100, 25, EnemyKind::Air, 100,
     &g_SeReq6, 1, 161, 4, 17, 0},
    {"CEN017", Make<CEN017>, 15000, 15000, 1000, 6, EnemyKind::Ground, 0,
     &g_SeReq8, 5, 161, 4, 17, 226},
    {"CEN018", Make<CEN018>, 1000, 1000, 50, 34, EnemyKind::Ground, 0,
     &g_SeReq6, 1, 161, 4, 17, 0},
    {"CEN019", Make<CEN019>, 16000, 16000, 2000, 23, EnemyKind::Air, 100,
     &g_SeReq8, 5, 161, 4, 17, 0},
    {"CEN020", Make<CEN020>, 10000, 10000, 1000, 23, EnemyKind::Air, 100,
     &g_SeReq8, 7, 161, 4, 17, 0},
    {"CEN021", Make<CEN021>, 4500, 4500, 0, 25, EnemyKind::Air, 100,
     &g_SeReq6, 1, 161, 4, 17, 0},
    {"CEN022", Make<CEN022>, 3500, 3500, 500, 6, EnemyKind::Ground, 0,
     &g_SeReq8, 1, 161, 4, 17, 226},
    {"CEN023", Make<CEN023>, 3500, 3500, 500, 6, EnemyKind::Ground, 0,
     &g_SeReq8, 1, 161, 4, 17, 226},
    {"CEN024", Make<CEN024>, 3000, 3000, 100, 6, EnemyKind::Ground, 0,
     &g_SeReq6, 1, 161, 4, 17, 0},
    {"CEN025", Make<CEN025>, 200, 200, 100, 25, EnemyKind::Air, 100,
     &g_SeReq6, 1, 161, 4, 17, 0},
    {"CEN029", Make<CEN029>, 200, 1200, 100, 25, EnemyKind::Air, 100,
     &g_SeReq6, 1, 161, 4, 17, 0},
    {"CENMissile", MakeMissile, 300, 2300, 0, 26, EnemyKind::Air, 0,
     &g_SeReq5, 1, 175, 2, 17, 0},
};

TEST_F(EnemyFamilyTest, ClassFactsHitPointsScoreLayerKindAndScreenBound) {
    for (const ClassFacts& c : kFacts) {
        SCOPED_TRACE(c.name);
        for (int rank : {0, 10}) {
            Restart();
            g_Rank = rank;
            CEnemy* e = c.make(160, 120);
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->HitPoints(), rank == 0 ? c.hp_rank0 : c.hp_rank10) << "rank " << rank;
        }
        g_Rank = 0;

        // Drawn on its layer, registered by its kind, destroyed for its score.
        Restart();
        CEnemy* e = c.make(160, 120);
        Step();
        EXPECT_GT(g_DDBPack.QueuedCount(c.layer), 0);
        const bool ground = c.kind == EnemyKind::Ground;
        EXPECT_EQ(g_HitList1.GetDataCount(), ground ? 1 : 0);
        EXPECT_EQ(g_HitList2.GetDataCount(), ground ? 0 : 1);
        EXPECT_EQ(g_MissileTargets.GetDataCount(), 1);
        const int half = e->HitPos().Height() / 2;
        attacks_ = {{Box(e->HitPos().CenterX(), e->HitPos().CenterY(), 80, 80), 100000}};
        const int score = g_Score;
        Step();
        g_SeReq5 = g_SeReq6 = g_SeReq8 = false;
        Step();
        attacks_.clear();
        EXPECT_EQ(CountEnemies(), 0);
        EXPECT_EQ(g_Score - score, c.score);
        for (bool* sound : {&g_SeReq5, &g_SeReq6, &g_SeReq8}) EXPECT_EQ(*sound, sound == c.sound);
        EXPECT_EQ(Count<CSmoke>(), c.smokes);
        EXPECT_EQ(std::make_tuple(g_SpawnParam.Sprite, g_SpawnParam.Level, g_SpawnParam.Side),
                  std::make_tuple(c.smoke_sprite, c.smoke_step, c.smoke_layer));
        const auto wrecks = All<CBGObject>();
        EXPECT_EQ(wrecks.empty() ? 0 : wrecks[0]->CG(), c.wreck);
        EXPECT_LE(wrecks.size(), 1u);

        // Above the play area but inside the back screen, the body wholly in
        // rows 0..21: only the classes bound by sprite 0 stay.
        if (c.bound < 0) continue;
        Restart();
        c.make(160, 21 - half - 16);
        Step(2);
        EXPECT_EQ(CountEnemies(), c.bound == 0 ? 1 : 0);
    }
}

// The records are never cleared, so whatever an earlier spawn left in them
// must not change an enemy: each routine is run over two opposite leftovers,
// renewed every frame as other spawns would (the launcher's missiles and the
// carrier's turrets are made mid-stage), and the two runs must look and play
// the same.
TEST_F(EnemyFamilyTest, SpawnRoutinesWriteEveryRecordFieldTheirClassesRead) {
    struct Leftovers {
        EnemyParam ep;
        EnemyParamEx ex;
    };
    const Leftovers kLeftovers[2] = {
        {{.X = -500, .Y = -500, .Variant = 0, .EntryFrames = 0, .DrawLayer = 1, .Param6 = 0, .ShotSpeedAdd = 0,
          .Mode = 0, .Param9 = 0, .DeathShot = 0},
         {.Heading = 0, .FirstShot = 0, .ShotInterval = 20, .TurnInterval = 1, .FireLimitY = 0}},
        {{.X = 900, .Y = 900, .Variant = -1, .EntryFrames = 100000, .DrawLayer = 30, .Param6 = 4321, .ShotSpeedAdd = 3,
          .Mode = 250, .Param9 = 1, .DeathShot = 1},
         {.Heading = 5, .FirstShot = 3, .ShotInterval = 500, .TurnInterval = 10000, .FireLimitY = 240}},
    };
    struct Routine {
        const char* name;
        std::function<void()> spawn;
    };
    const Routine kRoutines[] = {
        {"EN007", [] { spawns::EN007({160, 100, 4, 50, 10, 40}); }},
        {"EN008", [] { spawns::EN008({160, 100, 10, 100}); }},
        {"EN010", [] { spawns::EN010({160, 100, 1123, 1, 0.5}); }},
        {"EN011", [] { spawns::EN011({0, 10, 40}); }},
        {"EN012", [] { spawns::EN012({60, 0, 0}); }},
        {"EN016", [] { spawns::EN016({160, 60, 0, 10, 40}); }},
        {"EN017", [] { spawns::EN017({160, 100, 10, 40}); }},
        {"EN018", [] { spawns::EN018({160, 100}); }},
        {"EN019", [] { spawns::EN019({160, 80, 20, 10, 60}); }},
        {"EN020", [] { spawns::EN020({160, 80, 40, 20, 10, 60}); }},
        {"EN021", [] { spawns::EN021({100, 100, 2, 10, 40, 10}); }},
        {"EN022", [] { spawns::EN022({160, 100, 2, 10, 40}); }},
        {"EN023", [] { spawns::EN023({160, 100, 2, 10, 40}); }},
        {"EN024", [] { spawns::EN024({160, 80, 0, 100, 20, 200}); }},
        {"EN025", [] { spawns::EN025({160, 60, 2, 5}); }},
        {"EN029", [] { spawns::EN029({160, 40}); }},
        {"EN013", [] { large_spawns::EN013({160, 10, 10}); }},
        {"EN014", [] { large_spawns::EN014({160, 10, 10}); }},
        {"EN015", [] { large_spawns::EN015({160, 10, 10, 40, 200}); }},
        {"EN026", [] { large_spawns::EN026({160, 10, 10}); }},
        {"EN027", [] { large_spawns::EN027({160, 100, 0, 10, 40}); }},
        {"EN028", [] { large_spawns::EN028({160, 100, 10, 0, 10, 40}); }},
    };
    for (const WorkSprite* hull : {&kFrigateHull, &kBattleshipHull, &kCarrierHull, &kMothershipHull})
        ComposeWorkSprite(*hull);
    g_MyShipPos = Box(290, 225, 8, 8);
    attacks_ = {{Box(160, 120, 320, 240), 1}};  // a scratch a frame wherever an enemy can be hurt
    using Look = std::tuple<std::uint64_t, std::vector<std::tuple<std::string, double, double, int>>, int, int, int, int,
                            int, int, int>;
    auto run = [&](const Routine& r, const Leftovers& left) {
        Restart();
        g_Angle.RndReset();
        hook_ = [&left](TestStage&) {
            g_EnemyParam = left.ep;
            g_EnemyParamEx = left.ex;
        };
        g_EnemyParam = left.ep;
        g_EnemyParamEx = left.ex;
        r.spawn();
        Step(59);
        CQ7Spritedata& screen = g_DDBPack.GetSprite(0).DT;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) screen.SetPixelData(x, y, 0);
        game_.Step(1, true);
        hook_ = {};
        std::vector<std::tuple<std::string, double, double, int>> enemies;
        for (const CEnemy* e : All<CEnemy>()) enemies.emplace_back(typeid(*e).name(), e->X(), e->Y(), e->HitPoints());
        for (const CLargeEnemy* e : All<CLargeEnemy>()) {
            int hp = 0;
            for (std::size_t i = 0; i < e->PartCount(); ++i) hp += e->PartHitPoints(i);
            enemies.emplace_back(typeid(*e).name(), 0, e->Y(), hp);
        }
        return Look{game_.FrameHash(), enemies, Count<CTama>(), Count<CTama2>(), Count<CTama5>(), Count<CTama6>(),
                    g_HitList1.GetDataCount(), g_HitList2.GetDataCount(), g_ObstacleList.GetDataCount()};
    };
    for (const Routine& r : kRoutines) {
        SCOPED_TRACE(r.name);
        const Look a = run(r, kLeftovers[0]);
        const Look b = run(r, kLeftovers[1]);
        EXPECT_FALSE(std::get<1>(a).empty());
        EXPECT_EQ(std::get<0>(a), std::get<0>(b)) << "the frame differs";
        EXPECT_EQ(std::get<1>(a), std::get<1>(b)) << "the enemies differ";
        EXPECT_EQ(a, b);
    }
    attacks_.clear();
}

TEST_F(EnemyFamilyTest, LauncherBurstsFourLaunchesThenPausesForItsInterval) {
    struct Case {
        int rank;
        std::vector<int> launches;  // frames with a new missile
    };
    // FirstShot 10, ShotInterval 300: 20 - rank between launches, the
    // interval (rank-shortened by 10 a rank) after every fourth.
    for (const Case& c : {Case{0, {10, 30, 50, 70, 370, 390}}, Case{10, {10, 20, 30, 40, 240, 250}}}) {
        SCOPED_TRACE(c.rank);
        Restart();
        g_Rank = c.rank;
        g_EnemyParamEx = {.Heading = 0, .FirstShot = 10, .ShotInterval = 300, .TurnInterval = 10000, .FireLimitY = 240};
        SpawnEnemy<CEN008>(160, 100);
        std::vector<int> launches;
        for (int frame = 1; frame <= c.launches.back(); ++frame) {
            Step();
            // A missile in its first frame: 22 rows below the launcher, fallen once.
            const auto all = All<CEN009>();
            if (std::any_of(all.begin(), all.end(), [](const CEN009* m) { return m->Y() == 124; })) launches.push_back(frame);
        }
        EXPECT_EQ(launches, c.launches);
    }
}

TEST_F(EnemyFamilyTest, LauncherLaunchesOnlyStrictlyBetweenRowsTwoAndTwoEighteen) {
    g_EnemyParamEx = {.Heading = 0, .FirstShot = 1, .ShotInterval = 300, .TurnInterval = 10000, .FireLimitY = 0};
    g_MyShipPos = Box(160, 130, 8, 8);  // level with neither missile
    for (double y : {2.0, 2.5, 217.5, 218.0}) SpawnEnemy<CEN008>(40 + y / 2, y);
    Step();
    // Each missile leaves 22 rows below its launcher's centre and falls once in its first frame.
    std::set<std::pair<double, double>> starts;
    for (const CEN009* m : All<CEN009>()) starts.insert({m->X(), m->Y() - 2});
    EXPECT_EQ(starts, (std::set<std::pair<double, double>>{{41.25, 24.5}, {148.75, 239.5}}));
}

TEST_F(EnemyFamilyTest, MissileFallsUntilLevelWithTheShipThenFliesSidewaysForGood) {
    struct Case {
        int ship_x;
        double vx;
        int sprite_w;
    };
    for (const Case c : {Case{300, 3, 24}, Case{20, -3, 24}}) {
        SCOPED_TRACE(c.ship_x);
        Restart();
        g_MyShipPos = Box(c.ship_x, 100, 8, 8);
        CEN009* m = SpawnEnemy<CEN009>(160, 40);
        Step();
        EXPECT_EQ(m->VY(), 2);
        EXPECT_EQ(m->VX(), 0);
        int frames = 1;
        while (m->VY() != 0 && frames < 100) {
            Step();
            ++frames;
        }
        ASSERT_LT(frames, 100);
        // It turned the first frame the ship lay within KAKUDO32 0 (or 16) of
        // its hit box: about 14 rows from level at 140 pixels away.
        EXPECT_NEAR(m->HitPos().CenterY(), 100, 14);
        EXPECT_EQ(m->VX(), c.vx);
        EXPECT_EQ(m->HitPos().Width(), c.sprite_w);
        g_MyShipPos = Box(160, 230, 8, 8);  // the ship moves away: the missile holds its course
        Step(5);
        EXPECT_EQ(m->VX(), c.vx);
        EXPECT_EQ(m->VY(), 0);
    }
}

TEST_F(EnemyFamilyTest, MissileLeavesSmokeEightPixelsBehindEveryEighthFrame) {
    g_MyShipPos = Box(300, 230, 8, 8);
    CEN009* m = SpawnEnemy<CEN009>(160, 40);
    Step(7);
    EXPECT_EQ(Count<CSmoke>(), 0);
    Step();
    ASSERT_EQ(Count<CSmoke>(), 1);
    // The puff's record: small smoke, 4 frames an image, layer 23, 8 rows above.
    EXPECT_EQ(g_SpawnParam.X, 160);
    EXPECT_EQ(g_SpawnParam.Y, RoundHalfEven(m->Y()) - 8);
    EXPECT_EQ(g_SpawnParam.Sprite, 175);
    EXPECT_EQ(g_SpawnParam.Level, 4);
    EXPECT_EQ(g_SpawnParam.Side, 23);
}

TEST_F(EnemyFamilyTest, DiverFallsRankTimesThreeTenthsPlusThreeRoundedHalfToEven) {
    struct Case {
        int rank, per_frame;
    };
    // 4.5 at rank 5 rounds down to the even 4.
    for (const Case c : {Case{0, 3}, Case{5, 4}, Case{10, 6}}) {
        SCOPED_TRACE(c.rank);
        Restart();
        g_Rank = c.rank;
        CEN029* e = SpawnEnemy<CEN029>(100, 30);
        Step(10);
        EXPECT_DOUBLE_EQ(e->Y(), 30 + 10 * c.per_frame);
        EXPECT_EQ(Count<CTama>(), 0);
    }
}

TEST_F(EnemyFamilyTest, FighterVolleyAimsDownWhileAboveTheShipAndUpOnceBelow) {
    struct Case {
        int ship_y;
        std::multiset<int> dirs;
    };
    g_EnemyParamEx = {.Heading = 0, .FirstShot = 1, .ShotInterval = 100, .TurnInterval = 10000, .FireLimitY = 240};
    for (const Case& c : {Case{200, {1, 2, 7, 8}}, Case{40, {9, 10, 14, 15}}}) {
        SCOPED_TRACE(c.ship_y);
        Restart();
        g_MyShipPos = Box(160, c.ship_y, 8, 8);
        SpawnEnemy<CEN016>(160, 120);
        Step();
        EXPECT_EQ(Directions<CTama>(), c.dirs);
    }
}

TEST_F(EnemyFamilyTest, ShotIntervalRankRulesOfTheFightersHeaviesAndPillbox) {
    struct Case {
        const char* name;
        CEnemy* (*make)(double, double);
        int rank, interval, want;
    };
    const Case cases[] = {
        {"CEN016", Make<CEN016>, 10, 100, 80},  {"CEN016", Make<CEN016>, 10, 30, 20},
        {"CEN019", Make<CEN019>, 0, 120, 60},   {"CEN019", Make<CEN019>, 10, 120, 20},
        {"CEN019", Make<CEN019>, 0, 45, 22},    {"CEN020", Make<CEN020>, 0, 120, 120},
        {"CEN020", Make<CEN020>, 10, 120, 40},  {"CEN023", Make<CEN023>, 0, 120, 30},
        {"CEN023", Make<CEN023>, 10, 120, 5},   {"CEN023", Make<CEN023>, 3, 90, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " rank " + std::to_string(c.rank) + " interval " + std::to_string(c.interval));
        g_Rank = c.rank;
        g_EnemyParamEx.ShotInterval = c.interval;
        EXPECT_EQ(c.make(160, 120)->ShotInterval(), c.want);
    }
}

TEST_F(EnemyFamilyTest, GunshipAlternatesItsTwoFansWithAimedPairs) {
    g_MinFireDist2 = 0;
    g_EnemyParamEx = {.Heading = 0, .FirstShot = 1, .ShotInterval = 80, .TurnInterval = 10000, .FireLimitY = 240};
    g_MyShipPos = Box(160, 220, 8, 8);
    SpawnEnemy<CEN019>(160, 60);
    Step();  // frame 1: the left fan
    EXPECT_EQ(Directions<CTama2>(), (std::multiset<int>{3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Count<CTama>(), 0);
    Step(40);  // frame 41: an aimed pair from the wing guns
    EXPECT_EQ(Count<CTama>(), 2);
    for (const CTama* t : All<CTama>()) EXPECT_EQ(t->Dir(), 4);
    Step(40);  // frame 81: the right fan, its bullets the only ones still near the muzzle
    std::multiset<int> fresh;
    for (const CTama2* t : All<CTama2>())
        if (std::abs(t->HitPos().CenterX() - 160) < 30 && std::abs(t->HitPos().CenterY() - 60) < 30) fresh.insert(t->Dir());
    EXPECT_EQ(fresh, (std::multiset<int>{15, 0, 1, 2, 3, 4, 5}));
}

// The first shot of each gun with the ship straight below (16-way 4): the
// bunker's pair turns clockwise of the aim, the quad turret's the other way.
TEST_F(EnemyFamilyTest, FirstVolleyOfEachGunWithTheShipStraightBelow) {
    struct Case {
        const char* name;
        CEnemy* (*make)(double, double);
        std::multiset<int> tama, tama2;
    };
    const Case cases[] = {
        {"CEN017", Make<CEN017>, {4, 5}, {}},
        {"CEN022", Make<CEN022>, {3, 4}, {}},
        {"CEN023", Make<CEN023>, {4}, {}},
        {"CEN021", Make<CEN021>, {4}, {}},
        {"CEN025", Make<CEN025>, {4}, {}},
        {"CEN020", Make<CEN020>, {}, {1, 2, 3, 4, 5, 6, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        g_MinFireDist2 = 0;
        g_MyShipPos = Box(160, 220, 8, 8);
        g_EnemyParam.Mode = 0;
        g_EnemyParam.Param9 = 0;
        g_EnemyParamEx = {.Heading = 2, .FirstShot = 1, .ShotInterval = 100, .TurnInterval = 10000, .FireLimitY = 240};
        c.make(160, 100);
        Step();
        EXPECT_EQ(Directions<CTama>(), c.tama);
        EXPECT_EQ(Directions<CTama2>(), c.tama2);
    }
}

TEST_F(EnemyFamilyTest, ShieldDomeHidesTheGroundEnemiesUnderIt) {
    spawns::EN018({100, 100});
    g_EnemyParam.EntryFrames = 0;
    g_EnemyParam.Param9 = 0;
    CEN002* under = SpawnEnemy<CEN002>(100, 100);
    CEN002* beside = SpawnEnemy<CEN002>(200, 100);
    attacks_ = {{Box(100, 100, 30, 30), 1}, {Box(200, 100, 30, 30), 1}};
    Step(102);  // past the dome's entry frames
    EXPECT_TRUE(under->Hidden());
    EXPECT_EQ(under->HitPoints(), 500);
    EXPECT_FALSE(beside->Hidden());
    EXPECT_LT(beside->HitPoints(), 500);
    const auto domes = All<CEN018>();
    ASSERT_EQ(domes.size(), 1u);
    EXPECT_LT(domes[0]->HitPoints(), 1000);  // the dome itself takes the shots
    EXPECT_EQ(g_ObstacleList.GetDataCount(), 1);
}

TEST_F(EnemyFamilyTest, EscortsGoUpInSmokeWithoutScoreOnceTheBossIsBeaten) {
    spawns::EN011({0, 1000, 100});
    spawns::EN012({60, 0, 0});
    spawns::EN021({100, 100, 2, 1000, 100, 10});
    SpawnEnemy<CEN016>(250, 120);  // an ordinary fighter stays
    Step(3);
    ASSERT_EQ(CountEnemies(), 4);
    g_BulletsOff = true;
    const int score = g_Score;
    Step();
    EXPECT_EQ(CountEnemies(), 1);
    EXPECT_EQ(Count<CEN016>(), 1);
    EXPECT_EQ(g_Score, score);
    EXPECT_EQ(Count<CSmoke>(), 3);
}

TEST_F(EnemyFamilyTest, GroundTargetIsUntouchableOffThePlayAreaAndGoneAtRow241) {
    SpawnGroundTarget(100, 0, 1123, true, 0);  // rows -16..15: under the status bar
    attacks_ = {{Box(100, 0, 40, 40), 50}, {Box(100, 30, 40, 40), 50}};
    Step(3);
    const auto target = All<CEN010>();
    ASSERT_EQ(target.size(), 1u);
    EXPECT_EQ(target[0]->HitPoints(), 500);
    EXPECT_EQ(g_HitList1.GetDataCount(), 0);
    EXPECT_EQ(g_MissileTargets.GetDataCount(), 0);
    // The scenery brings it down onto the play area: from the next frame on it can be hit.
    g_DDBPack.GetSprite(1).Pos.SetTop(-3970);
    Step(2);
    EXPECT_EQ(target[0]->HitPoints(), 400);
    EXPECT_EQ(g_HitList1.GetDataCount(), 1);
    // Far down the screen it is removed without score once its top reaches
    // 241 (tested on the next frame, before it moves).
    attacks_.clear();
    g_DDBPack.GetSprite(1).Pos.SetTop(-4000 + 257);  // centre 257: rows 240..271
    Step(2);
    EXPECT_EQ(Count<CEN010>(), 1);  // top 240
    g_DDBPack.GetSprite(1).Pos.SetTop(-4000 + 258);
    Step(2);
    EXPECT_EQ(Count<CEN010>(), 0);
    EXPECT_EQ(g_Score, 0);
}

TEST_F(EnemyFamilyTest, DestroyedGroundTargetFiresAtTheShipAndLeavesItsRuin) {
    struct Case {
        bool heavy;
        int ruin;
    };
    for (const Case c : {Case{false, 232}, Case{true, 233}}) {
        SCOPED_TRACE(c.ruin);
        Restart();
        g_MyShipPos = Box(100, 200, 8, 8);
        SpawnGroundTarget(100, 100, 1123, c.heavy, 0.5);
        attacks_ = {{Box(100, 100, 8, 8), 1000}};
        Step(2);
        EXPECT_EQ(Count<CEN010>(), 0);
        ASSERT_EQ(Count<CBGObject>(), 1);
        EXPECT_EQ(All<CBGObject>()[0]->CG(), c.ruin);
        ASSERT_EQ(Count<CTama>(), 1);
        EXPECT_EQ(All<CTama>()[0]->Dir(), 4);
        EXPECT_DOUBLE_EQ(All<CTama>()[0]->Speed(), g_BulletSpeed + 0.5);
    }
}

TEST_F(EnemyFamilyTest, CarrierTravelsItsVariantWayWithItsOwnHitBoxAndMuzzle) {
    struct Case {
        int heading;
        int ux, uy;  // the travel, and the gun's first direction
        int hit_w, hit_h;
        int muzzle_x, muzzle_y;
    };
    g_MinFireDist2 = 0;
    g_EnemyParam.Mode = 50;  // half a pixel a frame
    for (const Case c : {Case{0, 1, 0, 46, 30, 12, 0}, Case{2, 0, 1, 30, 46, 0, 11}, Case{4, -1, 0, 46, 30, -12, 0},
                         Case{6, 0, -1, 30, 46, 0, -12}}) {
        SCOPED_TRACE(c.heading);
        Restart();
        g_EnemyParamEx = {.Heading = c.heading, .FirstShot = 2, .ShotInterval = 1000, .TurnInterval = 10000, .FireLimitY = 240};
        CEN007* e = SpawnEnemy<CEN007>(120, 100);
        Step(2);
        EXPECT_DOUBLE_EQ(e->X(), 120 + c.ux);
        EXPECT_DOUBLE_EQ(e->Y(), 100 + c.uy);
        EXPECT_EQ(e->HitPos().Width(), c.hit_w);
        EXPECT_EQ(e->HitPos().Height(), c.hit_h);
        ASSERT_EQ(Count<CTama>(), 1);
        const CTama* shot = All<CTama>()[0];
        EXPECT_EQ(shot->Dir(), 2 * c.heading);
        // From the muzzle, 8 on along the gun, then one bullet step in its first frame.
        const double along = 8 + g_BulletSpeed;
        EXPECT_NEAR(shot->HitPos().CenterX(), e->X() + c.muzzle_x + c.ux * along, 1);
        EXPECT_NEAR(shot->HitPos().CenterY(), e->Y() + c.muzzle_y + c.uy * along, 1);
    }
}

TEST_F(EnemyFamilyTest, TurretCarrierSetsDownATurretWhereItStands) {
    spawns::EN024({160, 80, 0, 100, 20, 200});
    auto carrier = All<CEN024>();
    ASSERT_EQ(carrier.size(), 1u);
    Step(19);
    EXPECT_EQ(Count<CEN022>(), 0);
    Step();
    ASSERT_EQ(Count<CEN022>(), 1);
    EXPECT_DOUBLE_EQ(All<CEN022>()[0]->X(), carrier[0]->X());
    Step(30);  // the turret stays on the ground while the carrier drives on
    EXPECT_DOUBLE_EQ(All<CEN022>()[0]->X(), 180);
    EXPECT_DOUBLE_EQ(carrier[0]->X(), 210);
}

}  // namespace

// The large enemies' spawn routines, as a stage script calls them.
#include <gtest/gtest.h>

#include <functional>

#include "app/zenit02.h"
#include "game/enemies/en013.h"
#include "game/enemies/en014.h"
#include "game/enemies/en015.h"
#include "game/enemies/en026.h"
#include "game/enemies/en027.h"
#include "game/enemies/en028.h"
#include "game/stages/hull_sprites.h"
#include "game/stages/large_spawns.h"
#include "game/stages/stage_base.h"
#include "gfx/q7_ddbpack256.h"
#include "support/headless_game.h"

namespace {

template <class T>
int Live() {
    return static_cast<int>(HeadlessGame::ObjectsOf<T>().size());
}

struct Case {
    const char* name;
    ScriptRoutine routine;
    ScriptArgs args;
    std::function<int()> live;
};

TEST(LargeSpawns, EachRoutinePlacesItsClassBowFirstAtTheTopAndKeepsItThere) {
    HeadlessGame game;
    const Case cases[] = {
        {"CEN013", large_spawns::EN013, {160, 0, 130}, Live<CEN013>},
        {"CEN014", large_spawns::EN014, {160, 0, 130}, Live<CEN014>},
        {"CEN015", large_spawns::EN015, {160, 0, 130, 60, 160}, Live<CEN015>},
        {"CEN026", large_spawns::EN026, {160, 0, 130}, Live<CEN026>},
        {"CEN027", large_spawns::EN027, {100, -30, 200, 100, 120}, Live<CEN027>},
        {"CEN028", large_spawns::EN028, {220, -30, 2, 200, 100, 120}, Live<CEN028>},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.StartStage();
        for (const WorkSprite& hull : {kFrigateHull, kBattleshipHull, kCarrierHull, kMothershipHull}) ComposeWorkSprite(hull);
        CQ7Sprite256& ground = g_DDBPack.GetSprite(1);  // scenery scrolling down a pixel every other frame
        ground.SetUP(320, 4000, 0);
        ground.Pos.SetTop(-3760);
        g_EnemyParam = EnemyParam();
        g_EnemyParamEx = EnemyParamEx();
        g_MyShipPos.Move(160, 400);  // out of reach of their guns
        c.routine(c.args);
        for (int frame = 1; frame <= 120; ++frame) {
            game.Step();
            if (frame % 2 == 0) ground.Pos.SetTop(ground.Pos.Top() + 1);
            ASSERT_EQ(c.live(), 1) << "frame " << frame;
        }
    }
}

}  // namespace

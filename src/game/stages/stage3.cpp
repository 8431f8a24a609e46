#include "game/stages/stage3.h"

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "game/enemies/en001.h"

#include "game/enemies/boss03.h"
#include "game/stages/bg3.h"
#include "game/stages/enemy_spawns.h"
#include "game/stages/hull_sprites.h"
#include "game/stages/large_spawns.h"
#include "game/stages/stage1_spawns.h"

namespace {

// ---- Work sprites ---------------------------------------------------------------

// 96: the boss, the mortar monitor.
constexpr WorkPiece kBossPieces[] = {{4265, 0, 0}, {4266, 0, 64}};
// 98: the armoured cruiser afloat, in its bow wave (the hull's centre is the picture's).
constexpr WorkPiece kSeaCruiserPieces[] = {{4296, 0, 0}, {4297, 0, 123}};

constexpr WorkSprite kWorkSprites[] = {
    {.id = 98, .width = 100, .height = 246, .pieces = kSeaCruiserPieces, .centre_based = true},  // CEN006
    kFrigateHull,     // 94: CEN013
    kBattleshipHull,  // 93: CEN014
    kCarrierHull,     // 92: CEN015
    {.id = 96, .width = 208, .height = 128, .pieces = kBossPieces, .centre_based = true},
};

// ---- Spawn routines ----------------------------------------------------------------

// CEN001 from the carriers' decks, which fires one last shot at the ship as it
// goes down: x, y, mode, sway, entry frames.
void DeckFighter(const ScriptArgs& a) {
    g_EnemyParam.X = a[0];
    g_EnemyParam.Y = a[1];
    g_EnemyParam.Mode = RoundHalfEven(a[2]);
    g_EnemyParam.Param9 = RoundHalfEven(a[3]);
    g_EnemyParam.EntryFrames = RoundHalfEven(a[4]);
    g_EnemyParam.ShotSpeedAdd = 1.0;
    g_EnemyParam.DeathShot = 1;
    g_ObjectPack.Spawn<CEN001>(3, VB_TRUE);
}

// ---- Script helpers ----------------------------------------------------------------

// A stream of weaving fighters: mode 0 starts to the right, 1 to the left.
constexpr ScriptEntry Fighters(std::int32_t first, std::int32_t last, std::int32_t x, std::int32_t mode,
                               std::int32_t sway = 100) {
    return Window(first, last, stage1::EN001, {double(x), -2, double(mode), double(sway), 60});
}
// The same from the fleet's decks: each fires back as it goes down.
constexpr ScriptEntry DeckFighters(std::int32_t first, std::int32_t last, std::int32_t x, std::int32_t mode,
                                   std::int32_t sway = 100) {
    return Window(first, last, DeckFighter, {double(x), -2, double(mode), double(sway), 60});
}
// An amphibious carrier: heading 0 right, 2 down, 4 left; speed in hundredths.
constexpr ScriptEntry Amphibian(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t heading,
                                std::int32_t speed, std::int32_t first_shot) {
    return At(frame, spawns::EN007, {double(x), double(y), double(heading), double(speed), double(first_shot), 70});
}
constexpr ScriptEntry Cruiser(std::int32_t frame, std::int32_t x, std::int32_t mode) {
    return At(frame, stage1::EN006, {double(x), double(mode)});
}
constexpr ScriptEntry Frigate(std::int32_t frame, std::int32_t x, std::int32_t mode, std::int32_t first_shot) {
    return At(frame, large_spawns::EN013, {double(x), double(mode), double(first_shot)});
}
constexpr ScriptEntry Battleship(std::int32_t frame, std::int32_t x, std::int32_t mode, std::int32_t first_shot) {
    return At(frame, large_spawns::EN014, {double(x), double(mode), double(first_shot)});
}
constexpr ScriptEntry LandingShip(std::int32_t frame, std::int32_t x, std::int32_t mode, std::int32_t first_shot) {
    return At(frame, large_spawns::EN015, {double(x), double(mode), double(first_shot), 120, 200});
}

// ---- The script ------------------------------------------------------------------------

// Ships keep to lanes: a large hull in the middle sails alone; two smaller
// ones share the screen only in the side lanes, and one follows another in
// a lane only once it is clear, so no two hulls overlap.
constexpr ScriptEntry kScript[] = {
    // Open water: fighter streams, then the first frigate sails in.
    Fighters(300, 379, 160, 0),
    Fighters(500, 579, 160, 1),
    Frigate(700, 160, 3, 200),
    Fighters(900, 979, 80, 0, 60),
    Fighters(900, 979, 240, 1, 60),
    Amphibian(1300, -24, 60, 0, 40, 80),
    Amphibian(1360, -24, 60, 0, 40, 80),
    DeckFighters(1500, 1579, 160, 1),

    // Cruisers and frigates in the side lanes.
    Cruiser(1700, 80, 2),
    DeckFighters(1900, 1979, 240, 0, 60),
    Frigate(2200, 244, 3, 250),
    Amphibian(2400, 344, 100, 4, 40, 80),
    Amphibian(2460, 344, 100, 4, 40, 80),
    DeckFighters(2600, 2679, 160, 0),
    Frigate(2900, 60, 4, 220),
    DeckFighters(3100, 3179, 200, 1, 80),

    // The landing ship with its tanks, deck fighters round it.
    LandingShip(3300, 216, 3, 150),
    Amphibian(3500, -24, 40, 0, 50, 60),
    DeckFighters(3700, 3779, 60, 0, 40),
    DeckFighters(3700, 3779, 260, 1, 40),

    // The battleship's passage: half a minute for it to go by.
    Battleship(4100, 160, 2, 200),
    DeckFighters(4500, 4579, 160, 0, 60),
    Amphibian(4700, 344, 130, 4, 40, 90),
    DeckFighters(4900, 4979, 160, 1, 60),
    Amphibian(5250, -24, 60, 0, 40, 80),
    DeckFighters(5500, 5579, 160, 0, 60),

    // A breather: fighters, and landing craft racing down for the shore.
    DeckFighters(6200, 6279, 100, 0, 60),
    Amphibian(6250, 120, -24, 2, 60, 70),
    Amphibian(6310, 200, -24, 2, 60, 70),
    DeckFighters(6400, 6479, 220, 1, 60),

    // The fleet: two frigates in the side lanes, cruisers behind them, the
    // second landing ship up the middle, fighters overhead.
    Frigate(6600, 60, 4, 220),
    Frigate(6600, 260, 4, 240),
    DeckFighters(6800, 6879, 160, 0),
    DeckFighters(6800, 6879, 160, 1),
    Cruiser(7300, 42, 2),
    Cruiser(7300, 278, 2),
    LandingShip(7450, 160, 3, 120),
    Amphibian(7500, -24, 50, 0, 60, 60),
    Amphibian(7500, 344, 90, 4, 60, 60),
    DeckFighters(7700, 7779, 80, 0, 60),
    DeckFighters(7700, 7779, 240, 1, 60),
    Amphibian(7900, -24, 120, 0, 50, 40),
    Amphibian(7900, 344, 140, 4, 50, 40),
    Amphibian(8000, 112, -24, 2, 70, 60),
    Amphibian(8040, 208, -24, 2, 70, 60),
    DeckFighters(8100, 8199, 160, 0),
};

}  // namespace

const StageDef kStage3 = {
    .stage_no = 3,
    .palettes = {{{101, 1}, {104, 181}, {103, 51}}},
    .work_sprites = kWorkSprites,
    .background = MakeStageObject<CBG3>,
    .boss = MakeStageObject<CBoss03>,
    .shadows = true,
    .gate = SoundGate::UntilBossDefeated,
    .rank = {.first_threshold = 300000, .step = 100000, .count = 10},
    .music = {.segment = 3, .loop_start = 6144, .loop_end = 239616, .master_volume = 0, .start_count = 40},
    .last_scripted_frame = 8200,
    .script = kScript,
};

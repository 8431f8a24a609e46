#include "game/stages/stage6.h"

#include "app/zenit02.h"
#include "game/enemies/boss06.h"
#include "game/stages/bg6.h"
#include "game/stages/enemy_spawns.h"
#include "game/stages/hull_sprites.h"
#include "game/stages/large_spawns.h"
#include "game/stages/stage1_spawns.h"
#include "gfx/q7_ddbpack256.h"

namespace {

// ---- Work sprites ---------------------------------------------------------------

// 91: the boss, the flying carrier.
constexpr WorkPiece kBossPieces[] = {{4271, 0, 0}, {4272, 0, 64}};

constexpr WorkSprite kWorkSprites[] = {
    kCruiserHull,     // 98: CEN006
    kFrigateHull,     // 94: CEN013
    kBattleshipHull,  // 93: CEN014
    {.id = 91, .width = 160, .height = 128, .pieces = kBossPieces, .centre_based = true},
};

// ---- Placing ground units on the harbour ------------------------------------------------

// The map row of the middle of cell row r (1 at the map's bottom).
constexpr double CellRow(double r) { return CBG6::kMapHeight - 32 * r + 16; }

// A ground unit placed by its map row: the routine gets the screen row that
// map row is on when the entry runs, so the script says where a unit stands
// on the harbour and, by its frame, when it comes into view.
template <ScriptRoutine Spawn>
void OnMap(const ScriptArgs& a) {
    ScriptArgs at = a;
    at[1] += g_DDBPack.GetSprite(1).Pos.Top();
    Spawn(at);
}

// ---- Script helpers ----------------------------------------------------------------

// A fighter diving straight down from the top edge, firing its four-way
// bursts from `first` every `every` frames.
constexpr ScriptEntry Fighter(std::int32_t frame, std::int32_t x, std::int32_t first = 40, std::int32_t every = 90) {
    return At(frame, spawns::EN016, {double(x), -16, 0, double(first), double(every)});
}
// The turret carrier: drives along heading h (0 right, 2 down, 4 left) at
// `speed` hundredths a frame and sets down a quad turret every `every` frames.
constexpr ScriptEntry Carrier(std::int32_t frame, std::int32_t x, double r, std::int32_t h, std::int32_t speed,
                              std::int32_t first, std::int32_t every) {
    return At(frame, OnMap<spawns::EN024>, {double(x), CellRow(r), double(h), double(speed), double(first), double(every)});
}
constexpr ScriptEntry Quad(std::int32_t frame, std::int32_t x, double r, std::int32_t first = 60,
                           std::int32_t every = 120) {
    return At(frame, OnMap<spawns::EN022>, {double(x), CellRow(r), 2, double(first), double(every)});
}
// A pillbox; its interval is quartered by the class.
constexpr ScriptEntry Pillbox(std::int32_t frame, std::int32_t x, double r, std::int32_t first = 80,
                              std::int32_t every = 280) {
    return At(frame, OnMap<spawns::EN023>, {double(x), CellRow(r), 2, double(first), double(every)});
}
// An amphibious carrier driving along heading h.
constexpr ScriptEntry Amphibian(std::int32_t frame, std::int32_t x, double r, std::int32_t h, std::int32_t speed,
                                std::int32_t first = 60) {
    return At(frame, OnMap<spawns::EN007>, {double(x), CellRow(r), double(h), double(speed), double(first), 120});
}
// A missile launcher (its centre no higher than 47 rows above the screen).
constexpr ScriptEntry Launcher(std::int32_t frame, std::int32_t x, double r, std::int32_t first = 60,
                               std::int32_t pause = 160) {
    return At(frame, OnMap<spawns::EN008>, {double(x), CellRow(r), double(first), double(pause)});
}
// The large ships roll in bow first from the top edge at mode / 10 pixels
// a frame over the ground.
constexpr ScriptEntry Frigate(std::int32_t frame, std::int32_t x, std::int32_t mode, std::int32_t first) {
    return At(frame, large_spawns::EN013, {double(x), double(mode), double(first)});
}
constexpr ScriptEntry Battleship(std::int32_t frame, std::int32_t x, std::int32_t mode, std::int32_t first) {
    return At(frame, large_spawns::EN014, {double(x), double(mode), double(first)});
}
constexpr ScriptEntry Cruiser(std::int32_t frame, std::int32_t x, std::int32_t mode) {
    return At(frame, stage1::EN006, {double(x), double(mode)});
}

// ---- The script ------------------------------------------------------------------------
// Frames against the scroll: the map has moved 400 rows by frame 1000,
// 1440 by 3600; it slows to 0.2 from 3850 to 5200 while the battleship
// rolls out, and from 8800 speeds up to 1.2 for the run out to sea.

constexpr ScriptEntry kScript[] = {
    // The landward yards: the turret carrier shows what it does on the road.
    Fighter(240, 100),
    Fighter(280, 220),
    Carrier(400, 176, 14, 2, 25, 70, 150),
    Fighter(560, 60),
    Fighter(600, 260),
    Quad(644, 48, 17),
    Quad(724, 272, 18),
    Carrier(760, -24, 19.5, 0, 50, 60, 140),
    Fighter(900, 160),
    Pillbox(964, 80, 21),
    Fighter(1000, 40),
    Fighter(1020, 280),
    Amphibian(1100, 176, 23.5, 2, 40),
    Fighter(1250, 120),
    Fighter(1270, 200),
    Carrier(1509, 344, 25, 4, 50, 50, 120),

    // The building docks: a frigate rises in each.
    Fighter(1600, 80),
    Fighter(1640, 240),
    Frigate(1800, 64, 2, 150),
    Fighter(1950, 280),
    Fighter(2000, 200),
    Quad(2004, 160, 34),
    Frigate(2200, 256, 2, 150),
    Fighter(2350, 60),
    Fighter(2380, 140),
    Quad(2484, 160, 40),
    Fighter(2600, 240),
    Fighter(2620, 300),
    Fighter(2800, 40),
    Fighter(2830, 120),

    // The apron: carriers cross in front of the dock gates.
    Amphibian(3099, -24, 45.5, 0, 60),
    Amphibian(3180, 344, 46.5, 4, 60),
    Launcher(3339, 32, 51, 60, 180),
    Launcher(3339, 288, 51, 90, 180),

    // The great dock: the battleship rolls out while the scroll slows.
    Battleship(3600, 160, 2, 200),
    Ramp(3800, 3850, 50, &g_ScrollSpeed, 30, -10),
    Fighter(3900, 40),
    Fighter(4100, 280),
    Quad(4344, 32, 60),
    Quad(4664, 288, 62),
    Fighter(4500, 40),
    Fighter(4800, 280),
    Fighter(5000, 160),
    Ramp(5200, 5250, 50, &g_ScrollSpeed, 30, 10),
    Quad(5264, 32, 66),
    Quad(5264, 288, 66),
    Pillbox(5864, 112, 73.5),
    Pillbox(5864, 208, 73.5),
    Amphibian(6184, -24, 75, 0, 70),

    // The outer basin: a breather over the moorings.
    Fighter(6300, 100),
    Fighter(6330, 220),
    Carrier(6704, 160, 84, 2, 20, 80, 200),
    Fighter(7000, 60),
    Fighter(7020, 260),

    // The fortified quays: two cruisers, carriers out of the pens, launchers.
    Quad(7304, 48, 91.5),
    Quad(7304, 272, 91.5),
    Cruiser(7500, 48, 3),
    Fighter(7600, 160),
    Cruiser(7700, 272, 3),
    Fighter(7800, 100),
    Fighter(7820, 220),
    Amphibian(8009, 112, 97.5, 2, 50),
    Amphibian(8009, 208, 97.5, 2, 50),
    Fighter(8200, 60),
    Fighter(8220, 260),
    Launcher(8464, 48, 106, 40, 140),
    Launcher(8464, 272, 106, 70, 140),
    Pillbox(8624, 80, 108),
    Pillbox(8624, 240, 108),

    // The harbour mouth: guns on the breakwaters, the last fighters, and the
    // scroll speeds up for the open sea.
    Ramp(8800, 9550, 50, &g_ScrollSpeed, 45, 5),
    Fighter(8850, 80),
    Fighter(8870, 240),
    Pillbox(9025, 48, 114),
    Pillbox(9025, 272, 114),
    Quad(9237, 160, 118.5),
    Quad(9237, 288, 118.5),
    Fighter(9300, 40),
    Fighter(9320, 280),
    Pillbox(9406, 48, 123.5),
    Pillbox(9406, 144, 123.5),
    Fighter(9500, 160),
};

}  // namespace

const StageDef kStage6 = {
    .stage_no = 6,
    .palettes = {{{101, 1}, {107, 181}, {103, 51}}},
    .work_sprites = kWorkSprites,
    .background = MakeStageObject<CBG6>,
    .boss = MakeStageObject<CBoss06>,
    .shadows = true,
    .gate = SoundGate::UntilBossDefeated,
    .rank = {.first_threshold = 1000000, .step = 100000, .count = 10},
    .music = {.segment = 6, .loop_start = 9216, .loop_end = 156672, .master_volume = -100, .start_count = 120},
    .last_scripted_frame = 9600,
    .script = kScript,
    .rnd16_start = 500,
};

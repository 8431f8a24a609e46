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
constexpr ScriptEntry Fighter(std::int32_t frame, std::int32_t x, std::int32_t first = 30, std::int32_t every = 80) {
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
    // The landward yards: the turret carrier shows what it does, down the
    // west side and then across between the warehouses.
    Fighter(240, 100, 60),
    Fighter(280, 220, 60),
    Carrier(400, 48, 14, 2, 25, 40, 160),
    Fighter(560, 260),
    Fighter(600, 60),
    Quad(644, 48, 17),
    Quad(724, 272, 18),
    Carrier(789, 344, 16, 4, 50, 40, 130),
    Fighter(900, 160),
    Pillbox(884, 80, 20),
    Fighter(1000, 40),
    Fighter(1020, 280),
    Amphibian(1100, 176, 23.5, 2, 40),
    Fighter(1250, 120),
    Fighter(1270, 200),
    Carrier(1509, 344, 25, 4, 50, 50, 120),

    // The building docks: a frigate rises in each, a carrier works the crane quay.
    Fighter(1600, 80),
    Fighter(1640, 240),
    Frigate(1800, 64, 2, 240),
    Fighter(1950, 280),
    Fighter(2000, 200),
    Quad(2004, 160, 34),
    Frigate(2200, 256, 2, 240),
    Fighter(2350, 60),
    Fighter(2380, 140),
    Quad(2484, 160, 40),
    Fighter(2600, 240),
    Fighter(2620, 300),
    Carrier(2700, 160, 42, 2, 20, 60, 180),
    Fighter(2800, 40),
    Fighter(2830, 120),

    // The apron: carriers cross in front of the dock gates; launchers wait
    // either side of the great dock.
    Amphibian(3099, -24, 45.5, 0, 60),
    Amphibian(3180, 344, 46.5, 4, 60),
    Launcher(3339, 32, 51, 60, 180),
    Launcher(3339, 288, 51, 90, 180),

    // The great dock: the battleship rolls out while the scroll slows;
    // carriers come down the side quays and set guns along them.
    Battleship(3600, 160, 2, 200),
    Ramp(3800, 3850, 50, &g_ScrollSpeed, 30, -10),
    Fighter(3900, 40),
    Fighter(4100, 280),
    Carrier(4184, 32, 59, 2, 20, 60, 220),
    Quad(4344, 288, 60),
    Fighter(4500, 40),
    Fighter(4520, 120),
    Carrier(4664, 288, 62, 2, 20, 60, 220),
    Fighter(4800, 280),
    Fighter(4820, 200),
    Fighter(5000, 160),
    Fighter(5100, 60),
    Fighter(5120, 260),
    Ramp(5200, 5250, 50, &g_ScrollSpeed, 30, 10),
    Quad(5264, 32, 66),
    Quad(5264, 288, 66),
    Fighter(5450, 100),
    Fighter(5470, 220),
    Quad(5584, 32, 70),
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
    Fighter(7500, 160),
    Fighter(7520, 80),
    Cruiser(7700, 48, 1),
    Fighter(7800, 240),
    Cruiser(7900, 272, 1),
    Amphibian(8009, 144, 97.5, 2, 50),
    Amphibian(8009, 176, 97.5, 2, 50),
    Fighter(8100, 100),
    Fighter(8120, 220),
    Fighter(8300, 40),
    Fighter(8320, 280),
    Launcher(8439, 48, 106.5, 40, 140),
    Launcher(8439, 272, 106.5, 70, 140),
    Pillbox(8624, 48, 108),
    Pillbox(8624, 272, 108),
    Fighter(8700, 140),
    Fighter(8720, 180),

    // The harbour mouth: guns on the breakwaters, the last fighters, and the
    // scroll speeds up for the open sea.
    Ramp(8800, 9550, 50, &g_ScrollSpeed, 45, 5),
    Fighter(8850, 80),
    Fighter(8870, 240),
    Pillbox(9025, 48, 114),
    Pillbox(9025, 272, 114),
    Fighter(9100, 160),
    Quad(9237, 160, 118.5),
    Quad(9237, 288, 118.5),
    Fighter(9300, 40),
    Fighter(9320, 280),
    Pillbox(9406, 48, 123.5),
    Pillbox(9406, 144, 123.5),
    Fighter(9460, 100),
    Fighter(9480, 220),
    Fighter(9540, 160),
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

#include "game/stages/stage1.h"

#include "app/zenit02.h"
#include "game/enemies/boss01.h"
#include "game/stages/bg1.h"
#include "game/stages/hull_sprites.h"
#include "game/stages/stage1_spawns.h"

namespace {

using namespace stage1;

// ---- Work sprites ---------------------------------------------------------------

// 99: the base the background shows at distance 764 (its last rows cut off).
constexpr WorkPiece kBasePieces[] = {
    {1062, 0, 0}, {1063, 0, 32}, {1064, 0, 64}, {1065, 0, 96}, {1066, 0, 128}, {1067, 0, 160}, {1068, 0, 192},
};
// 97: the boss.
constexpr WorkPiece kBossPieces[] = {{6001, 0, 0}, {6002, 0, 40}, {6003, 0, 80}};

constexpr WorkSprite kWorkSprites[] = {
    {.id = 99, .width = 320, .height = 196, .pieces = kBasePieces, .centre_based = false},
    kCruiserHull,  // 98: the armoured ship CEN006
    {.id = 97, .width = 240, .height = 100, .pieces = kBossPieces, .centre_based = true},
};

// ---- Script helpers ----------------------------------------------------------------

// A stream of weaving fighters from the top centre: mode 0 starts to the
// right, mode 1 to the left; 120 pixels of sway, untouchable for 60 frames.
constexpr ScriptEntry Fighters(std::int32_t first, std::int32_t last, std::int32_t mode) {
    return Window(first, last, EN001, {160, -2, double(mode), 120, 60});
}
constexpr ScriptEntry Turret(std::int32_t frame, std::int32_t x, std::int32_t heading, std::int32_t schedule) {
    return At(frame, EN002, {double(x), double(heading), double(schedule)});
}
constexpr ScriptEntry Crawler(std::int32_t frame, std::int32_t x) { return At(frame, EN003, {double(x)}); }
constexpr ScriptEntry Diver(std::int32_t frame, std::int32_t x, std::int32_t base, std::int32_t shooting) {
    return At(frame, EN004, {double(x), double(base), double(shooting)});
}
constexpr ScriptEntry Move(std::int32_t frame, std::int32_t index, std::int32_t end, std::int32_t dir, double speed) {
    return At(frame, MoveStep, {double(index), double(end), double(dir), 8, speed});
}
constexpr ScriptEntry Tank(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t mode, std::int32_t heading,
                           std::int32_t schedule) {
    return At(frame, EN005, {double(x), double(y), double(mode), double(heading), double(schedule)});
}
// A tank entering from a side and driving straight across (heading 0 right,
// 4 left), its turret following the hull.
constexpr ScriptEntry Crossing(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t heading) {
    return Tank(frame, x, y, 1, heading, 4);
}

// The hangar column at the end of the airfield: fourteen tanks, one in each
// hangar the background opened, roll out and turn toward the ship.
constexpr std::int32_t kColumnFrame = 11400;
constexpr ScriptEntry ColumnTank(std::int32_t k, bool front_row) {
    const std::int32_t x = 20 + 48 * (k % 7);
    const std::int32_t y = front_row ? (k % 2 == 0 ? 140 : 168) : (k % 2 == 0 ? 30 : 58);
    return Tank(kColumnFrame, x, y, 2, 2, 5);
}

// ---- The script ------------------------------------------------------------------------

constexpr ScriptEntry kScript[] = {
    // Opening over the fields: weaving streams, then the first turrets.
    Fighters(300, 379, 0),
    Fighters(500, 579, 1),
    Fighters(700, 779, 0),
    Fighters(700, 779, 1),
    Turret(800, 40, 1, 1),
    Turret(925, 90, 1, 2),
    Turret(1000, 280, 3, 1),
    Turret(1125, 230, 3, 2),
    Diver(1200, 100, 0, 0),
    Diver(1230, 220, 0, 0),
    Diver(1300, 60, 0, 0),
    Diver(1320, 260, 0, 0),
    Turret(1400, 160, 2, 3),
    Fighters(1500, 1659, 0),
    Fighters(1500, 1659, 1),
    Diver(1700, 80, 0, 1),
    Diver(1720, 240, 0, 1),
    Fighters(1800, 1959, 0),
    Fighters(1800, 1959, 1),

    // The river: the first crawler, divers that shoot, the first tanks.
    Crawler(2000, 115),
    Turret(2100, 250, 2, 3),
    Diver(2250, 120, 0, 1),
    Diver(2270, 200, 0, 1),
    Turret(2400, 40, 2, 3),
    Turret(2400, 280, 2, 3),
    Diver(2500, 180, 20, 0),
    Diver(2530, 140, 0, 1),
    Move(2600, 0, 0, 2, 0.3),
    Tank(2600, 100, -12, 2, 2, 2),
    Tank(2600, 220, -12, 2, 2, 2),
    Fighters(2700, 2779, 1),
    Crawler(2800, 220),
    Diver(2900, 60, 0, 1),
    Diver(2920, 260, 0, 1),
    Move(3000, 0, 0, 0, 0.6),
    Crossing(3000, -12, 60, 0),
    Move(3040, 0, 0, 0, 0.6),
    Crossing(3040, -12, 60, 0),
    Move(3080, 0, 0, 0, 0.6),
    Crossing(3080, -12, 60, 0),
    Turret(3300, 20, 2, 3),
    Turret(3300, 60, 2, 3),
    Turret(3300, 100, 2, 3),
    Diver(3400, 240, 0, 1),
    Diver(3420, 280, 0, 1),
    Crawler(3500, 60),
    Diver(3600, 120, 0, 1),
    Diver(3600, 200, 0, 1),
    Move(3700, 0, 0, 4, 0.6),
    Crossing(3700, 332, 80, 4),
    Move(3740, 0, 0, 4, 0.6),
    Crossing(3740, 332, 80, 4),

    // The base: turrets on its roofs, streams above it.
    Fighters(3900, 4059, 0),
    Turret(3915, 50, 2, 3),
    Turret(3915, 270, 2, 3),
    Diver(4000, 100, 0, 1),
    Diver(4000, 220, 0, 1),
    Fighters(4200, 4359, 1),
    Turret(4365, 50, 2, 3),
    Turret(4365, 270, 2, 3),
    Diver(4500, 60, 0, 1),
    Diver(4520, 160, 0, 1),
    Diver(4540, 260, 0, 1),
    Turret(4600, 160, 2, 2),
    Diver(4700, 90, 0, 1),
    Diver(4700, 230, 0, 1),
    Fighters(4900, 5059, 0),
    Fighters(5100, 5259, 1),
    Crawler(5300, 80),
    Crawler(5350, 240),
    Diver(5500, 60, 0, 1),
    Diver(5500, 160, 0, 1),
    Diver(5500, 260, 0, 1),
    Move(5700, 0, 0, 0, 0.6),
    Crossing(5700, -12, 100, 0),
    Move(5700, 0, 0, 4, 0.6),
    Crossing(5700, 332, 60, 4),
    Move(5750, 0, 0, 0, 0.6),
    Crossing(5750, -12, 100, 0),
    Move(5750, 0, 0, 4, 0.6),
    Crossing(5750, 332, 60, 4),
    Turret(5900, 60, 2, 3),
    Turret(5900, 260, 2, 3),
    Diver(6100, 120, 0, 1),
    Diver(6120, 200, 0, 1),
    Fighters(6300, 6379, 0),

    // The airfield: the armoured ship sails down the runway between the
    // hangar rows, with fighters around it.
    At(6550, EN006, {160, 0}),
    Diver(6750, 40, 0, 1),
    Diver(6770, 280, 0, 1),
    Fighters(7000, 7079, 1),
    Diver(7300, 60, 0, 1),
    Diver(7320, 260, 0, 1),
    Fighters(7500, 7579, 0),
    Diver(7700, 40, 0, 1),
    Diver(7700, 280, 0, 1),
    Crawler(7800, 60),
    Crawler(7800, 260),
    Diver(8000, 120, 0, 1),
    Diver(8020, 200, 0, 1),

    // After the airfield: the last streams, crawlers and convoys.
    Fighters(8200, 8359, 0),
    Fighters(8400, 8559, 1),
    Turret(8600, 40, 2, 3),
    Turret(8600, 280, 2, 3),
    Fighters(8700, 8859, 0),
    Fighters(8900, 9059, 1),
    Move(9200, 0, 0, 0, 0.6),
    Crossing(9200, -12, 70, 0),
    Move(9240, 0, 0, 0, 0.6),
    Crossing(9240, -12, 70, 0),
    Move(9280, 0, 0, 4, 0.6),
    Crossing(9280, 332, 110, 4),
    Move(9320, 0, 0, 4, 0.6),
    Crossing(9320, 332, 110, 4),
    Crawler(9400, 160),
    Diver(9600, 60, 0, 1),
    Diver(9620, 140, 0, 1),
    Diver(9640, 220, 0, 1),
    Turret(9800, 100, 2, 3),
    Turret(9800, 220, 2, 3),
    Diver(10000, 80, 0, 1),
    Diver(10000, 240, 0, 1),
    Move(10200, 0, 0, 0, 0.6),
    Crossing(10200, -12, 50, 0),
    Move(10200, 0, 0, 4, 0.6),
    Crossing(10200, 332, 90, 4),
    Diver(10500, 160, 0, 1),
    Fighters(10700, 10779, 1),
    Turret(11000, 60, 2, 3),
    Turret(11000, 260, 2, 3),

    // The hangar column.
    Move(kColumnFrame, 0, 120, 2, 0.4),
    Move(kColumnFrame, 1, 0, 8, 0.25),
    ColumnTank(0, true), ColumnTank(1, true), ColumnTank(2, true), ColumnTank(3, true),
    ColumnTank(4, true), ColumnTank(5, true), ColumnTank(6, true),
    ColumnTank(0, false), ColumnTank(1, false), ColumnTank(2, false), ColumnTank(3, false),
    ColumnTank(4, false), ColumnTank(5, false), ColumnTank(6, false),

    // The run to the boss: the scenery speeds up from 0.3 to 2.0.
    Ramp(12075, 12500, 25, &g_ScrollSpeed, 30, 10),
};

}  // namespace

const StageDef kStage1 = {
    .stage_no = 1,
    .palettes = {{{101, 1}, {102, 181}, {103, 51}}},
    .work_sprites = kWorkSprites,
    .background = MakeStageObject<CBG1>,
    .boss = MakeStageObject<CBoss01>,
    .shadows = true,
    .gate = SoundGate::QuietDuringHitFlash,
    .rank = {},
    .music = {.segment = 1, .loop_start = 6144, .loop_end = 184320, .master_volume = -250, .start_count = 70},
    .last_scripted_frame = 12500,
    .script = kScript,
};

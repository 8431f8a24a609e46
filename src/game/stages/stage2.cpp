#include "game/stages/stage2.h"

#include "app/zenit02.h"
#include "game/enemies/boss02.h"
#include "game/stages/bg2.h"
#include "game/stages/enemy_spawns.h"
#include "game/stages/stage1_spawns.h"

namespace {

using stage2::kRunFirst;
using stage2::kRunLast;

// ---- Work sprites ---------------------------------------------------------------

// 99: the citadel's walls round the courtyard at the end of the map.
constexpr WorkPiece kCitadelPieces[] = {{4279, 0, 0}, {4280, 0, 64}, {4281, 0, 128}};

constexpr WorkSprite kWorkSprites[] = {
    {.id = 99, .width = 320, .height = 192, .pieces = kCitadelPieces, .corner_based_pieces = true,
     .centre_based = false},
};

// ---- Where the map is when --------------------------------------------------------

// The scroll speed in hundredths of a pixel on frame f: the ramps below.
constexpr std::int32_t SpeedAt(std::int32_t f) {
    if (f < kRunFirst || f >= kRunLast) return 20;
    if (f < kRunFirst + 75) return 25 + 5 * ((f - kRunFirst) / 25);
    if (f < kRunLast - 75) return 40;
    return 35 - 5 * ((f - (kRunLast - 75)) / 25);
}

// The first frame after which the map has scrolled `distance` rows.
constexpr std::int32_t FrameAtDistance(std::int32_t distance) {
    std::int32_t hundredths = 0, f = 0;
    while (hundredths < distance * 100) hundredths += SpeedAt(++f);
    return f;
}

// The frame on which the centre of map cell row r (1 at the map's bottom)
// reaches screen row y.
constexpr std::int32_t FrameForRow(std::int32_t r, std::int32_t y) {
    const std::int32_t map_y = CBG2::kMapHeight - 32 * r + 16;
    return FrameAtDistance(y - map_y - CBG2::kStartTop);
}

// ---- Script helpers ----------------------------------------------------------------

// A turret standing in cell (c, r), on the map (it rides it in from row -11).
constexpr ScriptEntry Turret(std::int32_t c, std::int32_t r, std::int32_t dx, std::int32_t heading,
                             std::int32_t schedule) {
    return At(FrameForRow(r, -11), stage1::EN002, {double(32 * c + 16 + dx), double(heading), double(schedule)});
}
constexpr ScriptEntry Crawler(std::int32_t frame, std::int32_t x) { return At(frame, stage1::EN003, {double(x)}); }
constexpr ScriptEntry Diver(std::int32_t frame, std::int32_t x, std::int32_t base, std::int32_t shooting) {
    return At(frame, stage1::EN004, {double(x), double(base), double(shooting)});
}
constexpr ScriptEntry Move(std::int32_t frame, std::int32_t index, std::int32_t end, std::int32_t dir, double speed) {
    return At(frame, stage1::MoveStep, {double(index), double(end), double(dir), 8, speed});
}
constexpr ScriptEntry Tank(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t mode,
                           std::int32_t heading, std::int32_t schedule) {
    return At(frame, stage1::EN005, {double(x), double(y), double(mode), double(heading), double(schedule)});
}
// An armoured carrier: heading 0 right, 2 down, 4 left, 6 up; speed in hundredths.
constexpr ScriptEntry Carrier(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t heading,
                              std::int32_t speed, std::int32_t first_shot, std::int32_t interval = 150) {
    return At(frame, spawns::EN007,
              {double(x), double(y), double(heading), double(speed), double(first_shot), double(interval)});
}
// A missile launcher in cell (c, r), its body coming in over the top edge.
constexpr ScriptEntry Launcher(std::int32_t c, std::int32_t r, std::int32_t dx, std::int32_t first,
                               std::int32_t pause) {
    return At(FrameForRow(r, -40), spawns::EN008, {double(32 * c + 16 + dx), -40, double(first), double(pause)});
}

// The convoy racing down the highway beside the ship during the run.
constexpr ScriptEntry Convoy(std::int32_t frame, std::int32_t x) { return Carrier(frame, x, -24, 2, 60, 90, 120); }

// Tanks rolling down the avenue from the citadel's gate, turning their
// turrets toward the ship.
constexpr ScriptEntry GateTank(std::int32_t frame, std::int32_t x) { return Tank(frame, x, -12, 2, 2, 2); }

// ---- The script ------------------------------------------------------------------------

constexpr ScriptEntry kScript[] = {
    // The open desert: carriers on the track teach the stage's new enemy.
    Carrier(420, 144, -24, 2, 30, 140),
    Carrier(520, 176, -24, 2, 30, 140),
    Diver(700, 80, 0, 0),
    Diver(730, 240, 0, 0),
    Carrier(900, -24, 70, 0, 50, 60),
    Carrier(1000, 344, 110, 4, 50, 60),
    Diver(1150, 60, 0, 1),
    Diver(1170, 260, 0, 1),

    // The oasis outpost: a turret in its gun pit, the first crawler.
    Turret(1, 16, 0, 2, 3),
    Carrier(1400, 144, -24, 2, 40, 100),
    Diver(1500, 120, 0, 1),
    Diver(1520, 200, 0, 1),
    Crawler(1700, 176),
    Carrier(1800, -24, 50, 0, 60, 60),
    Carrier(1840, -24, 50, 0, 60, 60),
    Diver(2000, 80, 0, 1),
    Diver(2000, 240, 0, 1),
    Carrier(2150, 344, 90, 4, 60, 60),
    Carrier(2190, 344, 90, 4, 60, 60),

    // The dunes: the first launcher in its pit, carriers round it.
    Launcher(7, 27, 0, 160, 180),
    Diver(2500, 60, 0, 1),
    Diver(2520, 140, 0, 1),
    Carrier(2700, 144, -24, 2, 40, 80),
    Carrier(2760, 176, -24, 2, 40, 80),
    Diver(2900, 200, 0, 1),
    Diver(2920, 260, 0, 1),
    Move(3100, 0, 0, 0, 0.6),
    Tank(3100, -12, 60, 1, 0, 4),
    Move(3140, 0, 0, 0, 0.6),
    Tank(3140, -12, 60, 1, 0, 4),

    // The outer wall: turrets on its towers, tanks through the gate.
    Turret(0, 34, 12, 2, 3),
    Turret(9, 34, -4, 2, 3),
    Move(3750, 0, 0, 2, 0.3),
    Tank(3750, 144, -12, 2, 2, 2),
    Tank(3750, 176, -12, 2, 2, 2),
    Diver(3900, 100, 0, 1),
    Diver(3920, 220, 0, 1),
    Crawler(4050, 160),
    Carrier(4200, -24, 40, 0, 50, 60),
    Carrier(4250, 344, 80, 4, 50, 60),

    // The refinery: launchers among the tank farms, turrets on the pads.
    Launcher(1, 40, 0, 120, 160),
    Turret(8, 39, 0, 2, 3),
    Diver(4600, 120, 0, 1),
    Diver(4620, 200, 0, 1),
    Launcher(8, 44, 0, 100, 160),
    Turret(2, 43, 0, 2, 3),
    Carrier(5100, 344, 60, 4, 50, 60),
    Diver(5300, 60, 0, 1),
    Diver(5300, 260, 0, 1),
    Turret(5, 46, 0, 2, 3),
    Diver(5700, 160, 0, 1),

    // The run up the highway: the scenery speeds up and a convoy races
    // the ship down the road.
    Ramp(kRunFirst, kRunFirst + 75, 25, &g_ScrollSpeed, 25, 5),
    Convoy(6050, 112),
    Convoy(6110, 208),
    Convoy(6170, 112),
    Convoy(6230, 208),
    Diver(6300, 60, 0, 1),
    Diver(6320, 260, 0, 1),
    Convoy(6350, 112),
    Convoy(6410, 208),
    Ramp(kRunLast - 75, kRunLast, 25, &g_ScrollSpeed, 35, -5),
    // Off the highway into the outskirts: divers, then carriers crossing the road ends.
    Diver(6560, 100, 0, 1),
    Diver(6580, 220, 0, 1),
    Carrier(6760, -24, 60, 0, 60, 50),
    Carrier(6800, 344, 100, 4, 60, 50),
    Diver(6950, 160, 0, 1),

    // The city: turrets on the roofs, tanks in the streets, crawlers down
    // the avenue, divers overhead.
    Turret(3, 60, 0, 2, 3),
    Turret(7, 60, 0, 2, 3),
    Move(7100, 0, 0, 0, 0.5),
    Tank(7100, -12, 70, 1, 0, 4),
    Move(7140, 0, 0, 4, 0.5),
    Tank(7140, 332, 70, 1, 4, 4),
    Diver(7300, 100, 0, 1),
    Diver(7320, 220, 0, 1),
    Crawler(7500, 160),
    Turret(2, 66, 8, 2, 3),
    Turret(7, 66, 0, 2, 3),
    Diver(7900, 60, 0, 1),
    Diver(7900, 160, 0, 1),
    Diver(7900, 260, 0, 1),
    Move(8100, 0, 0, 2, 0.4),
    Tank(8100, 48, -12, 2, 2, 2),
    Tank(8100, 272, -12, 2, 2, 2),
    Carrier(8300, -24, 60, 0, 60, 50),
    Carrier(8340, 344, 100, 4, 60, 50),
    Turret(3, 72, 0, 2, 3),
    Turret(6, 72, 0, 2, 3),
    Diver(8700, 100, 0, 1),
    Diver(8720, 220, 0, 1),
    Crawler(8900, 144),
    Move(9100, 0, 0, 0, 0.6),
    Tank(9100, -12, 50, 1, 0, 4),
    Move(9130, 0, 0, 0, 0.6),
    Tank(9130, -12, 50, 1, 0, 4),
    Move(9160, 0, 0, 4, 0.6),
    Tank(9160, 332, 90, 1, 4, 4),
    Diver(9400, 80, 0, 1),
    Diver(9400, 240, 0, 1),
    Turret(1, 74, 0, 2, 3),
    Turret(8, 74, 0, 2, 3),
    Diver(9800, 160, 0, 1),

    // The plaza: a breather under the palms.
    Diver(10300, 100, 0, 0),
    Diver(10330, 220, 0, 0),

    // The avenue: tanks pour out of the citadel's gate, turrets on the
    // barracks, carriers across the cross street, divers in pairs.
    Turret(1, 81, 0, 2, 3),
    Turret(8, 81, 0, 2, 3),
    Move(11000, 0, 0, 2, 0.4),
    GateTank(11000, 144),
    GateTank(11000, 176),
    Diver(11150, 60, 0, 1),
    Diver(11170, 260, 0, 1),
    Move(11300, 0, 0, 2, 0.4),
    GateTank(11300, 144),
    GateTank(11300, 176),
    Crawler(11450, 160),
    Carrier(11600, -24, 60, 0, 60, 50),
    Carrier(11640, 344, 60, 4, 60, 50),
    Diver(11700, 100, 0, 1),
    Diver(11720, 220, 0, 1),
    Turret(1, 89, 0, 2, 3),
    Turret(8, 89, 0, 2, 3),
    Move(11900, 0, 0, 2, 0.4),
    GateTank(11900, 128),
    GateTank(11900, 160),
    GateTank(11900, 192),
    Diver(12100, 60, 0, 1),
    Diver(12100, 160, 0, 1),
    Diver(12100, 260, 0, 1),
    Carrier(12300, -24, 80, 0, 60, 50),
    Carrier(12300, 344, 110, 4, 60, 50),
    Diver(12500, 100, 0, 1),
    Diver(12520, 220, 0, 1),
    Diver(12800, 160, 0, 1),
};

}  // namespace

namespace stage2 {

double DistanceAfter(std::int32_t frames) {
    std::int32_t hundredths = 0;
    for (std::int32_t f = 1; f <= frames; ++f) hundredths += SpeedAt(f);
    return hundredths / 100.0;
}

}  // namespace stage2

const StageDef kStage2 = {
    .stage_no = 2,
    .palettes = {{{101, 1}, {104, 181}, {103, 51}}},
    .work_sprites = kWorkSprites,
    .background = MakeStageObject<CBG2>,
    .boss = MakeStageObject<CBoss02>,
    .shadows = true,
    .gate = SoundGate::Always,
    .rank = {.first_threshold = 100000, .step = 50000, .count = 5},
    .music = {.segment = 2, .loop_start = 9216, .loop_end = 230400, .master_volume = -100, .start_count = 120},
    .last_scripted_frame = 13500,
    .script = kScript,
};

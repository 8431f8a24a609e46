#include "game/stages/stage5.h"

#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "game/enemies/boss05.h"
#include "game/stages/bg5.h"
#include "game/stages/stage5_spawns.h"

namespace {

// ---- Script helpers ----------------------------------------------------------------

// A stream of weaving fighters: mode 0 starts to the right, 1 to the left.
// Shot down, each fires a parting shot at the ship.
constexpr ScriptEntry Weavers(std::int32_t first, std::int32_t last, std::int32_t x, std::int32_t mode,
                              std::int32_t sway) {
    return Window(first, last, stage5::Weaver, {double(x), -2, double(mode), double(sway), 60});
}
// A bomber sinking down the sky as it weaves, a fan of seven as soon as it
// is in view and every 110 frames (less 10 a rank) after. A pair at the
// edges (x 30, 290) fans across the middle.
constexpr ScriptEntry Bomber(std::int32_t frame, std::int32_t x, std::int32_t weave) {
    return At(frame, stage5::Bomber, {double(x), -40, double(weave), 35, 60, 110});
}
// The gunship: it sinks slowly, its volleys alternating with aimed pairs.
constexpr ScriptEntry Gunship(std::int32_t frame, std::int32_t x) {
    return At(frame, stage5::Gunship, {double(x), -10, 22, 110, 80});
}

// ---- The script ------------------------------------------------------------------------
// The fighter traffic (800..7499) and the dive-bomber rain (7800..10199) are
// the random rules of CStage5; the table adds the rest.

constexpr ScriptEntry kScript[] = {
    // Calm: weaving streams before the traffic starts.
    Weavers(300, 379, 90, 0, 60),
    Weavers(460, 539, 230, 1, 60),
    Weavers(620, 699, 90, 0, 60),
    Weavers(620, 699, 230, 1, 60),

    // The first bombers among the fighters.
    Bomber(1100, 160, 40),
    Weavers(1300, 1379, 160, 0, 120),
    Weavers(1300, 1379, 160, 1, 120),
    Bomber(1700, 80, 30),
    Bomber(1700, 240, 30),
    Weavers(2000, 2079, 100, 0, 70),
    Weavers(2200, 2279, 220, 1, 70),
    Gunship(2250, 230),
    Bomber(2500, 60, 25),
    Bomber(2560, 160, 40),
    Bomber(2620, 260, 25),
    Weavers(2900, 2979, 90, 0, 60),
    Weavers(2900, 2979, 230, 1, 60),
    Bomber(3200, 110, 50),
    Bomber(3260, 210, 50),
    Bomber(3400, 30, 20),
    Bomber(3400, 290, 20),

    // The gunship with bombers on its flanks.
    Gunship(3600, 160),
    Bomber(3760, 50, 20),
    Bomber(3760, 270, 20),
    Weavers(4000, 4079, 160, 0, 130),
    Weavers(4200, 4279, 160, 1, 130),
    Bomber(4300, 100, 30),
    Bomber(4300, 220, 30),
    Bomber(4600, 30, 20),
    Bomber(4600, 290, 20),

    // A breather: only the traffic and one stream.
    Weavers(5000, 5079, 160, 0, 100),

    // The build-up: a gunship and bomber flights, streams into the clouds.
    Bomber(5400, 80, 30),
    Bomber(5400, 240, 30),
    Weavers(5600, 5679, 90, 0, 60),
    Weavers(5600, 5679, 230, 1, 60),
    Gunship(5800, 110),
    Gunship(5860, 230),
    Bomber(6200, 30, 20),
    Bomber(6200, 290, 20),
    Bomber(6400, 60, 25),
    Bomber(6460, 160, 40),
    Bomber(6520, 260, 25),
    Weavers(6700, 6779, 100, 0, 80),
    Weavers(6700, 6779, 220, 1, 80),
    Weavers(7100, 7179, 160, 0, 130),

    // The rain: streams and bombers among the divers, then the last
    // gunship with its flanks for the climax.
    Weavers(8400, 8479, 160, 0, 120),
    Bomber(8800, 90, 30),
    Bomber(8800, 230, 30),
    Bomber(9000, 30, 20),
    Bomber(9000, 290, 20),
    Weavers(9200, 9279, 160, 1, 120),
    Gunship(9450, 90),
    Gunship(9510, 230),
    Bomber(9650, 60, 20),
    Bomber(9650, 260, 20),
    Bomber(9900, 30, 20),
    Bomber(9900, 290, 20),

    // The serpent's choices start from the head of the 8-table.
    At(10200, stage5::ResetRnd8, {}),
};

constexpr std::int32_t kTrafficFirst = 800, kTrafficLast = 7499, kTrafficStep = 25;
constexpr std::int32_t kRainFirst = 7800, kRainLast = 10199;
constexpr std::int32_t kColumns = 16, kColumnWidth = 20;

}  // namespace

const StageDef kStage5 = {
    .stage_no = 5,
    .palettes = {{{101, 1}, {106, 101}, {103, 51}}},
    .work_sprites = {},
    .background = MakeStageObject<CBG5>,
    .boss = MakeStageObject<CBoss05>,
    .shadows = false,
    .gate = SoundGate::UntilBossDefeated,
    .rank = {.first_threshold = 750000, .step = 100000, .count = 10},
    .music = {.segment = 5, .loop_start = 3072, .loop_end = 261120, .master_volume = -100, .start_count = 240},
    .last_scripted_frame = 10200,
    .script = kScript,
};

std::int32_t CStage5::NextColumn() {
    std::int32_t column = g_Angle.Rnd16(-1);
    while (column == last_column_) column = g_Angle.Rnd16(-1);
    last_column_ = column;
    return column;
}

void CStage5::RunRules(std::int32_t count) {
    if (count >= kTrafficFirst && count <= kTrafficLast && count % kTrafficStep == 0) {
        const bool up = count % (2 * kTrafficStep) == 0;
        stage5::Fighter(NextColumn() * kColumnWidth + kColumnWidth / 2, up);
    }
    const std::int32_t rain_step = 10 - g_Rank / 2;
    if (count >= kRainFirst && count <= kRainLast && count % rain_step == 0)
        stage5::Diver(NextColumn() * kColumnWidth + kColumnWidth / 2);
}

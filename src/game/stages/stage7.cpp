#include "game/stages/stage7.h"

#include "core/q7_angle.h"
#include "game/enemies/boss07.h"
#include "game/stages/bg7.h"
#include "game/stages/enemy_spawns.h"
#include "game/stages/hull_sprites.h"
#include "game/stages/large_spawns.h"

namespace {

// ---- The spawn streams -------------------------------------------------------------
// Sixteen entries round the edges, each flying inward along its heading.

constexpr StreamEntry kStreamEntries[StreamSet::kEntries] = {
    {-20, 109, 0}, {-20, 220, 0}, {-20, 2, 1},   {300, 2, 2},   {160, 2, 2},  {20, 2, 2},
    {340, 2, 3},   {340, 220, 4}, {340, 109, 4}, {340, 42, 4},  {340, 260, 5}, {20, 260, 6},
    {160, 260, 6}, {300, 260, 6}, {-20, 260, 7}, {-20, 42, 0},
};

// From 700 to 10999, every 100 frames: two entries, 6 fighters each.
constexpr StreamFeed kStreamFeeds[] = {
    {.kind = StreamFeed::Kind::Pair, .first = 700, .last = 10999, .every = 100, .shots = 6},
};

constexpr std::int32_t kStreamEntryFrames = 5;
constexpr std::int32_t kStreamWarning = 158;  // 158 / 159: the edge lamp, blinking

// ---- The random rules --------------------------------------------------------------

constexpr std::int32_t kHeavyFirst = 1000, kHeavyLast = 4999;
constexpr std::int32_t kBomberEvery = 200;
constexpr std::int32_t kGunshipEvery = 500, kGunshipAt = 400;
constexpr std::int32_t kColumnWidth = 40;

// ---- Work sprites ------------------------------------------------------------------

constexpr WorkSprite kWorkSprites[] = {kMothershipHull};

// ---- Script helpers ----------------------------------------------------------------

using spawns::EN019;
using spawns::EN020;
using spawns::EN025;

// One stream fighter outside the rules: x, y, heading; the streams' entry time.
constexpr ScriptEntry Fighter(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t heading) {
    return At(frame, EN025, {double(x), double(y), double(heading), kStreamEntryFrames});
}
// A bomber sinking half a pixel a frame, weaving 30 pixels either way; a fan
// every 240 frames less 10 a rank (so 140 at the top rank, not the class's floor).
constexpr ScriptArgs BomberArgs(std::int32_t x) { return {double(x), -48, 30, 50, 60, 240}; }
constexpr ScriptEntry Bomber(std::int32_t frame, std::int32_t x) { return At(frame, EN020, BomberArgs(x)); }
// A gunship sinking 0.45 pixels a frame; a y further above the top staggers a
// pair. Its volleys come twice as often as the interval says: 200 less 10 a rank.
constexpr ScriptArgs GunshipArgs(std::int32_t x, std::int32_t y) { return {double(x), double(y), 45, 60, 200}; }
// The gunship pair: the left one first, the right one 60 rows behind.
constexpr ScriptArgs kPairLeft = GunshipArgs(90, -24), kPairRight = GunshipArgs(230, -84);
// A flying battleship (CEN026): x, Mode (tenths of a pixel a frame), first shot.
constexpr ScriptEntry Battleship(std::int32_t frame, std::int32_t x, std::int32_t mode, std::int32_t first_shot) {
    return At(frame, large_spawns::EN026, {double(x), double(mode), double(first_shot)});
}

// ---- The script ------------------------------------------------------------------------

constexpr ScriptEntry kScript[] = {
    // Opening: single lines of the stream fighters, so that their way in and
    // their fast shots are seen before the streams begin at 700.
    Fighter(280, 100, 2, 2), Fighter(296, 100, 2, 2), Fighter(312, 100, 2, 2),
    Fighter(380, 220, 2, 2), Fighter(396, 220, 2, 2), Fighter(412, 220, 2, 2),
    Fighter(480, -20, 70, 0), Fighter(496, -20, 70, 0), Fighter(512, -20, 70, 0), Fighter(528, -20, 70, 0),
    Fighter(580, 340, 120, 4), Fighter(596, 340, 120, 4), Fighter(612, 340, 120, 4), Fighter(628, 340, 120, 4),

    // 1000..4999: bombers and gunship pairs by the rules, over the streams.

    // The set piece: the first flying battleship comes down the corridor,
    // bombers on its heels. The battleships rush past at the corridor's pace
    // (1.6 pixels a frame, firing from the moment the nose is well in): a slow
    // one at the top rank would be a wall of missiles for half a minute.
    Battleship(5300, 160, 16, 80),
    Bomber(6000, 60),
    Bomber(6200, 260),

    // A breather: the streams alone.

    // The second wave: a battleship down the left, a bomber, a gunship pair.
    Battleship(7200, 100, 16, 80),
    Bomber(7800, 260),
    At(8300, EN019, kPairLeft),
    At(8300, EN019, kPairRight),

    // The climax: a battleship down the right with bombers on its heels; the
    // corridor is clear again when the streams stop at 11000.
    Battleship(9300, 220, 16, 80),
    Bomber(10200, 260),
    Bomber(10300, 40),
};

}  // namespace

const StreamSet kStage7Streams = {
    .entries = kStreamEntries,
    .drawn_from = 16,
    .entry_frames = kStreamEntryFrames,
    .feeds = kStreamFeeds,
    .warning_sprite = kStreamWarning,
};

const StageDef kStage7 = {
    .stage_no = 7,
    .palettes = {{{101, 1}, {108, 101}, {103, 51}}},
    .work_sprites = kWorkSprites,
    .background = MakeStageObject<CBG7>,
    .boss = MakeStageObject<CBoss07>,
    .shadows = false,
    .gate = SoundGate::UntilBossDefeated,
    .rank = {.first_threshold = 1300000, .step = 100000, .count = 10},
    .music = {.segment = 7, .loop_start = 6144, .loop_end = 135168, .master_volume = -400, .start_count = 170},
    .last_scripted_frame = 11000,
    .script = kScript,
};

std::int32_t CStage7::NextColumn() {
    std::int32_t column = g_Angle.Rnd16(-1) / 2;
    while (column == last_columns_[0] || column == last_columns_[1]) column = g_Angle.Rnd16(-1) / 2;
    last_columns_ = {column, last_columns_[0]};
    return column;
}

void CStage7::RunRules(std::int32_t count) {
    if (count >= kHeavyFirst && count <= kHeavyLast) {
        if (count % kBomberEvery == 0) {
            EN020(BomberArgs(NextColumn() * kColumnWidth + kColumnWidth / 2));
        }
        if (count % kGunshipEvery == kGunshipAt) {
            EN019(kPairLeft);
            EN019(kPairRight);
        }
    }
    streams_.Run(count);
    streams_.DrawWarnings();
}

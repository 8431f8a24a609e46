#include "game/stages/stage8.h"

#include "app/zenit02.h"
#include "game/enemies/boss08.h"
#include "game/stages/bg8.h"
#include "game/stages/enemy_spawns.h"
#include "game/stages/hull_sprites.h"
#include "game/stages/large_spawns.h"

namespace {

// ---- The spawn streams -------------------------------------------------------------
// Eight entries along the top and the upper sides, each flying inward; the
// other eight are never fed.

constexpr StreamEntry kStreamEntries[StreamSet::kEntries] = {
    {20, -6, 2},  {100, -6, 2}, {220, -6, 2}, {300, -6, 2}, {-32, 100, 0}, {-32, -6, 1}, {372, -6, 3}, {372, 100, 4},
};

using Feed = StreamFeed;
constexpr StreamFeed kStreamFeeds[] = {
    {.kind = Feed::Kind::One, .first = 700, .last = 4399, .every = 32, .shots = 1},
    {.kind = Feed::Kind::All, .first = 4600, .last = 4600, .shots = 48},
    {.kind = Feed::Kind::One, .first = 5500, .last = 9599, .every = 32, .shots = 1},
    {.kind = Feed::Kind::One, .first = 9600, .last = 9799, .every = 16, .shots = 1},
    {.kind = Feed::Kind::One, .first = 9800, .last = 9899, .every = 8, .shots = 1},
    {.kind = Feed::Kind::One, .first = 9900, .last = 9999, .every = 4, .shots = 1},
    {.kind = Feed::Kind::All, .first = 10000, .last = 10000, .shots = 8},
};

constexpr std::int32_t kStreamEntryFrames = 20;
constexpr std::int32_t kStreamWarning = 213;  // 213 / 214: the edge lamp, blinking

// ---- Work sprites ------------------------------------------------------------------

constexpr WorkSprite kWorkSprites[] = {kMothershipHull};

// ---- Script helpers ----------------------------------------------------------------
// The ground units ride the floor on the pads the map lays for them (bg8.cpp
// reads their places from this script). Their intervals are long: the rank
// takes 10 frames a step off each, and a player arrives here near rank 10.

// A gun fortress (CEN027) on its base: x, y; it lobs a large bullet at the ship.
constexpr ScriptEntry Fortress(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t first_shot = 60,
                               std::int32_t interval = 150) {
    return At(frame, large_spawns::EN027, {double(x), double(y), 100, double(first_shot), double(interval)});
}
// A missile walker (CEN028) stepping out of its hangar, Mode tenths of a pixel a frame.
constexpr ScriptEntry Walker(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t mode = 3,
                             std::int32_t first_shot = 90, std::int32_t interval = 170) {
    return At(frame, large_spawns::EN028, {double(x), double(y), double(mode), 100, double(first_shot), double(interval)});
}
// A quad turret (CEN022) on its ring.
constexpr ScriptEntry Turret(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t first_shot = 50,
                             std::int32_t interval = 120) {
    return At(frame, spawns::EN022, {double(x), double(y), 2, double(first_shot), double(interval)});
}
// A pillbox (CEN023) on its ring; its interval is quartered.
constexpr ScriptEntry Pillbox(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t first_shot = 40,
                              std::int32_t interval = 200) {
    return At(frame, spawns::EN023, {double(x), double(y), 2, double(first_shot), double(interval)});
}
// A gunship (CEN019) sinking `sink` hundredths of a pixel a frame; it hides
// the ground units it passes over.
constexpr ScriptEntry Gunship(std::int32_t frame, std::int32_t x, std::int32_t sink = 35, std::int32_t first_shot = 60,
                              std::int32_t interval = 160) {
    return At(frame, spawns::EN019, {double(x), -24, double(sink), double(first_shot), double(interval)});
}
// A mothership (CEN026): x, Mode (tenths of a pixel a frame over the floor), first shot.
constexpr ScriptEntry Mothership(std::int32_t frame, std::int32_t x, std::int32_t mode = 3, std::int32_t first_shot = 150) {
    return At(frame, large_spawns::EN026, {double(x), double(mode), double(first_shot)});
}
constexpr ScriptEntry Scroll(std::int32_t frame, std::int32_t hundredths) {
    return Ramp(frame, frame, 1, &g_ScrollSpeed, hundredths, 0);
}

constexpr std::int32_t kIn = -40;  // a ground unit's row as it is placed: out of sight above

// ---- The script ------------------------------------------------------------------------

constexpr ScriptEntry kScript[] = {
    // The outer gate: its pillboxes, then the new enemy alone, a gun fortress.
    Pillbox(300, 40, kIn),
    Pillbox(300, 280, kIn),
    Fortress(420, 160, kIn),
    Turret(600, 96, kIn),
    Turret(600, 224, kIn),

    // The outer works. The streams begin (700); a gunship sails over a pair
    // of turrets and hides them while it passes.
    Turret(820, 64, kIn),
    Turret(820, 256, kIn),
    Gunship(880, 160),
    Fortress(1120, 64, kIn),
    Gunship(1000, 240),
    Fortress(1120, 256, kIn),
    Pillbox(1300, 40, kIn),
    Pillbox(1300, 160, kIn),
    Pillbox(1300, 280, kIn),
    // The second new enemy: a missile walker steps out of its hangar.
    Walker(1500, 160, kIn),
    Pillbox(1560, 64, kIn),
    Pillbox(1560, 256, kIn),
    Turret(1700, 64, kIn),
    Turret(1700, 256, kIn),
    Gunship(1760, 96),
    Walker(2000, 240, kIn),
    Fortress(2200, 160, kIn),
    Pillbox(2350, 48, kIn),
    Pillbox(2350, 272, kIn),

    // The trench: the first mothership runs down it (fast, holding its fire
    // until it is well in), a walker beside it.
    Mothership(2600, 160, 6, 250),
    Turret(3000, 120, kIn),
    Turret(3000, 200, kIn),
    Walker(2900, 280, kIn),
    Gunship(3300, 240),
    Fortress(3550, 64, kIn),
    Pillbox(3650, 160, kIn),
    Fortress(3550, 256, kIn),
    Turret(3800, 120, kIn),
    Turret(3800, 200, kIn),
    Walker(4000, 160, kIn),
    Gunship(4100, 250),
    Pillbox(4250, 48, kIn),
    Pillbox(4250, 272, kIn),

    // 4400..4599: the streams hold their breath; 4600: the swarm from every
    // entry, alone over the open ground while the scenery slows.
    Scroll(4600, 30),
    Fortress(5450, 160, kIn),
    Scroll(5400, 40),

    // The inner works: walker lines, fortresses behind bulkheads.
    Walker(5800, 256, kIn),
    Turret(5850, 64, kIn),
    Gunship(5950, 120),
    Fortress(6000, 240, kIn),
    Pillbox(6150, 40, kIn),
    Pillbox(6150, 160, kIn),
    Walker(6300, 64, kIn),
    Gunship(6450, 220),
    Fortress(6500, 96, kIn),
    Turret(6900, 64, kIn),
    Turret(6900, 160, kIn),
    // Two motherships side by side down the inner works' main hall.
    Mothership(6950, 96, 6, 250),
    Mothership(6950, 224, 6, 250),
    Fortress(7100, 64, kIn),
    Fortress(7200, 256, kIn),
    Walker(7350, 160, kIn),
    Gunship(7550, 70),
    Gunship(7650, 250),
    Pillbox(7850, 40, kIn),
    Pillbox(7850, 280, kIn),
    Fortress(8000, 160, kIn),
    // The second mothership, down the middle of the inner works.
    Mothership(8250, 160, 6, 250),
    Walker(8700, 280, kIn),
    Turret(8900, 120, kIn),
    Pillbox(8950, 40, kIn),
    Pillbox(8950, 280, kIn),
    Turret(8900, 200, kIn),
    Fortress(9200, 160, kIn),
    Gunship(9350, 160),

    // The climax: the streams thicken to a flood and the scenery speeds up
    // toward the inner gate, where the last fortresses hold the way.
    Scroll(9600, 50),
    Walker(9600, 160, kIn),
    Gunship(9700, 240),
    Mothership(9750, 160, 6, 250),  // the last one, down the middle of the flood
    Fortress(9850, 160, kIn),
    Gunship(10000, 220),
    Turret(10050, 64, kIn),
    Turret(10050, 256, kIn),
    Fortress(10200, 224, kIn),
    Walker(10300, 160, kIn),
    Scroll(10400, 30),
};

}  // namespace

const StreamSet kStage8Streams = {
    .entries = kStreamEntries,
    .drawn_from = 8,
    .entry_frames = kStreamEntryFrames,
    .feeds = kStreamFeeds,
    .warning_sprite = kStreamWarning,
};

const StageDef kStage8 = {
    .stage_no = 8,
    .palettes = {{{111, 1}, {110, 111}, {109, 51}}},
    .work_sprites = kWorkSprites,
    .background = MakeStageObject<CBG8>,
    .boss = MakeStageObject<CBoss08>,
    .shadows = true,
    .gate = SoundGate::UntilBossDefeated,
    .rank = {.first_threshold = 1700000, .step = 100000, .count = 10},
    .music = {.segment = 8, .loop_start = 9216, .loop_end = 144384, .master_volume = -300, .start_count = 120},
    .last_scripted_frame = 10600,
    .script = kScript,
};

void CStage8::RunRules(std::int32_t count) {
    streams_.Run(count);
    streams_.DrawWarnings();
}

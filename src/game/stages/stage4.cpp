#include "game/stages/stage4.h"

#include <algorithm>
#include <array>

#include "app/zenit02.h"
#include "game/enemies/boss04.h"
#include "game/stages/bg4.h"
#include "game/stages/enemy_spawns.h"
#include "game/stages/stage1_spawns.h"
#include "game/stages/stage4_spawns.h"

namespace {

// ---- Work sprites ---------------------------------------------------------------

// 99: the outer gate, a rampart across the floor with its gatehouse.
constexpr WorkPiece kGatePieces[] = {{4303, 0, 0}, {4304, 0, 96}};

constexpr WorkSprite kWorkSprites[] = {
    {.id = 99, .width = 320, .height = 192, .pieces = kGatePieces, .centre_based = true},
};

// ---- What lies on the floor -------------------------------------------------------

// Drawing layers of the floor's objects: flat dressing lies on the stone,
// tall pieces stand over the wrecks, and the buildings cover what waits
// inside them (ground enemies are drawn on layer 6).
constexpr std::int32_t kFlat = 1, kTall = 4, kHouse = 7, kRoof = 8;

struct Piece {
    std::int32_t sprite;
    std::int32_t height;
    std::int32_t layer;
};

constexpr Piece kGate = {99, 192, kHouse};
constexpr Piece kCasemate = {4305, 80, kHouse};
constexpr Piece kDune = {4306, 64, kFlat};
constexpr Piece kDrift = {4307, 48, kFlat};
constexpr Piece kOutcrop = {4308, 64, kTall};
constexpr Piece kSunken = {4309, 64, kFlat};
constexpr Piece kPit = {4310, 48, kFlat};
constexpr Piece kObelisk = {4311, 96, kTall};
constexpr Piece kStairs = {4312, 48, kFlat};
constexpr Piece kRuin = {4313, 48, kTall};
constexpr Piece kBrazier = {4314, 40, kTall};
constexpr Piece kPebbles = {205, 10, kFlat};
constexpr Piece kTuft = {206, 10, kFlat};
constexpr Piece kCrack = {207, 10, kFlat};
constexpr Piece kRubble = {208, 10, kFlat};

// The slowest the floor moves while the script runs (at the gate).
constexpr double kSlowest = 0.3;

// Frames a ground object centred at y, `half` rows above and below, needs
// before it is in view, with a margin; so long it is neither hit nor removed.
constexpr std::int32_t Entry(double y, double half) {
    const double rows = -y - half;
    return std::max<std::int32_t>(60, static_cast<std::int32_t>(rows / kSlowest) + 40);
}

// A piece of the floor's dressing just above the screen (or at y).
constexpr ScriptEntry Dress(std::int32_t frame, std::int32_t x, const Piece& p) {
    return At(frame, stage4::Lay, {double(x), -p.height / 2.0 - 1, double(p.sprite), double(p.layer), 0, 0});
}
constexpr ScriptEntry DressAt(std::int32_t frame, std::int32_t x, std::int32_t y, const Piece& p) {
    return At(frame, stage4::Lay, {double(x), double(y), double(p.sprite), double(p.layer), 0, 0});
}

constexpr ScriptEntry Dome(std::int32_t frame, std::int32_t x, std::int32_t y = -24) {
    return At(frame, stage4::EN018, {double(x), double(y), double(Entry(y, 24))});
}
// A turret; it turns toward the ship and fires first `delay` frames after it is in view.
constexpr ScriptEntry Turret(std::int32_t frame, std::int32_t x, std::int32_t y = -24, std::int32_t delay = 40,
                             std::int32_t interval = 120, std::int32_t layer = 6) {
    const std::int32_t entry = Entry(y, 16);
    return At(frame, stage4::EN002, {double(x), double(y), double(entry), double(entry + delay), double(interval), double(layer)});
}
// Ground targets: 0 fuel tanks, 1 blockhouse (heavy), 2 radar, 3 command post (heavy).
constexpr ScriptEntry Target(std::int32_t frame, std::int32_t x, std::int32_t kind, std::int32_t y = -24) {
    return At(frame, spawns::EN010, {double(x), double(y), double(1123 + kind), kind % 2 == 1 ? 1.0 : 0.0, 0});
}
constexpr ScriptEntry Bunker(std::int32_t frame, std::int32_t x, std::int32_t y = -40, std::int32_t delay = 60,
                             std::int32_t interval = 110) {
    const std::int32_t entry = Entry(y, 32);
    return At(frame, stage4::EN017, {double(x), double(y), double(entry), double(entry + delay), double(interval)});
}
constexpr ScriptEntry Crawler(std::int32_t frame, std::int32_t x, std::int32_t y = -24, std::int32_t delay = 60) {
    const std::int32_t entry = Entry(y, 24);
    return At(frame, stage4::EN003, {double(x), double(y), double(entry), double(entry + delay)});
}
// A straight fighter: down the screen from the top, or up it from below.
// It fires one volley while it crosses the screen, high up, where the ship
// has room to see it coming (the next would come after it has left, even at
// rank 10). One from below fires when it is well up the screen, and the
// script only sends them up a lane that fighters have just flown down.
constexpr ScriptEntry Fighter(std::int32_t frame, std::int32_t x, bool up = false) {
    return At(frame, spawns::EN016, {double(x), up ? 256.0 : -16.0, up ? 1.0 : 0.0, up ? 100.0 : 36.0, 180});
}
// A column of fighters in one lane, `gap` frames apart.
template <std::size_t N>
constexpr std::array<ScriptEntry, N> Column(std::int32_t frame, std::int32_t x, bool up = false, std::int32_t gap = 30) {
    std::array<ScriptEntry, N> out{};
    for (std::size_t i = 0; i < N; ++i) out[i] = Fighter(frame + gap * std::int32_t(i), x, up);
    return out;
}

// A tank at (x, y) that waits, drives `out` frames down at half a pixel a
// frame from `go` on, then makes for the ship; its turret follows the ship.
// `fires_hidden`: it shoots from under its cover too.
constexpr std::array<ScriptEntry, 4> Tank(std::int32_t frame, std::int32_t x, std::int32_t y, std::int32_t go,
                                          std::int32_t out = 90, bool fires_hidden = false) {
    const std::int32_t entry = Entry(y, 16);
    return {{
        At(frame, stage1::MoveStep, {0, double(go), 2, 8, 0}),
        At(frame, stage1::MoveStep, {1, double(go + out), 2, 8, 0.5}),
        At(frame, stage1::MoveStep, {2, 0, 8, 8, 0.3}),
        At(frame, stage4::EN005, {double(x), double(y), double(entry), double(entry + 30), 90, fires_hidden ? 1.0 : 0.0}),
    }};
}
// A tank crossing the floor from one side (heading 0 right, 4 left).
constexpr std::array<ScriptEntry, 2> Crossing(std::int32_t frame, std::int32_t y, std::int32_t heading) {
    const double x = heading == 0 ? -14 : 334;
    return {{
        At(frame, stage1::MoveStep, {0, 0, double(heading), 8, 0.6}),
        At(frame, stage4::EN005, {x, double(y), 60, 80, 120, 0}),
    }};
}

// A dome over a turret: silent and out of reach until the dome is broken.
constexpr std::array<ScriptEntry, 2> DomedTurret(std::int32_t frame, std::int32_t x, std::int32_t y = -24) {
    return {{Dome(frame, x, y), Turret(frame, x, y, 20, 100)}};
}
// A dome over a tank that fires from under it.
constexpr std::array<ScriptEntry, 5> DomedTank(std::int32_t frame, std::int32_t x, std::int32_t y = -24) {
    const auto tank = Tank(frame, x, y, 100000, 90, true);
    return {{Dome(frame, x, y), tank[0], tank[1], tank[2], tank[3]}};
}
constexpr std::array<ScriptEntry, 2> DomedTarget(std::int32_t frame, std::int32_t x, std::int32_t kind) {
    return {{Dome(frame, x), Target(frame, x, kind)}};
}
// A turret in its gun pit.
constexpr std::array<ScriptEntry, 2> PitTurret(std::int32_t frame, std::int32_t x, std::int32_t delay = 40) {
    return {{DressAt(frame, x, -24, kPit), Turret(frame, x, -24, delay)}};
}
// A bunker with a shield dome on each front shoulder: it wakes when both are gone.
constexpr std::array<ScriptEntry, 3> ShieldedBunker(std::int32_t frame, std::int32_t x) {
    return {{Bunker(frame, x, -40), Dome(frame, x - 30, -16), Dome(frame, x + 30, -16)}};
}
// A casemate whose two tanks drive out through its door after `go` frames
// (they fire from inside while they wait).
constexpr std::array<ScriptEntry, 9> Casemate(std::int32_t frame, std::int32_t x, std::int32_t go) {
    constexpr std::int32_t y = -40;
    const auto left = Tank(frame, x - 18, y, go, 90, true), right = Tank(frame, x + 18, y, go + 50, 90, true);
    return {{
        At(frame, stage4::Lay, {double(x), double(y), double(kCasemate.sprite), double(kCasemate.layer), 72, 44}),
        left[0], left[1], left[2], left[3], right[0], right[1], right[2], right[3],
    }};
}

// The outer gate: the rampart with a shielded gun on each tower and four
// tanks inside the gatehouse that come out in pairs.
constexpr std::int32_t kGateY = -96;
constexpr auto Gate(std::int32_t frame) {
    const auto t1 = Tank(frame, 148, kGateY + 22, 330, 180), t2 = Tank(frame, 172, kGateY + 22, 330, 180);
    const auto t3 = Tank(frame, 148, kGateY - 18, 420, 180), t4 = Tank(frame, 172, kGateY - 18, 420, 180);
    return std::array<ScriptEntry, 23>{{
        At(frame, stage4::Lay, {160, double(kGateY), double(kGate.sprite), double(kGate.layer), 56, 96}),
        Dome(frame, 92, kGateY - 40), Turret(frame, 92, kGateY - 40, 20, 120, kRoof),
        Dome(frame, 228, kGateY - 40), Turret(frame, 228, kGateY - 40, 20, 120, kRoof),
        Turret(frame, 24, kGateY - 8, 60, 160, kRoof), Turret(frame, 296, kGateY - 8, 60, 160, kRoof),
        t1[0], t1[1], t1[2], t1[3], t2[0], t2[1], t2[2], t2[3],
        t3[0], t3[1], t3[2], t3[3], t4[0], t4[1], t4[2], t4[3],
    }};
}

// ---- The script ------------------------------------------------------------------------

template <std::size_t... N>
constexpr auto JoinArrays(const std::array<ScriptEntry, N>&... parts) {
    std::array<ScriptEntry, (N + ...)> out{};
    std::size_t i = 0;
    ((std::copy(parts.begin(), parts.end(), out.begin() + std::ptrdiff_t(i)), i += N), ...);
    return out;
}
constexpr std::array<ScriptEntry, 1> AsArray(const ScriptEntry& e) { return {e}; }
template <std::size_t N>
constexpr const std::array<ScriptEntry, N>& AsArray(const std::array<ScriptEntry, N>& a) { return a; }
template <class... Parts>
constexpr auto Script(const Parts&... parts) { return JoinArrays(AsArray(parts)...); }

constexpr auto kScript = Script(
    // The approach: the plateau's edge, the first domes (empty, then over a
    // depot and a gun) and the straight fighters.
    DressAt(1, 70, 60, kDune), DressAt(1, 250, 150, kOutcrop), DressAt(1, 130, 196, kPebbles),
    DressAt(1, 210, 96, kCrack), DressAt(1, 40, 210, kTuft), DressAt(1, 290, 40, kRubble),
    Dress(150, 180, kDrift), Dress(230, 30, kTuft),
    Dome(260, 96), Dome(260, 224),
    Fighter(420, 160),
    Dress(400, 270, kPebbles), Dress(480, 60, kSunken),
    Fighter(520, 80), Fighter(520, 240),
    DomedTarget(640, 160, 0),
    Dress(700, 260, kDrift),
    Column<3>(760, 64),
    PitTurret(900, 80),
    Dress(960, 230, kCrack),
    Column<3>(1000, 256),
    DomedTurret(1100, 240),
    Dress(1150, 120, kTuft), Dress(1200, 40, kRubble),
    Fighter(1250, 100), Fighter(1250, 220),
    DomedTurret(1400, 70), PitTurret(1400, 250),
    Dress(1450, 160, kOutcrop),
    DomedTarget(1550, 160, 2), Target(1550, 110, 0), Target(1550, 210, 0),
    Column<4>(1700, 40),
    Dress(1750, 250, kDune),
    Crossing(1850, 60, 0), Crossing(1890, 60, 0),

    // The outer terraces: a dome field, the first casemate and bunker, crawlers,
    // fighters coming up from below in the lanes the ones from above took.
    Dress(1980, 160, kStairs),
    DomedTarget(2100, 40, 0), DomedTurret(2100, 120), DomedTurret(2100, 200), DomedTarget(2100, 280, 0),
    Fighter(2250, 64), Fighter(2250, 256),
    Dress(2300, 70, kPebbles), Dress(2330, 250, kCrack),
    Column<3>(2400, 160),
    Casemate(2500, 80, 380),
    Dress(2560, 240, kDrift),
    Crawler(2700, 240),
    Column<2>(2850, 30), Column<2>(2960, 30, true),
    Dress(2900, 170, kTuft),
    ShieldedBunker(3100, 160),
    Dress(3120, 50, kRuin), Dress(3200, 280, kRubble),
    Fighter(3300, 80), Fighter(3300, 240), Fighter(3360, 120), Fighter(3360, 200),
    DomedTarget(3500, 80, 3), Target(3500, 240, 1),
    Dress(3560, 160, kSunken),
    Crossing(3650, 70, 4), Crossing(3690, 70, 4), Crossing(3730, 70, 4),
    PitTurret(3900, 50), DomedTank(3900, 160), PitTurret(3900, 270),
    Dress(3980, 110, kPebbles), Dress(4000, 220, kTuft),
    Column<3>(4050, 100), Column<3>(4080, 220), Column<2>(4220, 220, true),
    Crawler(4250, 80), Crawler(4250, 240),
    Dress(4300, 160, kDune),

    // The outer gate: the floor slows, the rampart comes in with guns on its
    // towers, fighters fly over it, and the gatehouse lets out its tanks.
    Ramp(4400, 4500, 50, &g_ScrollSpeed, 40, -5),
    Column<2>(4500, 100), Column<2>(4500, 220),
    Gate(4700),
    Column<3>(4900, 40), Column<3>(5000, 280),
    Column<2>(5200, 40, true), Column<2>(5260, 280, true),
    Dress(5300, 120, kRubble), Dress(5350, 220, kPebbles),
    ShieldedBunker(5450, 64), ShieldedBunker(5450, 256),
    Dress(5500, 160, kStairs),
    Fighter(5600, 160), Fighter(5640, 120), Fighter(5640, 200),
    DomedTarget(5750, 110, 2), DomedTarget(5750, 210, 3), Target(5750, 40, 0), Target(5750, 280, 0),
    Ramp(6000, 6100, 50, &g_ScrollSpeed, 30, 5),

    // A breather: the depot yard, its fuel tanks unguarded, a few fighters.
    Dress(6150, 70, kDrift), Dress(6200, 250, kOutcrop),
    Target(6300, 60, 0), Target(6300, 100, 0), Target(6340, 220, 0), Target(6340, 260, 0),
    Fighter(6450, 160),
    Dress(6500, 150, kSunken),
    Target(6600, 160, 2),
    Dress(6700, 40, kObelisk), Dress(6700, 280, kObelisk),
    Fighter(6800, 80), Fighter(6800, 240),
    Dress(6900, 200, kTuft), Dress(6950, 90, kCrack),

    // The inner terraces: dome clusters, casemates either side, the crawler in
    // the middle, a bunker guarded three times.
    DomedTurret(7200, 160), DomedTurret(7200, 110, -64), DomedTurret(7200, 210, -64),
    Column<3>(7350, 40), Column<3>(7380, 280),
    Dress(7400, 160, kRuin),
    Casemate(7600, 64, 360), Casemate(7600, 256, 400),
    Column<2>(7750, 160),
    Crawler(7900, 160),
    Dress(7950, 60, kDune), Dress(8000, 260, kPebbles),
    ShieldedBunker(8100, 240), PitTurret(8100, 60), PitTurret(8160, 110),
    Column<2>(8130, 40), Column<3>(8250, 40, true),
    // The avenue: obelisks and fire bowls on both sides, tanks down the middle.
    Dress(8400, 40, kObelisk), Dress(8400, 280, kObelisk),
    Dress(8500, 40, kBrazier), Dress(8500, 280, kBrazier),
    Tank(8450, 160, -24, 1), Tank(8530, 160, -24, 1), Tank(8610, 160, -24, 1),
    Dress(8600, 40, kObelisk), Dress(8600, 280, kObelisk),
    Column<2>(8650, 100), Column<2>(8650, 220),
    Dress(8700, 40, kBrazier), Dress(8700, 280, kBrazier),
    Dress(8800, 40, kObelisk), Dress(8800, 280, kObelisk),
    DomedTank(8850, 100), DomedTank(8850, 220),
    Dress(8900, 40, kBrazier), Dress(8900, 280, kBrazier),
    Dress(9000, 40, kObelisk), Dress(9000, 280, kObelisk),
    Column<3>(9000, 60), Column<3>(9130, 260), Column<3>(9150, 60, true),
    DomedTurret(9300, 60), DomedTurret(9300, 260),
    Dress(9350, 160, kSunken),
    ShieldedBunker(9500, 160), Dome(9500, 160, -84),
    Column<2>(9600, 40), Column<2>(9600, 280),

    // The keep's terrace: the floor speeds up; a ring of shielded guns round a
    // bunker, dense fighters, the last casemate and crawlers.
    Ramp(9800, 9900, 50, &g_ScrollSpeed, 40, 5),
    Dress(9850, 160, kStairs),
    Bunker(10000, 160, -60),
    DomedTurret(10000, 60, -40), DomedTurret(10000, 260, -40), DomedTurret(10000, 100, -110),
    DomedTurret(10000, 220, -110), DomedTank(10000, 60, -150), DomedTank(10000, 260, -150),
    Dress(10050, 40, kBrazier), Dress(10050, 280, kBrazier),
    Column<4>(10200, 40), Column<4>(10215, 280), Column<3>(10300, 160),
    Casemate(10500, 160, 300), Crawler(10500, 50), Crawler(10500, 270),
    Dress(10600, 90, kRubble), Dress(10650, 240, kCrack),
    Column<2>(10560, 100), Column<2>(10590, 220), Column<3>(10700, 100, true), Column<3>(10730, 220, true),
    DomedTarget(10850, 60, 3), DomedTurret(10850, 130), DomedTurret(10850, 190), DomedTarget(10850, 260, 1),
    Column<4>(11000, 40), Column<4>(11000, 280),
    Dress(11100, 160, kDune),
    DomedTank(11250, 100), DomedTank(11250, 220), Crawler(11250, 160),
    Column<3>(11400, 60), Column<3>(11430, 260),
    Ramp(11600, 11700, 50, &g_ScrollSpeed, 50, -5),
    Dress(11550, 70, kOutcrop), Dress(11650, 250, kDrift),

    // The war platform wakes at 11700 and sinks into view with fighters
    // round it; under it the floor slows once more.
    Column<3>(11780, 40), Column<3>(11810, 280),
    Dress(11800, 150, kSunken),
    Column<2>(11960, 40, true), Column<2>(11990, 280, true),
    Dress(12000, 60, kRubble), Dress(12050, 260, kTuft),
    Ramp(12050, 12150, 50, &g_ScrollSpeed, 40, -5));

}  // namespace

const StageDef kStage4 = {
    .stage_no = 4,
    .palettes = {{{101, 1}, {105, 181}, {103, 51}}},
    .work_sprites = kWorkSprites,
    .background = MakeStageObject<CBG4>,
    .boss = MakeStageObject<CBoss04>,
    .shadows = true,
    .gate = SoundGate::UntilBossDefeated,
    .rank = {.first_threshold = 500000, .step = 100000, .count = 10},
    .music = {.segment = 4, .loop_start = 6144, .loop_end = 159744, .master_volume = -300, .start_count = 120},
    .last_scripted_frame = 12150,
    .script = kScript,
};

// The gallery's scenes, one per group of enemy classes (see gallery.h). The
// arguments are those of the spawn routines in game/stages/enemy_spawns.h.
// The ship's stage intro runs for the first 240 frames or so; things that aim
// at the ship come after it.
#include <algorithm>
#include <array>

#include "gallery.h"
#include "game/stages/bg4.h"
#include "game/stages/bg5.h"
#include "game/stages/enemy_spawns.h"
#include "game/stages/hull_sprites.h"
#include "game/stages/large_spawns.h"

namespace {

using namespace spawns;

// Stage 2's ground: the four ways of the armoured carrier, the launcher and
// its missiles, light and heavy targets.
constexpr ScriptEntry kStage2[] = {
    At(1, EN007, {-24, 70, 0, 50, 40, 90}),
    At(1, EN007, {344, 170, 4, 50, 70, 90}),
    At(1, EN007, {60, -24, 2, 40, 60, 90}),
    At(1, EN007, {260, 250, 6, 70, 80, 90}),
    At(1, EN008, {240, 20, 120, 120}),
    At(1, EN010, {40, 150, 1123, 0, 0}),
    At(1, EN010, {88, 150, 1124, 1, 0}),
    At(1, EN010, {140, 90, 1125, 0, 0}),
    At(1, EN010, {188, 90, 1126, 1, 0}),
};

// The stage-2 boss's escorts: its two deck turrets and the two sweeps of the saucers.
constexpr ScriptEntry kBoss2[] = {
    At(1, EN011, {0, 60, 90}),
    At(1, EN011, {1, 90, 90}),
    At(1, EN012, {-20, 0, 30}),
    At(60, EN012, {150, 1, 0}),
};

// Stage 4: a bunker, shield domes with a heavy target hidden under one,
// targets in the open, fighters down and up the screen.
constexpr ScriptEntry kStage4[] = {
    At(1, EN018, {80, 60}),
    At(1, EN010, {80, 60, 1124, 1, 0}),
    At(1, EN018, {240, 30}),
    At(1, EN017, {160, 40, 60, 90}),
    At(1, EN010, {40, 140, 1123, 0, 0}),
    At(1, EN010, {280, 140, 1125, 0, 0}),
    At(40, EN016, {100, -16, 0, 40, 80}),
    At(70, EN016, {220, -16, 0, 40, 80}),
    At(240, EN016, {60, 256, 1, 30, 80}),
    At(270, EN016, {260, 256, 1, 30, 80}),
};

// Stage 5, above the clouds: the gunship, two bombers, fighters and divers.
constexpr ScriptEntry kStage5[] = {
    At(1, EN019, {160, 0, 30, 60, 80}),
    At(1, EN020, {60, -20, 30, 40, 90, 100}),
    At(120, EN020, {260, -20, 30, 40, 90, 100}),
    At(120, EN016, {40, -16, 0, 40, 80}),
    At(150, EN016, {280, -16, 0, 40, 80}),
    At(280, EN029, {120, -16}),
    At(300, EN029, {200, -16}),
    At(320, EN029, {80, -16}),
    At(340, EN029, {240, -16}),
};

// Stage 6, the naval base: quad turrets, a pillbox, the carrier that sets
// down more turrets, a launcher, an armoured carrier, a fighter.
constexpr ScriptEntry kStage6[] = {
    At(1, EN022, {50, 70, 2, 40, 90}),
    At(1, EN022, {270, 70, 2, 70, 90}),
    At(1, EN023, {160, 30, 2, 40, 120}),
    At(1, EN024, {-24, 130, 0, 60, 80, 160}),
    At(1, EN008, {60, -40, 150, 160}),
    At(1, EN007, {344, 190, 4, 60, 50, 90}),
    At(200, EN016, {240, -16, 0, 40, 80}),
};

// The stage-6 boss's interceptors, in from the top and the sides.
constexpr ScriptEntry kBoss6[] = {
    At(240, EN021, {100, -10, 2, 40, 60, 12}),
    At(240, EN021, {220, -10, 2, 60, 60, 12}),
    At(320, EN021, {-10, 60, 0, 40, 60, 12}),
    At(320, EN021, {330, 60, 4, 60, 60, 12}),
};

// A stream of six fighters, 16 frames apart as the stages feed them.
constexpr std::array<ScriptEntry, 6> Stream(std::int32_t frame, double x, double y, double heading, double entry) {
    std::array<ScriptEntry, 6> out{};
    for (std::int32_t k = 0; k < 6; ++k) out[std::size_t(k)] = At(frame + 16 * k, EN025, {x, y, heading, entry});
    return out;
}

constexpr std::array<ScriptEntry, 1> One(ScriptEntry e) { return {e}; }

template <std::size_t... N>
constexpr std::array<ScriptEntry, (N + ...)> Join(const std::array<ScriptEntry, N>&... parts) {
    std::array<ScriptEntry, (N + ...)> out{};
    std::size_t i = 0;
    ((std::copy(parts.begin(), parts.end(), out.begin() + std::ptrdiff_t(i)), i += N), ...);
    return out;
}

// Stage 7's high-speed run: fighter streams from the edges, gunship and bomber.
constexpr auto kStage7 = Join(Stream(1, -20, 109, 0, 5), Stream(1, 340, 42, 4, 5), Stream(150, -20, 2, 1, 5),
                              Stream(150, 340, 2, 3, 5), One(At(280, EN019, {160, 0, 40, 20, 80})),
                              One(At(300, EN020, {60, -20, 30, 50, 60, 100})), Stream(420, 160, 260, 6, 5));

// Stage 8, the stronghold: the gunship over turrets and pillboxes (which it
// hides as an obstacle while it passes), streams from the top and the left.
constexpr auto kStage8 = Join(One(At(1, EN022, {60, 80, 2, 50, 90})), One(At(1, EN023, {260, 60, 2, 40, 120})),
                              One(At(1, EN023, {160, 130, 2, 80, 120})), One(At(1, EN019, {160, 0, 30, 40, 80})),
                              Stream(240, 20, -6, 2, 20), Stream(240, 300, -6, 2, 20), Stream(360, -32, 100, 0, 20));

// Stage 3's fleet: a frigate and a tank carrier side by side.
constexpr ScriptEntry kStage3[] = {
    At(1, large_spawns::EN013, {90, 4, 150}),
    At(1, large_spawns::EN015, {240, 3, 200, 120, 200}),
};
constexpr WorkSprite kStage3Hulls[] = {kFrigateHull, kCarrierHull};

// The homing missiles of stages 7 and 8: the mothership and the missile walker launching them.
constexpr ScriptEntry kMissiles[] = {
    At(1, large_spawns::EN026, {110, 3, 200}),
    At(1, large_spawns::EN028, {250, 60, 0, 60, 120, 120}),
};
constexpr WorkSprite kMissileHulls[] = {kMothershipHull};

constexpr GalleryScene kScenes[] = {
    {"stage2", "CEN007 carriers, CEN008 launcher and CEN009 missiles, CEN010 targets", 2, 601, 60, 0.2, kStage2},
    {"boss2", "CEN011 deck turrets, CEN012 escort saucers", 2, 481, 60, 0.0, kBoss2},
    {"stage4", "CEN017 bunker, CEN018 domes (one hides a CEN010), CEN010 targets, CEN016 fighters", 4, 481, 60, 0.4,
     kStage4, MakeStageObject<CBG4>},
    {"stage5", "CEN019 gunship, CEN020 bombers, CEN016 fighters, CEN029 divers", 5, 481, 60, 1.0, kStage5,
     MakeStageObject<CBG5>},
    {"stage6", "CEN022 turrets, CEN023 pillbox, CEN024 turret carrier, CEN008, CEN007, CEN016", 6, 601, 60, 0.4,
     kStage6},
    {"boss6", "CEN021 interceptors", 6, 601, 60, 0.4, kBoss6},
    {"stage7", "CEN025 streams, CEN019 gunship, CEN020 bomber", 7, 601, 60, 1.0, kStage7},
    {"stage8", "CEN019 gunship as an obstacle, CEN022 turrets, CEN023 pillboxes, CEN025 streams", 8, 541, 60, 0.4,
     kStage8},
    {"fleet3", "CEN013 frigate, CEN015 tank carrier (large enemies, with their hulls)", 3, 601, 60, 0.2, kStage3, nullptr, kStage3Hulls},
    {"missiles", "CEN026 mothership and CEN028 walker launching CENMissile", 8, 601, 60, 0.4, kMissiles, nullptr,
     kMissileHulls},
};

}  // namespace

std::span<const GalleryScene> GalleryScenes() { return kScenes; }

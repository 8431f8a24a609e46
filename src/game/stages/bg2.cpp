#include "game/stages/bg2.h"

#include <span>

#include "app/zenit02.h"
#include "game/enemies/en010.h"
#include "game/stages/bg_object.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

using map_paint::CellLook;
using map_paint::Class;
using map_paint::Decoration;
using map_paint::DecorationKind;
using map_paint::GroundKind;
using map_paint::TerrainRow;

constexpr std::int32_t kMapSprite = 1;
constexpr std::int32_t kNone = map_paint::kNoOverlay;

// ---- The desert's ground -------------------------------------------------------------

// Sand with ten variants, its overlays and its rims.
constexpr GroundKind kSand = {1101, true, 1115, 1111};
constexpr std::int32_t kFillCell = 1101;

constexpr CellLook kLooks[] = {
    // Sand, and sand with an overlay.
    {'.', Class::Ground, 0, kNone},  {'d', Class::Ground, 0, 0}, {'r', Class::Ground, 0, 1},
    {'s', Class::Ground, 0, 2},      {'I', Class::Ground, 0, 3}, {'-', Class::Ground, 0, 4},
    {'P', Class::Ground, 0, 5},      {'p', Class::Ground, 0, 6}, {'x', Class::Ground, 0, 7},
    // Concrete and its markings.
    {'#', Class::Concrete, 0, kNone}, {':', Class::Concrete, 0, 0}, {'=', Class::Concrete, 0, 1},
    {'+', Class::Concrete, 0, 2},     {'o', Class::Concrete, 0, 4}, {'y', Class::Concrete, 0, 7},
    {'z', Class::Concrete, 0, 8},     {'q', Class::Concrete, 0, 10},
    // Water (its colours roll).
    {'~', Class::Water, -1, kNone},
};

// Rows are written top-down, as they come into view; the map's bottom row
// (1) is on screen at the start, its top (98, half of it) at the end.
//
//   .  sand   d dunes   r rocks   s scrub   I - vehicle tracks   P p pipelines   x scorched
//   #  concrete   : = + centre lines and crossing   o oil   y bays   z hatching   q steel plate
//   ~  water
constexpr TerrainRow kRows[] = {
    // The citadel's courtyard, under the citadel's walls and the fortress.
    {98, "qqqqqqqqqq"},
    {97, "qq######qq"},
    {96, "qq#zzzz#qq"},
    {95, "qq#zzzz#qq"},
    {94, "qq#zzzz#qq"},
    {93, "qq######qq"},
    {92, "qqq#::#qqq"},
    // The avenue to the citadel between blockhouses and barracks.
    {91, "..##::##.."},
    {90, ".s##::##s."},
    {89, "..##::##.."},
    {88, "x.##::##.x"},
    {87, "..#o::##.."},
    {86, "==#+::+#=="},
    {85, "..##::##.."},
    {84, "r.##::#o.r"},
    {83, "..##::##.."},
    {82, "..##::##.."},
    {81, "s.##::##.s"},
    {80, "..##::##.."},
    // The plaza: a pool among palms, the breather before the citadel.
    {79, "..######.."},
    {78, ".##~~~~##."},
    {77, ".##~~~~##."},
    {76, "..######.."},
    // The city: blocks of houses on a grid of streets.
    {75, "=+==++==+="},
    {74, "#:##::##:#"},
    {73, "#:#o::##:#"},
    {72, "#:##::##:#"},
    {71, "#:##::#o:#"},
    {70, "#:##::##:#"},
    {69, "=+==++==+="},
    {68, "#:##::##:#"},
    {67, "#:##::##:#"},
    {66, "#:#o::##:#"},
    {65, "#:##::##:#"},
    {64, "#:##::##:#"},
    {63, "=+==++==+="},
    {62, "#:##::##:#"},
    {61, "#:##::#o:#"},
    {60, "#:##::##:#"},
    {59, "#:##::##:#"},
    {58, "#:##::##:#"},
    {57, "=+==++==+="},
    {56, "..##::##.."},
    {55, ".s#y::y#s."},
    // The highway into the city, pipelines either side.
    {54, ".P##::##p."},
    {53, ".P##::##P."},
    {52, "dP##::##Pd"},
    {51, ".P##::##P."},
    {50, ".P##::##P."},
    {49, "rP##::##P."},
    {48, ".P##::##Pr"},
    {47, ".P##::##P."},
    // The refinery: tank farms on concrete pads, pipes between.
    {46, "###pP:pP##"},
    {45, "###.P:.P##"},
    {44, "#o#.P:.P#o"},
    {43, "###.P:.P##"},
    {42, "pppppPpp.."},
    {41, "..###:###."},
    {40, ".x#o#:#o#."},
    {39, "..###:###."},
    {38, "..###:###."},
    {37, "ppppP:pppp"},
    // The outer wall across the desert; the road runs through its gate.
    {36, "dd..I:..dd"},
    {35, ".d..II..d."},
    {34, "dd..II..dd"},
    {33, "....II...."},
    {32, "d...II...d"},
    {31, "dd..II..dd"},
    // Dunes, a pipeline from the wells, and the launcher's pit.
    {30, ".d..II.d.."},
    {29, "dd..II...d"},
    {28, ".rd.II.dd."},
    {27, "..d.II..d."},
    {26, "ppppII.xr."},
    {25, "d...II...."},
    {24, "dd..II.dd."},
    {23, "..d.II..dd"},
    // The oasis and its outpost.
    {22, "..s.II..s."},
    {21, ".s~~II##.."},
    {20, "s~~~II#o.s"},
    {19, ".~~~II##.."},
    {18, "..~.II..s."},
    {17, "s...II.r.."},
    {16, ".##.II...d"},
    {15, ".#o-++-..d"},
    {14, ".##.II..dd"},
    {13, "d...II...d"},
    // The open desert: dunes, rocks and scrub, and the track north.
    {12, "dd..II..dd"},
    {11, ".d..II.dd."},
    {10, "..r.II..d."},
    {9, "d...II...s"},
    {8, "dd.sII.r.."},
    {7, ".dd.II..dd"},
    {6, "..d.II.d.."},
    {5, "s...II..d."},
    {4, "dd..II...d"},
    {3, ".r..II.dd."},
    {2, "..d.II..d."},
    {1, "d...II...."},
};

// Palms and dry bushes, each with its shadow.
constexpr DecorationKind kDecorationKinds[] = {{'T', 4298, 4299}, {'S', 4300, 4301}};

constexpr Decoration Palm(std::int32_t c, std::int32_t r, std::int32_t dx = 0, std::int32_t dy = 0) {
    return {'T', 32 * c + dx, CBG2::kMapHeight - 32 * r + dy};
}
constexpr Decoration Bush(std::int32_t c, std::int32_t r, std::int32_t dx = 0, std::int32_t dy = 0) {
    return {'S', 32 * c + dx, CBG2::kMapHeight - 32 * r + dy};
}

constexpr Decoration kDecorations[] = {
    // The oasis.
    Palm(0, 22, 4, 6),  Palm(0, 19, 2, 10), Palm(4, 22, 0, 4), Palm(0, 17, 14, 2), Palm(3, 18, 10, 6),
    Palm(1, 18, 4, 12), Palm(4, 19, 12, 2), Bush(8, 22, 4, 4),  Bush(9, 17, 6, 8),  Bush(7, 13, 0, 6),
    // The desert.
    Bush(2, 11, 6, 4), Bush(8, 9, 2, 8), Bush(0, 5, 10, 6), Bush(7, 3, 4, 4), Bush(9, 26, 2, 6),
    Bush(0, 29, 8, 4), Bush(8, 33, 6, 10),
    // The plaza's palms.
    Palm(1, 79, 2, 2), Palm(8, 79, 4, 2), Palm(0, 77, 6, 4), Palm(9, 77, -2, 8), Palm(1, 76, 4, 10), Palm(8, 76, 2, 10),
    // Along the avenue.
    Palm(1, 85, 4, 4), Palm(8, 85, 4, 4), Palm(1, 82, 0, 8), Palm(8, 82, 6, 8),
};

constexpr map_paint::Terrain kTerrain = {kRows, kDecorations, &kSand, kLooks, kDecorationKinds};

// ---- Buildings and targets -----------------------------------------------------------

struct BuildingKind {
    std::int32_t sprite;
    std::int32_t layer;
    std::int32_t hit_w, hit_h;  // 0: no hit box (nothing hides under it)
};

constexpr BuildingKind kCitadel = {99, 2, 0, 0};           // its walls round the courtyard
constexpr BuildingKind kOuterWall = {4282, 8, 0, 0};        // across the map, with a gate
constexpr BuildingKind kHouseBlock = {4283, 8, 56, 88};
constexpr BuildingKind kCourtHouse = {4284, 8, 56, 56};
constexpr BuildingKind kDomedHall = {4285, 8, 56, 56};
constexpr BuildingKind kHouse = {4286, 8, 28, 28};
constexpr BuildingKind kCrackingTower = {4287, 9, 40, 56};
constexpr BuildingKind kStorageTank = {4288, 8, 56, 56};
constexpr BuildingKind kPipeRack = {4289, 5, 0, 0};
constexpr BuildingKind kFlareStack = {4290, 9, 0, 0};
constexpr BuildingKind kWatchTower = {4291, 9, 32, 32};
constexpr BuildingKind kBarracks = {4292, 8, 120, 32};
constexpr BuildingKind kMarket = {4293, 7, 0, 0};
constexpr BuildingKind kFountain = {4294, 5, 0, 0};
constexpr BuildingKind kGunPit = {4295, 4, 0, 0};

struct Building {
    const BuildingKind* kind;
    std::int32_t x, map_y;  // top-left, map_y from the map's top
};

// A building with its top-left at (dx, dy) inside cell (c, r).
constexpr Building B(const BuildingKind& kind, std::int32_t c, std::int32_t r, std::int32_t dx = 0,
                     std::int32_t dy = 0) {
    return {&kind, 32 * c + dx, CBG2::kMapHeight - 32 * r + dy};
}

constexpr Building kBuildings[] = {
    // The oasis outpost.
    B(kWatchTower, 6, 21, -10, 0), B(kGunPit, 1, 16, 0, 0),
    // The launcher's pit in the dunes.
    B(kGunPit, 7, 27, 0, 8),
    // The outer wall and its towers.
    B(kOuterWall, 0, 33, 0, -8), B(kWatchTower, 0, 34, 8, 0), B(kWatchTower, 8, 34, 16, 0),
    // The refinery.
    B(kPipeRack, 0, 37, 0, 4), B(kPipeRack, 6, 37, 0, 4),
    B(kStorageTank, 2, 41, 0, 0), B(kStorageTank, 6, 41, 0, 0), B(kFlareStack, 0, 40, 8, 0),
    B(kCrackingTower, 0, 46, 8, 0), B(kCrackingTower, 8, 46, 8, 0), B(kStorageTank, 1, 44, 16, 16),
    B(kPipeRack, 0, 42, 0, 4), B(kFlareStack, 9, 44, 4, 0),
    // Along the highway.
    B(kGunPit, 0, 50, 0, 0), B(kGunPit, 9, 52, -8, 0), B(kHouse, 0, 54, 0, 0), B(kHouse, 9, 53, 0, 0),
    // The city's blocks, five rows between two cross streets: two blocks of
    // houses either side of the avenue, single houses along the outer streets.
    B(kCourtHouse, 2, 74), B(kMarket, 2, 72), B(kDomedHall, 2, 71),
    B(kHouseBlock, 6, 74), B(kCourtHouse, 6, 71),
    B(kHouse, 0, 74), B(kHouse, 0, 73), B(kHouse, 0, 71), B(kHouse, 0, 70),
    B(kHouse, 9, 74), B(kHouse, 9, 72), B(kHouse, 9, 71),
    B(kHouseBlock, 2, 68), B(kCourtHouse, 2, 65),
    B(kDomedHall, 6, 68), B(kMarket, 6, 66), B(kCourtHouse, 6, 65),
    B(kHouse, 0, 68), B(kHouse, 0, 67), B(kHouse, 0, 66), B(kHouse, 0, 64),
    B(kHouse, 9, 67), B(kHouse, 9, 66), B(kHouse, 9, 65), B(kHouse, 9, 64),
    B(kDomedHall, 2, 62), B(kMarket, 2, 60), B(kCourtHouse, 2, 59),
    B(kCourtHouse, 6, 62), B(kHouseBlock, 6, 60),
    B(kHouse, 0, 62), B(kHouse, 0, 61), B(kHouse, 0, 59), B(kHouse, 0, 58),
    B(kHouse, 9, 62), B(kHouse, 9, 60), B(kHouse, 9, 59), B(kHouse, 9, 58),
    B(kHouse, 2, 56), B(kHouse, 3, 56), B(kHouse, 6, 56), B(kHouse, 7, 56),
    // The plaza.
    B(kFountain, 4, 78, 8, 8),
    // The avenue's barracks and the citadel.
    B(kBarracks, 0, 81, 0, 0), B(kBarracks, 6, 81, 0, 0), B(kWatchTower, 0, 88, 0, 0), B(kWatchTower, 8, 88, 8, 0),
    B(kBarracks, 0, 90, 0, 0), B(kBarracks, 6, 90, 0, 0),
    {&kCitadel, 0, 0},
};

struct Target {
    std::int32_t sprite;
    bool heavy;
    std::int32_t x, map_y;  // centre
};

constexpr std::int32_t kFuel = 1123, kBlockhouse = 1124, kRadar = 1125, kCommand = 1126;

constexpr Target T(std::int32_t sprite, std::int32_t c, std::int32_t r, std::int32_t dx = 0, std::int32_t dy = 0) {
    return {sprite, sprite == kBlockhouse || sprite == kCommand, 32 * c + 16 + dx, CBG2::kMapHeight - 32 * r + 16 + dy};
}

constexpr Target kTargets[] = {
    // The outpost at the oasis.
    T(kRadar, 7, 20), T(kFuel, 6, 19), T(kFuel, 7, 19), T(kFuel, 1, 15), T(kFuel, 2, 15), T(kBlockhouse, 1, 14),
    // Fuel dumps along the track and the wall's gatehouses.
    T(kFuel, 3, 27), T(kFuel, 6, 24), T(kBlockhouse, 3, 32), T(kBlockhouse, 6, 32),
    // The refinery's small tanks and its control rooms.
    T(kFuel, 3, 39), T(kFuel, 4, 39, 8), T(kFuel, 6, 39, 8), T(kFuel, 7, 39), T(kCommand, 5, 44),
    T(kFuel, 8, 42), T(kFuel, 9, 42), T(kRadar, 4, 46),
    // The highway's checkpoints.
    T(kBlockhouse, 1, 48), T(kBlockhouse, 8, 51), T(kRadar, 0, 52),
    // The city's checkpoints in the outer streets.
    T(kCommand, 1, 72), T(kRadar, 8, 73), T(kFuel, 1, 67), T(kFuel, 8, 68), T(kBlockhouse, 8, 65),
    T(kRadar, 1, 61), T(kCommand, 8, 61), T(kFuel, 1, 58), T(kFuel, 8, 59),
    // The plaza and the avenue.
    T(kRadar, 0, 78), T(kRadar, 9, 78), T(kBlockhouse, 1, 86), T(kBlockhouse, 8, 86), T(kCommand, 0, 84),
    T(kCommand, 9, 84), T(kBlockhouse, 1, 91), T(kBlockhouse, 8, 91),
};

// Screen row of a map row at the map's current top.
double ScreenY(std::int32_t map_y) { return map_y + g_DDBPack.GetSprite(kMapSprite).Pos.Top(); }

}  // namespace

const map_paint::Terrain& CBG2::Terrain() { return kTerrain; }

void CBG2::Call_Initial(int&) {
    BuildMap();
    frame_ = 0;
    scroll_pos_ = 0;
    events_run_ = 0;
    g_ScrollSpeed = 0.2;
    RunEvent(0);  // what shows from the start
}

void CBG2::BuildMap() {
    CQ7Sprite256& map = map_paint::LayFill(kMapHeight, kFillCell);
    map.Pos.Move(0, kStartTop);
    start_top_ = top_ = map.Pos.Top();

    // The terrain in bands of rows, each one draw of the queue.
    const map_paint::MapFrame frame = {start_top_, kMapHeight};
    lost_draws_ = 0;
    for (std::int32_t first = 1; first <= kMapHeight / map_paint::kCell + 1; first += kRowsPerBand) {
        g_DDBPack.BltClear(-1);
        lost_draws_ += map_paint::PaintTerrainRows(frame, kTerrain, first, first + kRowsPerBand - 1);
        g_DDBPack.Blt();
    }
    g_DDBPack.BltClear(-1);
    lost_draws_ += map_paint::PaintDecorations(frame, kTerrain);
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);
    map.DT.ALL_Paint();
}

bool CBG2::Call_Events() {
    if ((frame_ & 3) == 3) g_Palette.Roll_UP(181, 16, -1);
    ++frame_;

    // The map stops with its top row on the screen's top.
    if (top_ < 0) scroll_pos_ += g_ScrollSpeed;
    std::int32_t top = start_top_ + RoundHalfEven(scroll_pos_);
    if (top >= 0) {
        top = 0;
        scroll_pos_ = -start_top_;
    }
    CQ7Sprite256& map = g_DDBPack.GetSprite(kMapSprite);
    map.Pos.SetTop(top);
    g_DDBPack.AddBlt(map.Pos, kMapSprite, 0, 0, 1);

    // One event for every 32 rows passed (a fast scroll may pass two at once).
    if (top != top_) {
        const std::int32_t from = top_ - start_top_, to = top - start_top_;
        top_ = top;
        for (std::int32_t d = from + 1; d <= to; ++d)
            if (d % kEventRows == 0) RunEvent(d / kEventRows);
    }
    return false;
}

void CBG2::RunEvent(std::int32_t index) {
    ++events_run_;
    for (const Building& b : kBuildings) {
        // The picture's top-left goes to the building's place, whatever its base.
        CQ7Pos at;
        g_DDBPack.GetSprite(b.kind->sprite).Pos.Copy(at);
        if (EventFor(b.map_y, at.Height()) != index) continue;
        at.Move(0, 0);
        SpawnBGObject(b.x - at.Left(), ScreenY(b.map_y) - at.Top(), b.kind->sprite, b.kind->layer, b.kind->hit_w,
                      b.kind->hit_h, true);
    }
    for (const Target& t : kTargets) {
        if (EventFor(t.map_y - map_paint::kCell / 2, map_paint::kCell) != index) continue;
        SpawnGroundTarget(t.x, ScreenY(t.map_y), t.sprite, t.heavy, 0);
    }
}

#include "game/stages/bg1.h"

#include <array>
#include <span>

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "game/stages/bg_object.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

using map_paint::Decoration;
using map_paint::TerrainRow;

constexpr std::int32_t kFillCell = 1011;

// ---- Terrain ---------------------------------------------------------------------------
// Rows are written top-down, as they come into view. The two blocks leave
// rows 32..44 to the base, which the stage places over them.

constexpr TerrainRow kRows[] = {
    // The airfield: a runway, taxiways to the two hangar rows either side.
    {69, "...e##e..."},
    {68, "...=#|+..."},
    {67, "....#|...."},
    {66, "....#|...."},
    {65, ".b..#|..b."},
    {64, "....#|...."},
    {63, "...=#|=..."},
    {62, "....#|...."},
    {61, "....o|...."},
    {60, "....#|...."},
    {59, "....#|...."},
    {58, "....#|...."},
    {57, "...=#|=..."},
    {56, "....#|...."},
    {55, ".e..o|...e"},
    {54, "....#|...."},
    {53, "....#|...."},
    {52, "....#|...."},
    {51, "...=#|=..."},
    {50, "....#|...."},
    {49, "....o|...."},
    {48, "....#|...."},
    {47, "....#|...."},
    {46, "...=#|+..."},
    {45, "...e##e..."},

    // The river valley: a farm road down the east bank with a track to the
    // ford, fields, woods and a pond; it leads up to the base.
    {31, "gg.g.wI..."},
    {30, "g~~e.wIhh."},
    {29, ".g~~gbIhh."},
    {28, ".g~~g.Ijj."},
    {27, "n.g~~gIw.."},
    {26, "..g~~g32.."},
    {25, "..e~~g.Ib."},
    {24, ".g~~g..Iww"},
    {23, "g~~e..hIw."},
    {22, "g~~g.rhI.."},
    {21, "e~~g..hIjj"},
    {20, "g~~e---X-p"},
    {19, ".g~~g.eIbb"},
    {18, "..g~~g.Iww"},
    {17, "..b~~ghIw."},
    {16, "...g~~hI.."},
    {15, "...n~~gu.."},
};

// A decoration at a cell, shifted inside it.
constexpr Decoration Tree(std::int32_t c, std::int32_t r, std::int32_t dx = 0, std::int32_t dy = 0) {
    return {'B', 32 * c + dx, CBG1::kMapHeight - 32 * r + dy};
}
constexpr Decoration Rock(std::int32_t c, std::int32_t r, std::int32_t dx = 0, std::int32_t dy = 0) {
    return {'A', 32 * c + dx, CBG1::kMapHeight - 32 * r + dy};
}

constexpr Decoration kDecorations[] = {
    // Copses and boulders on the banks.
    Tree(0, 31, 6, 4),  Tree(9, 31, -4, 2), Tree(0, 29, 2, 8),  Tree(9, 28, 0, 6),  Tree(1, 27, 4, -2),
    Tree(2, 26, -2, 8), Tree(0, 25, 8, 4),  Tree(9, 25, -2, -4), Tree(0, 23, 4, 6), Tree(5, 19, 4, 2),
    Tree(0, 16, 6, 0),  Tree(2, 16, 2, 10), Tree(3, 16, 12, -6), Rock(1, 19, 2, 4),  Rock(6, 18, 6, 8),
    Rock(5, 17, 0, 10), Rock(6, 25, 4, 4),
    // Beside the airfield.
    Tree(1, 65, 2, 4), Tree(8, 65, 6, -2), Tree(0, 60, 4, 0), Tree(9, 55, -4, 6), Tree(0, 50, 6, 4),
    Tree(9, 48, -2, 2), Rock(2, 68, 0, 0), Rock(7, 68, 12, 6),
};

// ---- The country beyond the airfield --------------------------------------------------
// The boss fight flies over map rows 0..1679 at speed. The top 1440 rows repeat,
// so rows 0..239 must show what rows 1440..1679 show: woods, hedgerows and
// boulders are laid out over one period, and a group's clumps that reach into
// the first 240 rows are placed once more a period lower (those reaching above
// the top are clipped there and shown whole a period lower). The middle of the
// screen stays open so the boss's bullets read against plain meadow.
constexpr std::int32_t kPeriod = CBG1::kRepeat;
constexpr std::int32_t kWrapRows = 240;

struct Group {
    char kind;                      // 'B' trees, 'A' rocks
    std::int32_t x0, y0, x1, y1;    // first and last clump (top-left, map pixels); a line between them
    std::int32_t count;
    std::int32_t jitter;            // each clump shifted by up to this much
};
constexpr Group kCountry[] = {
    {'B', 4, 60, 44, 170, 6, 14},    {'B', 40, 90, 70, 150, 3, 10},    {'B', 268, 230, 286, 380, 6, 12},
    {'B', 236, 280, 250, 340, 3, 8}, {'A', 206, 470, 236, 500, 3, 6},  {'B', -6, 470, 150, 560, 7, 4},
    {'B', 8, 700, 40, 860, 7, 12},   {'B', 48, 740, 76, 820, 3, 8},    {'A', 96, 880, 120, 900, 2, 6},
    {'B', 276, 860, 280, 980, 5, 10}, {'B', 170, 1110, 300, 1040, 6, 4}, {'A', 40, 1150, 80, 1180, 3, 8},
    {'B', 270, 1290, 290, 1400, 5, 10}, {'B', 0, 1320, 30, 1420, 5, 12}, {'A', 226, 1420, 244, 1436, 2, 4},
};

// Does a clump laid out at row y (before its jitter) need a copy one period away?
// +1 lower, -1 higher, 0 none. A clump with its shadow is 42 rows tall.
constexpr std::int32_t WrapCopy(std::int32_t y) {
    constexpr std::int32_t kMargin = 16;  // more than any jitter
    return y < kWrapRows + kMargin ? 1 : y + 42 + kMargin > kPeriod ? -1 : 0;
}

constexpr std::size_t CountryClumps() {
    std::size_t n = 0;
    for (const Group& g : kCountry)
        for (std::int32_t k = 0; k < g.count; ++k) n += WrapCopy(g.y0 + (g.y1 - g.y0) * k / (g.count - 1)) != 0 ? 2 : 1;
    return n;
}

constexpr auto Country() {
    std::array<Decoration, CountryClumps()> out{};
    std::size_t i = 0;
    std::uint32_t seed = 12345;
    auto next = [&seed](std::int32_t range) {  // a small fixed sequence for the jitter
        seed = seed * 1103515245u + 12345u;
        return static_cast<std::int32_t>((seed >> 16) % static_cast<std::uint32_t>(2 * range + 1)) - range;
    };
    for (const Group& g : kCountry)
        for (std::int32_t k = 0; k < g.count; ++k) {
            const std::int32_t laid = g.y0 + (g.y1 - g.y0) * k / (g.count - 1);
            const std::int32_t x = g.x0 + (g.x1 - g.x0) * k / (g.count - 1) + next(g.jitter);
            const std::int32_t y = laid + next(g.jitter);
            out[i++] = {g.kind, x, y};
            if (WrapCopy(laid) != 0) out[i++] = {g.kind, x, y + WrapCopy(laid) * kPeriod};
        }
    return out;
}

template <std::size_t A, std::size_t B>
constexpr std::array<Decoration, A + B> Join(const Decoration (&a)[A], const std::array<Decoration, B>& b) {
    std::array<Decoration, A + B> out{};
    for (std::size_t i = 0; i < A; ++i) out[i] = a[i];
    for (std::size_t i = 0; i < B; ++i) out[A + i] = b[i];
    return out;
}

constexpr auto kAllDecorations = Join(kDecorations, Country());

constexpr map_paint::Terrain kTerrain = {kRows, kAllDecorations};

// ---- Objects on the map -----------------------------------------------------------------

struct MapObject {
    std::span<const std::int32_t> sprites;  // pieces placed 32 pixels apart from X
    std::int32_t layer;
    std::int32_t hit_w, hit_h;  // 0: no hit box
};

constexpr std::int32_t kPadSprite[] = {1092};
constexpr std::int32_t kHangarSprite[] = {1083};
constexpr std::int32_t kBaseSprite[] = {99};
constexpr std::int32_t kLongHouseSprites[] = {1057, 1058, 1059, 1060};
constexpr std::int32_t kShedSprites[] = {1057, 1061};
constexpr std::int32_t kStoreSprites[] = {1077, 1082, 1078, 1081};

constexpr MapObject kPad = {kPadSprite, 4, 0, 0};
constexpr MapObject kHangar = {kHangarSprite, 9, 48, 48};
constexpr MapObject kBase = {kBaseSprite, 9, 320, 196};
// Buildings hide what stands under their roofs.
constexpr MapObject kLongHouse = {kLongHouseSprites, 8, 28, 28};
constexpr MapObject kShed = {kShedSprites, 8, 28, 28};
constexpr MapObject kStore = {kStoreSprites, 8, 28, 28};

struct MapEvent {
    std::int32_t distance;
    const MapObject* object;
    std::int32_t x, y;
    std::int32_t keep = -1;  // index in the kept slots, -1: not kept
};

constexpr std::int32_t kTop = -40;  // the row just out of view

// The hangar column: each of the stage's fourteen tanks (x = 20 + 48 k;
// front row y 140 / 168, back row 30 / 58, at distance 2280) starts inside a
// hangar, 12 pixels behind its door; its pad lies in front of the door.
constexpr std::int32_t kColumnDistance = 2280;
constexpr std::int32_t kFrontHangars = 2104, kBackHangars = 2214;
constexpr std::int32_t kFrontPads = 2080, kBackPads = 2190;

constexpr std::int32_t ColumnTankY(std::int32_t k, bool front) {
    return front ? (k % 2 == 0 ? 140 : 168) : (k % 2 == 0 ? 30 : 58);
}
constexpr MapEvent ColumnHangar(std::int32_t k, bool front) {
    const std::int32_t distance = front ? kFrontHangars : kBackHangars;
    const std::int32_t y = ColumnTankY(k, front) - 36 - (kColumnDistance - distance);
    return {distance, &kHangar, 20 + 48 * k - 24, y, (front ? 0 : 7) + k};
}
constexpr MapEvent ColumnPad(std::int32_t k, bool front) {
    const MapEvent hangar = ColumnHangar(k, front);
    const std::int32_t distance = front ? kFrontPads : kBackPads;
    // Top on the hangar's bottom row.
    const std::int32_t y = hangar.y + 48 - (hangar.distance - distance);
    return {distance, &kPad, hangar.x + 8, y, (front ? 20 : 27) + k};
}

constexpr MapEvent kEvents[] = {
    // The valley: farms and a few hangars.
    {1, &kPad, 144, kTop},
    {30, &kLongHouse, 192, kTop},
    {90, &kShed, 16, kTop},
    {100, &kPad, 96, kTop},
    {120, &kHangar, 256, kTop},
    {150, &kStore, 112, kTop},
    {180, &kPad, 16, kTop},
    {180, &kPad, 48, kTop},
    {240, &kHangar, 256, kTop},
    {270, &kShed, 0, kTop},
    {350, &kPad, 0, kTop},
    {371, &kHangar, 264, -150},
    {400, &kShed, 96, kTop},
    {410, &kPad, 160, kTop},
    {430, &kHangar, 264, kTop},
    {460, &kShed, 160, kTop},
    {580, &kHangar, 272, kTop},
    {580, &kHangar, 232, -100},
    {650, &kPad, 128, kTop},
    {650, &kPad, 288, kTop},
    // The base over rows 31..37.
    {764, &kBase, 0, -172},
    // The airfield: buildings at its head, then the hangar rows.
    {1141, &kLongHouse, 0, kTop},
    {1141, &kLongHouse, 192, kTop},
    {1171, &kPad, 64, -72},
    {1171, &kPad, 224, -72},
    {1280, &kHangar, 48, kTop},  {1280, &kHangar, 224, kTop},
    {1328, &kHangar, 48, kTop},  {1328, &kHangar, 224, kTop},
    {1376, &kHangar, 48, kTop},  {1376, &kHangar, 224, kTop},
    {1424, &kHangar, 48, kTop},  {1424, &kHangar, 224, kTop},
    {1472, &kHangar, 48, kTop},  {1472, &kHangar, 224, kTop},
    {1520, &kHangar, 48, kTop},  {1520, &kHangar, 224, kTop},
    {1568, &kHangar, 48, kTop},  {1568, &kHangar, 224, kTop},
    {1616, &kHangar, 48, kTop},  {1616, &kHangar, 224, kTop},
    {1664, &kHangar, 48, kTop},  {1664, &kHangar, 224, kTop},
    {1944, &kStore, 0, kTop},
    {1944, &kLongHouse, 192, kTop},
    {1974, &kShed, 128, kTop},
    // The hangar column, pads first so the hangars cover their backs.
    ColumnPad(0, true), ColumnPad(1, true), ColumnPad(2, true), ColumnPad(3, true),
    ColumnPad(4, true), ColumnPad(5, true), ColumnPad(6, true),
    ColumnHangar(0, true), ColumnHangar(1, true), ColumnHangar(2, true), ColumnHangar(3, true),
    ColumnHangar(4, true), ColumnHangar(5, true), ColumnHangar(6, true),
    ColumnPad(0, false), ColumnPad(1, false), ColumnPad(2, false), ColumnPad(3, false),
    ColumnPad(4, false), ColumnPad(5, false), ColumnPad(6, false),
    ColumnHangar(0, false), ColumnHangar(1, false), ColumnHangar(2, false), ColumnHangar(3, false),
    ColumnHangar(4, false), ColumnHangar(5, false), ColumnHangar(6, false),
};

// The doors open and the pads light up over eight steps, every second row.
constexpr std::int32_t kAnimationFirst = 2252, kAnimationLast = 2266;
constexpr std::int32_t kDoorFrames = 1084, kPadFrames = 1093;

void Spawn(const MapEvent& e, std::array<std::int32_t, CBG1::kKeptSlots>& kept) {
    for (std::size_t i = 0; i < e.object->sprites.size(); ++i) {
        const std::int32_t slot = SpawnBGObject(e.x + 32 * static_cast<std::int32_t>(i), e.y, e.object->sprites[i],
                                                e.object->layer, e.object->hit_w, e.object->hit_h, true);
        if (e.keep >= 0) kept[e.keep] = slot;
    }
}

// The object still in a kept slot, if it is one of ours.
CBGObject* KeptObject(std::int32_t slot) {
    if (slot < 0 || !g_ObjectPack.IsOccupied(slot)) return nullptr;
    return dynamic_cast<CBGObject*>(g_ObjectPack.GetCQ7Object(slot).Ob.get());
}

}  // namespace

const map_paint::Terrain& CBG1::Terrain() { return kTerrain; }

void CBG1::Call_Initial(int&) {
    kept_.fill(-1);
    BuildMap();
    frame_ = 0;
    scroll_pos_ = 0;
    g_ScrollSpeed = 0.2;
}

void CBG1::BuildMap() {
    CQ7Sprite256& map = map_paint::LayFill(kMapHeight, kFillCell);
    map.Pos.Move(0, kStartTop);
    start_top_ = top_ = map.Pos.Top();

    g_DDBPack.BltClear(-1);
    lost_draws_ = map_paint::PaintTerrain({start_top_, kMapHeight}, kTerrain);
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);
    map.DT.ALL_Paint();
}

bool CBG1::Call_Events() {
    if ((frame_ & 3) == 3) g_Palette.Roll_UP(181, 16, -1);
    ++frame_;

    const std::int32_t top = map_paint::ScrollMap(scroll_pos_, start_top_, kRepeat, 0);

    if (top != top_) {
        top_ = top;
        RunEvents(top - start_top_);
    }
    return false;
}

void CBG1::RunEvents(std::int32_t distance) {
    for (const MapEvent& e : kEvents)
        if (e.distance == distance) Spawn(e, kept_);
    if (distance >= kAnimationFirst && distance <= kAnimationLast && (distance - kAnimationFirst) % 2 == 0)
        Animate((distance - kAnimationFirst) / 2);
}

void CBG1::Animate(std::int32_t frame_no) {
    // Every kept object is still on the map at these distances (the last
    // pads leave at 2299), so its slot still holds it.
    for (std::int32_t i = 0; i < kKeptSlots; ++i) {
        CBGObject* object = KeptObject(kept_[i]);
        if (!object) continue;
        if (i <= 13) object->SetCG(kDoorFrames + frame_no);
        if (i >= 20) object->SetCG(kPadFrames + frame_no);
    }
}

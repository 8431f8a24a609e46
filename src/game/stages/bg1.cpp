#include "game/stages/bg1.h"

#include <span>

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "game/stages/bg_object.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

using map_paint::Decoration;
using map_paint::TerrainRow;

constexpr std::int32_t kMapSprite = 1, kStrip = 2, kFillCell = 1011;

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
    {31, ".~~..wI..."},
    {30, ".~~s.wIhh."},
    {29, "..~~.bIhh."},
    {28, "..~~..Ijj."},
    {27, "n..~~.Iw.."},
    {26, "...~~.32.."},
    {25, "..s~~..Ib."},
    {24, "..~~...Iww"},
    {23, ".~~s..hIw."},
    {22, ".~~..rhI.."},
    {21, "s~~...hIjj"},
    {20, ".~~s---X-p"},
    {19, "..~~..eIbb"},
    {18, "...~~..Iww"},
    {17, "..b~~.hIw."},
    {16, "....~~hI.."},
    {15, "...n~~.u.."},
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

constexpr map_paint::Terrain kTerrain = {kRows, kDecorations};

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
    CQ7Sprite256& map = g_DDBPack.GetSprite(kMapSprite);
    map.SetUP(320, kMapHeight, 0);
    g_DDBPack.GetSprite(kStrip).SetUP(320, map_paint::kCell, 0);

    // A strip of fill cells, then the whole map from the strip.
    CQ7Pos at;
    at.SetCenter_Base(VB_FALSE);
    at.ReSize(map_paint::kCell, map_paint::kCell);
    g_DDBPack.BltClear(-1);
    for (std::int32_t x = 0; x < 320; x += map_paint::kCell) {
        at.Move(x, 0);
        g_DDBPack.AddBlt(at, kFillCell, 0, kStrip, 1);
    }
    g_DDBPack.Blt();
    at.ReSize(320, map_paint::kCell);
    g_DDBPack.BltClear(-1);
    for (std::int32_t y = 0; y <= kMapHeight; y += map_paint::kCell) {
        at.Move(0, y);
        g_DDBPack.AddBlt(at, kStrip, 0, kMapSprite, 1);
    }
    g_DDBPack.Blt();

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

    scroll_pos_ += g_ScrollSpeed;
    std::int32_t top = start_top_ + RoundHalfEven(scroll_pos_);
    if (top >= 0) {
        top -= kRepeat;
        scroll_pos_ -= kRepeat;
    }
    CQ7Sprite256& map = g_DDBPack.GetSprite(kMapSprite);
    map.Pos.SetTop(top);
    g_DDBPack.AddBlt(map.Pos, kMapSprite, 0, 0, 1);

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

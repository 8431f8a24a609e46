#include "game/stages/bg6.h"

#include <algorithm>
#include <array>

#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "game/stages/bg_object.h"
#include "game/stages/map_painter.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

using map_paint::kCell;
using map_paint::kColumns;

constexpr std::int32_t kMapSprite = 1, kMasked = 0, kOpaque = 1;
constexpr std::int32_t kLayerBase = 1, kLayerOverlay = 3, kLayerOverlay2 = 5, kLayerEdge = 7;

// ---- Cell kinds ----------------------------------------------------------------------------
// Yard: the base's dark asphalt (ten variants), with its own overlays.
// Dock: the floor of a dry dock, the same asphalt in a pit.
// Quay: poured concrete with painted markings (the shared concrete cells).
// Water: the harbour (the shared water cell, in the stage's rolling colours).
enum class Kind : std::uint8_t { Yard, Dock, Quay, Water };

constexpr std::int32_t kYardBase = 1127, kYardOverlay = 1141, kQuayWall = 1137;
constexpr std::int32_t kQuayBase = 1035, kQuayOverlay = 1020, kKerb = 1016;
constexpr std::int32_t kWaterCell = 1069;
constexpr std::int32_t kNone = -1;

struct Look {
    char ch;
    Kind kind;
    std::int32_t a = kNone, b = kNone;  // up to two of the kind's own overlays, b over a
};

constexpr Look kLooks[] = {
    // Yard: rails north-south / east-west / crossing, drain grating, crane
    // rail, hazard stripes, soot.
    {'.', Kind::Yard}, {'r', Kind::Yard, 0}, {'=', Kind::Yard, 1}, {'+', Kind::Yard, 0, 1},
    {'g', Kind::Yard, 4}, {'c', Kind::Yard, 5}, {'h', Kind::Yard, 6}, {'x', Kind::Yard, 7},
    // Dock floor: wet slabs in the pit, bare or with keel blocks.
    {'d', Kind::Dock, 2}, {'k', Kind::Dock, 2, 3},
    // Quay: bare, centre lines N-S / E-W / crossing, cracks, oil, manhole,
    // arrow, yellow bays, hatching, white bays, steel plate, tyre tracks.
    {'#', Kind::Quay}, {':', Kind::Quay, 0}, {'-', Kind::Quay, 1}, {'X', Kind::Quay, 2},
    {'%', Kind::Quay, 3}, {'o', Kind::Quay, 4}, {'m', Kind::Quay, 5}, {'^', Kind::Quay, 6},
    {'y', Kind::Quay, 7}, {'z', Kind::Quay, 8}, {'w', Kind::Quay, 9}, {'q', Kind::Quay, 10},
    {'t', Kind::Quay, 13},
    {'~', Kind::Water},
};

const Look& LookOf(char ch) {
    for (const Look& look : kLooks)
        if (look.ch == ch) return look;
    return kLooks[0];  // anything else is bare yard
}

bool IsLand(Kind k) { return k == Kind::Yard || k == Kind::Quay; }

// ---- The harbour, top-down as it comes into view ---------------------------------------------
// Rows 129 and up lie under the open sea picture.
constexpr CBG6::Row kRows[] = {
    // The harbour mouth: two breakwaters overlapping, a light on each head.
    {128, "~~~~~~~~~~"},
    {127, "~~~~~~~~~~"},
    {126, "~~~~~~~~~~"},
    {125, "~~~~~~~~~~"},
    {124, "%#-----#~~"},
    {123, "#######o~~"},
    {122, "~~~~~~~~~~"},
    {121, "~~~~~~~~~~"},
    {120, "~~~~~~~~~~"},
    {119, "~~~o######"},
    {118, "~~~#-----#"},
    {117, "~~~~~~~~~~"},
    {116, "~~~~~~~~~~"},
    {115, "~~~~~~~~~~"},
    // The fortified quays either side of the channel, the submarine pens
    // at their landward end.
    {114, "#q#~~~~#q#"},
    {113, "#:#~~~~#:#"},
    {112, "y:y~~~~y:y"},
    {111, "#:#~~~~#:#"},
    {110, "#:%~~~~#:#"},
    {109, "y:y~~~~y:y"},
    {108, "#:#~~~~#:o"},
    {107, "#:#~~~~#:#"},
    {106, "y:y~~~~y:y"},
    {105, "o:#~~~~#:#"},
    {104, "#:#~~~~%:#"},
    {103, "y:y~~~~y:y"},
    {102, "#:#~~~~#:#"},
    {101, "#:#~~~~#:#"},
    {100, "z:z~~~~z:z"},
    {99, "#:#~~~~#:#"},
    {98, "#:#~~~~#:#"},
    {97, "#:#~~~~#:#"},
    {96, "#:#~~~~#:#"},
    {95, "#:#zzzz#:#"},
    {94, "-X------X-"},
    {93, "#:#hhhh#:#"},
    {92, "#:#....#:#"},
    {91, "t:t....t:t"},
    // The outer basin: a long pier down the middle, boats at their moorings.
    {90, "~~~~~~~~~~"},
    {89, "~~~~qq~~~~"},
    {88, "~~~~##~~~~"},
    {87, "~~~~y#~~~~"},
    {86, "~~~~#y~~~~"},
    {85, "~~~~##~~~~"},
    {84, "~~~~%#~~~~"},
    {83, "~~~~#y~~~~"},
    {82, "~~~~y#~~~~"},
    {81, "~~~~##~~~~"},
    {80, "~~~~#o~~~~"},
    {79, "~~~~##~~~~"},
    {78, "~~~~##~~~~"},
    {77, "~~~~zz~~~~"},
    // The great dock: the battleship's building berth, crane rails either side.
    {76, "#-----X--#"},
    {75, "..rr..rr.."},
    {74, "#########o"},
    {73, "hhhhhhhhhh"},
    {72, ".cddddddc."},
    {71, ".cddddddc."},
    {70, ".cdddkddc."},
    {69, ".cdkdkddc."},
    {68, ".cddddkdc."},
    {67, ".cdkddddc."},
    {66, ".cdddkddc."},
    {65, ".cddddddc."},
    {64, "gcdkddkdc."},
    {63, ".cddddddc."},
    {62, ".cddkdddc."},
    {61, ".cddddkdc."},
    {60, ".cdkddddc."},
    {59, ".cddddddcg"},
    {58, ".cdddkddc."},
    {57, ".cddddddc."},
    {56, ".cdkdkddc."},
    {55, ".cddddddc."},
    {54, ".cddddkdc."},
    {53, "gcddddddc."},
    {52, ".cdkddddc."},
    {51, ".cddddddc."},
    {50, ".cddddddc."},
    {49, "hhddddddhh"},
    // The apron in front of the dock gates.
    {48, "##dddddd##"},
    {47, "-X------X-"},
    {46, "#:##yy##:#"},
    {45, "t:tttttt:t"},
    {44, "#:######:#"},
    // The frigates' building docks, a crane quay between them.
    {43, "hhhhcchhhh"},
    {42, "ddddccdddd"},
    {41, "dkkdccdkkd"},
    {40, "ddddccdddd"},
    {39, "dkkdccdkkd"},
    {38, "ddddccdddd"},
    {37, "dkkdccdkkd"},
    {36, "ddddccdddd"},
    {35, "dkkdccdkkd"},
    {34, "ddddccdddd"},
    {33, "dkkdccdkkd"},
    {32, "ddddccdddd"},
    {31, "dkkdccdkkd"},
    {30, "ddddccdddd"},
    {29, "dkkdccdkkd"},
    {28, "ddddccdddd"},
    {27, "ddddccdddd"},
    {26, "hhhhcchhhh"},
    {25, "----X-----"},
    {24, "#:##:##o#:"},
    // The canal, bridged by the road and the railway.
    {23, "#:.r:....#"},
    {22, "~~~r#:#~~~"},
    {21, "~~~r#:#~~~"},
    {20, "#:.r#:#..."},
    // Warehouses along the road.
    {19, "..xr#:#..."},
    {18, "...r#:#..."},
    {17, "...r#:#..g"},
    {16, "...r#:#..."},
    {15, "...r#:#..."},
    {14, "g..r#:#..."},
    {13, "...r#:#..."},
    // The rail yard.
    {12, "===+X-X==="},
    {11, "...r#:#..."},
    {10, "===+X-X==="},
    {9, "...r#:#..."},
    {8, "===+X-X==="},
    {7, "...r#:#..g"},
    // The gate: the fuel depot east of the road.
    {6, "...r#^#..."},
    {5, "..gr#:#..."},
    {4, "...r#:#..."},
    {3, "...r#^#..."},
    {2, "...r#:#..."},
    {1, "...r#:#..."},
};

constexpr std::int32_t kTerrainRows = 128;

char CellAt(std::int32_t c, std::int32_t r) {
    if (c < 0 || c >= kColumns) c = std::clamp(c, 0, kColumns - 1);  // the land runs on past the edges
    for (const CBG6::Row& row : kRows)
        if (row.r == r) return c < std::int32_t(row.cells.size()) ? row.cells[c] : '.';
    return r > kTerrainRows ? '~' : '.';
}
Kind KindAt(std::int32_t c, std::int32_t r) { return LookOf(CellAt(c, r)).kind; }

// ---- Things painted into the map ---------------------------------------------------------------

struct Piece {
    std::int32_t sprite;
    std::int32_t x, y;  // top-left in map pixels
    std::int32_t layer;
};

// A piece at a cell, shifted inside it.
constexpr Piece At(std::int32_t sprite, std::int32_t c, std::int32_t r, std::int32_t dx, std::int32_t dy,
                   std::int32_t layer = 6) {
    return {sprite, kCell * c + dx, CBG6::kMapHeight - kCell * r + dy, layer};
}

constexpr std::int32_t kFuelTank = 4324, kContainers = 4325, kBoat = 4326, kLighthouse = 4327, kCaisson = 4328,
                       kBuoy = 211, kBoom = 209;
constexpr std::int32_t kSeaHalves = 4273, kDestroyer = 4329, kSubmarine = 4332;

// The boom across the harbour mouth, float after float along the edge of
// the open sea (whose rows repeat, so nothing of the harbour reaches into them).
constexpr auto Boom() {
    std::array<Piece, 32> floats{};
    for (std::int32_t k = 0; k < 32; ++k) floats[k] = {kBoom, 10 * k, CBG6::kSeaRows, 6};
    return floats;
}
constexpr auto kBoomFloats = Boom();

constexpr Piece kPieces[] = {
    // The fuel depot at the gate.
    At(kFuelTank, 7, 6, 0, 0), At(kFuelTank, 7, 4, 8, 4), At(kFuelTank, 7, 2, 0, 8), At(kFuelTank, 8, 7, 24, 4),
    At(kFuelTank, 8, 5, 28, 12), At(kFuelTank, 8, 3, 20, 16),
    // Containers in the rail yard.
    At(kContainers, 0, 11, 4, 6), At(kContainers, 1, 9, 10, 2), At(kContainers, 7, 11, 0, 6),
    At(kContainers, 8, 9, 6, 4), At(kContainers, 6, 9, 0, 2),
    // Dock gates.
    At(kCaisson, 2, 48, 0, -4, 5),
    // The outer basin: a destroyer either side of the pier, boats at their moorings.
    At(kDestroyer, 2, 88, 6, 8), At(kDestroyer + 1, 2, 88, 6, 120),
    At(kDestroyer, 6, 87, 2, 4), At(kDestroyer + 1, 6, 87, 2, 116),
    At(kBoat, 0, 89, 10, 0), At(kBoat, 8, 86, 12, 6), At(kBoat, 8, 82, 6, 0), At(kBoat, 1, 82, 2, 8),
    // Submarines alongside in the channel.
    At(kSubmarine, 3, 112, 4, 0), At(kSubmarine, 6, 108, 4, 0),
    // Buoys along the channel and the harbour mouth.
    At(kBuoy, 3, 113, 10, 6), At(kBuoy, 6, 113, 12, 6), At(kBuoy, 3, 108, 10, 6), At(kBuoy, 6, 108, 12, 6),
    At(kBuoy, 3, 103, 10, 6), At(kBuoy, 6, 103, 12, 6), At(kBuoy, 8, 126, 4, 8), At(kBuoy, 1, 121, 14, 4),
    // The lights on the breakwaters' heads.
    At(kLighthouse, 6, 124, -8, 8, 8), At(kLighthouse, 3, 119, -8, 8, 8),
};


// ---- Map objects, spawned by the 32-row steps ------------------------------------------------

struct MapObject {
    std::int32_t sprite;
    std::int32_t x, y;  // top-left in map pixels
    std::int32_t layer;
    std::int32_t hit_w, hit_h;  // 0: no hit box
};

constexpr std::int32_t kRoofWest = 1149, kRoofMid = 1150, kRoofVent = 1151, kRoofEast = 1152;
constexpr std::int32_t kPenRoof = 4334, kGoliath = 4323, kPortalCrane = 4331;

// A warehouse of n roof pieces from cell (c, r) eastward; each piece hides
// what stands under it.
template <std::size_t N>
constexpr std::array<MapObject, N> Warehouse(std::int32_t c, std::int32_t r) {
    std::array<MapObject, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        const std::int32_t sprite = i == 0 ? kRoofWest : i + 1 == N ? kRoofEast : i % 2 ? kRoofMid : kRoofVent;
        out[i] = {sprite, kCell * (c + std::int32_t(i)), CBG6::kMapHeight - kCell * r, 8, 28, 28};
    }
    return out;
}

constexpr auto kStoreA = Warehouse<3>(0, 18);
constexpr auto kStoreB = Warehouse<3>(7, 17);
constexpr auto kStoreC = Warehouse<3>(0, 15);
constexpr auto kStoreD = Warehouse<3>(7, 14);

constexpr MapObject kSingles[] = {
    // The submarine pens' roof over the channel's landward end.
    {kPenRoof, 64, CBG6::kMapHeight - kCell * 99, 9, 176, 112},
    // The cranes on their rails: portal cranes on the frigates' quay, the
    // goliath across the great dock.
    {kPortalCrane, 124, CBG6::kMapHeight - kCell * 38, 9, 0, 0},
    {kPortalCrane, 124, CBG6::kMapHeight - kCell * 31, 9, 0, 0},
    {kGoliath, 32, CBG6::kMapHeight - kCell * 68, 9, 0, 0},
};

// The step at which an object at map row y, h rows tall, comes into view
// next: the last one before its bottom row reaches the screen.
constexpr std::int32_t StepFor(std::int32_t y, std::int32_t h) {
    return (-CBG6::kStartTop - y - h) / CBG6::kEventStep;
}

template <class List>
void SpawnDue(const List& list, std::int32_t step) {
    const std::int32_t top = g_DDBPack.GetSprite(kMapSprite).Pos.Top();
    for (const MapObject& o : list) {
        const CQ7Pos& size = g_DDBPack.GetSprite(o.sprite).Pos;
        if (StepFor(o.y, size.Height()) != step) continue;
        // The object is placed by its sprite's own base (the resources' is the centre).
        const bool centred = size.Center_Base() == VB_TRUE;
        SpawnBGObject(o.x + (centred ? size.Width() / 2 : 0), top + o.y + (centred ? size.Height() / 2 : 0), o.sprite,
                      o.layer, o.hit_w, o.hit_h, true);
    }
}

// ---- Composition ------------------------------------------------------------------------------

// Queues into the map, counting what the queue could not take.
class Painter {
public:
    explicit Painter(std::int32_t top) : top_(top) {}

    void Queue(std::int32_t sprite, std::int32_t x, std::int32_t map_y, std::int32_t layer, std::int32_t mode) {
        const CQ7Pos& size = g_DDBPack.GetSprite(sprite).Pos;
        CQ7Pos at;
        at.SetCenter_Base(VB_FALSE);
        at.ReSize(size.Width(), size.Height());
        at.Move(x, top_ + map_y);
        if (!g_DDBPack.AddBlt(at, sprite, layer, kMapSprite, mode)) ++lost_;
    }
    // Draws what is queued; the layers decide what covers what within one draw.
    void Draw() {
        g_DDBPack.Blt();
        g_DDBPack.BltClear(-1);
    }
    std::int32_t Lost() const { return lost_; }

private:
    std::int32_t top_;
    std::int32_t lost_ = 0;
};

constexpr std::int32_t kSides[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};  // top, right, bottom, left

void PaintCell(Painter& p, std::int32_t c, std::int32_t r) {
    const Look& look = LookOf(CellAt(c, r));
    const std::int32_t x = kCell * c, y = CBG6::kMapHeight - kCell * r;
    switch (look.kind) {
    case Kind::Water: p.Queue(kWaterCell, x, y, kLayerBase, kOpaque); return;
    case Kind::Quay: p.Queue(kQuayBase, x, y, kLayerBase, kOpaque); break;
    case Kind::Yard:
    case Kind::Dock: p.Queue(kYardBase + g_Angle.Rnd10(-1), x, y, kLayerBase, kOpaque); break;
    }
    const std::int32_t overlays = look.kind == Kind::Quay ? kQuayOverlay : kYardOverlay;
    if (look.a != kNone) p.Queue(overlays + look.a, x, y, kLayerOverlay, kMasked);
    if (look.b != kNone) p.Queue(overlays + look.b, x, y, kLayerOverlay2, kMasked);
    if (!IsLand(look.kind)) return;
    // A quay wall on every side that drops into water or a dock; a kerb
    // where a concrete quay meets the yard.
    for (std::int32_t side = 0; side < 4; ++side) {
        const Kind next = KindAt(c + kSides[side][0], r + kSides[side][1]);
        if (!IsLand(next))
            p.Queue(kQuayWall + side, x, y, kLayerEdge, kMasked);
        else if (look.kind == Kind::Quay && next == Kind::Yard)
            p.Queue(kKerb + side, x, y, kLayerEdge, kMasked);
    }
}

}  // namespace

std::span<const CBG6::Row> CBG6::Terrain() { return kRows; }

void CBG6::Call_Initial(int&) {
    BuildMap();
    frame_ = 0;
    scroll_pos_ = 0;
    last_event_ = 0;
    g_ScrollSpeed = 0.4;
}

void CBG6::BuildMap() {
    // Bare yard over the whole map, then the harbour on it.
    CQ7Sprite256& map = map_paint::LayFill(kMapHeight, kYardBase);

    map.Pos.Move(0, kStartTop);
    start_top_ = top_ = map.Pos.Top();

    // The harbour, four rows of cells to a draw (the queue holds 200 a layer).
    Painter p(start_top_);
    constexpr std::int32_t kBand = 4;
    for (std::int32_t r0 = 1; r0 <= kTerrainRows; r0 += kBand) {
        for (std::int32_t r = r0; r < r0 + kBand && r <= kTerrainRows; ++r)
            for (std::int32_t c = 0; c < kColumns; ++c) PaintCell(p, c, r);
        p.Draw();
    }

    // The open sea: the picture from its two halves, laid five times over
    // the top rows (it repeats every 240 rows, as the sea must every 960).
    CQ7Sprite256& sea = g_DDBPack.GetSprite(kPicture);
    sea.SetUP(320, 240, 0);
    CQ7Pos at;
    at.SetCenter_Base(VB_FALSE);
    for (std::int32_t half = 0; half < 2; ++half) {
        const CQ7Pos& size = g_DDBPack.GetSprite(kSeaHalves + half).Pos;
        at.ReSize(size.Width(), size.Height());
        at.Move(0, 120 * half);
        g_DDBPack.AddBlt(at, kSeaHalves + half, 0, kPicture, kOpaque);
    }
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);
    for (std::int32_t y = 0; y < kSeaRows; y += 240) p.Queue(kPicture, 0, y, 0, kOpaque);
    p.Draw();

    // The furniture, layer by layer so that nothing depends on the order of the list.
    for (std::int32_t layer = 0; layer < 10; ++layer) {
        for (const auto& list : {std::span<const Piece>(kPieces), std::span<const Piece>(kBoomFloats)})
            for (const Piece& piece : list)
                if (piece.layer == layer) p.Queue(piece.sprite, piece.x, piece.y, piece.layer, kMasked);
        p.Draw();
    }
    lost_draws_ += p.Lost();
    map.DT.ALL_Paint();
}

bool CBG6::Call_Events() {
    if ((frame_ & 3) == 3) g_Palette.Roll_UP(181, 16, -1);
    ++frame_;

    const std::int32_t top = map_paint::ScrollMap(scroll_pos_, start_top_, kRepeat, 0);

    if (top != top_) {
        // Every step passed since the last frame, even when the scroll runs
        // more than a row a frame. After the jump back the steps of the open
        // sea come round again, and there is nothing to place there.
        const std::int32_t from = top_ - start_top_, to = top - start_top_;
        for (std::int32_t step = from / kEventStep + 1; step * kEventStep <= to; ++step) RunEvent(step);
        top_ = top;
    }
    return false;
}

void CBG6::RunEvent(std::int32_t step) {
    last_event_ = step;
    SpawnDue(kStoreA, step);
    SpawnDue(kStoreB, step);
    SpawnDue(kStoreC, step);
    SpawnDue(kStoreD, step);
    SpawnDue(kSingles, step);
}

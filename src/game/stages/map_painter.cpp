#include "game/stages/map_painter.h"

#include <array>
#include <climits>

#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "gfx/q7_ddbpack256.h"

namespace map_paint {
namespace {

constexpr std::int32_t kMap = 1;
constexpr std::int32_t kMasked = 0, kOpaque = 1;

// Queues a sprite with its top-left at (x, y) into the map (or another target).
bool Queue(std::int32_t sprite, std::int32_t x, std::int32_t y, std::int32_t layer, std::int32_t mode,
           std::int32_t target = kMap) {
    const CQ7Pos& size = g_DDBPack.GetSprite(sprite).Pos;
    CQ7Pos at;
    at.SetCenter_Base(VB_FALSE);
    at.ReSize(size.Width(), size.Height());
    at.Move(x, y);
    return g_DDBPack.AddBlt(at, sprite, layer, target, mode);
}

constexpr DecorationKind kRockDecoration = {'A', 1014, 1015};
constexpr DecorationKind kTreeDecoration = {'B', 1012, 1013};

// A decoration and its shadow 10 pixels down and right.
bool Decorate(const MapFrame& map, const DecorationKind& kind, std::int32_t x, std::int32_t y) {
    const bool body = Queue(kind.sprite, x, map.top + y, 6, kMasked);
    return Queue(kind.shadow, x + 10, map.top + y + 10, 3, kMasked) && body;
}

bool PaintGround(const GroundKind& kind, const MapFrame& map, std::int32_t c, std::int32_t r, std::int32_t a,
                 std::int32_t b, std::int32_t edges) {
    const std::int32_t x = map.CellX(c), y = map.CellY(r);
    const std::int32_t base = kind.base + (kind.random_base ? g_Angle.Rnd10(-1) : 0);
    bool ok = Queue(base, x, y, 1, kOpaque);
    if (a != kNoOverlay) ok &= Queue(kind.overlay + a, x, y, 3, kMasked);
    if (b != kNoOverlay) ok &= Queue(kind.overlay + b, x, y, 5, kMasked);
    constexpr std::array<std::int32_t, 4> kSides = {kEdgeTop, kEdgeRight, kEdgeBottom, kEdgeLeft};
    for (std::int32_t side = 0; side < 4; ++side)
        if ((edges & kSides[side]) != 0) ok &= Queue(kind.edge + side, x, y, 7, kMasked);
    return ok;
}

// ---- Terrain rows ----------------------------------------------------------------------

constexpr std::int32_t kWater = -1, kMeadow = 1, kSand = 2, kRock = 3, kMetal = 4, kField = 5, kRunway = 6;
constexpr std::int32_t kNone = kNoOverlay;

constexpr CellLook kLooks[] = {
    {'~', Class::Water, kWater, kNone}, {'v', Class::Other, kMeadow, kNone}, {'s', Class::Other, kSand, kNone},
    {'k', Class::Other, kRock, kNone},  {'m', Class::Other, kMetal, kNone},  {'f', Class::Other, kField, kNone},
    // The runway line belongs to the concrete around it: no curb between.
    {'|', Class::Concrete, kRunway, kNone},
    {'g', Class::Ground, 0, kNone}, {'h', Class::Ground, 0, 0},  {'j', Class::Ground, 0, 1},
    {'e', Class::Ground, 0, 2},     {'n', Class::Ground, 0, 3},  {'b', Class::Ground, 0, 4},
    {'w', Class::Ground, 0, 5},     {'p', Class::Ground, 0, 6},  {'r', Class::Ground, 0, 7},
    {'I', Class::Ground, 0, 8},     {'-', Class::Ground, 0, 9},  {'X', Class::Ground, 0, 10},
    {'1', Class::Ground, 0, 11},    {'2', Class::Ground, 0, 12}, {'3', Class::Ground, 0, 13},
    {'4', Class::Ground, 0, 14},    {'u', Class::Ground, 0, 15}, {'x', Class::Ground, 0, 16},
    {'#', Class::Concrete, 0, kNone}, {':', Class::Concrete, 0, 0}, {'=', Class::Concrete, 0, 1},
    {'+', Class::Concrete, 0, 2},   {'o', Class::Concrete, 0, 4}, {'^', Class::Concrete, 0, 6},
    {'y', Class::Concrete, 0, 7},   {'z', Class::Concrete, 0, 8}, {'q', Class::Concrete, 0, 10},
};

// The fill and any character not listed: plain ground that nobody paints.
const CellLook* LookOf(std::span<const CellLook> looks, char ch) {
    for (const CellLook& look : looks)
        if (look.ch == ch) return &look;
    return nullptr;
}

class Grid {
public:
    explicit Grid(const Terrain& terrain)
        : rows_(terrain.rows), looks_(terrain.looks.empty() ? std::span<const CellLook>(kLooks) : terrain.looks) {}
    const CellLook* Look(char ch) const { return LookOf(looks_, ch); }
    char At(std::int32_t c, std::int32_t r) const {
        if (c < 0 || c >= kColumns) return '.';
        for (const TerrainRow& row : rows_)
            if (row.r == r) return c < std::int32_t(row.cells.size()) ? row.cells[c] : '.';
        return '.';
    }
    Class ClassAt(std::int32_t c, std::int32_t r) const {
        const CellLook* look = Look(At(c, r));
        return look ? look->kind : Class::Ground;
    }
    // Rim bits: the sides whose neighbour is of another class.
    std::int32_t Edges(std::int32_t c, std::int32_t r) const {
        const Class own = ClassAt(c, r);
        std::int32_t edges = 0;
        if (ClassAt(c, r + 1) != own) edges |= kEdgeTop;
        if (ClassAt(c + 1, r) != own) edges |= kEdgeRight;
        if (ClassAt(c, r - 1) != own) edges |= kEdgeBottom;
        if (ClassAt(c - 1, r) != own) edges |= kEdgeLeft;
        return edges;
    }

private:
    std::span<const TerrainRow> rows_;
    std::span<const CellLook> looks_;
};

bool PaintCell(const MapFrame& map, const Terrain& terrain, const Grid& grid, std::int32_t c, std::int32_t r) {
    const char ch = grid.At(c, r);
    const CellLook* look = grid.Look(ch);
    if (!look) return true;
    if (look->kind == Class::Ground) return PaintGround(*terrain.land, map, c, r, look->overlay, kNone, grid.Edges(c, r));
    if (look->kind == Class::Concrete && ch != '|')
        return ConcreteCell(map, c, r, look->overlay, kNone, grid.Edges(c, r));
    return PlainCell(map, c, r, look->plain);
}

// The river's steps are rounded off: a land corner whose two neighbours on
// that corner are both water becomes a quarter of water.
std::int32_t RoundWaterCorners(const MapFrame& map, const Grid& grid, std::int32_t r) {
    // Per quarter (top-left, top-right, bottom-right, bottom-left): the
    // column step of its side neighbour and the row step of its upper or lower one.
    constexpr std::int32_t kStep[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
    std::int32_t lost = 0;
    for (std::int32_t c = 0; c < kColumns; ++c) {
        if (grid.ClassAt(c, r) == Class::Water) continue;
        for (std::int32_t q = 0; q < 4; ++q)
            if (grid.ClassAt(c + kStep[q][0], r) == Class::Water && grid.ClassAt(c, r + kStep[q][1]) == Class::Water &&
                !QuarterCell(map, c, r, kQuarterWater, q))
                ++lost;
    }
    return lost;
}

}  // namespace

bool PlainCell(const MapFrame& map, std::int32_t c, std::int32_t r, std::int32_t v) {
    return Queue(1070 + v, map.CellX(c), map.CellY(r), 1, kOpaque);
}

bool GroundCell(const MapFrame& map, std::int32_t c, std::int32_t r, std::int32_t a, std::int32_t b,
                std::int32_t edges) {
    return PaintGround(kGrass, map, c, r, a, b, edges);
}

bool ConcreteCell(const MapFrame& map, std::int32_t c, std::int32_t r, std::int32_t a, std::int32_t b,
                  std::int32_t edges) {
    return PaintGround(kConcrete, map, c, r, a, b, edges);
}

bool QuarterCell(const MapFrame& map, std::int32_t c, std::int32_t r, std::int32_t v, std::int32_t q) {
    constexpr std::int32_t kDX[4] = {0, 16, 16, 0};
    constexpr std::int32_t kDY[4] = {0, 0, 16, 16};
    const std::int32_t k = q & 3;
    return Queue(228 + v, map.CellX(c) + kDX[k], map.CellY(r) + kDY[k], 4, kOpaque);
}

bool DecorationA(const MapFrame& map, std::int32_t x, std::int32_t y) { return Decorate(map, kRockDecoration, x, y); }

bool DecorationB(const MapFrame& map, std::int32_t x, std::int32_t y) { return Decorate(map, kTreeDecoration, x, y); }

CQ7Sprite256& LayFill(std::int32_t height, std::int32_t fill_cell) {
    constexpr std::int32_t kStrip = 2;
    CQ7Sprite256& map = g_DDBPack.GetSprite(kMap);
    map.SetUP(320, height, 0);
    g_DDBPack.GetSprite(kStrip).SetUP(320, kCell, 0);
    g_DDBPack.BltClear(-1);
    for (std::int32_t x = 0; x < 320; x += kCell) Queue(fill_cell, x, 0, 0, kOpaque, kStrip);
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);
    for (std::int32_t y = 0; y < height; y += kCell) {
        if (Queue(kStrip, 0, y, 0, kOpaque, kMap)) continue;
        g_DDBPack.Blt();  // a layer holds 200 draws: a map over 6400 rows takes more
        g_DDBPack.BltClear(-1);
        Queue(kStrip, 0, y, 0, kOpaque, kMap);
    }
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);
    return map;
}

std::int32_t ScrollMap(double& scroll_pos, std::int32_t start_top, std::int32_t repeat, std::int32_t wrap_at) {
    scroll_pos += g_ScrollSpeed;
    std::int32_t top = start_top + RoundHalfEven(scroll_pos);
    if (top >= wrap_at) {
        top -= repeat;
        scroll_pos -= repeat;
    }
    CQ7Sprite256& map = g_DDBPack.GetSprite(kMap);
    map.Pos.SetTop(top);
    g_DDBPack.AddBlt(map.Pos, kMap, 0, 0, kOpaque);
    return top;
}

std::int32_t PaintTerrainRows(const MapFrame& map, const Terrain& terrain, std::int32_t first_r, std::int32_t last_r) {
    std::int32_t lost = 0;
    const Grid grid(terrain);
    for (const TerrainRow& row : terrain.rows) {
        if (row.r < first_r || row.r > last_r) continue;
        for (std::int32_t c = 0; c < kColumns; ++c)
            if (!PaintCell(map, terrain, grid, c, row.r)) ++lost;
        lost += RoundWaterCorners(map, grid, row.r);
    }
    return lost;
}

std::int32_t PaintDecorations(const MapFrame& map, const Terrain& terrain) {
    std::int32_t lost = 0;
    for (const Decoration& d : terrain.decorations) {
        // The map's own kinds first, then the rock and the trees.
        DecorationKind kind = d.kind == 'A' ? kRockDecoration : kTreeDecoration;
        for (const DecorationKind& own : terrain.decoration_kinds)
            if (own.kind == d.kind) kind = own;
        if (!Decorate(map, kind, d.x, d.y)) ++lost;
    }
    return lost;
}

std::int32_t PaintTerrain(const MapFrame& map, const Terrain& terrain) {
    return PaintTerrainRows(map, terrain, INT32_MIN, INT32_MAX) + PaintDecorations(map, terrain);
}

}  // namespace map_paint

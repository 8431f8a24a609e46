#include "game/stages/map_painter.h"

#include <array>

#include "core/q7_angle.h"
#include "gfx/q7_ddbpack256.h"

namespace map_paint {
namespace {

constexpr std::int32_t kMap = 1;
constexpr std::int32_t kMasked = 0, kOpaque = 1;

// Queues a sprite with its top-left at (x, y).
bool Queue(std::int32_t sprite, std::int32_t x, std::int32_t y, std::int32_t layer, std::int32_t mode) {
    const CQ7Pos& size = g_DDBPack.GetSprite(sprite).Pos;
    CQ7Pos at;
    at.SetCenter_Base(VB_FALSE);
    at.ReSize(size.Width(), size.Height());
    at.Move(x, y);
    return g_DDBPack.AddBlt(at, sprite, layer, kMap, mode);
}

// The sprites of one kind of ground cell.
struct GroundKind {
    std::int32_t base;
    bool random_base;  // base + a random number 0..9
    std::int32_t overlay;
    std::int32_t edge;  // first of the four edge pieces: top, right, bottom, left
};
constexpr GroundKind kGrass = {1001, true, 1040, 1036};
constexpr GroundKind kConcrete = {1035, false, 1020, 1016};

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

enum class Class { Ground, Concrete, Other };

Class ClassOf(char ch) {
    switch (ch) {
    case '.': case 'g': case 'b': case 'd': return Class::Ground;
    case '#': case '=': case '+': case 'o': case '|': return Class::Concrete;
    default: return Class::Other;
    }
}

// Plain cells by look (sprite 1070 + v).
constexpr std::int32_t kWater = -1, kMeadow = 1, kSand = 2, kRock = 3, kMetal = 4, kField = 5, kRunway = 6;

// Overlay choices by look; the cell's place picks one, so the pattern varies.
constexpr std::int32_t kBushes[] = {0, 1, 3, 4, 6, 7, 9, 10, 12, 13, 15, 16};
constexpr std::int32_t kDirt[] = {2, 5, 8, 11, 14};
constexpr std::int32_t kLines[] = {1, 5, 9, 13};
constexpr std::int32_t kCrosses[] = {3, 7, 11};
constexpr std::int32_t kStains[] = {0, 2, 4, 6, 8, 10, 12, 14};

template <std::size_t N>
std::int32_t Pick(const std::int32_t (&choices)[N], std::int32_t c, std::int32_t r) {
    return choices[static_cast<std::size_t>(c * 7 + r * 3) % N];
}

class Grid {
public:
    explicit Grid(std::span<const TerrainRow> rows) : rows_(rows) {}
    char At(std::int32_t c, std::int32_t r) const {
        if (c < 0 || c >= kColumns) return '.';
        for (const TerrainRow& row : rows_)
            if (row.r == r) return c < std::int32_t(row.cells.size()) ? row.cells[c] : '.';
        return '.';
    }
    // Rim bits: the sides whose neighbour is of another class.
    std::int32_t Edges(std::int32_t c, std::int32_t r) const {
        const Class own = ClassOf(At(c, r));
        std::int32_t edges = 0;
        if (ClassOf(At(c, r + 1)) != own) edges |= kEdgeTop;
        if (ClassOf(At(c + 1, r)) != own) edges |= kEdgeRight;
        if (ClassOf(At(c, r - 1)) != own) edges |= kEdgeBottom;
        if (ClassOf(At(c - 1, r)) != own) edges |= kEdgeLeft;
        return edges;
    }

private:
    std::span<const TerrainRow> rows_;
};

bool PaintCell(const MapFrame& map, const Grid& grid, char ch, std::int32_t c, std::int32_t r) {
    const std::int32_t edges = grid.Edges(c, r);
    switch (ch) {
    case '~': return PlainCell(map, c, r, kWater);
    case 'v': return PlainCell(map, c, r, kMeadow);
    case 's': return PlainCell(map, c, r, kSand);
    case 'k': return PlainCell(map, c, r, kRock);
    case 'm': return PlainCell(map, c, r, kMetal);
    case 'f': return PlainCell(map, c, r, kField);
    case '|': return PlainCell(map, c, r, kRunway);
    case 'g': return GroundCell(map, c, r, kNoOverlay, kNoOverlay, edges);
    case 'b': return GroundCell(map, c, r, Pick(kBushes, c, r), kNoOverlay, edges);
    case 'd': return GroundCell(map, c, r, Pick(kDirt, c, r), kNoOverlay, edges);
    case '#': return ConcreteCell(map, c, r, kNoOverlay, kNoOverlay, edges);
    case '=': return ConcreteCell(map, c, r, Pick(kLines, c, r), kNoOverlay, edges);
    case '+': return ConcreteCell(map, c, r, Pick(kCrosses, c, r), kNoOverlay, edges);
    case 'o': return ConcreteCell(map, c, r, Pick(kStains, c, r), kNoOverlay, edges);
    default: return true;  // '.' and anything unknown: the fill stays
    }
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

bool DecorationA(const MapFrame& map, std::int32_t x, std::int32_t y) {
    const bool body = Queue(1014, x, map.top + y, 6, kMasked);
    return Queue(1015, x + 10, map.top + y + 10, 3, kMasked) && body;
}

bool DecorationB(const MapFrame& map, std::int32_t x, std::int32_t y) {
    const bool body = Queue(1012, x, map.top + y, 6, kMasked);
    return Queue(1013, x + 10, map.top + y + 10, 3, kMasked) && body;
}

std::int32_t PaintTerrain(const MapFrame& map, const Terrain& terrain) {
    std::int32_t lost = 0;
    const Grid grid(terrain.rows);
    for (const TerrainRow& row : terrain.rows)
        for (std::int32_t c = 0; c < kColumns && c < std::int32_t(row.cells.size()); ++c)
            if (!PaintCell(map, grid, row.cells[c], c, row.r)) ++lost;
    for (const QuarterDraw& q : terrain.quarters)
        if (!QuarterCell(map, q.c, q.r, q.v, q.q)) ++lost;
    for (const Decoration& d : terrain.decorations)
        if (!(d.kind == 'A' ? DecorationA(map, d.x, d.y) : DecorationB(map, d.x, d.y))) ++lost;
    return lost;
}

}  // namespace map_paint

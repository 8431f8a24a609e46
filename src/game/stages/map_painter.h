// Building a scrolling map (sprite 1) out of 32x32 cells, for the map
// backgrounds. All drawing goes through the sprite pack's queue, so a
// background queues a whole terrain and draws it with one Blt: the layers,
// not the order of the list, decide what covers what. A layer takes 200
// draws a frame, which bounds how much terrain one Blt can paint.
//
// Cells are addressed by column c = 0..9 from the left and row r counted
// from 1 at the map's bottom. Terrain is described as rows of characters
// (one per cell, see TerrainRow) plus decorations; PaintTerrain turns them
// into painter calls.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

class CQ7Sprite256;

namespace map_paint {

constexpr std::int32_t kCell = 32;
constexpr std::int32_t kColumns = 10;
constexpr std::int32_t kNoOverlay = -1;

// Edge bits of the ground painters: a ragged rim along that side.
constexpr std::int32_t kEdgeTop = 0x000F;
constexpr std::int32_t kEdgeRight = 0x00F0;
constexpr std::int32_t kEdgeBottom = 0x0F00;
constexpr std::int32_t kEdgeLeft = 0xF000;

// Where the cells go: the map sprite's rows as they are when painting.
struct MapFrame {
    std::int32_t top = 0;     // screen row of the map's first row
    std::int32_t height = 0;  // rows of the map
    std::int32_t CellX(std::int32_t c) const { return kCell * c; }
    std::int32_t CellY(std::int32_t r) const { return top + height - kCell * r; }
};

// The painters. Each queues its draws into sprite 1; false when the queue
// had no room for one of them (the draw is lost).
// Plain cell v (sprite 1070 + v): -1 water, 0 water a half period on,
// 1 meadow, 2 sand, 3 rock, 4 metal plate, 5 field, 6 runway centre line.
bool PlainCell(const MapFrame& map, std::int32_t c, std::int32_t r, std::int32_t v);
bool GroundCell(const MapFrame& map, std::int32_t c, std::int32_t r, std::int32_t a, std::int32_t b,
                std::int32_t edges);
bool ConcreteCell(const MapFrame& map, std::int32_t c, std::int32_t r, std::int32_t a, std::int32_t b,
                  std::int32_t edges);
// Quarter cell v: -1 dark ground, 0 meadow, 1 water.
constexpr std::int32_t kQuarterWater = 1;
// Quarter q: 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left.
bool QuarterCell(const MapFrame& map, std::int32_t c, std::int32_t r, std::int32_t v, std::int32_t q);
// Decorations at (x, y) from the map's top-left: A a rock, B a tree clump,
// each with its shadow 10 pixels down and right.
bool DecorationA(const MapFrame& map, std::int32_t x, std::int32_t y);
bool DecorationB(const MapFrame& map, std::int32_t x, std::int32_t y);

// The sprites of one kind of ground cell: a base (plus a random number 0..9
// when it has ten variants), overlays base + a, and four edge pieces (top,
// right, bottom, left).
struct GroundKind {
    std::int32_t base = 0;
    bool random_base = false;
    std::int32_t overlay = 0;
    std::int32_t edge = 0;
};
inline constexpr GroundKind kGrass = {1001, true, 1040, 1036};
inline constexpr GroundKind kConcrete = {1035, false, 1020, 1016};

// Classes of cells: a ground or concrete cell gets a rim on each side that
// borders another class.
enum class Class { Ground, Concrete, Water, Other };

// What a character paints: a plain cell, or a cell of a ground kind with one
// overlay (or none).
struct CellLook {
    char ch = '.';
    Class kind = Class::Ground;
    std::int32_t plain = 0;    // plain cell v (water, other plain cells, the runway line)
    std::int32_t overlay = kNoOverlay;  // overlay of the ground / concrete kind
};

// One row of terrain: its number and one character per column.
//
//   .  nothing (the fill shows)
//   plain cells:  ~ water   v meadow   s sand   k rock   m metal plate   f field
//                 | runway centre line (counts as concrete)
//   ground cells, with an overlay:  g none   h field rows N-S   j field rows E-W
//                 e bare earth   n flowers   b bushes   w wood   p pond   r rocks
//                 x scorched earth   roads: I north-south   - east-west   X crossing
//                 1 bend east-south   2 south-west   3 north-east   4 north-west   u end
//   concrete cells, with a marking:  # none   : centre line N-S   = centre line E-W
//                 + crossing   o oil stain   ^ arrow north   y yellow bays
//                 z yellow hatching   q steel plate
//
// Ground and concrete cells get a rim on each side that borders another
// class of cell (the fill counts as ground); the corner of a land cell
// between two water neighbours becomes a quarter of water.
struct TerrainRow {
    std::int32_t r = 0;
    std::string_view cells;
};

struct Decoration {
    char kind = 'B';  // 'A' rock, 'B' trees, or a kind of the terrain's own
    std::int32_t x = 0, y = 0;  // from the map's top-left
};

// A decoration of a map's own: its sprite on layer 6 and its shadow 10
// pixels down and right on layer 3, both masked.
struct DecorationKind {
    char kind = 'B';
    std::int32_t sprite = 0, shadow = 0;
};

// A map's terrain. A map of its own ground gives its own ground kind, its
// characters (which replace the table above; a character not in them is
// left unpainted) and decoration kinds.
struct Terrain {
    std::span<const TerrainRow> rows;
    std::span<const Decoration> decorations;
    const GroundKind* land = &kGrass;  // the kind of Class::Ground cells
    std::span<const CellLook> looks = {};
    std::span<const DecorationKind> decoration_kinds = {};
};

// Sets up the map (sprite 1, 320 x height) covered with one fill cell, laid
// through a strip (sprite 2, 320 x 32) of it. Set-up only: it uses the draw
// queue, which it leaves empty. The caller places the map and paints on it.
CQ7Sprite256& LayFill(std::int32_t height, std::int32_t fill_cell);

// Moves the map (sprite 1) on by this frame's g_ScrollSpeed and queues it,
// opaque, on layer 0: its top is `start_top` plus the rounded scroll position,
// and once that reaches `wrap_at` the map and the position jump back by
// `repeat` rows. Returns the map's top this frame.
std::int32_t ScrollMap(double& scroll_pos, std::int32_t start_top, std::int32_t repeat, std::int32_t wrap_at);

// Queues the whole terrain (the caller empties the queue before and draws
// it after). Returns the number of draws the queue could not take.
std::int32_t PaintTerrain(const MapFrame& map, const Terrain& terrain);
// The same for the rows first_r..last_r only, or the decorations only: a
// map too large for one draw of the queue is painted in bands.
std::int32_t PaintTerrainRows(const MapFrame& map, const Terrain& terrain, std::int32_t first_r, std::int32_t last_r);
std::int32_t PaintDecorations(const MapFrame& map, const Terrain& terrain);

}  // namespace map_paint

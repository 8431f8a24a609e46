#include "game/stages/stage8_map.h"

#include <vector>

namespace stage8_map {
namespace {

// A row of the same piece: `count` copies, each (dx, dy) on from the last.
struct Run {
    std::int32_t sprite;
    std::int32_t x, y;
    std::int32_t count;
    std::int32_t dx, dy;
};

constexpr std::int32_t kChamberBand = 120;   // rows of one chamber piece
constexpr std::int32_t kChamberBands = 24;   // rows 0 .. 2879: the chamber, repeating every 480
constexpr std::int32_t kLong = 128;          // rows of a conduit or trench piece

// Rows are map rows (0 at the top, the end of the stage). The journey runs
// from the bottom up: the outer gate, the outer works, the trench, the open
// ground of the swarm, the inner works behind their bulkheads, the approach,
// the inner gate and the chamber of the heart.
constexpr Run kRuns[] = {
    // The outer works: conduits up both sides from the gate.
    {kConduitV, 16, 6144, 7, 0, kLong},
    {kConduitV, 272, 6144, 7, 0, kLong},
    {kConduitH, 48, 6540, 2, kLong, 0},
    {kConduitH, 16, 6240, 1, kLong, 0},
    {kConduitH, 176, 6240, 1, kLong, 0},
    // The trench, and the fins along it.
    {kTrench, 128, 5248, 5, 0, kLong},
    {kFins, 40, 5300, 5, 0, 112},
    {kFins, 216, 5356, 5, 0, 112},
    // The inner works: conduits across between the bulkheads, pipes.
    {kConduitV, 144, 4096, 4, 0, kLong},
    {kConduitH, 32, 4480, 2, kLong, 0},
    {kPipes, 0, 4250, 1, 0, 0},
    {kPipes, 160, 3840, 1, 0, 0},
    // The approach: two conduits running up to the inner gate.
    {kConduitV, 48, 2944, 5, 0, kLong},
    {kConduitV, 240, 2944, 5, 0, kLong},
};

constexpr Piece kSingles[] = {
    // The outer gate, and the towers either side of it.
    {kBulkhead, 0, 7040},
    {kPylon, 24, 6964},
    {kPylon, 248, 6964},
    {kStripes, 128, 6928},
    {kHub, 8, 6120},
    {kHub, 264, 6120},
    {kHub, 8, 6524},
    {kHub, 264, 6524},
    {kHub, 8, 6224},
    {kHub, 136, 6224},
    {kHub, 264, 6224},
    // The outer works.
    {kVent, 128, 6880},
    {kHatch, 64, 6630},
    {kHatch, 192, 6630},
    {kDome, 112, 6420},
    {kVent, 64, 6330},
    {kVent, 192, 6330},
    {kDeck, 112, 6080},
    {kPylon, 96, 5990},
    {kPylon, 176, 5990},
    // The head of the trench.
    {kBulkhead, 0, 5904},
    {kHatch, 48, 5850},
    {kHatch, 208, 5850},
    // The open ground of the swarm.
    {kDome, 8, 5040},
    {kDome, 216, 5040},
    {kDeck, 112, 4880},
    {kVent, 32, 4800},
    {kVent, 224, 4800},
    // The inner works.
    {kBulkhead, 0, 4700},
    {kHub, 136, 4456},
    {kDome, 8, 4300},
    {kDome, 216, 4300},
    {kDeck, 112, 4140},
    {kHatch, 40, 3960},
    {kHatch, 216, 3960},
    {kBulkhead, 0, 3720},
    {kVent, 64, 3620},
    {kVent, 192, 3620},
    {kDeck, 112, 3420},
    {kFins, 16, 3300},
    {kFins, 240, 3300},
    {kPylon, 112, 3180},
    {kPylon, 160, 3180},
    // The inner gate: a double wall before the chamber.
    {kBulkhead, 0, 2928},
    {kBulkhead, 0, 2880},
    {kStripes, 128, 2990},
};

}  // namespace

std::span<const Piece> Pieces() {
    static const std::vector<Piece> pieces = [] {
        std::vector<Piece> out;
        for (std::int32_t k = 0; k < kChamberBands; ++k) out.push_back({kChamber + k % 4, 0, k * kChamberBand});
        for (const Run& r : kRuns)
            for (std::int32_t i = 0; i < r.count; ++i) out.push_back({r.sprite, r.x + i * r.dx, r.y + i * r.dy});
        for (const Piece& p : kSingles) out.push_back(p);
        return out;
    }();
    return pieces;
}

}  // namespace stage8_map

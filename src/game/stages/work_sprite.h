// A work sprite (ids 87..99): a picture a stage composes at set-up from
// resource pieces, because no resource may be taller than 128 rows.
// Plain data, shared by the stage scripts and the art generator, which cuts
// its pictures into the same pieces.
#pragma once

#include <cstdint>
#include <span>

struct WorkPiece {
    std::int32_t sprite = 0;
    std::int32_t x = 0, y = 0;  // top-left inside the work sprite
    std::int32_t mode = 1;      // 1 opaque; 0 masked, for a piece laid over others
};

struct WorkSprite {
    std::int32_t id = 0;
    std::int32_t width = 0, height = 0;
    std::span<const WorkPiece> pieces;
    bool corner_based_pieces = false;  // the pieces are made corner-based first
    bool centre_based = false;         // Center_Base of the finished sprite
    bool transparent_ground = false;   // what no piece covers stays transparent (else black)
};

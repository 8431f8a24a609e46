// The stronghold's floor as data: the structures CBG8 draws into its map at
// set-up, each a resource sprite placed by its top-left corner in map pixels
// (row 0 is the map's top, the end of the stage; row 7199 its start).
//
// The top 480 rows are the chamber round the core, which repeats while the
// boss fight lasts: rows 480..719 show what rows 0..239 show.
#pragma once

#include <cstdint>
#include <span>

namespace stage8_map {

// The stage's structure sprites.
inline constexpr std::int32_t kConduitV = 4345;     // 32 x 128, an armoured vein running down
inline constexpr std::int32_t kConduitH = 4346;     // 128 x 32, the same across
inline constexpr std::int32_t kHub = 4347;          // 48 x 48, where conduits meet
inline constexpr std::int32_t kVent = 4348;         // 64 x 48
inline constexpr std::int32_t kHatch = 4349;        // 64 x 64, a blast hatch
inline constexpr std::int32_t kTurretPad = 4350;    // 48 x 48, under a quad turret or a pillbox
inline constexpr std::int32_t kFortressBase = 4351; // 80 x 80, under a gun fortress
inline constexpr std::int32_t kWalkerHangar = 4352; // 96 x 96, a walker's bay
inline constexpr std::int32_t kBulkhead = 4353;     // 320 x 48, a wall across with its gate open
inline constexpr std::int32_t kPylon = 4354;        // 48 x 64, a tower with its shadow
inline constexpr std::int32_t kFins = 4355;         // 64 x 96, heat-sink fins
inline constexpr std::int32_t kDeck = 4359;         // 96 x 96, a raised armour deck
inline constexpr std::int32_t kTrench = 4360;       // 64 x 128, a deep trench running down
inline constexpr std::int32_t kChamber = 4361;      // 4361..4364, 320 x 120 each: the core's chamber
inline constexpr std::int32_t kDome = 4365;         // 96 x 96, a reactor dome
inline constexpr std::int32_t kPipes = 4366;        // 160 x 24, a pipe bundle across
inline constexpr std::int32_t kStripes = 4367;      // 64 x 16, hazard stripes

struct Piece {
    std::int32_t sprite = 0;
    std::int32_t x = 0, y = 0;
};

std::span<const Piece> Pieces();

}  // namespace stage8_map

// The composed hulls of the large enemies, one work sprite each, for every
// stage script that places the class to list among its work sprites:
//
//   constexpr WorkSprite kWorkSprites[] = {kMyBackground, kCruiserHull, kFrigateHull};
//
// Each hull is cut into full-width bands (a resource holds at most 128
// rows); the art generator cuts its pictures along these same tables.
#pragma once

#include "game/stages/work_sprite.h"

namespace hull_pieces {
inline constexpr WorkPiece kCruiser[] = {{4115, 0, 0}, {4116, 0, 123}};
inline constexpr WorkPiece kFrigate[] = {
    {4178, 0, 0}, {4179, 0, 48}, {4180, 0, 96}, {4181, 0, 144}, {4182, 0, 192}, {4183, 0, 240},
};
inline constexpr WorkPiece kBattleship[] = {
    {4253, 0, 0},   {4254, 0, 44},  {4255, 0, 88},  {4256, 0, 132}, {4257, 0, 176}, {4258, 0, 220},
    {4259, 0, 264}, {4260, 0, 308}, {4261, 0, 352}, {4262, 0, 396}, {4263, 0, 440}, {4264, 0, 484},
};
inline constexpr WorkPiece kCarrier[] = {{4202, 0, 0}, {4203, 0, 68}, {4204, 0, 136}, {4205, 0, 204}};
inline constexpr WorkPiece kMothership[] = {{4275, 0, 0}, {4276, 0, 56}, {4277, 0, 112}, {4278, 0, 168}};
}  // namespace hull_pieces

// CEN006, the armoured ground cruiser (its halves are set corner-based, as stage 1 always did).
inline constexpr WorkSprite kCruiserHull = {
    .id = 98, .width = 84, .height = 246, .pieces = hull_pieces::kCruiser, .corner_based_pieces = true, .centre_based = true};
// CEN013, the frigate.
inline constexpr WorkSprite kFrigateHull = {.id = 94, .width = 128, .height = 288, .pieces = hull_pieces::kFrigate, .centre_based = true};
// CEN014, the battleship.
inline constexpr WorkSprite kBattleshipHull = {
    .id = 93, .width = 176, .height = 528, .pieces = hull_pieces::kBattleship, .centre_based = true};
// CEN015, the tank carrier.
inline constexpr WorkSprite kCarrierHull = {.id = 92, .width = 160, .height = 272, .pieces = hull_pieces::kCarrier, .centre_based = true};
// CEN026, the mothership (its wings are the resource sprite 4243).
inline constexpr WorkSprite kMothershipHull = {
    .id = 90, .width = 144, .height = 224, .pieces = hull_pieces::kMothership, .centre_based = true};

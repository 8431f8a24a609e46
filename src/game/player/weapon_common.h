// Small helpers shared by the player's weapons and the ship.
#pragma once

#include <string>

#include "core/message_box.h"
#include "core/q7_objectpack.h"
#include "core/q7_pos.h"
#include "core/vb.h"
#include "gfx/q7_ddbpack256.h"

namespace player {

// Places a rectangle at a floating-point position (halves round to even).
inline void MoveTo(CQ7Pos& r, double x, double y) { r.Move(RoundHalfEven(x), RoundHalfEven(y)); }

// The play field as weapons see it: the rectangle of the full-screen flash
// sprite, which leaves out the status line.
inline bool OnScreen(const CQ7Pos& r) { return g_DDBPack.GetSprite(100).Pos.GetClipOn(r) == VB_TRUE; }

// A rectangle of a sprite's size, centred, as sprites are placed by default.
inline CQ7Pos SpriteRect(int id) {
    CQ7Pos r;
    g_DDBPack.GetSprite(id).Pos.Copy(r);
    return r;
}

// Creates a T from g_SpawnParam, appended to group `layer`. The pack only
// refuses when all its slots are taken; the game cannot go on without the
// object, so that ends the program with `who` in front of the reason.
template <class T>
void SpawnOrDie(int layer, const char* who) {
    if (g_ObjectPack.Spawn<T>(layer, VB_TRUE) < 0) FatalError(std::string(who) + "no free slot in the object pack");
}

}  // namespace player

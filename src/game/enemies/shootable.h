// Hit points and flash of the bullets the player can shoot down (CTama2 and
// the falling bombs): they take the player's attacks, 1000 more on the frame
// the ship's hit flash starts, and everything at once once the boss is beaten.
#pragma once

#include <cstdint>

#include "core/q7_pos.h"

struct Shootable {
    std::int32_t hit_points = 0;
    std::int32_t flash = 0;  // counted down every frame; restarts at 4 when hit

    void Tick() {
        if (flash > 0) --flash;
    }
    // Takes this frame's damage; true when the bullet is destroyed.
    bool TakeDamage(const CQ7Pos& hit);
    // Flash mode while the flash timer is above 1.
    std::int32_t DrawMode() const { return flash > 1 ? 2 : 0; }
    // Shootable bullets hurt the ship on contact and can be missile targets.
    static void Register(const CQ7Pos& hit);
    // The small explosion sound and a smoke at the bullet's place: the small
    // smoke at 2 frames an image, the large one (big bombs) at 3.
    static void Explode(double x, double y, bool large);
};

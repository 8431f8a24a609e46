// The stage-7 boss as plain data: its rectangles, the spinal gun and the
// muzzles of its bouncing bullets, all relative to its rounded centre
// (+x right, +y down the screen). The art generator reads the same table and
// draws every muzzle where it fires from.
//
//                 tail  -60
//          ______/####\______
//   [M0]  /     |  ##  |     \  [M1]    wing guns   (+-84, +10)
//     \  / [M2] |  ##  | [M3] \  /      inner guns  (+-50, +26)
//      \/       | [##] |       \/       bridge at (-14, -20), the gun runs down x = +7
//               | [M4][M5]  |           bow guns    (-22, +48), (+22, +48)
//                \  |  /                spinal muzzle (+7, +46)
//                 nose +60
#pragma once

#include <cstdint>

namespace boss07 {

struct Rect {
    std::int32_t w, h, dx, dy;
};

// A gun of the bouncing bullets: where it sits and the heading of its shots
// in degrees (clockwise from right, so 90 is straight down the screen).
struct Muzzle {
    std::int32_t dx, dy;
    double heading;
};

inline constexpr std::int32_t kSprite = 6071;
inline constexpr std::int32_t kWidth = 192, kHeight = 128;  // of the sprite
inline constexpr Rect kHull = {68, 104, 0, 0};              // takes the damage
inline constexpr Rect kSpinalGun = {10, 98, 7, -3};         // the barrel along the hull

// The spinal gun's muzzle: straight-down bullets leave from here.
inline constexpr std::int32_t kGunDX = 7, kGunDY = 46;

// In firing order: the pairs from the wing tips inward, then the bow pair.
inline constexpr Muzzle kMuzzles[] = {
    {-84, 10, 118}, {84, 10, 62},  // wing tips, out and down
    {-50, 26, 104}, {50, 26, 76},  // inner wing guns
    {-22, 48, 126}, {22, 48, 54},  // bow guns, wide
};

}  // namespace boss07

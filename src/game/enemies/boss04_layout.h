// Where the stage-4 boss carries its three guns, shared by the class and the
// art generator, so that the picture's gun wells and the weak points cannot
// drift apart.
#pragma once

#include <array>
#include <cstdint>

namespace boss04 {

struct GunPlace {
    std::int32_t dx, dy;  // centre of the 40x40 weak point from the body's centre
};

// Port, starboard, then the rear gun: also the order in which they first
// fire. The two forward guns sit either side of the keep, so the ship must
// leave the middle to hurt them; none sits low on the hull, where its ring
// would start on top of the ship.
constexpr std::array<GunPlace, 3> kGuns = {{{-38, 4}, {38, 4}, {0, -26}}};
// The keep between the forward guns (its picture blocks shots as the hull does).
constexpr GunPlace kKeep = {0, 26};
constexpr std::int32_t kGunSize = 40;
constexpr std::int32_t kBodyWidth = 128, kBodyHeight = 96;

}  // namespace boss04

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

// Port, starboard, then the tail gun: also the order in which they first fire.
constexpr std::array<GunPlace, 3> kGuns = {{{-38, -10}, {38, -10}, {0, 26}}};
constexpr std::int32_t kGunSize = 40;
constexpr std::int32_t kBodyWidth = 128, kBodyHeight = 96;

}  // namespace boss04

// CEN021: the interceptor the stage-6 boss sends out. It flies 1.5 pixels a
// frame along its 8-way heading, turns one step toward the ship every
// TurnInterval frames and fires along its heading. It goes up in smoke,
// unscored, once the boss is beaten.
#pragma once

#include "game/enemies/heading_flyer.h"

class CEN021 final : public CHeadingFlyer {
public:
    CEN021();

protected:
    void Fire() override { FireHeading(12, ep_.ShotSpeedAdd); }
};

// The boss's protocol: an interceptor at (x, y) heading `heading`, firing
// from its frame `first_shot` every `shot_interval` (rank-adjusted) and
// turning every `turn_interval`, created on object layer 4.
void SpawnInterceptor(double x, double y, std::int32_t heading, std::int32_t first_shot, std::int32_t shot_interval,
                      std::int32_t turn_interval);

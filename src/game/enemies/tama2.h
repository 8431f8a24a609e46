// CTama2: a bullet the player can shoot down. Flies like CTama in a 16-way
// direction, from g_TamaParam; Attack + 100 x rank are its hit points.
#pragma once

#include <cstdint>

#include "game/enemies/directed_tama.h"
#include "game/enemies/shootable.h"

class CTama2 : public CDirectedTama {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    std::int32_t HitPoints() const { return life_.hit_points; }

private:
    Shootable life_;
};

// CTama2: a bullet the player can shoot down. Flies like CTama in a 16-way
// direction, from g_TamaParam; Attack + 100 x rank are its hit points.
#pragma once

#include <cstdint>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"
#include "game/enemies/shootable.h"

class CTama2 : public GameObject {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    std::int32_t HitPoints() const { return life_.hit_points; }

private:
    TamaParam param_;
    Shootable life_;
    std::int32_t frame_ = 0;
    double x_ = 0, y_ = 0;
    CQ7Pos draw_, hit_;
};

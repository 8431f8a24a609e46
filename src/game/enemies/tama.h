// CTama: the standard enemy bullet, flying in a 16-way direction.
//
// Created from g_TamaParam (FireTama fills it). An option that touches a
// reflectable bullet turns it into a new player-owned CTama flying the
// opposite way, drawn with the next sprite and with a box 4 pixels larger,
// which hurts the first enemy it meets with the record's Attack.
#pragma once

#include <cstdint>

#include "game/enemies/directed_tama.h"

class CTama : public CDirectedTama {
public:
    static constexpr int kReflectedLayer = 27;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for tests.
    bool Reflected() const { return param_.Reflected != 0; }
    std::int32_t Sprite() const { return sprite_; }

private:
    bool EnemyStep();
    bool ReflectedStep();

    std::int32_t sprite_ = 0;
    CQ7Pos damage_;
};

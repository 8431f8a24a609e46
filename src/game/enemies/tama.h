// CTama: the standard enemy bullet, flying in a 16-way direction.
//
// Created from g_TamaParam (FireTama fills it). An option that touches a
// reflectable bullet turns it into a new player-owned CTama flying the
// opposite way, drawn with the next sprite and with a box 4 pixels larger,
// which hurts the first enemy it meets with the record's Attack.
#pragma once

#include <cstdint>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"

class CTama : public GameObject {
public:
    static constexpr int kReflectedLayer = 27;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for tests.
    bool Reflected() const { return param_.Reflected != 0; }
    std::int32_t Sprite() const { return sprite_; }
    std::int32_t Dir() const { return param_.Dir; }
    double Speed() const { return param_.Speed; }
    const CQ7Pos& HitPos() const { return hit_; }

private:
    bool EnemyStep();
    bool ReflectedStep();
    bool DrawThisFrame() const { return frame_ % param_.DrawEvery == 0; }

    TamaParam param_;
    std::int32_t frame_ = 0;
    std::int32_t sprite_ = 0;
    double x_ = 0, y_ = 0;
    CQ7Pos draw_, hit_, damage_;
};

// CEN019: the heavy gunship of stages 5, 7 and 8, a 112x28 flying wing that
// sinks Mode / 100 pixels a frame. Its guns fire every ShotInterval (at least
// 40 after the rank, then halved), in a cycle of four: a fan of seven large
// bullets over 16-way 9 down to 3, an aimed pair from the wing guns, a fan
// over 15 and 0 to 5, another aimed pair. The hit flash costs it 2000. In
// stage 8 it also counts as an obstacle.
#pragma once

#include "game/enemies/enemy.h"

class CEN019 final : public CEnemy {
public:
    CEN019();
    std::int32_t Volley() const { return volley_; }

protected:
    void SetUp() override;
    void Move() override { y_ += vy_; }
    void Fire() override;
    void Register() const override;

private:
    double vy_ = 0;
    std::int32_t volley_ = 0;  // shots fired; the cycle step is this modulo 4
};

// CEN020: the heavy bomber of stages 5 and 7, a 32x88 hull with its engine
// flare below it. It weaves about its spawn X, Param9 pixels either way, a
// degree and a half a frame, while it sinks Mode / 100 pixels a frame; every
// ShotInterval (at least 40 after the rank) it drops a fan of seven large
// bullets, 16-way 1 to 7, from its nose. It goes up in seven smokes.
#pragma once

#include "game/enemies/enemy.h"

class CEN020 final : public CEnemy {
public:
    CEN020();

protected:
    void SetUp() override;
    void Move() override;
    void PlaceRects() override;
    void Fire() override;
    void Draw() override;
    void OnDestroyed() override;

private:
    double angle_ = 0;  // degrees
    CQ7Pos flare_;
};

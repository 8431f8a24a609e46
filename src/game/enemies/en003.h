// CEN003: the ground crawler. Its 24-image cycle advances every fourth frame;
// each time the cycle wraps it has crawled 12 pixels further along the
// ground, and its hit box sways with the image. Every ShotInterval it fires
// a fan of five bullets downward. On destruction it leaves a crater, painted
// into the scenery itself when Mode is non-zero.
#pragma once

#include "game/enemies/enemy.h"

class CEN003 final : public CEnemy {
public:
    static constexpr std::int32_t kImages = 24;

    CEN003();
    std::int32_t Image() const { return image_; }

protected:
    void SetUp() override;
    void Move() override;
    void PlaceRects() override;
    void Fire() override;
    void OnDestroyed() override;

private:
    std::int32_t image_ = 0;
};

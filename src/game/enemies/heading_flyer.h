// CHeadingFlyer: an air enemy that flies straight along its 8-way heading at
// a fixed speed, its sprite and shadow showing that heading (the stream
// fighter CEN025; the interceptor CEN021, which also turns).
#pragma once

#include "game/enemies/enemy.h"

class CHeadingFlyer : public CEnemy {
public:
    struct Look {
        std::int32_t sprite_base, shadow_base;
        std::int32_t hit_size;  // square hit box
        double speed;           // pixels a frame
    };

protected:
    CHeadingFlyer(const EnemyProfile& profile, const Look& look) : CEnemy(profile), look_(look) {}
    void SetUp() override;
    void Move() override;
    void Turn() override;

private:
    const Look& look_;
};

// CEN028: the missile walker of stage 8. One armoured hull striding along
// the ground (Mode / 10 pixels a frame faster than the scenery) with a
// launcher at each corner. Every ShotInterval it fires by turns: a salvo of
// four homing missiles (CENMissile), one from each launcher outward along
// its diagonal, then a pair of bullets (CTama5) from the front launchers
// straight at the ship. Hidden under obstacles like every ground enemy.
//
// Pictures: 4244 + step of its four-step gait; 4248 + step while the
// launcher hatches stand open after a salvo.
#pragma once

#include "game/enemies/enemy.h"

class CEN028 final : public CEnemy {
public:
    static constexpr std::int32_t kSprite = 4244;
    static constexpr std::int32_t kOpenHatches = 4;  // added to the picture after a salvo
    static constexpr std::int32_t kLayer = 6;

    CEN028();

protected:
    void SetUp() override;
    void Move() override;
    void Fire() override;
    void OnDestroyed() override;

private:
    std::int32_t shots_ = 0;
    std::int32_t hatch_frames_ = 0;  // frames the hatches still stand open
};

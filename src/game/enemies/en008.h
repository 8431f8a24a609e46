// CEN008: the missile launcher of stages 2 and 6, a 48x96 ground emplacement.
// It launches CEN009 missiles in bursts: its next launch comes 20 - rank
// frames after each of three launches and ShotInterval frames after the
// fourth, over and over from FirstShot. A launch happens only while the
// launcher's centre lies strictly between rows 2 and 218. Its hatches stand
// open for the 8 frames before and after each launch. It leaves a large
// wreck.
#pragma once

#include "game/enemies/enemy.h"

class CEN008 final : public CEnemy {
public:
    static constexpr std::int32_t kBurst = 4;  // launches per cycle

    CEN008();
    std::int32_t Launches() const { return launches_; }

protected:
    void SetUp() override;
    void Move() override;
    void Shoot() override;

private:
    std::int32_t launches_ = 0;  // scheduled launches so far, made or not
    std::int32_t last_launch_ = -1000;
};

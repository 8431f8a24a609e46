// CBoss03: the stage-3 boss, a heavy hovercraft monitor with a mortar
// battery amidships. It wakes at frame 9000 above the screen, comes down 0.3
// rows a frame until t = 420 (its centre on row 86) and then sways 60 pixels
// either side of the centre line. From t = 600, every 4 frames its battery
// lobs a shell (CTama3) from its muzzles toward a column it picks at random
// within 100 pixels of the ship, at least 41 pixels from the last one; the shell rises out of sight and
// falls down that column. A cycle runs over the steps 0 .. 20 - rank: a
// large, slow shell starts it, every fourth step throws a medium one and the
// rest small ones. The small ones fall through as bombs; the medium and large
// ones burst in the upper half of the screen into a ring of 16 shootable
// bullets, unless they are shot first.
#pragma once

#include "game/enemies/boss.h"

class CBoss03 final : public CBoss {
public:
    static constexpr std::int32_t kMinSpacing = 41;  // between two targets

    CBoss03();

    // Read-outs for tests.
    std::int32_t LastTarget() const { return last_target_; }

protected:
    std::int32_t StartHitPoints() const override { return 40000 * g_Rank + 400000; }
    void EntryMove(std::int32_t t) override;
    void FightMove(std::int32_t t) override;
    void Attack(std::int32_t t) override;

private:
    void Sway();
    std::int32_t PickTarget();

    double angle_ = 0;  // degrees
    std::int32_t step_ = 0;
    std::int32_t last_target_ = -1000;
};

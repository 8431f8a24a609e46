// The spawn routines of stage 5 that the shared ones do not cover.
//
// The fighters of the random rule fly straight down or straight up the
// screen; one that comes up from below is announced by a blinking marker at
// the bottom edge of its column for the second before it shows, so nothing
// rises onto the ship unseen.
#pragma once

#include <cstdint>

#include "core/game_object.h"
#include "core/q7_pos.h"
#include "game/stages/stage_script.h"

namespace stage5 {

// CEN016 of the random rule at centre x: up = True climbs from below the
// screen (after a warning), False dives from above it.
void Fighter(std::int32_t x, bool up);
// CEN029 of the random rule: a dive bomber falling from above at centre x.
void Diver(std::int32_t x);
// Script routine, CEN001 weaving fighter that fires a parting shot at the
// ship when it is shot down: x, y, mode, sway (sine amplitude), entry frames.
void Weaver(const ScriptArgs& a);
// Script routines, the heavies of the sky, whose large bullets fly faster
// than the rank's speed: CEN020 bomber (x, y, weave, mode, first shot,
// interval) and CEN019 gunship (x, y, mode, first shot, interval).
void Bomber(const ScriptArgs& a);
void Gunship(const ScriptArgs& a);
// Script routine: the 8-table of the shared random sequences back to its
// first entry (no arguments), so the serpent's choices repeat.
void ResetRnd8(const ScriptArgs& a);

// The marker of a fighter about to climb into view: it blinks at the bottom
// edge of the fighter's column until the fighter shows, then goes.
class CClimbWarning final : public GameObject {
public:
    static constexpr std::int32_t kFrames = 60;  // the time the fighter needs to show
    static constexpr std::int32_t kSprite = 155;  // 155..157: three frames of a rising chevron
    static constexpr std::int32_t kLayer = 30;

    explicit CClimbWarning(std::int32_t x) : x_(x) {}

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    std::int32_t X() const { return x_; }

private:
    std::int32_t x_ = 0;
    std::int32_t frame_ = 0;
    CQ7Pos pos_;
};

}  // namespace stage5

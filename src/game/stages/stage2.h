// CStage2: the second stage, "DUNE CITADEL". The open desert and its oasis
// outpost, the outer wall, the refinery with its missile launchers, the run
// up the highway, the city's streets, the plaza, the avenue to the citadel
// and, where the map ends, the fortress in the citadel's courtyard.
#pragma once

#include "game/stages/stage_base.h"

extern const StageDef kStage2;

class CStage2 final : public CStageBase {
public:
    CStage2() : CStageBase(kStage2) {}
};

namespace stage2 {
// The scroll speed's schedule: 0.2, raised to 0.4 for the run up the
// highway and lowered again, so that the map's top reaches the screen's top
// as the fortress, riding the map, ends its entry.
constexpr std::int32_t kRunFirst = 6000, kRunLast = 6675;
// The distance the map has scrolled after `frames` frames of this schedule.
double DistanceAfter(std::int32_t frames);
}  // namespace stage2

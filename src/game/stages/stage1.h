// CStage1: the first stage, "GREEN FRONTIER". River valley, the base, the
// airfield with the armoured ship, the hangars' tank column and the boss.
#pragma once

#include "game/stages/stage_base.h"

extern const StageDef kStage1;

class CStage1 final : public CStageBase {
public:
    CStage1() : CStageBase(kStage1) {}
};

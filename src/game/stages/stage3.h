// CStage3: the third stage, "IRON TIDE". The open sea and the enemy's fleet:
// fighter streams, amphibious carriers, frigates and armoured cruisers, the
// battleship's long passage in the middle, the landing ships with their
// tanks, the whole fleet at the end, then the mortar monitor.
#pragma once

#include "game/stages/stage_base.h"

extern const StageDef kStage3;

class CStage3 final : public CStageBase {
public:
    CStage3() : CStageBase(kStage3) {}
};

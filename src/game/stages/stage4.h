// CStage4: the fourth stage, "RED PLATEAU". A fortress laid in stone on a
// red plateau: shield domes over its guns and depots, bunkers, casemates that
// let out tanks, the outer gate, the avenue of obelisks, the keep's terrace
// and the war platform that guards it.
#pragma once

#include "game/stages/stage_base.h"

extern const StageDef kStage4;

class CStage4 final : public CStageBase {
public:
    CStage4() : CStageBase(kStage4) {}
};

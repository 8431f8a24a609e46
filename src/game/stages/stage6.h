// CStage6: the sixth stage, "STEEL HARBOUR", the enemy's naval base. The
// landward yards where turret carriers set down their guns, the building
// docks with two frigates, the battleship rolling out of the great dock
// while the scroll slows, the outer basin, the fortified quays with two
// cruisers and the submarine pens, the harbour mouth, and over the open sea
// the flying carrier.
#pragma once

#include "game/stages/stage_base.h"

extern const StageDef kStage6;

class CStage6 final : public CStageBase {
public:
    CStage6() : CStageBase(kStage6) {}
};

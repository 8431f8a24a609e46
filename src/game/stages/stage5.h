// CStage5: the fifth stage, "JET STREAM". High above a deck of clouds at
// full speed: fighter traffic up and down the sky, bomber flights and the
// gunship, the dive-bomber rain out of the cloud layer, and the serpent.
#pragma once

#include <cstdint>

#include "game/stages/stage_base.h"

extern const StageDef kStage5;

class CStage5 final : public CStageBase {
public:
    CStage5() : CStageBase(kStage5) {}

    // The column (0..15) the last fighter of the random rules took.
    std::int32_t LastColumn() const { return last_column_; }

protected:
    // The random rules: from 800 to 7499 a fighter every 25 frames, climbing
    // on the multiples of 50 and diving 25 frames later; from 7800 to 10199 a
    // dive bomber every 10 - rank \ 2 frames. Each takes a column (x =
    // column x 20 + 10) drawn from the shared 16-table, never the last one.
    void RunRules(std::int32_t count) override;

private:
    std::int32_t NextColumn();

    std::int32_t last_column_ = 0;
};

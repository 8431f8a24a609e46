// CStage7: the seventh stage. A run at full speed down the enemy's
// corridor of light toward its stronghold: fighter streams from every edge,
// bombers and gunship pairs in the first half, flying battleships with
// homing missiles in the second, and the gatekeeper at its end.
//
// Besides its table the stage runs three rules of its own on every scripted
// frame, in this order:
//   - from 1000 to 4999, every 200 frames a bomber (CEN020) in one of eight
//     columns, x = column x 40 + 20, the column drawn with Rnd16 \ 2 and
//     never one of the last two;
//   - in the same span, a gunship pair (CEN019) when Count mod 500 = 400;
//   - the spawn streams: from 700 to 10999, every 100 frames two different
//     entries, not the two of last time, get 6 more fighters.
#pragma once

#include <array>
#include <cstdint>

#include "game/stages/spawn_streams.h"
#include "game/stages/stage_base.h"

extern const StageDef kStage7;
extern const StreamSet kStage7Streams;

class CStage7 final : public CStageBase {
public:
    CStage7() : CStageBase(kStage7), streams_(kStage7Streams) {}

    const SpawnStreams& Streams() const { return streams_; }
    // The bomber columns drawn last and before that (-1 before the first).
    const std::array<std::int32_t, 2>& LastColumns() const { return last_columns_; }

protected:
    void RunRules(std::int32_t count) override;

private:
    std::int32_t NextColumn();

    SpawnStreams streams_;
    std::array<std::int32_t, 2> last_columns_{-1, -1};
};

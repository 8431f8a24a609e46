// CStage8: the last stage, "NEMESIS CORE". The enemy's stronghold: an armoured
// floor crossed by energy veins that pulse like a heart, quicker the nearer
// the core. Gun fortresses and missile walkers on the ground, gunships and
// motherships above, and fighter streams pouring in from the top and the
// sides all the way; the heart itself waits at the end.
//
// Besides its table the stage feeds eight spawn streams (entries 0..7, drawn
// with Rnd8, one fighter per fed entry every 16 frames, untouchable for 20):
//   multiples of 32 from 700 to 4399     one draw gets 1 shot
//   4600                                 every entry gets 48 (the swarm)
//   multiples of 32 from 5500 to 9599    one draw gets 1
//   multiples of 16 from 9600 to 9799    one draw gets 1
//   multiples of 8 from 9800 to 9899     one draw gets 1
//   multiples of 4 from 9900 to 9999     one draw gets 1
//   10000                                every entry gets 8
#pragma once

#include "game/stages/spawn_streams.h"
#include "game/stages/stage_base.h"

extern const StageDef kStage8;
extern const StreamSet kStage8Streams;

class CStage8 final : public CStageBase {
public:
    CStage8() : CStageBase(kStage8), streams_(kStage8Streams) {}

    const SpawnStreams& Streams() const { return streams_; }

protected:
    void RunRules(std::int32_t count) override;

private:
    SpawnStreams streams_;
};

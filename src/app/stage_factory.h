// The stage objects by stage number: 1..8 the stages, 9 the ending.
//
// An explicit table (stage_factory.cpp) rather than self-registration: the
// game is linked from static libraries, and a stage file nobody refers to
// would be dropped together with its registration.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "core/game_object.h"

using StageCreator = std::unique_ptr<GameObject> (*)();

struct StageEntry {
    int stage_no;
    StageCreator create;
};

// A new stage object for the number, or null when this build has none.
std::unique_ptr<GameObject> CreateStage(int stage_no);
// The stage numbers this build has (the table's, in its order).
std::vector<int> BuiltStages();

// Tests and tools put their own stages in place of the table; a creator that
// returns null falls back to the table. An empty function restores the table.
using StageFactoryOverride = std::function<std::unique_ptr<GameObject>(int stage_no)>;
void SetStageFactoryOverride(StageFactoryOverride factory);

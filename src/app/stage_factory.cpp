#include "app/stage_factory.h"

#include <utility>

#include "game/ending/ending.h"
#include "game/stages/stage1.h"
#include "game/stages/stage2.h"
#include "game/stages/stage3.h"
#include "game/stages/stage4.h"
#include "game/stages/stage5.h"
#include "game/stages/stage6.h"
#include "game/stages/stage7.h"
#include "game/stages/stage8.h"

namespace {

template <class T>
std::unique_ptr<GameObject> Make() {
    return std::make_unique<T>();
}

// One row per stage object: {stage number, Make<CStageN>}.
const StageEntry kStages[] = {
    {1, Make<CStage1>},
    {2, Make<CStage2>},
    {3, Make<CStage3>},
    {4, Make<CStage4>},
    {5, Make<CStage5>},
    {6, Make<CStage6>},
    {7, Make<CStage7>},
    {8, Make<CStage8>},
    {9, Make<CEnding>},
};

StageFactoryOverride g_override;

}  // namespace

std::unique_ptr<GameObject> CreateStage(int stage_no) {
    if (g_override) {
        if (auto stage = g_override(stage_no)) return stage;
    }
    for (const StageEntry& entry : kStages)
        if (entry.stage_no == stage_no && entry.create) return entry.create();
    return nullptr;
}

std::vector<int> BuiltStages() {
    std::vector<int> numbers;
    for (const StageEntry& entry : kStages) numbers.push_back(entry.stage_no);
    return numbers;
}

void SetStageFactoryOverride(StageFactoryOverride factory) { g_override = std::move(factory); }

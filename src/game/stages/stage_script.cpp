#include "game/stages/stage_script.h"

void RunScript(std::span<const ScriptEntry> script, std::int32_t count) {
    for (const ScriptEntry& e : script) {
        if (count < e.first || count > e.last) continue;
        switch (e.kind) {
        case ScriptEntry::Kind::Window:
            if (count % ScriptEntry::kWindowStep == 0) e.routine(e.args);
            break;
        case ScriptEntry::Kind::Frame:
            e.routine(e.args);
            break;
        case ScriptEntry::Kind::Setting: {
            const std::int32_t every = e.every > 0 ? e.every : 1;  // a step of 0 would divide by zero
            const std::int32_t k = (count - e.first) / every;
            if ((count - e.first) % every == 0) *e.target = (e.start_hundredths + k * e.step_hundredths) / 100.0;
            break;
        }
        }
    }
}

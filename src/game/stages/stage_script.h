// The stage script: a table of entries tested against the stage's frame
// count (Count) every frame, run by one small interpreter.
//
//   Window   on every frame of [first, last] whose Count is a multiple of 8,
//            call the routine (a stream of one enemy every 8 frames)
//   Frame    on Count == first, call the routine
//   Setting  on every `every`-th frame of [first, last], counted from first,
//            write start + k x step to a global (k = 0, 1, ...)
//
// Entries are tested in table order, so several entries on one frame run in
// the order written (move steps before the tank that reads them). A routine
// takes its arguments from a fixed array and reads them in its own order
// (x, y, mode ...); each routine documents its layout.
#pragma once

#include <array>
#include <cstdint>
#include <span>

using ScriptArgs = std::array<double, 6>;
using ScriptRoutine = void (*)(const ScriptArgs& args);

struct ScriptEntry {
    enum class Kind : std::uint8_t { Window, Frame, Setting };

    static constexpr std::int32_t kWindowStep = 8;

    Kind kind = Kind::Frame;
    std::int32_t first = 0, last = 0;  // Count range, both ends included
    std::int32_t every = 1;            // Setting: frames between two writes
    ScriptRoutine routine = nullptr;   // Window, Frame
    ScriptArgs args = {};
    double* target = nullptr;          // Setting
    // Setting values in hundredths, so 0.3, 0.4 ... come out exactly as written.
    std::int32_t start_hundredths = 0, step_hundredths = 0;
};

constexpr ScriptEntry Window(std::int32_t first, std::int32_t last, ScriptRoutine routine, ScriptArgs args) {
    return {.kind = ScriptEntry::Kind::Window, .first = first, .last = last, .routine = routine, .args = args};
}

constexpr ScriptEntry At(std::int32_t frame, ScriptRoutine routine, ScriptArgs args) {
    return {.kind = ScriptEntry::Kind::Frame, .first = frame, .last = frame, .routine = routine, .args = args};
}

constexpr ScriptEntry Ramp(std::int32_t first, std::int32_t last, std::int32_t every, double* target,
                           std::int32_t start_hundredths, std::int32_t step_hundredths) {
    return {.kind = ScriptEntry::Kind::Setting, .first = first, .last = last, .every = every, .target = target,
            .start_hundredths = start_hundredths, .step_hundredths = step_hundredths};
}

// Runs every entry due at this Count.
void RunScript(std::span<const ScriptEntry> script, std::int32_t count);

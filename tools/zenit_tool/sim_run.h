// Headless runs of the game for `zenit-tool sim` and `zenit-tool bench`:
// Main's game path on the headless back-end with a virtual clock, so it runs
// as fast as the machine allows and frame for frame as play would with the
// same pad input.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "input_script.h"

struct SimOptions {
    int stage = 1;             // --stage N: start at stage N with new-game values
    std::int64_t frames = -1;  // --frames F: stop after F frames in all (-1: run to the end)
    std::string input;         // --input FILE: pad script
    bool invincible = false;   // --invincible: g_NoDamage stays true
    bool autofire = false;     // --autofire: the attack button is held
    int power = -1;            // --power L: all four weapon levels after each stage's set-up
    std::string trace;         // --trace FILE: one JSON line per frame
    std::string frames_dir;    // --frames-dir DIR: presented frames as PNG
    int every = 1;             // --every K: every K-th presented frame
    bool stop_after_stage = false;  // the program ends with the first stage, as on Esc
};

inline constexpr const char* kSimOptionsUsage =
    "[--stage N] [--frames F] [--input FILE] [--invincible] [--autofire] [--power L] [--trace FILE] "
    "[--frames-dir DIR --every K]";

// Parses the options; on a bad one returns nothing and says why in `error`.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string* error);
// The same, printing the reason and the usage of `command` to stderr on a bad option.
std::optional<SimOptions> ParseSimOptionsOrExplain(const std::vector<std::string>& args, const char* command);

struct SimResult {
    int stage_no = 0;
    std::int64_t frames = 0;  // frames stepped
    int score = 0, lives = 0, rank = 0;
    std::vector<int> stage_frames;  // g_StageFrames, index = stage number 0..10
    std::string result_text;
    std::uint64_t hash = 0;    // last presented frame's pixels, score, lives and rank
    double wall_seconds = 0;   // real time the run took
    double cpu_seconds = 0;    // this thread's CPU time from the first frame to the end
};

// Runs the game; `bench` (optional) receives every frame's phase timings.
// Exit code 2 without playing when the pad script or an output cannot be used.
int RunSim(const SimOptions& options, SimResult& result,
           std::function<void(const FramePhaseTimes&)> bench = {});

// CPU time of the calling thread / of the whole process. Each reading is a
// system call (microseconds on some machines): not for every frame.
double ThreadCpuSeconds();
double ProcessCpuSeconds();

// The summary line: {"stage_no":..,"frames":..,...,"hash":"<16 hex digits>"}.
std::string SummaryJson(const SimResult& result);
// Text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

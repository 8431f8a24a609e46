// Headless runs of the game for `zenit-tool sim` and `zenit-tool bench`:
// Main's game path on the headless back-end with a virtual clock, so it runs
// as fast as the machine allows and frame for frame as play would with the
// same pad input.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "input_script.h"
#include "platform/i_headless.h"

struct SimOptions {
    int stage = 1;             // --stage N: start at stage N with new-game values
    int score = 0;             // --score S: ... and this score (a start past stage 1)
    std::int64_t frames = -1;  // --frames F: stop after F frames in all (-1: run to the end)
    std::string input;         // --input FILE: pad script
    bool invincible = false;   // --invincible: g_NoDamage stays true
    bool autofire = false;     // --autofire: the attack button is held
    int power = -1;            // --power L: all four weapon levels after each stage's set-up
    int rank = -1;             // --rank R: the rank (and what it sets) after each stage's own set-up
    std::string trace;         // --trace FILE: one JSON line per frame
    std::string frames_dir;    // --frames-dir DIR: presented frames as PNG
    int every = 1;             // --every K: every K-th presented frame
    // Also handed every K-th presented frame (callers that keep frames, not an option).
    std::function<void(const HeadlessFrame& frame)> frame_sink;
};

inline constexpr const char* kSimOptionsUsage =
    "[--stage N [--score S]] [--frames F] [--input FILE] [--invincible] [--autofire] [--power L] [--rank R] "
    "[--trace FILE] "
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
};

// Runs the game; `bench` (optional) receives every frame's phase timings.
// Exit code 2 without playing when the pad script or an output cannot be used.
int RunSim(const SimOptions& options, SimResult& result,
           std::function<void(const FramePhaseTimes&)> bench = {});

// Writes an RGB picture (0x00RRGGBB pixels) as PNG; false when it cannot.
bool WriteFramePng(const std::filesystem::path& file, const HeadlessFrame& frame);

// The summary line: {"stage_no":..,"frames":..,...,"hash":"<16 hex digits>"}.
std::string SummaryJson(const SimResult& result);
// Text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

// Headless runs of the game for `zenit-tool sim` and `zenit-tool bench`:
// Main's game path on the headless back-end with a virtual clock, so it runs
// as fast as the machine allows and frame for frame as play would with the
// same pad input.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/replay.h"
#include "input_script.h"
#include "platform/i_headless.h"

struct SimOptions {
    int stage = 1;             // --stage N: start at stage N with new-game values
    int score = 0;             // --score S: the score the run starts with (before a later stage's rank rule)
    std::int64_t frames = -1;  // --frames F: stop after F frames in all (-1: run to the end)
    std::string input;         // --input FILE: pad script
    bool invincible = false;   // --invincible: g_NoDamage stays true
    bool one_stage = false;    // --one-stage: the run stops when the stage it started with ends
    bool autofire = false;     // --autofire: the attack button is held
    int power = -1;            // --power L: all four weapon levels after each stage's set-up
    int rank = -1;             // --rank R: the rank (and what it sets) after each stage's own set-up
    std::string trace;         // --trace FILE: one JSON line per frame
    std::string frames_dir;    // --frames-dir DIR: presented frames as PNG
    int every = 1;             // --every K: every K-th presented frame
    bool bot = false;          // --bot: the autopilot plays
    std::string record;        // --record FILE: the run's input as a replay
    bool tallies = true;       // count what the run creates (no option: tests compare runs without)
    // Also handed every K-th presented frame (callers that keep frames, not an option).
    std::function<void(const HeadlessFrame& frame)> frame_sink;
    bool stop_after_stage = false;  // the program ends with the first stage, as on Esc
};

inline constexpr const char* kSimOptionsUsage =
    "[--stage N] [--one-stage] [--score S] [--frames F] [--input FILE] [--invincible] [--autofire] "
    "[--power L] [--rank R] [--trace FILE] [--frames-dir DIR --every K] [--bot] [--record FILE]";

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
    // Tallies (see tallies.h).
    std::map<std::string, int> spawned, destroyed;
    int hits = 0, peak_objects = 0, peak_enemy_bullets = 0;
    bool tallied = false;
    // Score and frames at the end of each stage played.
    std::vector<ReplayInfo::StageEnd> stage_ends;
    double cpu_seconds = 0;    // this thread's CPU time from the first frame to the end
};

// A whole file as it is ("" when it cannot be read).
std::string ReadTextFile(const std::string& path);

// The pad script given with --input, and what its "#" lines say when it is a
// replay. A file that cannot be used is reported on stderr: nothing.
struct PadInput {
    InputScript script;
    std::optional<ReplayInfo> replay;
};
std::optional<PadInput> LoadPadInput(const std::string& path);

// Runs the game; `bench` (optional) receives every frame's phase timings.
// Exit code 2 without playing when the pad script or an output cannot be used.
int RunSim(const SimOptions& options, SimResult& result,
           std::function<void(const FramePhaseTimes&)> bench = {});

// The options a replay's "# sim" line gives (those that change what is played).
std::string ReplayNote(const SimOptions& options);

// Writes an RGB picture (0x00RRGGBB pixels) as PNG; false when it cannot
// (and why in `error`, when given).
bool WriteFramePng(const std::filesystem::path& file, const HeadlessFrame& frame, std::string* error = nullptr);
// CPU time of the calling thread / of the whole process. Each reading is a
// system call (microseconds on some machines): not for every frame.
double ThreadCpuSeconds();
double ProcessCpuSeconds();

// The summary line: {"stage_no":..,"frames":..,...,"hash":"<16 hex digits>"}.
std::string SummaryJson(const SimResult& result);
// The tallies as summary fields: ,"spawned":{...},"destroyed":{...},"hits":N,
// "peak_objects":N,"peak_enemy_bullets":N (nothing for a run without tallies).
std::string TallyFields(const SimResult& result);
// Text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

// Replays: the pad input of a whole run, kept so that the run can be played
// again (zenit-tool sim --input, zenit-tool replay) and its scores checked.
//
// A replay is a pad script (run-length lines "frames  directions  buttons",
// one pad state per logic step, see tools/zenit_tool/input_script.h) whose
// first line marks it and whose "#" lines carry what a play-back needs:
//
//   # zenit replay 1
//   # recorded 2025-01-31 21:04:17
//   # buttons 0 1 2 3                    attack, power-up, pause, triple speed
//   # stage 1 score 123450 frames 13412  one line per finished stage
//   120 -
//   300 R 0
//   # pause at frame 2210 for 3400 ms
//   ...
//
// `# sim OPTIONS` (the options of a zenit-tool run that recorded it) and
// `# expect SUMMARY` (the summary a golden run must give) may follow the
// first line. The stage lines are rewritten into the header as each stage
// ends; the pad lines are appended as the run goes (at least once a second),
// so a file cut short by a crash still plays what it holds.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "platform/q7_directx7.h"

inline constexpr std::string_view kReplayMagic = "# zenit replay 1";
inline constexpr int kReplaysKept = 100;

// What a replay's "#" lines say.
struct ReplayInfo {
    struct StageEnd {
        int stage = 0;
        int score = 0;
        std::int64_t frames = 0;  // frames stepped in that stage
        bool operator==(const StageEnd&) const = default;
    };
    std::optional<std::array<int, 4>> buttons;  // attack, power-up, pause, triple speed
    std::vector<StageEnd> stages;
    std::string sim_options;  // after "# sim ", as written
    std::string expect;       // after "# expect ", as written
};

// Reads the "#" lines of a replay. Text that does not start with the magic
// line is a plain pad script: nothing. A replay line that cannot be read is
// reported as "line N: what is wrong" in `error` (then nothing as well).
std::optional<ReplayInfo> ParseReplayInfo(std::string_view text, std::string* error);

// The text with its stage and expect lines replaced by `info`'s, placed after
// the other header lines; everything else is kept as it was.
std::string RewriteReplayInfo(std::string_view text, const ReplayInfo& info);

// Where the game keeps its replays: $XDG_DATA_HOME/zenit/replays, else
// ~/.local/share/zenit/replays; empty when neither can be told.
std::filesystem::path DefaultReplayDirectory();

// A new file in `dir` named by the local date and time ("2025-01-31_21-04-17.replay"),
// after deleting the oldest replays there so that `keep` remain with it.
std::filesystem::path NewReplayPath(const std::filesystem::path& dir, int keep = kReplaysKept);

// Records the run into one replay file. It only reads: the pad each step
// used (the last GetPadButton of that step), the pauses, and the score and
// frame count at each stage's end. It never stops the game: a file that
// cannot be created or written just ends the recording, silently.
class ReplayRecorder {
public:
    // `file`: the replay (replaced); or `dir` and an empty file: a new dated
    // file there. `note` becomes a "# sim" line when not empty.
    ReplayRecorder(std::filesystem::path dir, std::filesystem::path file, std::string note);
    ~ReplayRecorder();
    ReplayRecorder(const ReplayRecorder&) = delete;
    ReplayRecorder& operator=(const ReplayRecorder&) = delete;

    // Adds the recorder to the frame loop's hooks (after what they already do).
    void Attach(FrameLoopHooks& hooks);

    // The file written (empty before the first stage or when none could be made).
    const std::filesystem::path& File() const { return file_; }
    bool Recording() const { return ok_; }

private:
    void StageSetUp();
    void AfterStep();
    void AfterFrame();
    void AfterStage(int stage_no);

    void Open();
    void EndRun();     // the held pad state goes into the body
    void Append();     // the body not yet in the file goes there
    void Rewrite();    // header and body as a new file in place of the old one
    std::string Header() const;

    std::filesystem::path dir_;
    std::filesystem::path file_;
    std::string note_;
    std::string recorded_;  // date and time of the first stage
    bool opened_ = false;
    bool ok_ = false;
    std::ofstream out_;

    std::vector<ReplayInfo::StageEnd> stages_;
    std::string body_;
    std::size_t written_ = 0;  // bytes of body_ in the file
    CQ7DirectX7::PadRead held_;
    std::int64_t held_frames_ = 0;
    std::uint64_t reads_seen_ = 0;
    std::int64_t frame_ = 0;  // steps recorded
    std::int64_t stage_frames_ = 0;
    std::int64_t since_append_ = 0;
    bool pausing_ = false;
    double pause_start_ms_ = 0;
};

// One pad state as a pad-script line: "300 R 0 3".
std::string PadLine(std::int64_t frames, const CQ7DirectX7::PadRead& pad);

// Pad scripts for headless runs: what the pad does, frame by frame.
//
// A text file of run-length lines. Each line is a frame count followed by
// what is held during those frames: directions as letters (L left, R right,
// U up, D down, in any order and case; "-" or nothing for none) and pressed
// pad buttons as numbers 0..31, separated by spaces. "#" starts a comment;
// blank lines are skipped. After the last line the pad is released.
//
//   # frames  held
//   120                 # wait for the stage intro
//   30   R    0         # right, button 0 (attack with the default settings)
//   15   UL   0 3       # up-left, attack and triple speed
//   1    -    2         # one frame of pause button
//
// Lines run one after another from the first frame of the run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PadState {
    bool left = false, right = false, up = false, down = false;
    std::uint32_t buttons = 0;  // bit n: button n pressed
    bool operator==(const PadState&) const = default;
};

class InputScript {
public:
    struct Run {
        int frames = 0;
        PadState pad;
    };

    // Parses the text; on a malformed line returns nothing and sets `error`
    // to "line N: what is wrong".
    static std::optional<InputScript> Parse(std::string_view text, std::string* error);
    // Reads and parses a file: LF, CR LF and CR line ends alike. Only a
    // regular file is read ("FILE: not a regular file", "FILE: <why it
    // cannot be read>" or "FILE:N: ..." in `error`).
    static std::optional<InputScript> Load(const std::string& path, std::string* error);

    // The pad at frame 0, 1, 2, ... of the run; released after the script.
    PadState At(std::int64_t frame) const;
    std::int64_t Length() const { return length_; }
    const std::vector<Run>& Runs() const { return runs_; }

private:
    std::vector<Run> runs_;
    std::vector<std::int64_t> ends_;  // frame after each run
    std::int64_t length_ = 0;
};

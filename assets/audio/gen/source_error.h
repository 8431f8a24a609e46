// An error in one of the audio source texts, reported as "file:line:col: message"
// so that the build stops with a message an editor can jump to.
#pragma once

#include <stdexcept>
#include <string>

struct SourcePos {
    int line = 0;
    int col = 0;
};

class SourceError : public std::runtime_error {
public:
    SourceError(const std::string& file, SourcePos pos, const std::string& message)
        : std::runtime_error(file + ":" + std::to_string(pos.line) + ":" + std::to_string(pos.col) + ": " + message) {}
};

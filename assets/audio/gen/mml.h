// The music notation: a compact MML-style text per song (assets/audio/music/
// <n>.mml, described in assets/audio/README.md), compiled to a standard MIDI
// file, format 1, 960 ticks per quarter note: a conductor track (tempo, time
// signature, loop markers) and one track per instrument.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kMmlDivision = 960;  // ticks per quarter note in the file

// Repeats and macros multiply what a short text plays ("[[[[c]999]999]999]999"
// is 58 bytes); past these bounds a song is a mistake, not music. The songs
// here have some 10000 events and play some 11000 commands.
struct MmlLimits {
    long events = 500000;  // MIDI events of all tracks together
    long steps = 2000000;  // commands and repeat or macro bodies played
};

// Compiles one song; throws SourceError ("file:line:col: message") on any fault.
std::vector<std::uint8_t> CompileMml(const std::string& text, const std::string& fileName, MmlLimits limits = {});

// The music notation: a compact MML-style text per song (assets/audio/music/
// <n>.mml, described in assets/audio/README.md), compiled to a standard MIDI
// file, format 1, 960 ticks per quarter note: a conductor track (tempo, time
// signature, loop markers) and one track per instrument.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kMmlDivision = 960;  // ticks per quarter note in the file

// Compiles one song; throws SourceError ("file:line:col: message") on any fault.
std::vector<std::uint8_t> CompileMml(const std::string& text, const std::string& fileName);

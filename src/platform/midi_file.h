// Standard MIDI file reader (formats 0 and 1).
//
// A file becomes one time-ordered list of channel and system-exclusive events
// with times in music units of 768 per quarter note, a tempo map, and the
// song's length (the latest end of any track). Files with a time-code division
// run at a fixed 120 beats per minute so that their seconds come out right.
// Anything malformed is refused with a reason; reading never loops on bad data.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

inline constexpr int kMusicUnitsPerQuarter = 768;
inline constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note (120 bpm)

struct MidiEvent {
    std::int64_t time = 0;       // music units from the start of the song
    std::uint8_t status = 0;     // 0x80..0xEF channel message, 0xF0 system exclusive
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::uint32_t sysex = 0;     // index into MidiSong::sysex for 0xF0
};

struct TempoPoint {
    std::int64_t time = 0;                   // music units
    std::uint32_t us_per_quarter = kDefaultTempo;
};

struct MidiSong {
    std::vector<MidiEvent> events;                   // sorted by time; same-time events keep file order
    std::vector<std::vector<std::uint8_t>> sysex;    // message bodies without the F0 and F7 framing
    std::vector<TempoPoint> tempo;                   // sorted, first entry at time 0
    std::int64_t length = 0;                         // music units
};

// Reads a standard MIDI file. Returns false (and a reason in `error`) for
// anything that is not a well-formed format 0 or 1 file.
bool ParseMidiFile(std::span<const std::uint8_t> bytes, MidiSong& out, std::string* error = nullptr);

// The tempo in force at `time`.
std::uint32_t TempoAt(const MidiSong& song, std::int64_t time);

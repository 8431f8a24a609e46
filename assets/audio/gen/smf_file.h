// Standard MIDI file encoding (format 1).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SmfEvent {
    long tick = 0;
    int order = 0;  // at the same tick: 0 note-offs, 1 settings and meta events, 2 note-ons
    std::vector<std::uint8_t> bytes;  // status byte and data, or FF type length data
};

struct SmfTrack {
    std::vector<SmfEvent> events;  // any order; sorted by (tick, order), stable
    long end = 0;                  // tick of the end-of-track event
};

SmfEvent SmfMeta(long tick, std::uint8_t type, const std::string& data);
std::vector<std::uint8_t> EncodeSmf(std::vector<SmfTrack> tracks, int division);

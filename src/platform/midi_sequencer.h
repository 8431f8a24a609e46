// Plays one MidiSong into a MIDI sink, sample-accurately.
//
// The audio thread asks the sequencer for the next stretch of samples with
// Step: it sends every event that is due, handles the loop jump and the end of
// the song, and says how many samples may be rendered before the next event.
// Besides the song position it keeps the performance's own music-time clock,
// which runs on (at the last tempo) while nothing plays; pause arithmetic is
// done against that clock.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/midi_file.h"

class MidiSink {
public:
    virtual ~MidiSink() = default;
    virtual void ShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;
    virtual void SysEx(std::span<const std::uint8_t> body) = 0;
};

// Music time advanced by audio frames, exactly: the fraction of a unit is kept
// as a remainder, so 5512500 frames at 480000 us per quarter are 200000 units.
class MusicClock {
public:
    void Reset(std::int64_t units, std::uint32_t us_per_quarter, int rate);
    void SetTempo(std::uint32_t us_per_quarter);
    void SetUnits(std::int64_t units) { units_ = units; }  // keeps the fraction
    void Advance(std::int64_t frames);
    std::int64_t Units() const { return units_; }
    std::uint32_t Tempo() const { return tempo_; }
    // Frames to advance until Units() reaches `target` (0 if it already has).
    std::int64_t FramesUntil(std::int64_t target) const;

private:
    std::int64_t units_ = 0;
    std::int64_t remainder_ = 0;  // in 1/den_ of a unit
    std::int64_t den_ = 44100LL * kDefaultTempo;
    std::uint32_t tempo_ = kDefaultTempo;
    int rate_ = 44100;
};

class MidiSequencer {
public:
    explicit MidiSequencer(int rate);

    // Starts `song` at music time `start`. The loop [loop_start, loop_end)
    // plays `repeats` more times (-1 for ever); loop points 0, 0 loop the whole
    // song. Controllers, programs and tempo set before `start` are sent first.
    void Start(const MidiSong* song, std::int64_t start, std::int64_t loop_start, std::int64_t loop_end,
               std::int32_t repeats, MidiSink* sink);
    // Stops at once; sounding notes get their note-off.
    void Stop(MidiSink* sink);

    bool Playing() const { return song_ != nullptr; }
    const MidiSong* Song() const { return song_; }
    std::int64_t Seek() const;  // position inside the song, music units
    std::int64_t PerformanceTime() const { return perf_.Units(); }

    // Sends the events due now and advances by the returned number of frames
    // (1..max_frames), up to the next event at most. `sink` may be null.
    int Step(int max_frames, MidiSink* sink);

private:
    void Send(const MidiEvent& ev, MidiSink* sink);
    void ReleaseNotes(MidiSink* sink);
    void SeekEvents(std::int64_t time);
    void SetTempo(std::uint32_t us);

    int rate_;
    const MidiSong* song_ = nullptr;
    MusicClock pos_;
    MusicClock perf_;
    std::size_t next_event_ = 0;
    std::size_t next_tempo_ = 0;
    bool loop_active_ = false;
    std::int64_t loop_start_ = 0;
    std::int64_t loop_end_ = 0;
    std::int32_t repeats_ = 0;
    std::array<std::array<std::uint8_t, 128>, 16> sounding_{};  // note-ons not yet matched by a note-off
};

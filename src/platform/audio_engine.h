// Everything the audio thread does: sound effects (Mixer) plus music
// (MidiSequencer into the FluidSynth synthesiser), rendered together as
// 16-bit stereo at 44 100 Hz.
//
// The back-end calls Render from its audio callback (SDL) or on demand
// (headless). Every other member is called by the game thread with the
// back-end's audio lock held, so the two never run at once.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/i_fluidsynth.h"
#include "platform/midi_sequencer.h"
#include "platform/mixer.h"

inline constexpr int kAudioRate = 44100;
inline constexpr int kMusicSlots = 257;  // segment ids 0..256

class AudioEngine {
public:
    AudioEngine();

    Mixer& Effects() { return effects_; }

    // Creates the synthesiser; without one, music still runs its clock and
    // events (so positions and pauses behave) but makes no sound.
    bool OpenSynth(const std::string& soundfont, std::string* error = nullptr);
    bool HasSynth() const { return synth_.IsOpen(); }

    // Installs song `id`; returns the old one for the caller to free outside
    // the lock. Replacing or removing the playing song stops it first.
    std::unique_ptr<MidiSong> SetSong(int id, std::unique_ptr<MidiSong> song);
    const MidiSong* Song(int id) const;

    // Plays song `id` from `start`; false when it is not loaded or `start`
    // lies beyond its end.
    bool StartSong(int id, std::int64_t start, std::int64_t loop_start, std::int64_t loop_end, std::int32_t repeats);
    void StopSong();
    // True while song `id` is the one playing.
    bool SongPlaying(int id) const;
    std::int64_t SongSeek() const { return sequencer_.Seek(); }
    std::int64_t PerformanceTime() const { return sequencer_.PerformanceTime(); }

    void GmReset() { synth_.Reset(); }
    // Hundredths of a decibel, relative to the synthesiser's usual level.
    void SetMusicVolume(int centibels);

    // Renders `frames` interleaved stereo frames. Without `out` the music and
    // effects only move on (a headless run that keeps no sound).
    void Render(std::int16_t* out, int frames);

private:
    static bool Valid(int id) { return id >= 0 && id < kMusicSlots; }

    static constexpr int kChunk = 512;
    Mixer effects_;
    FluidSynthDevice synth_;
    MidiSequencer sequencer_{kAudioRate};
    std::array<std::unique_ptr<MidiSong>, kMusicSlots> songs_;
    std::array<float, kChunk> left_{};
    std::array<float, kChunk> right_{};
};

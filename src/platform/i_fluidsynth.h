// The music synthesiser: FluidSynth with a General MIDI soundfont, created
// without an audio driver and rendered from our own audio callback.
#pragma once

#include <string>

#include "platform/midi_sequencer.h"

struct _fluid_synth_t;
struct _fluid_hashtable_t;

// Where Debian's timgm6mb-soundfont package puts its soundfont.
inline constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
// Master gain of the synthesiser (linear; FluidSynth's own default is 0.2). At
// 0.53 the songs, at their stages' master volumes, sit within a few decibels
// of the sound effects' level.
inline constexpr float kSynthBaseGain = 0.53f;

class FluidSynthDevice final : public MidiSink {
public:
    FluidSynthDevice() = default;
    ~FluidSynthDevice() override;
    FluidSynthDevice(const FluidSynthDevice&) = delete;
    FluidSynthDevice& operator=(const FluidSynthDevice&) = delete;

    // Creates the synth at `rate` and loads the soundfont; false when either fails.
    bool Open(const std::string& soundfont, int rate, std::string* error = nullptr);
    bool IsOpen() const { return synth_ != nullptr; }

    void ShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void SysEx(std::span<const std::uint8_t> body) override;

    // General MIDI reset: programs and controllers back to their defaults and
    // every voice silenced at once (not left to ring out).
    void Reset();
    void SetGain(float gain);
    // Overwrites `frames` samples of each channel.
    void Render(float* left, float* right, int frames);

private:
    _fluid_hashtable_t* settings_ = nullptr;  // fluid_settings_t
    _fluid_synth_t* synth_ = nullptr;
};

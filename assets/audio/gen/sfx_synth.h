// The sound-effect synthesiser: a few layers of oscillator or noise, each with
// an envelope, pitch glide, vibrato, tremolo, filters and drive, optionally
// retriggered as a note sequence or as a jittered burst train, mixed,
// faded and peak-normalised into 44 100 Hz mono samples.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kSfxRate = 44100;

enum class SfxWave { Sine, Triangle, Saw, Square, Noise, PitchedNoise };

// A value that may glide exponentially from `from` to `to` over `time`
// seconds from the start of its voice (time 0 = the voice's whole length).
struct SfxGlide {
    double from = 0;
    double to = 0;
    double time = 0;
    double At(double t, double voiceLength) const;
};

struct SfxNote {
    double semitones = 0;  // relative to the layer's frequency
    double duration = 0;   // seconds until the next note starts
    bool rest = false;
};

struct SfxLayer {
    SfxWave wave = SfxWave::Square;
    double start = 0;  // seconds after the effect's start
    double attack = 0.002, hold = 0.05, decay = 0.2;
    double curve = 1;  // decay shape: level = (1 - x)^curve
    double punch = 0;  // extra level at the start of hold, falling to 0 across it
    double level = 1;
    SfxGlide freq{440, 440, 0};
    SfxGlide duty{0.5, 0.5, 0};
    SfxGlide lowpass{0, 0, 0};  // 0 = off
    double resonance = 0;       // 0 .. 0.95
    double highpass = 0;        // Hz, 0 = off
    double vibratoDepth = 0, vibratoRate = 0;  // semitones, Hz
    double tremoloDepth = 0, tremoloRate = 0;  // 0..1, Hz
    double drive = 0;                          // tanh saturation amount, 0 = clean
    std::vector<SfxNote> notes;                // retriggered sequence; empty = one voice
    int repeat = 1;                            // burst train: copies every `repeatGap` s
    double repeatGap = 0;
    double jitter = 0;       // random extra delay of each copy after the first, seconds
    double pitchJitter = 0;  // random pitch offset of each copy, +/- semitones
    double repeatGain = 1;   // level factor from one copy to the next
};

struct SfxPreset {
    double length = 0.5;  // seconds
    double peakDb = -1;   // peak level after normalising, dBFS
    double fadeIn = 0.001, fadeOut = 0.01;
    bool loop = false;  // seamless loop: periodic rates snapped, no fades, steady-state pass
    std::uint32_t seed = 1;
    std::vector<SfxLayer> layers;
};

// Renders the effect as 16-bit samples, deterministic for a given preset.
std::vector<std::int16_t> RenderSfx(const SfxPreset& preset);

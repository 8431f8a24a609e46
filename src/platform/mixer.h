// The sound-effect mixer: one static buffer per effect id, each with its own
// play position, loop flag and volume, summed into the output.
//
// Not thread-safe by itself: the audio back-end calls Mix from its audio
// thread and every other member under the same audio lock.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/wave_file.h"

inline constexpr int kEffectSlots = 257;  // ids 0..256

// Volume in hundredths of a decibel (-10000..0) to linear gain.
float CentibelsToGain(int centibels);

class Mixer {
public:
    // Installs the sound of `id` (stopped, at its start); returns the old one so
    // that the caller frees it outside the audio lock.
    std::unique_ptr<EffectSound> SetSound(int id, std::unique_ptr<EffectSound> sound);
    bool HasSound(int id) const;

    void Play(int id, bool loop);     // from the start
    void Resume(int id, bool loop);   // from where it stopped
    void Stop(int id, bool rewind);
    void SetVolume(int id, int centibels);  // already clamped by the caller
    bool Playing(int id) const;
    int ActiveVoices() const;

    // Adds every playing effect into the two float channels (full scale 1.0).
    void Mix(float* left, float* right, int frames);
    // Moves every playing effect on by `frames` as Mix would, without sound
    // (nobody listens).
    void Advance(int frames);

private:
    struct Voice {
        std::unique_ptr<EffectSound> sound;
        std::size_t pos = 0;
        bool playing = false;
        bool loop = false;
        float gain = 1.0f;
    };
    static bool Valid(int id) { return id >= 0 && id < kEffectSlots; }
    std::array<Voice, kEffectSlots> voices_;
};

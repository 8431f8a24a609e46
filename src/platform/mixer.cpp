#include "platform/mixer.h"

#include <cmath>

float CentibelsToGain(int centibels) { return static_cast<float>(std::pow(10.0, centibels / 2000.0)); }

std::unique_ptr<EffectSound> Mixer::SetSound(int id, std::unique_ptr<EffectSound> sound) {
    if (!Valid(id)) return sound;
    Voice& v = voices_[id];
    std::swap(v.sound, sound);
    v.pos = 0;
    v.playing = false;
    return sound;
}

bool Mixer::HasSound(int id) const { return Valid(id) && voices_[id].sound != nullptr; }

void Mixer::Play(int id, bool loop) {
    if (!Valid(id)) return;
    voices_[id].pos = 0;
    Resume(id, loop);
}

void Mixer::Resume(int id, bool loop) {
    if (!Valid(id)) return;
    Voice& v = voices_[id];
    v.loop = loop;
    v.playing = v.sound && !v.sound->samples.empty();
    if (v.playing && v.pos >= v.sound->samples.size()) v.pos = 0;
}

void Mixer::Stop(int id, bool rewind) {
    if (!Valid(id)) return;
    voices_[id].playing = false;
    if (rewind) voices_[id].pos = 0;
}

void Mixer::SetVolume(int id, int centibels) {
    if (Valid(id)) voices_[id].gain = CentibelsToGain(centibels);
}

bool Mixer::Playing(int id) const { return Valid(id) && voices_[id].playing; }

int Mixer::ActiveVoices() const {
    int n = 0;
    for (const Voice& v : voices_) n += v.playing ? 1 : 0;
    return n;
}

void Mixer::Mix(float* left, float* right, int frames) {
    constexpr float kScale = 1.0f / 32768.0f;
    for (Voice& v : voices_) {
        if (!v.playing) continue;
        const std::int16_t* s = v.sound->samples.data();
        const std::size_t size = v.sound->samples.size();
        const float g = v.gain * kScale;
        for (int i = 0; i < frames; ++i) {
            const float x = s[v.pos] * g;
            left[i] += x;
            right[i] += x;
            if (++v.pos == size) {
                v.pos = 0;
                if (!v.loop) {
                    v.playing = false;
                    break;
                }
            }
        }
    }
}

void Mixer::Advance(int frames) {
    if (frames <= 0) return;
    const auto n = static_cast<std::size_t>(frames);
    for (Voice& v : voices_) {
        if (!v.playing) continue;
        const std::size_t size = v.sound->samples.size();
        if (v.pos + n < size) {
            v.pos += n;
        } else if (v.loop) {
            v.pos = (v.pos + n) % size;
        } else {
            v.pos = 0;  // played to its end, as Mix leaves it
            v.playing = false;
        }
    }
}

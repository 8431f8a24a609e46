#include "platform/audio_engine.h"

#include <algorithm>
#include <cmath>

namespace {

// Full scale 1.0 to a 16-bit sample, clipped.
std::int16_t ToSample(float x) {
    return static_cast<std::int16_t>(std::lrint(std::clamp(x * 32767.0f, -32768.0f, 32767.0f)));
}

}  // namespace

AudioEngine::AudioEngine() = default;

bool AudioEngine::OpenSynth(const std::string& soundfont, std::string* error) {
    return synth_.Open(soundfont, kAudioRate, error);
}

std::unique_ptr<MidiSong> AudioEngine::SetSong(int id, std::unique_ptr<MidiSong> song) {
    if (!Valid(id)) return song;
    if (songs_[id] && sequencer_.Song() == songs_[id].get()) StopSong();
    std::swap(songs_[id], song);
    return song;
}

const MidiSong* AudioEngine::Song(int id) const { return Valid(id) ? songs_[id].get() : nullptr; }

bool AudioEngine::StartSong(int id, std::int64_t start, std::int64_t loop_start, std::int64_t loop_end,
                            std::int32_t repeats) {
    const MidiSong* song = Song(id);
    if (!song || start < 0 || start > song->length) return false;
    sequencer_.Start(song, start, loop_start, loop_end, repeats, synth_.IsOpen() ? &synth_ : nullptr);
    return true;
}

void AudioEngine::StopSong() { sequencer_.Stop(synth_.IsOpen() ? &synth_ : nullptr); }

bool AudioEngine::SongPlaying(int id) const {
    const MidiSong* song = Song(id);
    return song && sequencer_.Song() == song;
}

void AudioEngine::SetMusicVolume(int centibels) { synth_.SetGain(kSynthBaseGain * CentibelsToGain(centibels)); }

void AudioEngine::Render(std::int16_t* out, int frames) {
    MidiSink* sink = synth_.IsOpen() ? &synth_ : nullptr;
    while (frames > 0) {
        const int n = std::min(frames, kChunk);
        for (int done = 0; done < n;) {
            const int m = sequencer_.Step(n - done, sink);
            // Without `out` nobody listens: the music moves on unsynthesised.
            if (out && sink) {
                synth_.Render(left_.data() + done, right_.data() + done, m);
            } else if (out) {
                std::fill_n(left_.data() + done, m, 0.0f);
                std::fill_n(right_.data() + done, m, 0.0f);
            }
            done += m;
        }
        frames -= n;
        if (!out) {
            effects_.Advance(n);
            continue;
        }
        effects_.Mix(left_.data(), right_.data(), n);
        for (int i = 0; i < n; ++i) {
            out[2 * i] = ToSample(left_[i]);
            out[2 * i + 1] = ToSample(right_[i]);
        }
        out += 2 * n;
    }
}

// Exporters for the game audio: every sound effect as wave/<n>.wav and every
// song as music/<n>.mid, byte for byte as the program carries them.
//
// With ZENIT_MUSIC_WAV=1 each song is also rendered to music/<n>.wav through
// the game's own sequencer and FluidSynth, at its stage's master volume: the
// intro, the loop body, and the loop played on for a few more bars past the
// seam so the jump can be heard. (It takes a few seconds per song, so it is
// asked for, not done by default.)
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/zenit02.h"
#include "core/resource_pack.h"
#include "platform/audio_engine.h"
#include "platform/i_fluidsynth.h"
#include "platform/midi_file.h"
#include "platform/midi_sequencer.h"
#include "platform/mixer.h"
#include "file_output.h"
#include "tool.h"

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kBarsPastSeam = 4 * 4 * kMusicUnitsPerQuarter;

// Loop points (music time) and master volume (hundredths of a decibel) each
// stage script sets for its song.
struct SongSetting {
    int id;
    std::int64_t loopStart, loopEnd;
    int masterVolume;
};
constexpr SongSetting kSongs[] = {
    {1, 6144, 184320, -250}, {2, 9216, 230400, -100}, {3, 6144, 239616, 0},
    {4, 6144, 159744, -300}, {5, 3072, 261120, -100}, {6, 9216, 156672, -100},
    {7, 6144, 135168, -400}, {8, 9216, 144384, -300}, {9, 9216, 119808, -200},
};

bool WriteFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::string error;
    if (WriteWholeFile(path, bytes, &error)) return true;
    std::fprintf(stderr, "export: cannot write %s\n", error.c_str());
    return false;
}

bool ExportResource(const char* type, int id, const fs::path& path) {
    auto data = FindResource(type, id);
    if (!data) {
        std::fprintf(stderr, "export: %s %d is missing\n", type, id);
        return false;
    }
    return WriteFile(path, *data);
}

// 16-bit stereo RIFF WAVE.
bool WriteStereoWave(const fs::path& path, const std::vector<std::int16_t>& interleaved) {
    std::vector<std::uint8_t> out;
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(t[i]));
    };
    const auto dataSize = static_cast<std::uint32_t>(interleaved.size() * 2);
    tag("RIFF");
    put(36 + dataSize, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);
    put(2, 2);
    put(kAudioRate, 4);
    put(kAudioRate * 4, 4);
    put(4, 2);
    put(16, 2);
    tag("data");
    put(dataSize, 4);
    for (std::int16_t s : interleaved) put(static_cast<std::uint16_t>(s), 2);
    return WriteFile(path, out);
}

bool RenderSong(const SongSetting& setting, const fs::path& path, FluidSynthDevice& synth) {
    auto data = FindResource("DMSEG", setting.id);
    MidiSong song;
    std::string error;
    if (!data || !ParseMidiFile(*data, song, &error)) {
        std::fprintf(stderr, "export: DMSEG %d does not read: %s\n", setting.id, error.c_str());
        return false;
    }
    synth.Reset();
    synth.SetGain(kSynthBaseGain * CentibelsToGain(setting.masterVolume));
    MidiSequencer sequencer(kAudioRate);
    sequencer.Start(&song, 0, setting.loopStart, setting.loopEnd, -1, &synth);
    std::vector<std::int16_t> pcm;
    std::vector<float> left(4096), right(4096);
    auto render = [&](int frames) {
        synth.Render(left.data(), right.data(), frames);
        for (int i = 0; i < frames; ++i)
            for (float s : {left[i], right[i]})
                pcm.push_back(static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)));
    };
    while (sequencer.PerformanceTime() < setting.loopEnd + kBarsPastSeam) render(sequencer.Step(4096, &synth));
    sequencer.Stop(&synth);
    for (int i = 0; i < 2 * kAudioRate / 4096; ++i) render(4096);  // let the notes ring out
    std::printf("export: music/%d.wav, %.1f s\n", setting.id, static_cast<double>(pcm.size()) / 2 / kAudioRate);
    return WriteStereoWave(path, pcm);
}

int ExportWaves(const fs::path& dir) {
    fs::create_directories(dir / "wave");
    int status = 0;
    for (int id = 1; id <= kSoundEffectCount; ++id)
        if (!ExportResource("WAVE", id, dir / "wave" / (std::to_string(id) + ".wav"))) status = 1;
    std::printf("export: %d sound effects\n", kSoundEffectCount);
    return status;
}

int ExportMusic(const fs::path& dir) {
    fs::create_directories(dir / "music");
    int status = 0;
    for (const SongSetting& song : kSongs)
        if (!ExportResource("DMSEG", song.id, dir / "music" / (std::to_string(song.id) + ".mid"))) status = 1;
    std::printf("export: %zu songs\n", std::size(kSongs));
    const char* env = std::getenv("ZENIT_MUSIC_WAV");
    if (!env || std::string(env) != "1") return status;
    FluidSynthDevice synth;
    std::string error;
    // ZENIT_SOUNDFONT renders with another soundfont (to compare them); by default
    // the one the game would choose.
    const char* font = std::getenv("ZENIT_SOUNDFONT");
    const std::string soundfont = font && *font ? font : kDefaultSoundFont;
    std::printf("export: music with %s\n", soundfont.c_str());
    if (!synth.Open(soundfont, kAudioRate, &error)) {
        std::fprintf(stderr, "export: no music synthesiser: %s\n", error.c_str());
        return 1;
    }
    for (const SongSetting& song : kSongs)
        if (!RenderSong(song, dir / "music" / (std::to_string(song.id) + ".wav"), synth)) status = 1;
    return status;
}

const ExporterRegistrar kWaves({"waves", ExportWaves});
const ExporterRegistrar kMusic({"music", ExportMusic});

}  // namespace

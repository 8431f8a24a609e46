// Platform costs: the audio callback's work (stage music through FluidSynth
// plus eight sound effects) and presenting one frame (palette conversion,
// texture upload, 2x scaling, present without waiting for vsync).
//
// The music is the build's own stage-1 song when the bench runs from a build
// tree that has generated it (res/DMSEG/1 next to the binary); otherwise a
// dense 16-channel test song. Run the present benchmark under Xvfb for the
// OpenGL renderer, or with SDL_VIDEODRIVER=dummy for the software one.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/audio_engine.h"
#include "platform/i_sdl_backend.h"
#include "platform/q7_directx7.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path BuildDir() { return std::filesystem::read_symlink("/proc/self/exe").parent_path(); }

// Sixteen channels of eighth-note chords at 150 bpm, drums on channel 10.
std::unique_ptr<MidiSong> DenseSong() {
    auto song = std::make_unique<MidiSong>();
    song->tempo.push_back({0, 400000});
    for (int ch = 0; ch < 16; ++ch)
        song->events.push_back({0, static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(ch * 7), 0, 0});
    for (std::int64_t t = 0; t < 768 * 64; t += 384) {
        for (int ch = 0; ch < 16; ++ch) {
            const auto key = static_cast<std::uint8_t>(ch == 9 ? 35 + (t / 384) % 12 : 40 + ch * 3 + (t / 384) % 5);
            song->events.push_back({t, static_cast<std::uint8_t>(0x90 | ch), key, 100, 0});
            song->events.push_back({t + 380, static_cast<std::uint8_t>(0x80 | ch), key, 0, 0});
        }
    }
    std::stable_sort(song->events.begin(), song->events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.time < b.time; });
    song->length = 768 * 64;
    return song;
}

void AudioCallbackWork(benchmark::State& state) {
    AudioEngine engine;
    if (!engine.OpenSynth(kDefaultSoundFont)) {
        state.SkipWithError("no soundfont");
        return;
    }
    auto song = std::make_unique<MidiSong>();
    const auto stage = ReadFile(BuildDir() / "res" / "DMSEG" / "1");
    const bool real_song = !stage.empty() && ParseMidiFile(stage, *song);
    if (!real_song) song = DenseSong();
    engine.SetSong(1, std::move(song));
    engine.SetMusicVolume(-250);
    engine.StartSong(1, 0, 0, 0, -1);
    // Eight looping effects (the game's own where the build has them).
    for (int id = 5; id < 13; ++id) {
        auto sound = std::make_unique<EffectSound>();
        const auto wave = ReadFile(BuildDir() / "res" / "WAVE" / std::to_string(id));
        if (wave.empty() || !ParseWave(wave, kAudioRate, *sound)) {
            // 64-bit: i * 7919 * id passes INT_MAX for the later ids.
            for (std::int64_t i = 0; i < kAudioRate; ++i)
                sound->samples.push_back(static_cast<std::int16_t>((i * 7919 * id) % 20000 - 10000));
        }
        engine.Effects().SetSound(id, std::move(sound));
        engine.Effects().Play(id, true);
    }
    std::vector<std::int16_t> buffer(512 * 2);
    std::int64_t frames = 0;
    for (auto _ : state) {
        engine.Render(buffer.data(), 512);  // one callback
        benchmark::DoNotOptimize(buffer.data());
        frames += 512;
    }
    state.counters["real_song"] = real_song;
    // Share of one core: seconds of work per second of sound.
    state.counters["core_share"] = benchmark::Counter(static_cast<double>(frames) / kAudioRate,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(AudioCallbackWork)->Unit(benchmark::kMicrosecond)->MinTime(3.0);

void PresentFrame(benchmark::State& state) {
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");  // measure the work, not the wait for the display
    SdlBackend& sdl = g_DX7.UseSdl();
    sdl.SetFullScreen(false);
    if (!g_DX7.DD_SetUP(nullptr, 640, 480, 8) || !g_DX7.DD_OFFSC_SetUP(320, 240)) {
        state.SkipWithError(g_DX7.LastError().c_str());
        return;
    }
    for (int i = 0; i < 256; ++i) g_DX7.DD_SetPaletteEntry(i, i * 0x010203);
    g_DX7.DD_PaletteSetUP();
    int pitch = 0;
    std::uint8_t* p = g_DX7.DD_Lock(pitch);
    for (int i = 0; i < pitch * 240; ++i) p[i] = static_cast<std::uint8_t>(i * 31);
    for (auto _ : state) {
        if (!g_DX7.DD_Flip()) state.SkipWithError(g_DX7.LastError().c_str());
        g_DX7.DoEvents();
    }
    g_DX7.UseHeadless();
}
BENCHMARK(PresentFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

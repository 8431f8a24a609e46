// SDL back-end: the audio device. Its callback renders the whole AudioEngine;
// the game thread reaches the engine only under SDL's device lock.
#include <string>

#include "platform/audio_engine.h"
#include "platform/i_sdl_backend.h"

namespace {
// 512 frames at 44 100 Hz: about 11.6 ms per buffer.
constexpr int kAudioBufferFrames = 512;
}  // namespace

void SdlBackend::AudioCallback(void* self, Uint8* stream, int len) {
    auto* b = static_cast<SdlBackend*>(self);
    const Uint64 start = SDL_GetPerformanceCounter();
    b->engine_->Render(reinterpret_cast<std::int16_t*>(stream), len / 4);
    b->callback_ticks_.fetch_add(SDL_GetPerformanceCounter() - start, std::memory_order_relaxed);
}

bool SdlBackend::OpenAudio(AudioEngine& engine) {
    CloseAudio();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return Fail(std::string("SDL audio: ") + SDL_GetError());
    audio_ = true;
    engine_ = &engine;
    SDL_AudioSpec want{};
    want.freq = kAudioRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kAudioBufferFrames;
    want.callback = &SdlBackend::AudioCallback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the device really takes.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        const std::string why = std::string("SDL audio device: ") + SDL_GetError();
        CloseAudio();
        return Fail(why);
    }
    audio_frames_ = have.samples;
    audio_open_ticks_ = SDL_GetPerformanceCounter();
    callback_ticks_ = 0;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlBackend::CloseAudio() {
    if (device_) SDL_CloseAudioDevice(device_);  // waits for a running callback
    device_ = 0;
    engine_ = nullptr;
    if (audio_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audio_ = false;
    }
}

void SdlBackend::LockAudio() {
    if (device_) SDL_LockAudioDevice(device_);
}

void SdlBackend::UnlockAudio() {
    if (device_) SDL_UnlockAudioDevice(device_);
}

double SdlBackend::AudioCallbackLoad() const {
    if (!device_) return 0.0;
    const Uint64 elapsed = SDL_GetPerformanceCounter() - audio_open_ticks_;
    return elapsed ? static_cast<double>(callback_ticks_.load(std::memory_order_relaxed)) / elapsed : 0.0;
}

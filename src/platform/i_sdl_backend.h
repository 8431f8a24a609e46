// The SDL2 back-end: a 640x480 game window (full-screen by default) showing
// the 320x240 frame scaled 2x with nearest-neighbour, the first joystick plus
// the keyboard as a pad, and one 44 100 Hz stereo audio device whose callback
// renders the AudioEngine (effects and FluidSynth music).
//
// Each SDL subsystem is initialised on its own when first needed and shut
// down when released, so another window (the settings dialog) may come and go
// before the game window opens; video is started through SdlVideoStart
// (i_sdl_display.h), never on an invisible driver unless one is asked for. Alt+Enter switches between window and full
// screen; nothing else changes.
#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "gfx/pixel_map.h"
#include "platform/i_backend.h"

class SdlBackend final : public PlatformBackend {
public:
    SdlBackend() = default;
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    const char* Name() const override { return "sdl"; }

    // Full screen (desktop resolution, integer scale, black borders) or a
    // window; the choice for the next OpenDisplay. Full screen by default.
    void SetFullScreen(bool full_screen) { want_full_screen_ = full_screen; }
    void ToggleFullScreen();
    bool IsFullScreen() const;
    SDL_Window* Window() const { return window_; }

    // Draws the last frame again and reads the renderer's output back
    // (0xAARRGGBB, w x h of the output), without presenting it.
    bool ReadBack(std::vector<std::uint32_t>& pixels, int& w, int& h);

    // Share of real time the audio callback spent working, since the device
    // opened (0..1); and the mean cost of one present in milliseconds.
    double AudioCallbackLoad() const;
    double MeanPresentMs() const;
    int AudioBufferFrames() const { return audio_frames_; }

    bool OpenDisplay(int width, int height) override;
    void CloseDisplay() override;
    bool PresentIndexed(const std::uint8_t* pixels, int pitch, int width, int height,
                        const std::uint32_t* palette) override;
    bool PresentAgain() override;
    bool PresentRgb(const std::uint32_t* pixels, int width, int height, int dest_w, int dest_h) override;
    void ShowCursor(bool shown) override;
    void PumpEvents(WindowEventSink* sink) override;

    bool OpenInput() override;
    void CloseInput() override;
    bool ReadPad(PadReading& pad) override;
    bool ReadKeyboard(KeyboardState& keys) override;

    bool OpenAudio(AudioEngine& engine) override;
    void CloseAudio() override;
    void LockAudio() override;
    void UnlockAudio() override;

    MsgBoxResult ShowMessage(std::string_view text, std::string_view title, MsgBoxStyle style) override;

private:
    bool OpenWindow(int width, int height, bool full_screen);
    bool EnsureTexture(int width, int height);
    bool Draw(int dest_w, int dest_h);
    bool Present(int dest_w, int dest_h);
    void OpenFirstPad();
    static void AudioCallback(void* self, Uint8* stream, int len);

    // Video
    bool video_ = false;
    bool want_full_screen_ = true;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int tex_w_ = 0, tex_h_ = 0;
    int dest_w_ = 0, dest_h_ = 0;
    PixelMap32 map_;  // the palette with an opaque alpha byte, as the texture takes it
    std::uint64_t present_ticks_ = 0;
    std::uint64_t presents_ = 0;

    // Input
    bool joystick_ = false;
    SDL_Joystick* pad_ = nullptr;
    bool pad_at_setup_ = false;  // a pad was attached when the input was opened

    // Audio
    bool audio_ = false;
    SDL_AudioDeviceID device_ = 0;
    AudioEngine* engine_ = nullptr;
    int audio_frames_ = 0;
    std::uint64_t audio_open_ticks_ = 0;
    std::atomic<std::uint64_t> callback_ticks_{0};
};

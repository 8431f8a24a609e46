// The back-end behind CQ7DirectX7: window and display, events, pad and
// keyboard, audio device and message boxes. Two implementations: SDL2 for
// play (i_sdl_*.cpp) and a headless one for tests and tool runs
// (i_headless.cpp). The wrapper keeps the game-facing rules; a back-end only
// moves pixels, samples and input states.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/message_box.h"

class AudioEngine;

inline constexpr int kMaxPadButtons = 128;

// One reading of "the pad", in the terms the game was written for: axes
// already snapped to 0..10000 (only the end stops 0 and 10000 count as a
// direction), digital directions from the keyboard pad or a hat, and button
// state bytes with the high bit (0x80) set while pressed.
struct PadReading {
    int axis_x = 5000;
    int axis_y = 5000;
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
    int button_count = 0;  // as the device reports it; may exceed 32
    std::array<std::uint8_t, kMaxPadButtons> buttons{};
};

// Keyboard state indexed by DirectInput key code (0x01 Esc, 0xCB Left, ...);
// the high bit (0x80) is set while the key is down.
using KeyboardState = std::array<std::uint8_t, 256>;

// Receives the main window's events from DoEvents. Key codes are Windows
// virtual-key codes (Esc 27, Space 32, PageUp 33, PageDown 34, 'C' 67 ...).
class WindowEventSink {
public:
    virtual ~WindowEventSink() = default;
    virtual void OnKeyDown(int vk, bool ctrl, bool shift, bool alt) { (void)vk, (void)ctrl, (void)shift, (void)alt; }
    virtual void OnMouseDown() {}
    virtual void OnActivate() {}
    virtual void OnDeactivate() {}
    virtual void OnPaint() {}
    virtual void OnClose() {}
};

// Sound and music operations, as recorded by the headless back-end.
enum class AudioOp : std::uint8_t {
    DS_LoadRes, DS_Play, DS_Stop, DS_PauseIn, DS_PauseOut, DS_SetVolume,
    DM_LoadRes, DM_UnLoad, DM_SetLoop, DM_Play, DM_Stop, DM_PauseIn, DM_PauseOut, DM_SetMasterVolume, DM_GM_Reset,
};
const char* AudioOpName(AudioOp op);

class PlatformBackend {
public:
    virtual ~PlatformBackend() = default;
    virtual const char* Name() const = 0;
    // Why the last Open* call failed.
    const std::string& LastError() const { return last_error_; }

    // Display: a window of the given size showing frames scaled to fill it.
    virtual bool OpenDisplay(int width, int height) = 0;
    virtual void CloseDisplay() = 0;
    // An 8-bit frame through a palette of 0x00RRGGBB colours, stretched to the
    // display size.
    virtual bool PresentIndexed(const std::uint8_t* pixels, int pitch, int width, int height,
                                const std::uint32_t* palette) = 0;
    // Shows the frame on display once more (the second page of a flip).
    virtual bool PresentAgain() = 0;
    // True when the back-end keeps the 8-bit frames it is given: they must
    // then be the display surface's own bytes, not pixels still to be remapped.
    virtual bool KeepsIndices() const { return false; }
    // A 32-bit 0x00RRGGBB frame stretched to dest_w x dest_h (the window path;
    // opens a window of that size when there is none).
    virtual bool PresentRgb(const std::uint32_t* pixels, int width, int height, int dest_w, int dest_h) = 0;
    virtual void ShowCursor(bool shown) = 0;
    // Delivers pending window events to `sink` (may be null: they are dropped).
    virtual void PumpEvents(WindowEventSink* sink) = 0;

    // Input: OpenInput tells whether a pad can be read.
    virtual bool OpenInput() = 0;
    virtual void CloseInput() = 0;
    virtual bool ReadPad(PadReading& pad) = 0;           // false: nothing could be read
    virtual bool ReadKeyboard(KeyboardState& keys) = 0;  // false: nothing could be read

    // Audio: the engine is rendered by the back-end (callback or on demand);
    // the game thread touches it only between LockAudio and UnlockAudio.
    virtual bool OpenAudio(AudioEngine& engine) = 0;
    virtual void CloseAudio() = 0;
    virtual void LockAudio() = 0;
    virtual void UnlockAudio() = 0;
    // False when nobody will hear the music, so no synthesiser is needed.
    virtual bool WantsSynth() const { return true; }
    virtual void RecordAudioCall(AudioOp op, int id, int value) { (void)op, (void)id, (void)value; }
    virtual void SetEventFrame(int frame) { (void)frame; }

    virtual MsgBoxResult ShowMessage(std::string_view text, std::string_view title, MsgBoxStyle style) = 0;

protected:
    bool Fail(std::string why) {
        last_error_ = std::move(why);
        return false;
    }
    std::string last_error_;
};

// Holds the audio lock for a scope.
class AudioLock {
public:
    explicit AudioLock(PlatformBackend& b) : b_(b) { b_.LockAudio(); }
    ~AudioLock() { b_.UnlockAudio(); }
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;

private:
    PlatformBackend& b_;
};

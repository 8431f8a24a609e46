// The headless back-end: no window, no devices. Frames are kept in memory,
// input comes from a script, window events from a queue, and sound and music
// calls are recorded with the frame tag the program sets each frame.
//
// Audio time follows the clock in use (GetClock()): before every sound or
// music call, and on SyncAudio, the engine is run up to "now", so with a
// VirtualClock the music moves exactly with the game's own waits (a newly
// installed clock carries on from the time reached, never from zero). With
// SetCaptureAudio(true) (before the audio set-up) the output, music
// synthesised through FluidSynth included, is kept for inspection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/pixel_map.h"
#include "platform/i_backend.h"

struct HeadlessFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;  // kept only with SetKeepIndices(true), and not by the window path
    std::vector<std::uint32_t> rgb;     // 0x00RRGGBB, width x height
};

struct AudioCallRecord {
    AudioOp op;
    int id;
    int value;  // play flags, volume, loop start ...; 0 where the call has none
    int frame;  // the tag set with SetEventFrame
};

struct MessageRecord {
    std::string text;
    std::string title;
    MsgBoxStyle style;
};

class HeadlessBackend final : public PlatformBackend {
public:
    const char* Name() const override { return "headless"; }

    // ---- Script (set by the test or the tool) ----
    // The pad exactly as GetPadButton shall return it.
    void SetPadState(bool left, bool right, bool up, bool down, std::uint32_t buttons);
    // A raw reading (axes on 0..10000, any button count).
    void SetPad(const PadReading& pad) { pad_ = pad; }
    // Whether DI_SetUP finds a pad.
    void SetPadPresent(bool present) { pad_present_ = present; }
    void SetKey(int dik, bool down) { keys_[static_cast<std::uint8_t>(dik)] = down ? 0x80 : 0; }
    void QueueKeyDown(int vk, bool ctrl = false, bool shift = false, bool alt = false);
    void QueueMouseDown();
    void QueueActivate();
    void QueueDeactivate();
    void QueuePaint();
    void QueueClose();
    void SetCaptureAudio(bool capture) { capture_ = capture; }
    // Keep each 8-bit frame's palette indices (LastFrame().indices) besides
    // its colours; off by default, as it costs a copy of every frame.
    void SetKeepIndices(bool keep) { keep_indices_ = keep; }

    // ---- Observations ----
    bool DisplayOpen() const { return display_open_; }
    int DisplayWidth() const { return display_w_; }
    int DisplayHeight() const { return display_h_; }
    int PresentCount() const { return presents_; }
    const HeadlessFrame& LastFrame() const { return frame_; }
    // FNV-1a over the last frame's 0x00RRGGBB pixels (0 before any frame).
    std::uint64_t FrameHash() const;
    // Writes the last frame as a 24-bit BMP.
    bool WriteBmp(const std::string& path) const;
    bool CursorShown() const { return cursor_shown_; }
    int CursorCalls() const { return cursor_calls_; }
    const std::vector<AudioCallRecord>& AudioCalls() const { return calls_; }
    void ClearAudioCalls() { calls_.clear(); }
    const std::vector<MessageRecord>& Messages() const { return messages_; }
    // Runs the audio up to the clock's present time.
    void SyncAudio();
    // Interleaved stereo 16-bit at 44 100 Hz since the audio set-up (only with capture).
    const std::vector<std::int16_t>& CapturedAudio() const { return captured_; }
    void ClearCapturedAudio() { captured_.clear(); }
    std::int64_t AudioFrames() const { return rendered_; }
    int CurrentFrameTag() const { return frame_tag_; }

    // ---- PlatformBackend ----
    bool OpenDisplay(int width, int height) override;
    void CloseDisplay() override { display_open_ = false; }
    bool PresentIndexed(const std::uint8_t* pixels, int pitch, int width, int height,
                        const std::uint32_t* palette) override;
    bool PresentAgain() override;
    bool KeepsIndices() const override { return keep_indices_; }
    bool PresentRgb(const std::uint32_t* pixels, int width, int height, int dest_w, int dest_h) override;
    void ShowCursor(bool shown) override;
    void PumpEvents(WindowEventSink* sink) override;
    bool OpenInput() override { return pad_present_; }
    void CloseInput() override {}
    bool ReadPad(PadReading& pad) override;
    bool ReadKeyboard(KeyboardState& keys) override;
    bool OpenAudio(AudioEngine& engine) override;
    void CloseAudio() override;
    void LockAudio() override { SyncAudio(); }
    void UnlockAudio() override {}
    bool WantsSynth() const override { return capture_; }
    void RecordAudioCall(AudioOp op, int id, int value) override;
    void SetEventFrame(int frame) override { frame_tag_ = frame; }
    MsgBoxResult ShowMessage(std::string_view text, std::string_view title, MsgBoxStyle style) override;

private:
    enum class EventKind { Key, Mouse, Activate, Deactivate, Paint, Close };
    struct QueuedEvent {
        EventKind kind;
        int vk = 0;
        bool ctrl = false, shift = false, alt = false;
    };

    bool display_open_ = false;
    int display_w_ = 0, display_h_ = 0;
    int presents_ = 0;
    HeadlessFrame frame_;
    bool keep_indices_ = false;
    PixelMap32 map_;
    bool cursor_shown_ = true;
    int cursor_calls_ = 0;

    bool pad_present_ = true;
    PadReading pad_;
    KeyboardState keys_{};
    std::vector<QueuedEvent> events_;

    AudioEngine* engine_ = nullptr;
    bool capture_ = false;
    const void* clock_ = nullptr;  // the clock audio time follows (compared, never read)
    std::int64_t clock_base_ = 0;
    std::int64_t rendered_ = 0;
    std::vector<std::int16_t> captured_;
    std::vector<AudioCallRecord> calls_;
    int frame_tag_ = 0;
    std::vector<MessageRecord> messages_;
};

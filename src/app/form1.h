// Form1: the main window. It owns the game display, takes the window's key
// events and runs the frame loop of one stage at a time (RunStage).
//
// There is one thread. RunStage runs inside the Timer1 tick and keeps the
// window alive by calling Yield() once per frame and inside every wait, so
// key, paint and activation events arrive between frames; they only set
// flags, change the effect volume or show the current frame again.
//
// The window timer is emulated on the program's clock: Run() pumps events
// and sleeps until Timer1 is due, so with a VirtualClock a headless run goes
// through the very same loop as play, only without real waiting.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/i_backend.h"

// Microseconds spent in each phase of one frame (bench runs only).
struct FramePhaseTimes {
    double step_us = 0;     // g_ObjectPack.Call_Events
    double draw_us = 0;     // g_DDBPack.Blt
    double present_us = 0;  // mapping into the display surface and the flip
    bool presented = false; // false for a late frame, which is not drawn
};

// Where a tool or test looks into the frame loop. Every hook is optional.
struct FrameLoopHooks {
    // After the stage object's own set-up (Call_Initial), before its first frame.
    std::function<void()> after_stage_setup;
    // Before each frame's step. Returning false ends the frame loop at once;
    // the program then ends after this stage, with g_StageNo left as it is.
    std::function<bool()> before_step;
    // After the objects' step of each frame, before a pause it asked for.
    std::function<void()> after_step;
    // After each presentation of a frame (also the pause's and a repaint's).
    std::function<void()> after_present;
    // At the end of each pass of the frame loop: stepped, and drawn if on time.
    std::function<void()> after_frame;
    // When a stage's frame loop has ended (its statistics are stored): the
    // stage number it ran.
    std::function<void(int stage_no)> after_stage;
    // Phase timings of every frame, taken with the real clock. Only a bench
    // installs this, so play and headless runs never read real time.
    std::function<void(const FramePhaseTimes&)> bench;
};

// Writes text to the system clipboard; true when it got there.
using ClipboardWriter = std::function<bool(const std::string& text)>;

class Form1 final : public WindowEventSink {
public:
    static constexpr int kTimer1IntervalMs = 1000;

    // ---- Window lifecycle ----
    // Load: painting size 640 x 480, not started. The window itself appears
    // with the display set-up (DD_SetUP); the events come here from Show on.
    void Load();
    // Becomes the receiver of the window's events and is activated.
    void Show();
    // Releases g_DX7 (display, input, sound); the program then ends.
    void Unload();
    bool Loaded() const { return loaded_; }
    // The window's message loop: handles events and runs Timer1 when due,
    // until the window is unloaded.
    void Run();

    // ---- Events ----
    void OnKeyDown(int vk, bool ctrl, bool shift, bool alt) override;
    void OnMouseDown() override;
    void OnActivate() override;
    void OnDeactivate() override;
    void OnPaint() override;
    // Closing the window ends the program the way Esc does.
    void OnClose() override;
    void Timer1_Timer();

    // ---- The frame loop ----
    // Runs the stage g_StageNo from set-up to its end (see form1.cpp).
    void RunStage();
    // Windowed presentation: the back screen 1:1, or stretched to the painting size.
    void PaintWindow();

    void SetHooks(FrameLoopHooks hooks) { hooks_ = std::move(hooks); }
    const FrameLoopHooks& Hooks() const { return hooks_; }
    // Replaces the clipboard (tests); an empty writer restores the system's.
    void SetClipboardWriter(ClipboardWriter writer) { clipboard_ = std::move(writer); }

    bool Started() const { return started_; }
    bool Timer1Enabled() const { return timer1_enabled_; }
    int PaintWidth() const { return paint_width_; }
    int PaintHeight() const { return paint_height_; }
    void SetPaintSize(int width, int height) { paint_width_ = width, paint_height_ = height; }
    // Frames stepped since the window was loaded, over all stages (the tag
    // of recorded sound calls).
    int TotalFrames() const { return total_frames_; }

private:
    void EnableTimer1();
    // Draws the queued frame and shows it; with the hit-flash rule only layers
    // 36..39 are drawn while g_HitFlash runs.
    void PresentFrame(bool hit_flash_rule);
    // Shows the back screen as it is (lock, map, unlock, flip; or the window path).
    void ShowBackScreen();
    void PauseSequence();
    void CopyResultToClipboard();

    bool loaded_ = false;
    bool started_ = false;
    bool timer1_enabled_ = false;
    double timer1_due_ms_ = 0;
    int paint_width_ = 640;
    int paint_height_ = 480;
    int total_frames_ = 0;
    FrameLoopHooks hooks_;
    ClipboardWriter clipboard_;
};

extern Form1 g_Form1;

// Step 6 and 7 of a stage's start: the back screen and presentation buffers
// for the 640 x 480 display and, on the 8-bit full-screen display, the
// identity index map and the display palette from g_Palette.
void SetUpStageDisplay();
// The hit-flash rule: while g_HitFlash runs, the queues of layers 0..35 are
// emptied so only layers 36..39 are drawn.
void ApplyHitFlashRule();
// Shows sprite 0 as it is now on the full-screen display (lock, map, unlock,
// flip); a display failure ends the program with its message.
void ShowBackScreenFullScreen();

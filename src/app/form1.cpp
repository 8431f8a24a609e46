#include "app/form1.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "app/q7_timer.h"
#include "app/stage_factory.h"
#include "app/zenit02.h"
#include "core/clock.h"
#include "core/message_box.h"
#include "core/q7_objectpack.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "platform/q7_directx7.h"

Form1 g_Form1;

namespace {

constexpr int kVkEscape = 27;
constexpr int kVkSpace = 32;
constexpr int kVkPageUp = 33;
constexpr int kVkPageDown = 34;
constexpr int kVkC = 67;

constexpr int kLateRunForResync = 10;   // late frames in a row before one is forced out
constexpr int kMaxPausesPerStage = 50;  // more in one stage ends the program after it
constexpr int kMaxResyncsPerStage = 50;
constexpr int kFlashLayers = 36;        // layers 0..35 are hidden during the hit flash

// A display operation that fails while the display is in use ends the
// program with the operation's name and the platform's reason.
void CheckDisplay(bool ok, const char* operation) {
    if (!ok && g_DX7.DD_Enabled && g_DX7.DDReady())
        FatalError(std::string(operation) + ": " + g_DX7.LastError());
}

bool SystemClipboard(const std::string& text) { return SDL_SetClipboardText(text.c_str()) == 0; }

// Real-time stopwatch for the bench's phase timings.
class Stopwatch {
public:
    explicit Stopwatch(bool on) : on_(on) {
        if (on_) start_ = std::chrono::steady_clock::now();
    }
    double ElapsedUs() const {
        if (!on_) return 0;
        return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    bool on_;
    std::chrono::steady_clock::time_point start_;
};

// Per-frame timings handed to the bench hook.
FramePhaseTimes g_phase;

}  // namespace

void SetUpStageDisplay() {
    g_DDBPack.BGSetUp(320, 240, 640, 480, 0, 0);
    if (g_FullScreen && ScreenColorBit == 8) {
        for (int i = 0; i < 256; ++i) {
            PalIndex8[i] = static_cast<std::uint8_t>(i);
            g_DX7.DD_SetPaletteEntry(i, g_Palette.GetColor32(i));
        }
        g_DX7.DD_PaletteSetUP();
    }
}

void ApplyHitFlashRule() {
    if (g_HitFlash > 0)
        for (int layer = 0; layer < kFlashLayers; ++layer) g_DDBPack.BltClear(layer);
}

void ShowBackScreenFullScreen() {
    // An 8-bit display shows the back screen in one pass (see FlipFrame): the
    // same picture as the lock, DirectBlt, unlock and flip below.
    const CQ7Spritedata& back = g_DDBPack.GetSprite(0).DT;
    if (g_DDBPack.SetUpDone() && ScreenColorBit == 8 && back.IsSet()) {
        const auto* pixels = reinterpret_cast<const std::uint8_t*>(back.PixelWords());
        CheckDisplay(g_DX7.FlipFrame(pixels, back.Width(), back.Width(), back.Height()), "DD_Flip");
        return;
    }
    int pitch = 0;
    if (std::uint8_t* surface = g_DX7.DD_Lock(pitch)) g_DDBPack.DirectBlt(surface, pitch);
    g_DX7.DD_UnLock();
    CheckDisplay(g_DX7.DD_Flip(), "DD_Flip");
}

// ---- Window lifecycle ----------------------------------------------------------

void Form1::Load() {
    paint_width_ = 640;
    paint_height_ = 480;
    started_ = false;
    timer1_enabled_ = false;
    total_frames_ = 0;
    loaded_ = true;
}

void Form1::Show() {
    g_DX7.SetEventSink(this);
    OnActivate();
}

void Form1::Unload() {
    if (!loaded_) return;
    loaded_ = false;
    timer1_enabled_ = false;
    g_DX7.SetEventSink(nullptr);
    g_DX7.Release();
}

void Form1::Run() {
    while (loaded_) {
        Yield();
        if (!loaded_) break;
        if (timer1_enabled_) {
            double wait = timer1_due_ms_ - ClockMs();
            if (wait <= 0) {
                Timer1_Timer();
                continue;
            }
            SleepMs(std::clamp(static_cast<int>(wait + 0.999), 1, 10));
        } else {
            SleepMs(10);
        }
    }
}

void Form1::EnableTimer1() {
    timer1_enabled_ = true;
    timer1_due_ms_ = ClockMs() + kTimer1IntervalMs;
}

// ---- Events ------------------------------------------------------------------------

void Form1::OnKeyDown(int vk, bool ctrl, bool shift, bool alt) {
    switch (vk) {
    case kVkEscape:
        g_StageEnd = true;
        g_StageNo = 10;
        break;
    case kVkSpace:
        break;
    case kVkPageUp:
        VolumeUp();
        break;
    case kVkPageDown:
        VolumeDown();
        break;
    case kVkC:
        if (ctrl && !shift && !alt) CopyResultToClipboard();
        break;
    default:
        break;
    }
}

void Form1::CopyResultToClipboard() {
    if (!g_ResultReady) return;
    if (clipboard_)
        clipboard_(g_ResultText);
    else
        SystemClipboard(g_ResultText);
}

void Form1::OnMouseDown() { g_DX7.SetCursor(false); }

void Form1::OnActivate() {
    if (started_) return;
    started_ = true;
    EnableTimer1();
    g_DX7.SetCursor(false);
}

void Form1::OnDeactivate() { g_DX7.SetCursor(true); }

void Form1::OnPaint() {
    if (g_Paused) {
        ShowBackScreen();
        if (hooks_.after_present) hooks_.after_present();
    } else if (!started_) {
        OnActivate();
    }
}

void Form1::OnClose() {
    g_StageEnd = true;
    g_StageNo = 10;
}

void Form1::Timer1_Timer() {
    timer1_enabled_ = false;
    RunStage();
}

// ---- Presentation ----------------------------------------------------------------

void Form1::PaintWindow() {
    if (paint_width_ == 320 && paint_height_ == 240)
        g_DDBPack.BGBlt();
    else
        g_DDBPack.BGstrBlt(paint_width_, paint_height_);
}

void Form1::ShowBackScreen() {
    if (g_FullScreen)
        ShowBackScreenFullScreen();
    else
        PaintWindow();
}

void Form1::PresentFrame(bool hit_flash_rule) {
    if (hit_flash_rule) ApplyHitFlashRule();
    bool timed = static_cast<bool>(hooks_.bench);
    Stopwatch draw(timed);
    g_DDBPack.Blt();
    g_phase.draw_us += draw.ElapsedUs();
    Stopwatch present(timed);
    ShowBackScreen();
    g_phase.present_us += present.ElapsedUs();
    g_phase.presented = true;
    if (hooks_.after_present) hooks_.after_present();
}

// ---- Pause ---------------------------------------------------------------------------

void Form1::PauseSequence() {
    // Both display pages show the paused frame.
    PresentFrame(false);
    if (g_FullScreen) CheckDisplay(g_DX7.DD_Flip(), "DD_Flip");
    g_FrameCount += 1;
    g_DDBPack.BltClear(-1);

    g_DX7.DM_PauseIn();
    g_DX7.DS_Play(4, 0);
    SleepMs(500);
    g_PauseCount += 1;

    while (g_Paused) {
        if (g_StageEnd) break;
        SleepMs(100);
        std::int32_t left = 0, right = 0, up = 0, down = 0;
        g_DX7.GetPadButton(left, right, up, down);
        if (g_PauseButton >= 0 && g_PauseButton < 32 && g_PadButtons[g_PauseButton] == 1) g_Paused = false;
        Yield();
    }
    if (!g_StageEnd) {
        g_DX7.DS_Play(4, 0);
        SleepMs(200);
        g_DX7.DM_PauseOut();
    } else {
        g_DX7.DM_Stop(-1);
    }
    g_Timer.StartTimer();
}

// ---- The stage run -------------------------------------------------------------------

void Form1::RunStage() {
    // 1. Nothing in the game draws from a general-purpose random generator
    //    (every random choice comes from g_Angle's fixed sequences), so there
    //    is nothing to re-seed here; that is also what keeps runs repeatable.
    g_StageEnd = false;
    g_ObjectPack.Call_Initial();
    const int pauses_at_start = g_PauseCount;

    // 2. The effect volume of the current level on all 13 effects.
    const int volume = g_SeVolLevel == 3 ? 0 : g_SeVolLevel == 2 ? -1000 : g_SeVolLevel == 1 ? -2000 : 0;
    if (g_SeVolLevel >= 1 && g_SeVolLevel <= 3)
        for (int i = 1; i <= kSoundEffectCount; ++i) g_DX7.DS_Set_Volume(i, volume);

    // 3. The stage object is the first object of the stepping order.
    g_StageSlot = g_ObjectPack.NewObject(1, VB_TRUE);

    // 4. The volume chosen in the settings, applied at the first stage.
    if (g_StageNo == 1) {
        if (g_InitVol == 3) VolumeUp();
        if (g_InitVol == 1) VolumeDown();
    }

    // 5. The stage object.
    if (g_StageNo == 10) {
        Unload();
        return;
    }
    std::unique_ptr<GameObject> stage = CreateStage(g_StageNo);
    if (!stage) {
        g_ObjectPack.DeleteObject(g_StageSlot);
        ShowMessageBox("Stage " + std::to_string(g_StageNo) + " is not part of this build yet; the game ends here.");
        Unload();
        return;
    }
    g_ObjectPack.GetCQ7Object(g_StageSlot).Ob = std::move(stage);
    g_ObjectPack.GetCQ7Object(g_StageSlot).Call_Initial();
    if (hooks_.after_stage_setup) hooks_.after_stage_setup();

    // 6, 7. Back screen, presentation buffers and display palette.
    SleepMs(100);
    SetUpStageDisplay();

    // 8. Counters.
    int expected_tick = 0;
    int frames_updated = 0;
    int late_frames = 0;
    int late_run = 0;
    int resyncs = 0;
    g_FrameCount = 0;
    g_Timer.StartTimer();

    // 9. One step per tick; late frames are stepped but not drawn.
    const int stage_no = g_StageNo;
    bool stopped = false;
    while (!g_StageEnd) {
        if (hooks_.before_step && !hooks_.before_step()) {
            stopped = true;
            break;
        }
        g_phase = FramePhaseTimes{};
        g_DX7.SetEventFrame(total_frames_);
        g_DDBPack.BltClear(-1);
        Stopwatch step(static_cast<bool>(hooks_.bench));
        g_ObjectPack.Call_Events();
        g_phase.step_us = step.ElapsedUs();
        frames_updated += 1;
        total_frames_ += 1;
        if (hooks_.after_step) hooks_.after_step();

        if (g_Paused) {
            PauseSequence();
            expected_tick = 0;
        }

        // Wait for the tick in 1 ms polls, but sleep through the part that is
        // sure to pass first: the loop ends at the very same poll, without
        // waking the program (and the window) sixteen times a frame.
        int tick = g_Timer.GetCount();
        while (tick < expected_tick) {
            SleepMs(std::max(1, g_Timer.WholeMsBefore(expected_tick)));
            tick = g_Timer.GetCount();
            Yield();
        }
        if (tick == expected_tick) {
            PresentFrame(true);
            g_FrameCount += 1;
            late_run = 0;
        } else {
            late_frames += 1;
            late_run += 1;
            if (late_run == kLateRunForResync) {
                PresentFrame(true);
                g_FrameCount += 1;
                resyncs += 1;
                g_Timer.StartTimer();
                late_run = 0;
                expected_tick = -1;
            }
        }
        expected_tick += 1;
        if (hooks_.bench) hooks_.bench(g_phase);
        if (hooks_.after_frame) hooks_.after_frame();
        Yield();
    }

    // 10. Statistics of the stage just played (the ending sums them).
    if (stage_no >= 0 && stage_no <= 10) {
        g_StageFrames[stage_no] = frames_updated;
        g_StageLate[stage_no] = late_frames;
        g_StageResyncs[stage_no] = resyncs;
    }
    if (hooks_.after_stage) hooks_.after_stage(stage_no);

    if (stopped || !loaded_) {
        Unload();
        return;
    }
    // 11. A stage that needed too many pauses or re-syncs is the last one.
    if (g_PauseCount - pauses_at_start > kMaxPausesPerStage || resyncs > kMaxResyncsPerStage) g_StageNo = 10;

    // 12. The next stage (or the end) one second from now.
    EnableTimer1();
}

#include "platform/q7_directx7.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/clock.h"
#include "core/message_box.h"
#include "core/resource_pack.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "platform/i_headless.h"
#include "platform/test_media.h"

using test_media::Midi;
using test_media::Track;
using test_media::Wave;

namespace {

// 480000 us per quarter: 768 music units take 21168 frames at 44 100 Hz.
constexpr std::uint32_t kTempo = 480000;

std::vector<std::uint8_t> LongSong() {
    Track t;
    t.Tempo(0, kTempo).Program(0, 0, 0);
    for (int q = 0; q < 250; ++q) t.On(0, 0, 60).Off(960, 0, 60);
    t.End();
    return Midi(1, 960, {t});  // 250 quarters = 192000 units
}

const std::vector<std::uint8_t>& Pack() {
    static const std::vector<std::uint8_t> pack = BuildResourcePack({
        {"WAVE", "5", Wave(std::vector<std::int16_t>(4410, 1000))},   // 0.1 s
        {"WAVE", "6", Wave(std::vector<std::int16_t>(44100, 100))},   // 1 s
        {"WAVE", "9", {'R', 'I', 'F', 'F', 1, 2, 3}},
        {"DMSEG", "1", LongSong()},
        {"DMSEG", "2", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1}},
    });
    return pack;
}

class DirectX7Test : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock(&clock_);
        SetResourcePack(Pack().data(), Pack().size());
        hl_ = &g_DX7.UseHeadless();
    }
    void TearDown() override {
        g_DX7.UseHeadless();  // drop everything while the clock is still ours
        SetClock(nullptr);
    }
    void AdvanceFrames(std::int64_t frames) { clock_.AdvanceNs(frames * 1'000'000'000 / 44100); }

    VirtualClock clock_;
    HeadlessBackend* hl_ = nullptr;
};

}  // namespace

// ---- Display ----

TEST_F(DirectX7Test, LockGivesNothingUntilBothSurfacesExist) {
    int w = 77;
    EXPECT_EQ(g_DX7.DD_Lock(w), nullptr);
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8));
    EXPECT_EQ(g_DX7.DD_Lock(w), nullptr);
    EXPECT_EQ(w, 77);
    ASSERT_TRUE(g_DX7.DD_OFFSC_SetUP(320, 240));
    EXPECT_NE(g_DX7.DD_Lock(w), nullptr);
    EXPECT_EQ(w, 320);
}

TEST_F(DirectX7Test, FlipShowsTheFrameThroughTheDisplayPalette) {
    hl_->SetKeepIndices(true);
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8));
    ASSERT_TRUE(g_DX7.DD_OFFSC_SetUP(320, 240));
    // Colour values carry red in the low byte.
    g_DX7.DD_SetPaletteEntry(1, 0x0000FF);
    g_DX7.DD_SetPaletteEntry(2, 0x00FF00);
    g_DX7.DD_SetPaletteEntry(3, 0x123456);
    g_DX7.DD_PaletteSetUP();
    int pitch = 0;
    std::uint8_t* p = g_DX7.DD_Lock(pitch);
    ASSERT_NE(p, nullptr);
    p[0] = 1;
    p[1] = 2;
    p[pitch * 239 + 319] = 3;
    g_DX7.DD_UnLock();
    // Entries stored after DD_PaletteSetUP wait for the next one.
    g_DX7.DD_SetPaletteEntry(1, 0xFFFFFF);
    ASSERT_TRUE(g_DX7.DD_Flip());

    const HeadlessFrame& f = hl_->LastFrame();
    ASSERT_EQ(f.width, 320);
    ASSERT_EQ(f.height, 240);
    EXPECT_EQ(f.rgb[0], 0xFF0000u);
    EXPECT_EQ(f.rgb[1], 0x00FF00u);
    EXPECT_EQ(f.rgb[2], 0x000000u);
    EXPECT_EQ(f.rgb[320 * 240 - 1], 0x563412u);
    EXPECT_EQ(f.indices[320 * 240 - 1], 3);
    EXPECT_EQ(hl_->DisplayWidth(), 640);
    EXPECT_NE(hl_->FrameHash(), 0u);
}

TEST_F(DirectX7Test, SetUpTwiceGivesTheScreenBackInBetween) {
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8));
    ASSERT_TRUE(g_DX7.DD_OFFSC_SetUP(320, 240));
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8));
    int w = 0;
    EXPECT_EQ(g_DX7.DD_Lock(w), nullptr);  // the old surface went with the old set-up
    EXPECT_TRUE(g_DX7.DDReady());
    g_DX7.DD_SetDown();
    EXPECT_FALSE(hl_->DisplayOpen());
    EXPECT_FALSE(g_DX7.DDReady());
}

TEST_F(DirectX7Test, DisabledDisplayStoresAndShowsNothing) {
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8));
    ASSERT_TRUE(g_DX7.DD_OFFSC_SetUP(320, 240));
    g_DX7.DD_Enabled = false;
    g_DX7.DD_SetPaletteEntry(0, 0xFFFFFF);
    int w = 5;
    EXPECT_EQ(g_DX7.DD_Lock(w), nullptr);
    EXPECT_TRUE(g_DX7.DD_Flip());
    EXPECT_EQ(hl_->PresentCount(), 0);
    g_DX7.DD_Enabled = true;
    g_DX7.DD_PaletteSetUP();
    ASSERT_TRUE(g_DX7.DD_Flip());
    EXPECT_EQ(hl_->LastFrame().rgb[0], 0u);
}

TEST_F(DirectX7Test, CursorCallsThePlatformOnlyOnAChange) {
    g_DX7.SetCursor(false);
    g_DX7.SetCursor(false);
    EXPECT_EQ(hl_->CursorCalls(), 1);
    EXPECT_FALSE(hl_->CursorShown());
    g_DX7.SetCursor(true);
    EXPECT_EQ(hl_->CursorCalls(), 2);
    EXPECT_TRUE(hl_->CursorShown());
    g_DX7.SetCursor(false);
    g_DX7.Release();  // releasing the wrapper shows it again
    EXPECT_TRUE(hl_->CursorShown());
}

TEST_F(DirectX7Test, WindowPathShowsTheMappedFrame) {
    std::vector<std::uint32_t> frame(320 * 240, 0xFF123456u);
    ASSERT_TRUE(g_DX7.PresentWindow(frame.data(), 320, 240, 640, 480));
    EXPECT_TRUE(hl_->DisplayOpen());
    EXPECT_EQ(hl_->LastFrame().rgb[100], 0x123456u);
    EXPECT_TRUE(hl_->LastFrame().indices.empty());
}

TEST_F(DirectX7Test, SpritePackFramesReachTheScreenByBothPaths) {
    // Window path: BGstrBlt hands the mapped frame to the presenter we install.
    EXPECT_EQ(g_DisplayBitsPerPixel, 32);
    g_DDBPack.BGSetUp(320, 240, 640, 480, 0, 0);
    g_DDBPack.Cls(true);
    g_DDBPack.BGstrBlt();
    ASSERT_EQ(hl_->PresentCount(), 1);
    EXPECT_EQ(hl_->DisplayWidth(), 640);
    EXPECT_EQ(hl_->LastFrame().rgb[0], 0xFFFFFFu);

    // Full screen: an 8-bit display, the palette loaded index for index.
    hl_->SetKeepIndices(true);
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8));
    ASSERT_TRUE(g_DX7.DD_OFFSC_SetUP(320, 240));
    EXPECT_EQ(g_DisplayBitsPerPixel, 8);
    g_DDBPack.BGSetUp(320, 240, 640, 480, 0, 0);
    for (int i = 0; i < 256; ++i) {
        PalIndex8[i] = static_cast<std::uint8_t>(i);
        g_DX7.DD_SetPaletteEntry(i, g_Palette.GetColor32(i));
    }
    g_DX7.DD_PaletteSetUP();
    g_DDBPack.Cls(true);
    int pitch = 0;
    std::uint8_t* surface = g_DX7.DD_Lock(pitch);
    g_DDBPack.DirectBlt(surface, pitch);
    g_DX7.DD_UnLock();
    ASSERT_TRUE(g_DX7.DD_Flip());
    EXPECT_EQ(hl_->LastFrame().indices[0], 255);
    EXPECT_EQ(hl_->LastFrame().rgb[320 * 240 - 1], 0xFFFFFFu);
    g_DX7.DD_SetDown();
    EXPECT_EQ(g_DisplayBitsPerPixel, 32);
}

TEST_F(DirectX7Test, FlipFrameShowsWhatLockDirectBltUnlockAndFlipShow) {
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8));
    ASSERT_TRUE(g_DX7.DD_OFFSC_SetUP(320, 240));
    g_DDBPack.BGSetUp(320, 240, 640, 480, 0, 0);
    CQ7Spritedata& back = g_DDBPack.GetSprite(0).DT;
    for (int i = 0; i < 76800; ++i) back.SetPixelData(i % 320, i / 320, (i * 7 + i / 320) % 256);
    back.SetPixelData(5, 1, 30);
    const int at30 = 320 + 5;
    for (int i = 0; i < 256; ++i) {
        PalIndex8[i] = static_cast<std::uint8_t>(i);
        g_DX7.DD_SetPaletteEntry(i, i * 0x010307);
    }
    g_DX7.DD_PaletteSetUP();
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(back.PixelWords());
    auto through_surface = [&] {
        int pitch = 0;
        std::uint8_t* surface = g_DX7.DD_Lock(pitch);
        g_DDBPack.DirectBlt(surface, pitch);
        g_DX7.DD_UnLock();
        EXPECT_TRUE(g_DX7.DD_Flip());
        return hl_->LastFrame().rgb;
    };
    auto one_pass = [&] {
        EXPECT_TRUE(g_DX7.FlipFrame(pixels, 320, 320, 240));
        return hl_->LastFrame().rgb;
    };
    // Identity map; a cycled index table; a new display palette: the folded
    // lookup follows each change.
    EXPECT_EQ(one_pass(), through_surface());
    for (int i = 30; i < 46; ++i) PalIndex8[i] = static_cast<std::uint8_t>(i == 45 ? 30 : i + 1);
    EXPECT_EQ(one_pass(), through_surface());
    g_DX7.DD_SetPaletteEntry(31, 0xABCDEF);
    g_DX7.DD_PaletteSetUP();
    const std::vector<std::uint32_t> shown = one_pass();
    EXPECT_EQ(shown, through_surface());
    EXPECT_EQ(shown[at30], 0xEFCDABu);  // a pixel of 30 shows entry PalIndex8[30] = 31

    // The pause's second flip shows the frame on display again, even though
    // the surface holds an older one.
    back.SetPixelData(0, 0, 1);
    one_pass();
    const int presents = hl_->PresentCount();
    ASSERT_TRUE(g_DX7.DD_Flip());
    EXPECT_EQ(hl_->PresentCount(), presents + 1);
    EXPECT_EQ(hl_->LastFrame().rgb[0], 0x070301u);

    // A back-end that keeps the 8-bit frame gets the surface's bytes.
    hl_->SetKeepIndices(true);
    one_pass();
    EXPECT_EQ(hl_->LastFrame().indices[at30], 31);
    EXPECT_EQ(hl_->LastFrame().rgb, through_surface());
}

// ---- Window events ----

TEST_F(DirectX7Test, DoEventsDeliversQueuedEventsInOrder) {
    struct Sink : WindowEventSink {
        std::string log;
        void OnKeyDown(int vk, bool ctrl, bool shift, bool alt) override {
            log += "key" + std::to_string(vk) + (ctrl ? "c" : "") + (shift ? "s" : "") + (alt ? "a" : "") + " ";
        }
        void OnActivate() override { log += "activate "; }
        void OnDeactivate() override { log += "deactivate "; }
        void OnPaint() override { log += "paint "; }
        void OnClose() override { log += "close "; }
    } sink;
    hl_->QueueKeyDown(27);  // dropped: no sink yet
    g_DX7.DoEvents();
    g_DX7.SetEventSink(&sink);
    hl_->QueueActivate();
    hl_->QueueKeyDown(67, true);
    hl_->QueuePaint();
    hl_->QueueDeactivate();
    hl_->QueueClose();
    g_DX7.DoEvents();
    g_DX7.DoEvents();
    g_DX7.SetEventSink(nullptr);
    EXPECT_EQ(sink.log, "activate key67c paint deactivate close ");
}

// ---- Input ----

TEST_F(DirectX7Test, NoPadLeavesEverythingAsItWas) {
    hl_->SetPadPresent(false);
    g_DX7.DI_SetUP(nullptr);
    EXPECT_FALSE(g_DX7.PadPresent());
    std::fill(std::begin(g_PadButtons), std::end(g_PadButtons), 7);
    std::int32_t l = 9, r = 9, u = 9, d = 9;
    g_DX7.GetPadButton(l, r, u, d);
    EXPECT_EQ(l + r + u + d, 36);
    EXPECT_TRUE(std::all_of(std::begin(g_PadButtons), std::end(g_PadButtons), [](int b) { return b == 7; }));
}

TEST_F(DirectX7Test, OnlyAxisEndStopsAreDirections) {
    g_DX7.DI_SetUP(nullptr);
    const struct {
        int x, y;
        std::int32_t l, r, u, d;
    } cases[] = {
        {5000, 5000, 0, 0, 0, 0}, {0, 5000, 1, 0, 0, 0}, {10000, 5000, 0, 1, 0, 0}, {5000, 0, 0, 0, 1, 0},
        {5000, 10000, 0, 0, 0, 1}, {1, 9999, 0, 0, 0, 0}, {0, 0, 1, 0, 1, 0}, {4000, 6000, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        PadReading pad;
        pad.axis_x = c.x;
        pad.axis_y = c.y;
        hl_->SetPad(pad);
        std::int32_t l = 9, r = 9, u = 9, d = 9;
        g_DX7.GetPadButton(l, r, u, d);
        EXPECT_EQ((std::array{l, r, u, d}), (std::array{c.l, c.r, c.u, c.d})) << c.x << "," << c.y;
    }
}

TEST_F(DirectX7Test, OnlyButtonsZeroToThirtyOneAreReported) {
    g_DX7.DI_SetUP(nullptr);
    PadReading pad;
    pad.button_count = 40;
    for (int b = 31; b < 40; ++b) pad.buttons[b] = 0x80;
    hl_->SetPad(pad);
    std::int32_t l, r, u, d;
    g_DX7.GetPadButton(l, r, u, d);
    for (int b = 0; b < 31; ++b) EXPECT_EQ(g_PadButtons[b], 0) << b;
    EXPECT_EQ(g_PadButtons[31], 1);

    // A one-button pad: only button 0 counts, whatever else its state says.
    pad = PadReading{};
    pad.button_count = 1;
    pad.buttons[0] = pad.buttons[1] = 0x80;
    hl_->SetPad(pad);
    g_DX7.GetPadButton(l, r, u, d);
    EXPECT_EQ(g_PadButtons[0], 1);
    EXPECT_EQ(g_PadButtons[1], 0);
}

TEST_F(DirectX7Test, ScriptedPadComesBackExactly) {
    g_DX7.DI_SetUP(nullptr);
    hl_->SetPadState(true, true, false, true, 0b1000'0000'0000'0000'0000'0000'0000'0101u);
    std::int32_t l = 0, r = 0, u = 9, d = 0;
    g_DX7.GetPadButton(l, r, u, d);
    EXPECT_EQ((std::array{l, r, u, d}), (std::array<std::int32_t, 4>{1, 1, 0, 1}));
    for (int b = 0; b < 32; ++b) EXPECT_EQ(g_PadButtons[b], b == 0 || b == 2 || b == 31) << b;
}

TEST_F(DirectX7Test, GetInputMergesKeyboardAndPad) {
    std::int32_t v[16];
    std::fill(std::begin(v), std::end(v), 9);
    auto read = [&] {
        g_DX7.GetInput(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12], v[13],
                       v[14], v[15]);
    };
    read();  // before DI_SetUP there is no keyboard to read
    EXPECT_TRUE(std::all_of(std::begin(v), std::end(v), [](int x) { return x == 9; }));

    g_DX7.DI_SetUP(nullptr);
    hl_->SetKey(0xCB, true);  // cursor left
    hl_->SetKey(0x01, true);  // Esc
    hl_->SetKey(0x34, true);  // full stop
    PadReading pad;
    pad.axis_x = 10000;
    pad.button_count = 4;
    pad.buttons[0] = pad.buttons[3] = 0x80;
    hl_->SetPad(pad);
    read();
    // Esc Enter L R U D Num0 NumEnter NumDot Num+ Num- Space LShift RShift Comma Period
    const std::int32_t want[16] = {1, 1, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_TRUE(std::equal(std::begin(v), std::end(v), std::begin(want)));
}

// ---- Sound effects ----

TEST_F(DirectX7Test, EffectVolumeIsClamped) {
    g_DX7.DS_SetUP(nullptr);
    const std::pair<int, int> cases[] = {{500, 0}, {-20000, -10000}, {-1500, -1500}, {0, 0}, {-10000, -10000}};
    for (auto [set, want] : cases) {
        g_DX7.DS_Set_Volume(3, set);
        EXPECT_EQ(g_DX7.DS_Get_Volume(3), want) << set;
    }
}

TEST_F(DirectX7Test, PauseOnlyAffectsPlayingEffects) {
    g_DX7.DS_SetUP(nullptr);
    ASSERT_TRUE(g_DX7.DS_LoadRes(5, "5"));
    hl_->ClearAudioCalls();
    g_DX7.DS_PauseOut(5);  // never played
    g_DX7.DS_PauseIn(5);
    EXPECT_FALSE(g_DX7.DS_GetPause(5));
    EXPECT_TRUE(hl_->AudioCalls().empty());
    g_DX7.DS_Play(5, 1);
    g_DX7.DS_PauseIn(5);
    EXPECT_TRUE(g_DX7.DS_GetPause(5));
    g_DX7.DS_PauseIn(5);  // already paused
    g_DX7.DS_PauseOut(5);
    EXPECT_FALSE(g_DX7.DS_GetPause(5));
    g_DX7.DS_PauseIn(5);
    g_DX7.DS_Stop(5);
    EXPECT_FALSE(g_DX7.DS_GetPause(5));
    EXPECT_EQ(hl_->AudioCalls().size(), 5u);  // play, pause, resume, pause, stop
}

TEST_F(DirectX7Test, ReplayingAnEffectRestartsItWhileOthersPlayOn) {
    hl_->SetCaptureAudio(true);
    g_DX7.DS_SetUP(nullptr);
    ASSERT_TRUE(g_DX7.DS_LoadRes(5, "5"));  // 4410 frames of 1000
    ASSERT_TRUE(g_DX7.DS_LoadRes(6, "6"));  // a second of 100
    g_DX7.DS_Play(5, 0);
    AdvanceFrames(2000);
    g_DX7.DS_Play(6, 0);
    AdvanceFrames(2000);
    g_DX7.DS_Play(5, 0);  // restarts: now runs to 4000 + 4410
    AdvanceFrames(6000);
    hl_->SyncAudio();
    const auto& pcm = hl_->CapturedAudio();
    auto left = [&](int frame) { return pcm[2 * frame]; };
    EXPECT_EQ(left(1000), 1000);
    EXPECT_EQ(left(3000), 1100);
    EXPECT_EQ(left(7000), 1100);  // past the first play's end
    EXPECT_EQ(left(9000), 100);
    EXPECT_EQ(pcm[2 * 9000 + 1], 100);
}

TEST_F(DirectX7Test, HeadlessAudioTimeCarriesOnAcrossClocks) {
    g_DX7.DS_SetUP(nullptr);
    AdvanceFrames(44100);
    hl_->SyncAudio();
    EXPECT_EQ(hl_->AudioFrames(), 44100);
    {
        VirtualClock other;  // starts at zero, far behind
        other.AdvanceMs(5000);
        SetClock(&other);
        hl_->SyncAudio();
        EXPECT_EQ(hl_->AudioFrames(), 44100);
        other.AdvanceMs(1000);
        hl_->SyncAudio();
        EXPECT_EQ(hl_->AudioFrames(), 2 * 44100);
    }
    SetClock(&clock_);  // the real clock or a test's own: never a jump of hours
    hl_->SyncAudio();
    EXPECT_EQ(hl_->AudioFrames(), 2 * 44100);
}

TEST_F(DirectX7Test, BadWaveLeavesTheEffectSilent) {
    hl_->SetCaptureAudio(true);
    g_DX7.DS_SetUP(nullptr);
    EXPECT_FALSE(g_DX7.DS_LoadRes(9, "9"));
    EXPECT_FALSE(g_DX7.DS_LoadRes(10, "10"));  // no such resource
    g_DX7.DS_Play(9, 1);
    g_DX7.DS_Play(10, 0);
    AdvanceFrames(1000);
    hl_->SyncAudio();
    const auto& pcm = hl_->CapturedAudio();
    EXPECT_TRUE(std::all_of(pcm.begin(), pcm.end(), [](std::int16_t s) { return s == 0; }));
}

TEST_F(DirectX7Test, CallsAreRecordedWithTheFrameTag) {
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, true);
    hl_->ClearAudioCalls();
    g_DX7.SetEventFrame(12);
    g_DX7.DS_Play(4, 0);
    g_DX7.SetEventFrame(13);
    g_DX7.DS_Set_Volume(4, -1000);
    g_DX7.DM_SetMasterVolume(-250);
    const auto& calls = hl_->AudioCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].op, AudioOp::DS_Play);
    EXPECT_EQ(calls[0].id, 4);
    EXPECT_EQ(calls[0].frame, 12);
    EXPECT_EQ(calls[1].value, -1000);
    EXPECT_EQ(calls[2].op, AudioOp::DM_SetMasterVolume);
    EXPECT_EQ(calls[2].frame, 13);
    EXPECT_STREQ(AudioOpName(calls[2].op), "DM_SetMasterVolume");
}

TEST_F(DirectX7Test, DisabledHalvesDoNothing) {
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, true);
    g_DX7.DS_Set_Volume(2, -500);
    g_DX7.Set_DS_Enabled(false);
    g_DX7.Set_DM_Enabled(false);
    hl_->ClearAudioCalls();
    g_DX7.DS_Play(2, 0);
    EXPECT_EQ(g_DX7.DS_Get_Volume(2), 0);
    EXPECT_FALSE(g_DX7.DM_LoadRes(1, "1"));
    g_DX7.DM_Play(1, -1);  // would end the program if it ran: segment 1 is not loaded
    EXPECT_EQ(g_DX7.DM_PauseIn(), 0);
    EXPECT_EQ(g_DX7.DM_GetLength(1), 0);
    EXPECT_TRUE(hl_->AudioCalls().empty());
    g_DX7.Set_DS_Enabled(true);
    EXPECT_EQ(g_DX7.DS_Get_Volume(2), -500);
}

// ---- Music ----

TEST_F(DirectX7Test, PauseWithNothingPlayingReturnsZero) {
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, true);
    EXPECT_EQ(g_DX7.DM_PauseIn(), 0);
    EXPECT_FALSE(g_DX7.DM_GetPause());
    EXPECT_EQ(g_DX7.DM_GetSeek(), -1);
    EXPECT_FALSE(g_DX7.DM_GetPlaying());
}

TEST_F(DirectX7Test, PausedMusicResumesInsideTheLoop) {
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, true);
    ASSERT_TRUE(g_DX7.DM_LoadRes(1, "1"));
    EXPECT_EQ(g_DX7.DM_GetLength(1), 192000);
    g_DX7.DM_SetLoop(1, 6144, 184320);
    g_DX7.DM_GM_Reset();
    g_DX7.DM_SetMasterVolume(-250);
    g_DX7.DM_Play(1, -1);
    // A stage starts its music paused and lets it go a little later.
    EXPECT_EQ(g_DX7.DM_PauseIn(), 0);
    AdvanceFrames(44100);
    g_DX7.DM_PauseOut();
    EXPECT_EQ(g_DX7.DM_GetSeek(), 0);

    AdvanceFrames(5512500);  // 200000 units at this tempo
    EXPECT_EQ(g_DX7.DM_GetSeek(), 21824);
    EXPECT_EQ(g_DX7.DM_PauseIn(), 21824);
    EXPECT_TRUE(g_DX7.DM_GetPause());
    EXPECT_FALSE(g_DX7.DM_GetPlaying());
    EXPECT_EQ(g_DX7.DM_PauseIn(), 0);  // already paused: nothing changes
    EXPECT_TRUE(g_DX7.DM_GetPause());

    AdvanceFrames(10 * 44100);  // time spent paused does not count
    g_DX7.DM_PauseOut();
    EXPECT_FALSE(g_DX7.DM_GetPause());
    EXPECT_EQ(g_DX7.DM_GetSeek(), 21824);
    AdvanceFrames(21168);
    EXPECT_EQ(g_DX7.DM_PauseIn(), 21824 + 768);
    g_DX7.DM_PauseOut();
    g_DX7.DM_Stop(-1);
    EXPECT_FALSE(g_DX7.DM_GetPlaying());
    EXPECT_EQ(g_DX7.DM_PauseIn(), 0);
}

TEST_F(DirectX7Test, LoopPointsOutsideTheSegmentAreRefused) {
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, true);
    ASSERT_TRUE(g_DX7.DM_LoadRes(1, "1"));
    g_DX7.DM_SetLoop(1, 768, 1536);
    g_DX7.DM_SetLoop(1, 768, 999999);  // past the end: the first loop stays
    g_DX7.DM_Play(1, -1);
    AdvanceFrames(21168 * 5 / 2);
    EXPECT_EQ(g_DX7.DM_GetSeek(), 768 + 384);
}

TEST_F(DirectX7Test, UnloadingTheCurrentSegmentStopsIt) {
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, true);
    ASSERT_TRUE(g_DX7.DM_LoadRes(1, "1"));
    g_DX7.DM_Play(1, 0);
    EXPECT_TRUE(g_DX7.DM_GetPlaying());
    g_DX7.DM_UnLoad(-1);
    EXPECT_FALSE(g_DX7.DM_GetPlaying());
    EXPECT_EQ(g_DX7.DM_GetLength(-1), 0);
}

TEST_F(DirectX7Test, MalformedMusicIsRefused) {
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, true);
    EXPECT_FALSE(g_DX7.DM_LoadRes(2, "2"));
    EXPECT_FALSE(g_DX7.LastError().empty());
    EXPECT_FALSE(g_DX7.DM_LoadRes(3, "3"));  // no such resource
    EXPECT_EQ(g_DX7.DM_GetLength(2), 0);
}

TEST_F(DirectX7Test, NamedPortFallsBackToTheDefault) {
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, false);
    EXPECT_EQ(g_DX7.DM_Port(), -1);
    EXPECT_GE(CQ7DirectX7::DM_PortCount(), 1);
    EXPECT_FALSE(CQ7DirectX7::DM_PortName(1).empty());
    EXPECT_TRUE(CQ7DirectX7::DM_PortName(0).empty());
}

TEST_F(DirectX7Test, PlayingAnUnloadedSegmentEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SetMessageBoxHandler([](std::string_view text, std::string_view, MsgBoxStyle) {
                fprintf(stderr, "box: %.*s\n", static_cast<int>(text.size()), text.data());
                return MsgBoxResult::Ok;
            });
            g_DX7.DS_SetUP(nullptr);
            g_DX7.DM_SetUP(nullptr, true);
            g_DX7.DM_Play(7, 0);
        },
        ::testing::ExitedWithCode(1), "box: DM_Play:segment 7 is not loaded");
}

TEST_F(DirectX7Test, HeadlessMessageBoxesAreRecordedAndAnswered) {
    EXPECT_EQ(ShowMessageBox("Sure?", "zenit", MsgBoxStyle::YesNo), MsgBoxResult::Yes);
    EXPECT_EQ(ShowMessageBox("Done"), MsgBoxResult::Ok);
    ASSERT_EQ(hl_->Messages().size(), 2u);
    EXPECT_EQ(hl_->Messages()[0].text, "Sure?");
}

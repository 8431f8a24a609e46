// The SDL back-end on SDL's dummy video and audio drivers (set by the test
// environment), with a virtual joystick standing in for a pad.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <thread>

#include "core/message_box.h"
#include "core/resource_pack.h"
#include "platform/i_sdl_backend.h"
#include "platform/q7_directx7.h"
#include "platform/test_media.h"

namespace {

class SdlBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        // ctest's environment for these tests carries only the first of its
        // two variables; make sure no real sound card is asked for.
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        sdl_ = &g_DX7.UseSdl();
        sdl_->SetFullScreen(false);
        // A real box would wait for a click.
        SetMessageBoxHandler([this](std::string_view text, std::string_view, MsgBoxStyle) {
            boxes_.emplace_back(text);
            return MsgBoxResult::Ok;
        });
    }
    void TearDown() override {
        g_DX7.UseHeadless();
        SetMessageBoxHandler(nullptr);
    }
    SdlBackend* sdl_ = nullptr;
    std::vector<std::string> boxes_;
};

}  // namespace

TEST_F(SdlBackendTest, PresentsTheFrameScaledTwice) {
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8)) << g_DX7.LastError();
    ASSERT_TRUE(g_DX7.DD_OFFSC_SetUP(320, 240));
    g_DX7.DD_SetPaletteEntry(1, 0x0000FF);
    g_DX7.DD_SetPaletteEntry(2, 0xFF8000);
    g_DX7.DD_PaletteSetUP();
    int pitch = 0;
    std::uint8_t* p = g_DX7.DD_Lock(pitch);
    ASSERT_NE(p, nullptr);
    std::fill(p, p + pitch * 240, 0);
    p[0] = 1;
    p[pitch * 100 + 200] = 2;
    g_DX7.DD_UnLock();
    ASSERT_TRUE(g_DX7.DD_Flip()) << g_DX7.LastError();

    std::vector<std::uint32_t> px;
    int w = 0, h = 0;
    ASSERT_TRUE(sdl_->ReadBack(px, w, h));
    ASSERT_EQ(w, 640);
    ASSERT_EQ(h, 480);
    auto at = [&](int x, int y) { return px[static_cast<std::size_t>(y) * w + x] & 0xFFFFFF; };
    EXPECT_EQ(at(0, 0), 0xFF0000u);
    EXPECT_EQ(at(1, 1), 0xFF0000u);
    EXPECT_EQ(at(2, 0), 0u);
    EXPECT_EQ(at(400, 200), 0x0080FFu);
    EXPECT_EQ(at(401, 201), 0x0080FFu);
    EXPECT_EQ(at(399, 200), 0u);
    EXPECT_GT(sdl_->MeanPresentMs(), 0.0);
}

TEST_F(SdlBackendTest, VirtualPadAxesButtonsAndUnplugging) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);  // to attach the pad before DI_SetUP looks
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 40, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8));
    ASSERT_TRUE(g_DX7.DI_SetUP(nullptr));
    SDL_Joystick* joy = SDL_JoystickOpen(index);  // a second handle to move the sticks with
    ASSERT_NE(joy, nullptr);

    std::int32_t l, r, u, d;
    const struct {
        int x, y;
        std::int32_t l, r, u, d;
    } cases[] = {
        {0, 0, 0, 0, 0, 0}, {-32768, 0, 1, 0, 0, 0}, {32767, 32767, 0, 1, 0, 1},
        {-31200, -31200, 1, 0, 1, 0}, {-29000, 29000, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SDL_JoystickSetVirtualAxis(joy, 0, static_cast<Sint16>(c.x));
        SDL_JoystickSetVirtualAxis(joy, 1, static_cast<Sint16>(c.y));
        g_DX7.GetPadButton(l, r, u, d);
        EXPECT_EQ((std::array{l, r, u, d}), (std::array{c.l, c.r, c.u, c.d})) << c.x << "," << c.y;
    }

    SDL_JoystickSetVirtualButton(joy, 0, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(joy, 31, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(joy, 39, SDL_PRESSED);
    g_DX7.GetPadButton(l, r, u, d);
    EXPECT_EQ(g_PadButtons[0], 1);
    EXPECT_EQ(g_PadButtons[1], 0);
    EXPECT_EQ(g_PadButtons[31], 1);

    // Pulling the pad out: no crash, and no input from it any more.
    SDL_JoystickClose(joy);
    ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
    g_DX7.DoEvents();
    for (int i = 0; i < 3; ++i) g_DX7.GetPadButton(l, r, u, d);
    EXPECT_EQ(l + r + u + d, 0);
    EXPECT_EQ(g_PadButtons[0] + g_PadButtons[31], 0);

    // Putting it back: the pad of the set-up reads again.
    const int again = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 40, 0);
    ASSERT_GE(again, 0) << SDL_GetError();
    g_DX7.DoEvents();
    joy = SDL_JoystickOpen(again);
    ASSERT_NE(joy, nullptr);
    SDL_JoystickSetVirtualButton(joy, 0, SDL_PRESSED);
    g_DX7.GetPadButton(l, r, u, d);
    EXPECT_EQ(g_PadButtons[0], 1);
    SDL_JoystickClose(joy);
    SDL_JoystickDetachVirtual(again);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

TEST_F(SdlBackendTest, APadPluggedInAfterTheSetUpIsNotSeen) {
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8));
    ASSERT_TRUE(g_DX7.DI_SetUP(nullptr));
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    g_DX7.DoEvents();
    SDL_Joystick* joy = SDL_JoystickOpen(index);
    ASSERT_NE(joy, nullptr);
    SDL_JoystickSetVirtualAxis(joy, 0, -32768);
    SDL_JoystickSetVirtualButton(joy, 0, SDL_PRESSED);
    std::int32_t l = 0, r = 0, u = 0, d = 0;
    g_DX7.GetPadButton(l, r, u, d);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(g_PadButtons[0], 0);
    SDL_JoystickClose(joy);
    SDL_JoystickDetachVirtual(index);
}

// The audio thread renders effects and music while the game thread keeps
// calling in. Run under ThreadSanitizer to check the two only meet under the
// lock (a build with -fsanitize=thread, then
// TSAN_OPTIONS=suppressions=tests/platform/tsan.supp for FluidSynth's OpenMP).
TEST_F(SdlBackendTest, AudioThreadAndGameThreadShareTheEngineSafely) {
    using test_media::Midi;
    using test_media::Track;
    Track t;
    t.Tempo(0, 100000);
    for (int i = 0; i < 64; ++i) t.On(0, i % 16, 40 + i % 40).Off(24, i % 16, 40 + i % 40);
    t.End();
    static const std::vector<std::uint8_t> pack = BuildResourcePack({
        {"WAVE", "1", test_media::Wave(std::vector<std::int16_t>(2000, 3000))},
        {"DMSEG", "1", Midi(0, 96, {t})},
    });
    SetResourcePack(pack.data(), pack.size());

    g_DX7.DS_SetUP(nullptr);
    ASSERT_TRUE(g_DX7.DS_Enabled) << g_DX7.LastError();
    EXPECT_LE(sdl_->AudioBufferFrames(), 1024);  // about 20 ms or less
    g_DX7.DM_SetUP(nullptr, true);
    ASSERT_TRUE(g_DX7.DS_LoadRes(1, "1"));
    ASSERT_TRUE(g_DX7.DM_LoadRes(1, "1"));
    g_DX7.DM_SetLoop(1, 0, 0);
    g_DX7.DM_Play(1, -1);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    int rounds = 0;
    while (std::chrono::steady_clock::now() < end) {
        g_DX7.DS_Play(1, rounds & 1);
        g_DX7.DS_Set_Volume(1, -(rounds % 3000));
        if (rounds % 7 == 0) {
            g_DX7.DM_PauseIn();
            g_DX7.DM_PauseOut();
        }
        g_DX7.DM_GetSeek();
        if (rounds % 50 == 0) {
            ASSERT_TRUE(g_DX7.DS_LoadRes(1, "1"));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++rounds;
    }
    EXPECT_TRUE(g_DX7.DM_GetPlaying());
    EXPECT_GT(sdl_->AudioCallbackLoad(), 0.0);
    g_DX7.Release();
    EXPECT_TRUE(boxes_.empty());
}

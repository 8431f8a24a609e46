// The SDL back-end on a real X display (run under Xvfb): the game window,
// a frame through a known palette, seen both in the renderer's read-back and
// on the X server's screen (the root window read through X), Alt+Enter and
// window events. The test command gives Xvfb a 640x480 screen; without a
// window manager a full-screen window is not resized to a larger screen, so
// the full-screen read-back only holds on a screen of the window's size.
#include <gtest/gtest.h>

#include <SDL.h>
#include <time.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "core/message_box.h"
#include "platform/i_sdl_backend.h"
#include "platform/q7_directx7.h"
#include "window/x_screen.h"

namespace {

class PlatformWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        sdl_ = &g_DX7.UseSdl();
        // A real message box would wait for a click under Xvfb.
        SetMessageBoxHandler([](std::string_view, std::string_view, MsgBoxStyle) { return MsgBoxResult::Ok; });
    }
    void TearDown() override {
        g_DX7.UseHeadless();
        SetMessageBoxHandler(nullptr);
    }

    // Draws a test card (index = x / 40 + 1, row 0 index 9) and shows it.
    void ShowCard() {
        const std::int32_t colours[] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                        0xFF00FF, 0xFFFF00, 0xFFFFFF, 0x204060, 0x808080};
        for (int i = 0; i < 10; ++i) g_DX7.DD_SetPaletteEntry(i, colours[i]);
        g_DX7.DD_PaletteSetUP();
        int pitch = 0;
        std::uint8_t* p = g_DX7.DD_Lock(pitch);
        ASSERT_NE(p, nullptr);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) p[y * pitch + x] = static_cast<std::uint8_t>(y == 0 ? 9 : x / 40 + 1);
        g_DX7.DD_UnLock();
        ASSERT_TRUE(g_DX7.DD_Flip()) << g_DX7.LastError();
    }

    // Checks the card in a picture of w x h pixels: the 640x480 image at a
    // whole multiple, centred (a larger screen gives black borders).
    static void ExpectCardIn(int w, int h, const std::function<std::uint32_t(int, int)>& pixel) {
        ASSERT_GE(w, 640);
        ASSERT_GE(h, 480);
        const int scale = std::min(w / 640, h / 480);
        const int ox = (w - 640 * scale) / 2, oy = (h - 480 * scale) / 2;
        auto at = [&](int x, int y) { return pixel(ox + x * scale, oy + y * scale) & 0xFFFFFF; };
        if (ox > 0) {
            EXPECT_EQ(pixel(0, h / 2) & 0xFFFFFF, 0u);  // border
        }
        const std::uint32_t want[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0x604020};
        for (int band = 0; band < 8; ++band) {
            EXPECT_EQ(at(band * 80 + 1, 100), want[band]) << "band " << band;
            EXPECT_EQ(at(band * 80 + 79, 479), want[band]) << "band " << band;
        }
        EXPECT_EQ(at(5, 0), 0x808080u);  // row 0 of the frame covers rows 0 and 1
        EXPECT_EQ(at(5, 1), 0x808080u);
        EXPECT_EQ(at(5, 2), 0xFF0000u);
    }

    // The card, in the renderer's read-back and on the screen itself.
    void ExpectCard() {
        {
            SCOPED_TRACE("renderer read-back");
            std::vector<std::uint32_t> px;
            int w = 0, h = 0;
            ASSERT_TRUE(sdl_->ReadBack(px, w, h));
            ExpectCardIn(w, h, [&](int x, int y) { return px[static_cast<std::size_t>(y) * w + x]; });
        }
        SCOPED_TRACE("X screen");
        // A real driver, not one that draws where nobody sees it.
        const char* driver = SDL_GetCurrentVideoDriver();
        ASSERT_TRUE(driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0)) << driver;
        if (std::strcmp(driver, "x11") != 0) return;  // Wayland has no screen to read back
        XScreen x;
        ASSERT_TRUE(x.Open());
        std::vector<XScreen::Window> windows;
        XScreen::Image shot;
        // The server may show the frame a moment after the present.
        for (int tries = 0; tries < 100; ++tries, usleep(20'000)) {
            windows = x.WindowsOf(getpid());
            if (windows.size() != 1) continue;
            shot = x.Root();
            const XScreen::Window& w = windows[0];
            if (shot.w >= w.x + w.w && shot.h >= w.y + w.h && shot.At(w.x + w.w / 2, w.y + w.h / 2) == 0xFF00FF) break;  // the middle band
        }
        ASSERT_EQ(windows.size(), 1u) << "the game window is not mapped on the X server";
        const XScreen::Window w = windows[0];
        ASSERT_GE(shot.w, w.x + w.w);
        ASSERT_GE(shot.h, w.y + w.h);
        ExpectCardIn(w.w, w.h, [&](int px, int py) { return shot.At(w.x + px, w.y + py); });
    }

    SdlBackend* sdl_ = nullptr;
};

}  // namespace

TEST_F(PlatformWindowTest, FullScreenFrameReadsBackPixelExact) {
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8)) << g_DX7.LastError();
    ASSERT_TRUE(g_DX7.DD_OFFSC_SetUP(320, 240));
    EXPECT_TRUE(sdl_->IsFullScreen());
    ShowCard();
    ExpectCard();
}

TEST_F(PlatformWindowTest, AltEnterSwitchesToAWindowAndKeysReachTheSink) {
    struct Sink : WindowEventSink {
        std::vector<int> keys;
        bool closed = false;
        void OnKeyDown(int vk, bool, bool, bool) override { keys.push_back(vk); }
        void OnClose() override { closed = true; }
    } sink;
    g_DX7.SetEventSink(&sink);
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8));
    ASSERT_TRUE(g_DX7.DD_OFFSC_SetUP(320, 240));
    ASSERT_TRUE(sdl_->IsFullScreen());

    auto push_key = [](SDL_Keycode key, Uint16 mod) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = key;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    };
    push_key(SDLK_RETURN, KMOD_LALT);
    push_key(SDLK_PAGEUP, KMOD_NONE);
    push_key(SDLK_ESCAPE, KMOD_NONE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    g_DX7.DoEvents();
    g_DX7.SetEventSink(nullptr);

    EXPECT_FALSE(sdl_->IsFullScreen());
    EXPECT_EQ(sink.keys, (std::vector<int>{33, 27}));  // Alt+Enter is not a key for the game
    EXPECT_TRUE(sink.closed);
    ShowCard();
    ExpectCard();
}

TEST_F(PlatformWindowTest, GameWindowOpensAfterAnotherWindowCameAndWent) {
    // What the settings dialog does before the game starts.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    SDL_Window* other = SDL_CreateWindow("settings", 0, 0, 640, 480, SDL_WINDOW_SHOWN);
    ASSERT_NE(other, nullptr);
    SDL_DestroyWindow(other);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);

    sdl_->SetFullScreen(false);
    ASSERT_TRUE(g_DX7.DD_SetUP(nullptr, 640, 480, 8)) << g_DX7.LastError();
    ASSERT_TRUE(g_DX7.DD_OFFSC_SetUP(320, 240));
    ShowCard();
    ExpectCard();
}

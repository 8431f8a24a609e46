// The real `zenit` program on an X server, seen and driven from outside as a
// player would: the settings window appears, a click on 「ゲームスタート」 goes
// through the X server, and the screen (the root window read through X) then
// shows the game's own frames. A game drawing to an invisible video driver,
// or a window that never maps, fails here even when a renderer read-back
// would look fine.
//
// The test starts its own Xvfb, and one that resets when its last client
// leaves (the default of X servers; the test command's Xvfb has -noreset):
// the hardest hand-over from the dialog to the game. It lets go of its own
// connection while the dialog closes, so that nothing but the game keeps the
// server from resetting.
#include <gtest/gtest.h>

#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "app/form2.h"
#include "app/program.h"
#include "app/zenit02.h"
#include "common/child_process.h"
#include "core/clock.h"
#include "platform/i_headless.h"
#include "platform/q7_directx7.h"
#include "window/x_screen.h"

namespace {

constexpr std::uint64_t kFnvBasis = 1469598103934665603ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

double Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The hashes of the first `count` frames of stage 1 that hold a picture (not
// one flat colour), from the same game run headless.
std::set<std::uint64_t> FirstGameFrames(int count) {
    std::set<std::uint64_t> hashes;
    VirtualClock clock;
    SetClock(&clock);
    ResetGlobalState();
    ProgramOptions options;
    options.headless = true;
    int frames = 0;
    options.hooks.before_step = [&] { return frames < count; };
    options.hooks.after_frame = [&] { ++frames; };
    options.hooks.after_present = [&] {
        const HeadlessFrame& f = g_DX7.Headless()->LastFrame();
        std::set<std::uint32_t> colours(f.rgb.begin(), f.rgb.end());
        if (colours.size() > 1) hashes.insert(g_DX7.Headless()->FrameHash());
    };
    Main(options);
    SetClock(nullptr);
    g_DX7.UseHeadless();
    return hashes;
}

// The 320x240 frame the screen shows, taken as the game's window shows it:
// 640x480 at a whole multiple in the middle of the screen, each frame pixel
// a 2x2 block of it. Hashed as the headless back-end hashes its frames.
std::uint64_t ShownFrameHash(const XScreen::Image& shot) {
    const int scale = std::min(shot.w / 640, shot.h / 480);
    if (scale < 1) return 0;
    const int ox = (shot.w - 640 * scale) / 2, oy = (shot.h - 480 * scale) / 2;
    std::uint64_t h = kFnvBasis;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const std::uint32_t p = shot.At(ox + 2 * x * scale, oy + 2 * y * scale);
            for (int i = 0; i < 3; ++i) {
                h ^= (p >> (8 * i)) & 0xFF;
                h *= kFnvPrime;
            }
        }
    return h;
}

// A private X server with a 640x480 screen, on a display number it picks.
class PrivateXServer {
public:
    bool Start() {
        if (!server_.Start({"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"}))
            return false;
        for (const double end = Now() + 10; Now() < end && server_.Running(); usleep(20'000)) {
            const std::string out = server_.OutputSoFar();
            if (!out.empty() && out.back() == '\n') {
                display_ = ":" + out.substr(0, out.size() - 1);
                return true;
            }
        }
        return false;
    }
    const std::string& Display() const { return display_; }

private:
    ChildProcess server_;
    std::string display_;
};

// Share of the pixels of the window's area in the dialog's background grey.
double DialogGreyShare(const XScreen::Image& shot, const XScreen::Window& w) {
    int grey = 0, all = 0;
    for (int y = w.y; y < w.y + w.h && y < shot.h; y += 4)
        for (int x = w.x; x < w.x + w.w && x < shot.w; x += 4) {
            ++all;
            grey += shot.At(x, y) == 0xF0F0F0;
        }
    return all ? static_cast<double>(grey) / all : 0;
}

}  // namespace

TEST(RealProgram, DialogClickStartsTheGameOnTheXServer) {
    if (access("/usr/bin/Xvfb", X_OK) != 0) GTEST_SKIP() << "no Xvfb";
    PrivateXServer server;
    ASSERT_TRUE(server.Start()) << "Xvfb did not start";
    XScreen x(server.Display());
    ASSERT_TRUE(x.Open()) << "cannot open " << server.Display();
    const std::set<std::uint64_t> game_frames = FirstGameFrames(1800);
    ASSERT_GT(game_frames.size(), 100u);

    // As a player starts it: whatever video driver SDL would pick on its own.
    ChildProcess zenit;
    ASSERT_TRUE(zenit.Start({ZENIT_BINARY_DIR "/zenit"},
                            {"DISPLAY=" + server.Display(), "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "SDL_AUDIODRIVER=dummy"}));

    // 1. The settings window maps and draws itself.
    XScreen::Window dialog;
    bool drawn = false;
    for (const double end = Now() + 20; !drawn && Now() < end && zenit.Running(); usleep(50'000)) {
        std::vector<XScreen::Window> windows = x.WindowsOf(zenit.Pid());
        if (windows.size() != 1) continue;
        dialog = windows[0];
        drawn = DialogGreyShare(x.Root(), dialog) > 0.3;
    }
    ASSERT_TRUE(drawn) << "the settings window never showed on the screen; zenit said: "
                       << zenit.Wait(0).err;

    // 2. A real click on 「ゲームスタート」.
    const Form2::Rect start = Form2::StartRect();
    x.Click(dialog.x + start.CenterX(), dialog.y + start.CenterY());
    // The dialog closes a second later; only the game may keep the server up.
    x.Close();
    sleep(2);
    ASSERT_TRUE(x.Reopen());

    // 3. Within the dialog's timer, a second's wait and the stage's first
    //    seconds, the screen shows one of the game's frames.
    bool shown = false;
    for (const double end = Now() + 30; !shown && Now() < end && zenit.Running(); usleep(20'000))
        shown = game_frames.count(ShownFrameHash(x.Root())) != 0;
    EXPECT_TRUE(shown) << "the game's frames never reached the screen";

    // 4. Esc ends the program, as it does for a player.
    x.Key("Escape");
    ChildResult r = zenit.Wait(10);
    EXPECT_FALSE(r.timed_out) << "Esc did not end the program";
    EXPECT_EQ(r.exit_code, 0) << r.err;
}

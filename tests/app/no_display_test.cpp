// The real `zenit` program where no display can be opened: it shows nothing,
// says why in one line and ends at once, instead of running invisibly.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/child_process.h"

TEST(ZenitWithoutDisplay, SaysWhyInOneLineAndEndsAtOnce) {
    // Nothing to show a window on, and no driver asked for.
    ChildResult r = RunChild({ZENIT_BINARY_DIR "/zenit"},
                             {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_RUNTIME_DIR", "SDL_VIDEODRIVER",
                              "SDL_AUDIODRIVER=dummy"},
                             10.0);
    ASSERT_FALSE(r.timed_out) << "still running after 10 s";
    EXPECT_EQ(r.exit_code, 1) << r.err;
    EXPECT_LT(r.seconds, 2.0);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.rfind("zenit: no display", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("DISPLAY is not set"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("x11: "), std::string::npos) << r.err;  // the driver tried, with SDL's word on it
    EXPECT_TRUE(r.out.empty()) << r.out;
}

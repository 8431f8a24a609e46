// Linked into every test program but the window tests: SDL runs on its dummy
// video and audio drivers, whatever display or sound card the machine has.
// (A test environment list set through ctest loses all but its first entry.)
#include <cstdlib>

namespace {
struct HeadlessSdlDrivers {
    HeadlessSdlDrivers() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
} g_headlessSdlDrivers;
}  // namespace

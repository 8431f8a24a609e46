#include "platform/i_sdl_display.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace {

const char* Env(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// Why a driver cannot work here, found without asking SDL; empty when it may.
// libwayland prints to stderr when it has no runtime folder to look in, so
// that case is caught here rather than by trying.
std::string NotReachable(const char* driver) {
    if (std::strcmp(driver, "wayland") == 0 && !Env("WAYLAND_SOCKET") && !Env("XDG_RUNTIME_DIR")) {
        const char* wd = Env("WAYLAND_DISPLAY");
        if (!wd || wd[0] != '/') return "not tried, XDG_RUNTIME_DIR is not set";
    }
    return {};
}

std::string NoDisplayCause() {
    if (const char* d = Env("DISPLAY")) return std::string("cannot open display ") + d;
    if (const char* w = Env("WAYLAND_DISPLAY")) return std::string("cannot open Wayland display ") + w;
    return "DISPLAY is not set";
}

}  // namespace

bool SdlVideoDriverIsInvisible(const char* name) {
    for (const char* invisible : {"offscreen", "dummy", "evdev"})
        if (name && std::strcmp(name, invisible) == 0) return true;
    return false;
}

bool SdlVideoStart(std::string* error) {
    // Running already (on a driver chosen below or asked for): one more reference.
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
        if (error) *error = std::string("SDL video: ") + SDL_GetError();
        return false;
    }
    // The user's (or a test's) choice is taken as it is, invisible or not.
    if (const char* asked = Env("SDL_VIDEODRIVER")) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
        if (error) *error = std::string("the video driver SDL_VIDEODRIVER=") + asked + " cannot start: " + SDL_GetError();
        return false;
    }
    std::string tried;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (!driver || SdlVideoDriverIsInvisible(driver)) continue;
        std::string why = NotReachable(driver);
        if (why.empty()) {
            // The hint keeps the driver for later starts too: never a silent fallback.
            SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
            why = SDL_GetError();
        }
        tried += std::string(tried.empty() ? "" : "; ") + driver + ": " + why;
    }
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    if (error) *error = "no display to open a window on (" + NoDisplayCause() + "): " + tried;
    return false;
}

void SdlVideoStop() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

#include "platform/i_input_map.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr SDL_Scancode kPadKeys[kKeyboardPadButtons] = {
    SDL_SCANCODE_Z, SDL_SCANCODE_X, SDL_SCANCODE_C, SDL_SCANCODE_V, SDL_SCANCODE_A, SDL_SCANCODE_S,
    SDL_SCANCODE_D, SDL_SCANCODE_F, SDL_SCANCODE_Q, SDL_SCANCODE_W, SDL_SCANCODE_E, SDL_SCANCODE_R,
};
constexpr const char* kPadKeyNames[kKeyboardPadButtons] = {"Z", "X", "C", "V", "A", "S",
                                                           "D", "F", "Q", "W", "E", "R"};

// Dead zone and saturation in hundredths of a percent of the travel from the centre.
constexpr double kDeadZone = 1000.0 / 10000.0;
constexpr double kSaturation = 9500.0 / 10000.0;

constexpr std::pair<SDL_Keycode, int> kVirtualKeys[] = {
    {SDLK_BACKSPACE, 8},  {SDLK_TAB, 9},        {SDLK_RETURN, 13},     {SDLK_KP_ENTER, 13},  {SDLK_LSHIFT, 16},
    {SDLK_RSHIFT, 16},    {SDLK_LCTRL, 17},     {SDLK_RCTRL, 17},      {SDLK_LALT, 18},      {SDLK_RALT, 18},
    {SDLK_PAUSE, 19},     {SDLK_CAPSLOCK, 20},  {SDLK_ESCAPE, 27},     {SDLK_SPACE, 32},     {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},  {SDLK_END, 35},       {SDLK_HOME, 36},       {SDLK_LEFT, 37},      {SDLK_UP, 38},
    {SDLK_RIGHT, 39},     {SDLK_DOWN, 40},      {SDLK_INSERT, 45},     {SDLK_DELETE, 46},    {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},  {SDLK_KP_MINUS, 109}, {SDLK_KP_PERIOD, 110}, {SDLK_KP_DIVIDE, 111},
};

// The keys of GetInput's table: DirectInput code -> SDL scancode.
constexpr DikKey kDikKeys[] = {
    {0x01, SDL_SCANCODE_ESCAPE}, {0x1C, SDL_SCANCODE_RETURN},   {0xCB, SDL_SCANCODE_LEFT},
    {0xCD, SDL_SCANCODE_RIGHT},  {0xC8, SDL_SCANCODE_UP},       {0xD0, SDL_SCANCODE_DOWN},
    {0x52, SDL_SCANCODE_KP_0},   {0x9C, SDL_SCANCODE_KP_ENTER}, {0x53, SDL_SCANCODE_KP_PERIOD},
    {0x4E, SDL_SCANCODE_KP_PLUS}, {0x4A, SDL_SCANCODE_KP_MINUS}, {0x39, SDL_SCANCODE_SPACE},
    {0x2A, SDL_SCANCODE_LSHIFT}, {0x36, SDL_SCANCODE_RSHIFT},   {0x33, SDL_SCANCODE_COMMA},
    {0x34, SDL_SCANCODE_PERIOD},
};

}  // namespace

SDL_Scancode KeyboardPadScancode(int button) {
    return button >= 0 && button < kKeyboardPadButtons ? kPadKeys[button] : SDL_SCANCODE_UNKNOWN;
}

const char* KeyboardPadKeyName(int button) {
    return button >= 0 && button < kKeyboardPadButtons ? kPadKeyNames[button] : "";
}

int NormalizePadAxis(int raw) {
    raw = std::clamp(raw, -32768, 32767);
    const double travel = raw < 0 ? -raw / 32768.0 : raw / 32767.0;
    double t;  // 0 = centre, 1 = end stop
    if (travel <= kDeadZone) {
        t = 0.0;
    } else if (travel >= kSaturation) {
        t = 1.0;
    } else {
        t = (travel - kDeadZone) / (kSaturation - kDeadZone);
    }
    const int offset = static_cast<int>(std::lround(t * 5000.0));
    return raw < 0 ? 5000 - offset : 5000 + offset;
}

int VirtualKeyFromSdl(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 97 + (key - SDLK_KP_1);
    if (key == SDLK_KP_0) return 96;
    for (const auto& [sdl, vk] : kVirtualKeys)
        if (sdl == key) return vk;
    return 0;
}

std::span<const DikKey> DikKeys() { return kDikKeys; }

SDL_Scancode ScancodeFromDik(int dik) {
    for (const DikKey& k : kDikKeys)
        if (k.dik == dik) return k.scancode;
    return SDL_SCANCODE_UNKNOWN;
}

// How a PC keyboard and an SDL joystick stand in for the game's pad and keys.
//
// The keyboard is always a pad: the arrow keys are the four directions and
//   Z X C V A S D F Q W E R  are pad buttons 0 1 2 3 4 5 6 7 8 9 10 11
// (by key position, so other layouts use the same physical keys). Keyboard
// and joystick are OR-ed together.
#pragma once

#include <SDL_keyboard.h>

#include <cstdint>
#include <span>

inline constexpr int kKeyboardPadButtons = 12;

// The scancode that stands for pad button `button` (0..11), or SDL_SCANCODE_UNKNOWN.
SDL_Scancode KeyboardPadScancode(int button);
// The key's label for the settings dialog ("Z" ... "R"), or "" for other buttons.
const char* KeyboardPadKeyName(int button);

// A joystick axis (-32768..32767) on the 0..10000 scale, with 10 % of the
// travel around the centre reading as the centre (5000) and the outer 5 % on
// each side reading as the end stop (0 or 10000).
int NormalizePadAxis(int raw);

// Windows virtual-key code for an SDL key, or 0 for keys the game ignores.
int VirtualKeyFromSdl(SDL_Keycode key);

// GetInput's sixteen keys: a DirectInput key code and the SDL scancode for it.
struct DikKey {
    int dik;
    SDL_Scancode scancode;
};
std::span<const DikKey> DikKeys();

// The SDL scancode of a DirectInput key code, for the sixteen keys GetInput
// reads; SDL_SCANCODE_UNKNOWN for any other code.
SDL_Scancode ScancodeFromDik(int dik);

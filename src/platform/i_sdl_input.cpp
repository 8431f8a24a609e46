// SDL back-end: the keyboard pad and the first joystick.
#include <algorithm>
#include <string>

#include "platform/i_input_map.h"
#include "platform/i_sdl_backend.h"

bool SdlBackend::OpenInput() {
    CloseInput();
    // The pad is read in the background too, as the game always did.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return Fail(std::string("SDL joystick: ") + SDL_GetError());
    joystick_ = true;
    OpenFirstPad();
    pad_at_setup_ = pad_ != nullptr;
    return true;  // the keyboard is always there as a pad
}

void SdlBackend::OpenFirstPad() {
    for (int i = 0; i < SDL_NumJoysticks() && !pad_; ++i) pad_ = SDL_JoystickOpen(i);
}

void SdlBackend::CloseInput() {
    if (pad_) SDL_JoystickClose(pad_);
    pad_ = nullptr;
    pad_at_setup_ = false;
    if (joystick_) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        joystick_ = false;
    }
}

bool SdlBackend::ReadPad(PadReading& pad) {
    pad = PadReading{};
    SDL_PumpEvents();  // brings the keyboard state up to date; the events stay queued
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    pad.left = keys[SDL_SCANCODE_LEFT];
    pad.right = keys[SDL_SCANCODE_RIGHT];
    pad.up = keys[SDL_SCANCODE_UP];
    pad.down = keys[SDL_SCANCODE_DOWN];
    pad.button_count = kKeyboardPadButtons;
    for (int b = 0; b < kKeyboardPadButtons; ++b)
        if (keys[KeyboardPadScancode(b)]) pad.buttons[b] = 0x80;

    // An unplugged pad reads as nothing; the keyboard still counts.
    if (pad_ && SDL_JoystickGetAttached(pad_)) {
        SDL_JoystickUpdate();
        if (SDL_JoystickNumAxes(pad_) >= 2) {
            pad.axis_x = NormalizePadAxis(SDL_JoystickGetAxis(pad_, 0));
            pad.axis_y = NormalizePadAxis(SDL_JoystickGetAxis(pad_, 1));
        }
        // Most pads carry their cross on a hat rather than on axes.
        if (SDL_JoystickNumHats(pad_) > 0) {
            const Uint8 hat = SDL_JoystickGetHat(pad_, 0);
            pad.left |= (hat & SDL_HAT_LEFT) != 0;
            pad.right |= (hat & SDL_HAT_RIGHT) != 0;
            pad.up |= (hat & SDL_HAT_UP) != 0;
            pad.down |= (hat & SDL_HAT_DOWN) != 0;
        }
        const int buttons = std::max(0, SDL_JoystickNumButtons(pad_));
        for (int b = 0; b < std::min(buttons, kMaxPadButtons); ++b)
            if (SDL_JoystickGetButton(pad_, b)) pad.buttons[b] = 0x80;
        pad.button_count = std::max(pad.button_count, buttons);
    }
    return true;
}

bool SdlBackend::ReadKeyboard(KeyboardState& keys) {
    SDL_PumpEvents();
    const Uint8* state = SDL_GetKeyboardState(nullptr);
    keys.fill(0);
    for (const DikKey& k : DikKeys())
        if (state[k.scancode]) keys[k.dik] = 0x80;
    return true;
}

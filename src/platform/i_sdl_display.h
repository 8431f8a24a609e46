// Starting SDL's video on a display the player can see.
//
// Left to itself, SDL falls back to its invisible "offscreen" driver when no
// real display answers (DISPLAY unset, an X server busy resetting after its
// last client left, ...): the game then runs where nobody sees it and never
// ends. So unless SDL_VIDEODRIVER names a driver (tests ask for "dummy"), only
// drivers that show something are tried, one after the other, and the first
// that starts is kept for the rest of the run.
//
// Each successful SdlVideoStart holds one reference on SDL's video subsystem
// until its SdlVideoStop. The program holds one from before the settings
// dialog to its end, so closing the dialog never shuts video down between the
// dialog's window and the game's.
//
//   std::string why;
//   if (!SdlVideoStart(&why)) { report "why"; end; }
//   ... windows ...
//   SdlVideoStop();
#pragma once

#include <string>

// Takes one reference on SDL's video subsystem, starting it when needed.
// False, with one line in `error` naming the cause, every driver tried and
// SDL's message for each, when no display can be opened.
bool SdlVideoStart(std::string* error);
// Gives back one reference; the last one shuts video down.
void SdlVideoStop();

// True for SDL's video drivers that show nothing on any screen.
bool SdlVideoDriverIsInvisible(const char* name);

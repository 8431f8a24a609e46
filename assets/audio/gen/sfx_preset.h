// Sound-effect presets as text (assets/audio/sfx/<n>.sfx); the format is
// described in assets/audio/README.md.
#pragma once

#include <string>

#include "sfx_synth.h"

// Parses a preset; throws SourceError with the file, line and column of the fault.
SfxPreset ParseSfxPreset(const std::string& text, const std::string& fileName);

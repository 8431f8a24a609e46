// RIFF WAVE reader for the sound effects.
//
// The effects are PCM (8 or 16 bit, mono or stereo, any rate). They are
// turned into what the mixer plays: mono 16-bit at the output rate. Anything
// else (compressed formats, a data chunk that runs past the end of the bytes,
// missing chunks) is refused; the caller keeps that effect silent.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct EffectSound {
    std::vector<std::int16_t> samples;  // mono, at the mixer's rate
};

// Parses `bytes`; on success fills `out` (resampled to `target_rate` when the
// file has another rate) and returns true. On failure returns false and, when
// `error` is given, says why.
bool ParseWave(std::span<const std::uint8_t> bytes, int target_rate, EffectSound& out,
               std::string* error = nullptr);

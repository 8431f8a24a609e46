// RIFF PCM WAVE encoding: one "fmt " chunk (PCM, mono, 16-bit) and one "data" chunk.
#pragma once

#include <cstdint>
#include <vector>

std::vector<std::uint8_t> EncodeWave(const std::vector<std::int16_t>& samples, int sampleRate);

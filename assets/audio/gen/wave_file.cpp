#include "wave_file.h"

namespace {

void Put(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void PutLE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> EncodeWave(const std::vector<std::int16_t>& samples, int sampleRate) {
    const std::uint32_t dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataSize);
    Put(out, "RIFF");
    PutLE(out, 36 + dataSize, 4);
    Put(out, "WAVE");
    Put(out, "fmt ");
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);               // PCM
    PutLE(out, 1, 2);               // mono
    PutLE(out, sampleRate, 4);
    PutLE(out, sampleRate * 2, 4);  // bytes per second
    PutLE(out, 2, 2);               // block align
    PutLE(out, 16, 2);              // bits per sample
    Put(out, "data");
    PutLE(out, dataSize, 4);
    for (std::int16_t s : samples) PutLE(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

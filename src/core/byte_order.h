// Little-endian 32-bit words in byte buffers: the resource pack's directory,
// sprite files and RIFF chunks all store their numbers this way.
#pragma once

#include <cstdint>

inline std::uint32_t ReadLE32(const std::uint8_t* p) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{p[i]} << (8 * i);
    return v;
}

inline void WriteLE32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

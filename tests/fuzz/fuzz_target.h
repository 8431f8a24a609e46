// One fuzz target per reader of outside data: each *_fuzz.cpp defines
// LLVMFuzzerTestOneInput, which must return normally for any bytes at all
// (no crash, no sanitizer report, no endless loop, bounded memory).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

inline std::string FuzzText(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

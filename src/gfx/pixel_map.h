// PixelMap32: 8-bit pixels to 32-bit colours through a 256-entry table, in
// one pass straight into the destination. Every presented frame goes through
// it (the display's lookup, the 32-bit DirectBlt, the window path).
//
// The table is prepared once per change: SetTable compares the colours with
// the ones it holds and rebuilds only when they differ, so a caller may hand
// it the same table every frame.
//
// Two kernels give the same pixels: a scalar one reading eight pixels per
// load, and on processors with AVX-512 VBMI one that looks up 64 pixels at a
// time in four byte planes of the table (chosen at run time). The frame is
// usually one contiguous run; rows at other pitches are mapped one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Maps n pixels through a 256-entry table of any value type, eight pixels per
// load, each value stored as it is looked up; dst needs no alignment. (The
// eight are written out: GCC keeps a loop over them a loop, shifting by a
// register.) PixelMap32's scalar kernel, and the 8- and 16-bit displays.
template <typename T>
void MapPixels(const std::uint8_t* src, std::uint8_t* dst, std::size_t n, const T* table) {
    auto put = [dst](std::size_t p, T v) { std::memcpy(dst + p * sizeof(T), &v, sizeof(T)); };
    std::size_t p = 0;
    for (; p + 8 <= n; p += 8) {
        std::uint64_t w;
        std::memcpy(&w, src + p, 8);
        put(p, table[w & 0xFF]);
        put(p + 1, table[(w >> 8) & 0xFF]);
        put(p + 2, table[(w >> 16) & 0xFF]);
        put(p + 3, table[(w >> 24) & 0xFF]);
        put(p + 4, table[(w >> 32) & 0xFF]);
        put(p + 5, table[(w >> 40) & 0xFF]);
        put(p + 6, table[(w >> 48) & 0xFF]);
        put(p + 7, table[w >> 56]);
    }
    for (; p < n; ++p) put(p, table[src[p]]);
}

class PixelMap32 {
public:
    PixelMap32();

    // Takes colours[0..255], each ORed with or_mask (an alpha byte, say).
    void SetTable(const std::uint32_t* colours, std::uint32_t or_mask = 0);
    const std::uint32_t* Table() const { return table_; }

    // Maps n pixels from src to dst (4 * n bytes; dst needs no alignment).
    void MapRun(const std::uint8_t* src, std::uint8_t* dst, std::size_t n) const;
    // Maps height rows of width pixels: row r from src + r * src_pitch to
    // dst + r * dst_pitch (pitches in bytes).
    void MapRows(const std::uint8_t* src, std::ptrdiff_t src_pitch, std::uint8_t* dst, std::ptrdiff_t dst_pitch,
                 int width, int height) const;

    // The kernel in use: "avx512vbmi" or "scalar".
    static const char* KernelName();
    // Tests and benchmarks: true forces the scalar kernel; false lets the
    // processor decide again. Returns whether the SIMD kernel is available.
    static bool ForceScalarKernel(bool scalar);

private:
    alignas(64) std::uint32_t table_[256];
    alignas(64) std::uint8_t planes_[4][256];  // byte k of every colour, for the SIMD kernel
};

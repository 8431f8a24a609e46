#include "gfx/pixel_map.h"

#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ZENIT_HAVE_VBMI_KERNEL 1
#endif

namespace {

using Planes = std::uint8_t[4][256];

#ifdef ZENIT_HAVE_VBMI_KERNEL

// 64 pixels a step: each byte plane of the table is four 64-byte registers,
// looked up with two two-register byte permutes and a blend on the index's
// top bit; the four planes are then interleaved into colours. The pixels are
// put in the order the interleave (which works within 128-bit lanes) undoes.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void MapVbmi(const std::uint8_t* src, std::uint8_t* dst,
                                                                     std::size_t n, const std::uint32_t* table,
                                                                     const Planes& planes) {
    __m512i plane[4][4];
    for (int k = 0; k < 4; ++k)
        for (int q = 0; q < 4; ++q) plane[k][q] = _mm512_load_si512(planes[k] + 64 * q);
    alignas(64) std::uint8_t order[64];
    for (int lane = 0; lane < 4; ++lane)
        for (int out = 0; out < 4; ++out)
            for (int i = 0; i < 4; ++i) order[16 * lane + 4 * out + i] = static_cast<std::uint8_t>(16 * out + 4 * lane + i);
    const __m512i reorder = _mm512_load_si512(order);

    std::size_t p = 0;
    for (; p + 64 <= n; p += 64) {
        // (The zero-masking form with every lane kept: the plain one trips a
        // false "may be used uninitialized" in GCC 12's header.)
        const __m512i index = _mm512_maskz_permutexvar_epi8(~__mmask64{0}, reorder, _mm512_loadu_si512(src + p));
        const __mmask64 high = _mm512_movepi8_mask(index);
        __m512i byte[4];
        for (int k = 0; k < 4; ++k) {
            const __m512i low_half = _mm512_permutex2var_epi8(plane[k][0], index, plane[k][1]);
            const __m512i high_half = _mm512_permutex2var_epi8(plane[k][2], index, plane[k][3]);
            byte[k] = _mm512_mask_blend_epi8(high, low_half, high_half);
        }
        const __m512i b01_lo = _mm512_unpacklo_epi8(byte[0], byte[1]);
        const __m512i b01_hi = _mm512_unpackhi_epi8(byte[0], byte[1]);
        const __m512i b23_lo = _mm512_unpacklo_epi8(byte[2], byte[3]);
        const __m512i b23_hi = _mm512_unpackhi_epi8(byte[2], byte[3]);
        _mm512_storeu_si512(dst + 4 * p, _mm512_unpacklo_epi16(b01_lo, b23_lo));
        _mm512_storeu_si512(dst + 4 * p + 64, _mm512_unpackhi_epi16(b01_lo, b23_lo));
        _mm512_storeu_si512(dst + 4 * p + 128, _mm512_unpacklo_epi16(b01_hi, b23_hi));
        _mm512_storeu_si512(dst + 4 * p + 192, _mm512_unpackhi_epi16(b01_hi, b23_hi));
    }
    MapPixels(src + p, dst + 4 * p, n - p, table);
}

bool VbmiAvailable() {
    static const bool available = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                                  __builtin_cpu_supports("avx512vbmi");
    return available;
}

#else

bool VbmiAvailable() { return false; }

#endif

bool g_force_scalar = false;

bool UseVbmi() { return !g_force_scalar && VbmiAvailable(); }

}  // namespace

PixelMap32::PixelMap32() {
    std::memset(table_, 0, sizeof table_);
    std::memset(planes_, 0, sizeof planes_);
}

void PixelMap32::SetTable(const std::uint32_t* colours, std::uint32_t or_mask) {
    bool same = true;
    for (int i = 0; i < 256; ++i) same &= table_[i] == (colours[i] | or_mask);
    if (same) return;
    for (int i = 0; i < 256; ++i) {
        table_[i] = colours[i] | or_mask;
        for (int k = 0; k < 4; ++k) planes_[k][i] = static_cast<std::uint8_t>(table_[i] >> (8 * k));
    }
}

void PixelMap32::MapRun(const std::uint8_t* src, std::uint8_t* dst, std::size_t n) const {
#ifdef ZENIT_HAVE_VBMI_KERNEL
    if (UseVbmi()) {
        MapVbmi(src, dst, n, table_, planes_);
        return;
    }
#endif
    MapPixels(src, dst, n, table_);
}

void PixelMap32::MapRows(const std::uint8_t* src, std::ptrdiff_t src_pitch, std::uint8_t* dst,
                         std::ptrdiff_t dst_pitch, int width, int height) const {
    if (width <= 0 || height <= 0) return;
    // Rows that follow each other without a gap are one run.
    if (src_pitch == width && dst_pitch == 4 * std::ptrdiff_t{width}) {
        MapRun(src, dst, static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        return;
    }
    for (int r = 0; r < height; ++r, src += src_pitch, dst += dst_pitch)
        MapRun(src, dst, static_cast<std::size_t>(width));
}

const char* PixelMap32::KernelName() { return UseVbmi() ? "avx512vbmi" : "scalar"; }

bool PixelMap32::ForceScalarKernel(bool scalar) {
    g_force_scalar = scalar;
    return VbmiAvailable();
}

#include "gfx/pixel_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::uint32_t Next(std::uint32_t& r) { return r = r * 1103515245u + 12345u; }

struct Fixture {
    std::uint32_t table[256];
    std::vector<std::uint8_t> pixels;
    explicit Fixture(std::size_t n) : pixels(n) {
        std::uint32_t r = 7;
        for (auto& c : table) c = Next(r);
        for (auto& p : pixels) p = static_cast<std::uint8_t>(Next(r) >> 24);
    }
};

// Both kernels (where the processor has the SIMD one) against a lookup
// pixel by pixel, for runs around the SIMD step of 64 and a destination
// off a word boundary.
TEST(PixelMap32, BothKernelsMapEveryPixelThroughTheTable) {
    const bool simd = PixelMap32::ForceScalarKernel(false);
    for (bool scalar : {true, false}) {
        if (!scalar && !simd) continue;
        PixelMap32::ForceScalarKernel(scalar);
        SCOPED_TRACE(PixelMap32::KernelName());
        for (std::size_t n : {0u, 1u, 7u, 63u, 64u, 65u, 200u, 76800u}) {
            Fixture f(n);
            PixelMap32 map;
            map.SetTable(f.table, 0xFF000000u);
            std::vector<std::uint8_t> out(4 * n + 1, 0xEE);
            map.MapRun(f.pixels.data(), out.data() + 1, n);
            for (std::size_t p = 0; p < n; ++p) {
                std::uint32_t got;
                std::memcpy(&got, out.data() + 1 + 4 * p, 4);
                ASSERT_EQ(got, f.table[f.pixels[p]] | 0xFF000000u) << "n " << n << " pixel " << p;
            }
            EXPECT_EQ(out[0], 0xEE);
        }
    }
    PixelMap32::ForceScalarKernel(false);
}

TEST(PixelMap32, RowsAtTheirPitchesAndATableThatChanges) {
    const int w = 70, h = 3, src_pitch = 75, dst_pitch = 4 * w + 12;
    Fixture f(static_cast<std::size_t>(src_pitch) * h);
    PixelMap32 map;
    map.SetTable(f.table);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(dst_pitch) * h, 0xEE);
    auto at = [&](int x, int y) {
        std::uint32_t v;
        std::memcpy(&v, out.data() + y * dst_pitch + 4 * x, 4);
        return v;
    };
    map.MapRows(f.pixels.data(), src_pitch, out.data(), dst_pitch, w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) ASSERT_EQ(at(x, y), f.table[f.pixels[y * src_pitch + x]]);
        EXPECT_EQ(out[y * dst_pitch + 4 * w], 0xEE);  // the gap after a row stays
    }
    // A changed entry is taken at once, though the rest of the table is the same.
    const std::uint8_t first = f.pixels[0];
    f.table[first] ^= 0x00FFFFFFu;
    map.SetTable(f.table);
    map.MapRows(f.pixels.data(), src_pitch, out.data(), dst_pitch, w, h);
    EXPECT_EQ(at(0, 0), f.table[first]);
    EXPECT_EQ(map.Table()[first], f.table[first]);
}

}  // namespace

// A typical frame: a full-screen background drawn opaque, 300 masked 16x16
// sprites spread over the screen (some hanging over the edges), then the
// back screen mapped through PalColor32 for presentation.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx/pixel_map.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

constexpr std::int32_t kBackground = 99;
constexpr std::int32_t kFirstSprite = 101;
constexpr int kSpriteKinds = 10;
constexpr int kSprites = 300;

struct Frame {
    std::vector<CQ7Pos> places;

    Frame() {
        g_DisplayBitsPerPixel = 32;
        for (int i = 1; i < 255; ++i) g_Palette.SetData(i, i * 0x010101);
        g_DDBPack.SetBuffer(76800);
        g_DDBPack.BGSetUp(320, 240, 640, 480, 0, 0);
        std::uint32_t r = 12345;
        auto next = [&r] { return (r = r * 1103515245u + 12345u) >> 16; };
        CQ7Sprite256& bg = g_DDBPack.GetSprite(kBackground);
        bg.SetUP(320, 240, 0);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) bg.DT.SetPixelData(x, y, static_cast<std::int32_t>(next() % 255));
        for (int k = 0; k < kSpriteKinds; ++k) {
            CQ7Sprite256& s = g_DDBPack.GetSprite(kFirstSprite + k);
            s.SetUP(16, 16, VB_TRUE);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const bool hole = (x - 8) * (x - 8) + (y - 8) * (y - 8) > 56;
                    s.DT.SetPixelData(x, y, hole ? 255 : static_cast<std::int32_t>(1 + next() % 250));
                }
        }
        for (int i = 0; i < kSprites; ++i) {
            CQ7Pos p;
            p.ReSize(16, 16);
            p.Move(static_cast<std::int32_t>(next() % 336) - 8, static_cast<std::int32_t>(next() % 256) - 8);
            places.push_back(p);
        }
    }

    void Queue() const {
        CQ7Pos corner;
        corner.SetCenter_Base(0);
        g_DDBPack.BltClear(-1);
        g_DDBPack.AddBlt(corner, kBackground, 0, 0, 1);
        for (int i = 0; i < kSprites; ++i)
            g_DDBPack.AddBlt(places[i], kFirstSprite + i % kSpriteKinds, 1 + i % 30, 0, 0);
    }
};

const Frame& TheFrame() {
    static const Frame frame;
    return frame;
}

void BM_Blt(benchmark::State& state) {
    TheFrame().Queue();
    for (auto _ : state) {
        g_DDBPack.Blt();
        benchmark::DoNotOptimize(g_DDBPack.GetSprite(0).DT.PixelWords());
    }
}
BENCHMARK(BM_Blt)->Unit(benchmark::kMicrosecond);

void BM_MapPalColor32(benchmark::State& state) {
    TheFrame();
    std::vector<std::uint32_t> surface(320 * 240);
    for (auto _ : state) {
        g_DDBPack.DirectBlt(reinterpret_cast<std::uint8_t*>(surface.data()), 320 * 4);
        benchmark::DoNotOptimize(surface.data());
    }
}
BENCHMARK(BM_MapPalColor32)->Unit(benchmark::kMicrosecond);

// The display map and the variants it was chosen from, each mapping the
// drawn back screen into a 320x240 frame of colours, against memcpy of that
// frame (the floor). Rebuilding the two-pixel table is timed on its own: the
// colour cycling changes the table every few frames.
struct MapBench {
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(320 * 240);
    std::vector<std::uint32_t> frame = std::vector<std::uint32_t>(320 * 240);
    std::vector<std::uint64_t> pairs = std::vector<std::uint64_t>(65536);
    MapBench() {
        TheFrame().Queue();
        g_DDBPack.Blt();
        std::memcpy(pixels.data(), g_DDBPack.GetSprite(0).DT.PixelWords(), pixels.size());
        BuildPairs();
    }
    void BuildPairs() {
        for (std::size_t i = 0; i < pairs.size(); ++i) pairs[i] = PalColor32[i & 0xFF] | std::uint64_t{PalColor32[i >> 8]} << 32;
    }
    std::uint8_t* out() { return reinterpret_cast<std::uint8_t*>(frame.data()); }
};

void MapWith(benchmark::State& state, bool scalar) {
    MapBench b;
    PixelMap32 map;
    map.SetTable(PalColor32);
    const bool simd = PixelMap32::ForceScalarKernel(scalar);
    if (!scalar && !simd) state.SkipWithError("no SIMD kernel on this processor");
    for (auto _ : state) {
        map.MapRun(b.pixels.data(), b.out(), b.pixels.size());
        benchmark::DoNotOptimize(b.frame.data());
    }
    PixelMap32::ForceScalarKernel(false);
}
void BM_MapScalarEightPerLoad(benchmark::State& state) { MapWith(state, true); }
void BM_MapAvx512Vbmi(benchmark::State& state) { MapWith(state, false); }
BENCHMARK(BM_MapScalarEightPerLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapAvx512Vbmi)->Unit(benchmark::kMicrosecond);

void BM_MapOnePerLoad(benchmark::State& state) {
    MapBench b;
    for (auto _ : state) {
        for (std::size_t p = 0; p < b.pixels.size(); ++p) b.frame[p] = PalColor32[b.pixels[p]];
        benchmark::DoNotOptimize(b.frame.data());
    }
}
BENCHMARK(BM_MapOnePerLoad)->Unit(benchmark::kMicrosecond);

void BM_MapTwoPixelTable(benchmark::State& state) {
    MapBench b;
    for (auto _ : state) {
        for (std::size_t p = 0; p < b.pixels.size(); p += 8) {
            std::uint64_t w;
            std::memcpy(&w, b.pixels.data() + p, 8);
            for (int k = 0; k < 4; ++k) std::memcpy(b.out() + 4 * p + 8 * k, &b.pairs[(w >> (16 * k)) & 0xFFFF], 8);
        }
        benchmark::DoNotOptimize(b.frame.data());
    }
}
BENCHMARK(BM_MapTwoPixelTable)->Unit(benchmark::kMicrosecond);

void BM_BuildTwoPixelTable(benchmark::State& state) {
    MapBench b;
    for (auto _ : state) {
        b.BuildPairs();
        benchmark::DoNotOptimize(b.pairs.data());
    }
}
BENCHMARK(BM_BuildTwoPixelTable)->Unit(benchmark::kMicrosecond);

void BM_MemcpyMappedFrame(benchmark::State& state) {
    MapBench b;
    std::vector<std::uint32_t> copy(b.frame.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), b.frame.data(), b.frame.size() * 4);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_MemcpyMappedFrame)->Unit(benchmark::kMicrosecond);

// What the frame loop does: empty the queue, queue the frame, draw, present.
void BM_WholeFrame(benchmark::State& state) {
    const Frame& frame = TheFrame();
    std::vector<std::uint32_t> surface(320 * 240);
    for (auto _ : state) {
        frame.Queue();
        g_DDBPack.Blt();
        g_DDBPack.DirectBlt(reinterpret_cast<std::uint8_t*>(surface.data()), 320 * 4);
        benchmark::DoNotOptimize(surface.data());
    }
}
BENCHMARK(BM_WholeFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

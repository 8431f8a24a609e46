// A typical frame: a full-screen background drawn opaque, 300 masked 16x16
// sprites spread over the screen (some hanging over the edges), then the
// back screen mapped through PalColor32 for presentation.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

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

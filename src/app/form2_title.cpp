#include "app/form2_title.h"

#include <algorithm>
#include <cstddef>

namespace {

// 5 x 7 block letters of the name, one string per row.
constexpr int kGlyphW = 5, kGlyphH = 7;
constexpr const char* kName[] = {
    "#####\n....#\n...#.\n..#..\n.#...\n#....\n#####",  // Z
    "#####\n#....\n#....\n####.\n#....\n#....\n#####",  // E
    "#...#\n##..#\n##..#\n#.#.#\n#..##\n#..##\n#...#",  // N
    "#####\n..#..\n..#..\n..#..\n..#..\n..#..\n#####",  // I
    "#####\n..#..\n..#..\n..#..\n..#..\n..#..\n..#..",  // T
};
constexpr int kLetters = sizeof(kName) / sizeof(kName[0]);

bool GlyphBit(const char* glyph, int gx, int gy) { return glyph[gy * (kGlyphW + 1) + gx] == '#'; }

std::uint32_t Rgb(int r, int g, int b) {
    auto c = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    return 0xFF000000u | (c(r) << 16) | (c(g) << 8) | c(b);
}

int Lerp(int a, int b, int t, int n) { return a + (b - a) * t / std::max(n, 1); }

}  // namespace

std::vector<std::uint32_t> MakeTitlePicture(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    std::vector<std::uint32_t> px(static_cast<std::size_t>(width) * height);
    auto at = [&](int x, int y) -> std::uint32_t& { return px[static_cast<std::size_t>(y) * width + x]; };

    // Sky: deep blue at the top to violet at the horizon, a warm glow below it.
    const int horizon = height * 3 / 4;
    for (int y = 0; y < height; ++y) {
        std::uint32_t c = y < horizon ? Rgb(Lerp(6, 70, y, horizon), Lerp(10, 30, y, horizon), Lerp(40, 110, y, horizon))
                                      : Rgb(Lerp(200, 60, y - horizon, height - horizon),
                                            Lerp(90, 20, y - horizon, height - horizon),
                                            Lerp(60, 70, y - horizon, height - horizon));
        for (int x = 0; x < width; ++x) at(x, y) = c;
    }

    // Stars from a fixed linear congruential sequence, so the sky never changes.
    std::uint32_t seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(n));
    };
    for (int i = 0; i < width * horizon / 150; ++i) {
        int x = next(width), y = next(horizon), b = 120 + next(136);
        at(x, y) = Rgb(b, b, std::min(255, b + 30));
    }

    // The name: each glyph cell is a `scale` square, rows slanted to the right
    // as they go up, with a dark shadow and a gold-to-white fill.
    const int scale = std::max(1, height * 7 / 12 / kGlyphH);
    const int gap = scale * 2;
    const int text_w = kLetters * kGlyphW * scale + (kLetters - 1) * gap;
    const int text_h = kGlyphH * scale;
    const int left = (width - text_w) / 2, top = (height - text_h) / 2;
    auto plot_name = [&](int dx, int dy, bool shadow) {
        for (int l = 0; l < kLetters; ++l)
            for (int gy = 0; gy < kGlyphH; ++gy)
                for (int gx = 0; gx < kGlyphW; ++gx) {
                    if (!GlyphBit(kName[l], gx, gy)) continue;
                    for (int sy = 0; sy < scale; ++sy) {
                        int y = top + gy * scale + sy + dy;
                        int slant = (text_h - (y - top - dy)) / 4;
                        for (int sx = 0; sx < scale; ++sx) {
                            int x = left + l * (kGlyphW * scale + gap) + gx * scale + sx + slant + dx;
                            if (x < 0 || x >= width || y < 0 || y >= height) continue;
                            int t = y - top - dy;
                            bool edge = sy == 0 || sx == 0;  // light catches the upper left of each block
                            at(x, y) = shadow ? Rgb(10, 5, 25)
                                       : edge ? Rgb(255, 250, 220)
                                              : Rgb(255, Lerp(235, 130, t, text_h), Lerp(120, 20, t, text_h));
                        }
                    }
                }
    };
    plot_name(std::max(1, scale / 2), std::max(1, scale / 2), true);
    plot_name(0, 0, false);
    return px;
}

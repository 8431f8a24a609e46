// Image helpers of the art generator: copying, outlines, shadows, tones and noise.
#include "art.h"

#include <cmath>
#include <cstdlib>

namespace art {

void Blit(Image& dst, const Image& src, int x, int y) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i)
            if (src.Solid(i, j)) dst.Set(x + i, y + j, src.At(i, j));
}

Image Crop(const Image& src, int x, int y, int w, int h) {
    Image out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.Set(i, j, src.At(x + i, y + j));
    return out;
}

void Outline(Image& img, std::uint8_t c) {
    Image src = img;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            if (src.Solid(x, y)) continue;
            if (src.Solid(x - 1, y) || src.Solid(x + 1, y) || src.Solid(x, y - 1) || src.Solid(x, y + 1)) img.Set(x, y, c);
        }
}

Image ShadowOf(const Image& src) {
    Image out(src.w, src.h);
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x)
            if (src.Solid(x, y) && (x + y) % 2 == 0) out.Set(x, y, kShadow);
    return out;
}

void FillRect(Image& img, int x0, int y0, int x1, int y1, std::uint8_t c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) img.Set(x, y, c);
}

void Line(Image& img, int x0, int y0, int x1, int y1, std::uint8_t c) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        img.Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

double Bayer(int x, int y) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5) / 16.0;
}

std::uint8_t Tone(const Ramp& r, double t, int x, int y, bool dither) {
    t = std::fmin(1.0, std::fmax(0.0, t));
    double f = t * (r.size() - 1);
    int i = int(f);
    double frac = f - i;
    if (dither && frac > Bayer(x, y) && i + 1 < int(r.size())) ++i;
    else if (!dither && frac >= 0.5 && i + 1 < int(r.size())) ++i;
    return r[std::size_t(i)];
}

std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double TileNoise(double x, double y, int cell, int period, std::uint32_t seed) {
    int n = period / cell;
    double fx = x / cell, fy = y / cell;
    int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    auto v = [&](int i, int j) {
        i = ((i % n) + n) % n;
        j = ((j % n) + n) % n;
        return (Hash(std::uint32_t(i), std::uint32_t(j), seed) & 0xFFFF) / 65535.0;
    };
    auto s = [](double t) { return t * t * (3 - 2 * t); };
    double a = v(ix, iy), b = v(ix + 1, iy), c = v(ix, iy + 1), d = v(ix + 1, iy + 1);
    double u = s(tx), w = s(ty);
    return (a + (b - a) * u) * (1 - w) + (c + (d - c) * u) * w;
}

double Fbm(double x, double y, int period, std::uint32_t seed, int octaves) {
    double sum = 0, amp = 0.5, norm = 0;
    int cell = period / 2;
    for (int o = 0; o < octaves && cell >= 1; ++o) {
        sum += amp * TileNoise(x, y, cell, period, seed + std::uint32_t(o) * 101u);
        norm += amp;
        amp *= 0.5;
        cell /= 2;
    }
    return sum / norm;
}

int ArgInt(const Entry& e, std::size_t i, int fallback) {
    return i < e.args.size() ? std::atoi(e.args[i].c_str()) : fallback;
}

std::string ArgStr(const Entry& e, std::size_t i, const std::string& fallback) {
    return i < e.args.size() ? e.args[i] : fallback;
}

}  // namespace art

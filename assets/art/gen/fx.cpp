// Effects: the two explosions (seven frames of one blast each), the missile
// blast, the afterburner trail and the laser segments.
#include "art.h"

#include <cmath>

namespace art {
namespace {

// Frame f (0..6) of a blast of the given size. Every frame uses the same
// noise, so the seven frames read as one explosion: a white-hot core that
// swells into yellow and orange fire (0..2), fire breaking up inside a ball of
// smoke lit from the top left while debris flies out (3..4), and smoke and
// debris that thin out through a dither until little is left (5..6).
Image Blast(int size, int f) {
    static const double kRadius[7] = {0.42, 0.66, 0.82, 0.92, 0.97, 0.99, 1.0};
    static const double kFire[7] = {1.0, 0.96, 0.78, 0.52, 0.28, 0.10, 0.0};   // part of the ball still burning
    static const double kHot[7] = {1.45, 1.25, 1.05, 0.85, 0.7, 0.55, 0.0};
    static const double kSmoke[7] = {0.0, 0.3, 0.75, 1.0, 0.85, 0.55, 0.28};   // how much smoke is left
    Image img(size, size);
    const double c = size / 2.0;
    const std::uint32_t seed = 77;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double dx = x + 0.5 - c, dy = y + 0.5 - c;
            double u = dx / c * 16 + 16, v = dy / c * 16 + 16;  // the same noise at every size
            double wob = Fbm(u, v, 32, seed, 2);
            double d = std::sqrt(dx * dx + dy * dy) / (c * kRadius[f] * (0.82 + 0.3 * wob));
            if (d > 1) continue;
            double n = Fbm(u, v + f * 1.2, 32, seed + 5, 3);
            double fire = kFire[f] * (0.75 + n * 0.5);
            if (d < fire) {
                double heat = (1 - d / fire) * kHot[f] + (n - 0.5) * 0.7;
                std::uint8_t c8 = heat > 1.0   ? kWhite
                                  : heat > 0.8 ? ::art::kFire[4]
                                  : heat > 0.62 ? ::art::kFire[3]
                                  : heat > 0.45 ? ::art::kFire[2]
                                  : heat > 0.3  ? ::art::kFire[1]
                                  : heat > 0.16 ? kRed[2]
                                                : kRed[1];
                img.Set(x, y, c8);
                continue;
            }
            // Smoke: thins toward the rim and over the frames, with holes torn by the noise.
            double puff = Fbm(u * 0.8, v * 0.8 - f * 0.6, 32, seed + 9, 2);
            double density = kSmoke[f] * (1.3 - d * 0.7);
            if (Bayer(x, y) * 0.4 + (1 - puff) * 0.75 >= density) continue;
            double light = 0.55 - (dx + dy) / size * 1.1 + (n - 0.5) * 0.9 - (f >= 5 ? 0.15 : 0);
            img.Set(x, y, light > 1.05 ? kGrey[3] : Tone(::art::kSmoke, light * 0.9, x, y));
        }
    // Debris: chips thrown out from frame 2 on, glowing at first, then dark, fewer each frame.
    if (f >= 2) {
        const int pieces = 10;
        for (int k = 0; k < pieces; ++k) {
            if (f == 6 && k % 2) continue;
            std::uint32_t h = Hash(seed, std::uint32_t(k));
            double a = (h % 6283) / 1000.0, speed = 0.8 + ((h >> 13) % 100) / 250.0;
            double r = c * (0.35 + 0.16 * (f - 1)) * speed;
            int px = int(c + std::cos(a) * r), py = int(c + std::sin(a) * r);
            std::uint8_t glint = f <= 3 ? ::art::kFire[3] : f <= 4 ? ::art::kFire[1] : ::art::kSmoke[2];
            img.Set(px, py, kOutline);
            if (size >= 32) img.Set(px + 1, py, kOutline), img.Set(px, py + 1, kOutline);
            img.Set(px - (size >= 32 ? 0 : 0), py - 1, glint);
        }
    }
    return img;
}

Image MakeBlast(const Entry& e, Context&) { return Blast(e.w, ArgInt(e, 1)); }

// Missile blast: a ring of glow around a hot core.
Image Bomber(const Entry& e, Context&) {
    Image img(e.w, e.h);
    double c = e.w / 2.0;
    for (int y = 0; y < e.h; ++y)
        for (int x = 0; x < e.w; ++x) {
            double d = std::hypot(x + 0.5 - c, y + 0.5 - c) / c;
            double n = TileNoise(x, y, 4, 32, 9);
            if (d > 0.95 - n * 0.1) continue;
            if (d > 0.72) img.Set(x, y, std::uint8_t(kCycle + 8));
            else if (d > 0.55) img.Set(x, y, std::uint8_t(kCycle + 4));
            else if (d < 0.3) img.Set(x, y, kWhite);
            else if (n > 0.45) img.Set(x, y, kFire[3]);
        }
    return img;
}

Image Trail(const Entry& e, Context&) {
    Image img(e.w, e.h);
    for (int y = 0; y < e.h; ++y) {
        double fade = double(y) / e.h;  // thinner toward the bottom of each segment
        for (int x = 0; x < e.w; ++x) {
            double d = std::fabs(x + 0.5 - e.w / 2.0);
            if (d < 1.2) img.Set(x, y, kWhite);
            else if (d < 2.4) img.Set(x, y, std::uint8_t(kCycle + (y / 3) % 16));
            else if (d < 3.6 && Bayer(x, y) > fade) img.Set(x, y, std::uint8_t(kCycle + 8));
        }
    }
    return img;
}

// A laser segment: a beam across the sprite along its direction of travel, in
// the player's own colours (white core, cyan body, a dark blue rim) so that it
// stays bright on grass and on concrete and never looks like enemy fire.
Image Laser(const Entry& e, Context&) {
    double dx = ArgInt(e, 0), dy = ArgInt(e, 1);
    double len = std::hypot(dx, dy);
    double nx = -dy / len, ny = dx / len;
    bool vertical = dx == 0;
    const double core = vertical ? 1.6 : 0.9, mid = vertical ? 3.0 : 1.7, outer = vertical ? 4.4 : 2.5,
                 rim = vertical ? 5.4 : 3.3;
    Image img(e.w, e.h);
    for (int y = 0; y < e.h; ++y)
        for (int x = 0; x < e.w; ++x) {
            double px = x + 0.5 - e.w / 2.0, py = y + 0.5 - e.h / 2.0;
            double d = std::fabs(px * nx + py * ny);
            double along = px * -ny + py * nx;  // a ripple running along the beam
            bool pulse = std::fmod(along + 64, 6.0) < 2.0;
            if (d < core) img.Set(x, y, kWhite);
            else if (d < mid) img.Set(x, y, pulse ? kWhite : kGlass[2]);
            else if (d < outer) img.Set(x, y, kGlass[1]);
            else if (d < rim) img.Set(x, y, kBlue[1]);
        }
    return img;
}

MakerRegistrar r1("blast", MakeBlast);
MakerRegistrar r2("bomber", Bomber);
MakerRegistrar r3("trail", Trail);
MakerRegistrar r4("laser", Laser);

}  // namespace
}  // namespace art

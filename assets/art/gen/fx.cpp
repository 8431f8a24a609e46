// Effects: the two explosions (seven frames of one blast each), the missile
// blast, the afterburner trail and the laser segments.
#include "art.h"

#include <cmath>

namespace art {
namespace {

// Frame f (0..6) of a blast of the given size. Every frame uses the same
// noise, so the seven frames read as one fireball: a white flash that swells
// into yellow and orange fire, darkens to red, and breaks up into smoke.
Image Blast(int size, int f) {
    static const double kRadius[7] = {0.42, 0.64, 0.80, 0.90, 0.95, 0.97, 0.98};
    static const double kHeat[7] = {1.05, 0.90, 0.68, 0.42, 0.16, -0.08, -0.25};
    static const double kHoles[7] = {0, 0, 0, 0.25, 0.32, 0.37, 0.42};
    Image img(size, size);
    double c = size / 2.0;
    const std::uint32_t seed = 77;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double dx = x + 0.5 - c, dy = y + 0.5 - c;
            double u = dx / c * 16 + 16, v = dy / c * 16 + 16;  // the same noise at every size
            double wob = Fbm(u, v, 32, seed, 2);
            double d = std::sqrt(dx * dx + dy * dy) / (c * kRadius[f] * (0.8 + 0.3 * wob));
            if (d > 1) continue;
            double n = Fbm(u, v + f * 1.5, 32, seed + 5, 3);
            if (n < kHoles[f] + (f >= 3 ? d * 0.12 : 0)) continue;
            double heat = kHeat[f] + (1 - d) * 0.55 + (n - 0.5) * 1.3 - d * 0.15;
            std::uint8_t c8;
            if (heat > 1.05) c8 = kWhite;
            else if (heat > 0.9) c8 = kFire[4];
            else if (heat > 0.75) c8 = kFire[3];
            else if (heat > 0.6) c8 = kFire[2];
            else if (heat > 0.47) c8 = kFire[1];
            else if (heat > 0.37) c8 = kRed[2];
            else if (heat > 0.29) c8 = kRed[1];
            else c8 = Tone(kSmoke, 0.35 + (n - 0.5) * 1.2 - (dx + dy) / size * 0.8, x, y);
            img.Set(x, y, c8);
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

// A laser segment: a beam across the sprite along its direction of travel.
Image Laser(const Entry& e, Context&) {
    double dx = ArgInt(e, 0), dy = ArgInt(e, 1);
    double len = std::hypot(dx, dy);
    double nx = -dy / len, ny = dx / len;
    bool vertical = dx == 0;
    Image img(e.w, e.h);
    for (int y = 0; y < e.h; ++y)
        for (int x = 0; x < e.w; ++x) {
            double px = x + 0.5 - e.w / 2.0, py = y + 0.5 - e.h / 2.0;
            double d = std::fabs(px * nx + py * ny);
            double core = vertical ? 2.0 : 0.8, mid = vertical ? 3.6 : 1.7, outer = vertical ? 5.2 : 2.6;
            if (d < core) img.Set(x, y, kWhite);
            else if (d < mid) img.Set(x, y, kBlue[4]);
            else if (d < outer) img.Set(x, y, kBlue[2]);
        }
    return img;
}

MakerRegistrar r1("blast", MakeBlast);
MakerRegistrar r2("bomber", Bomber);
MakerRegistrar r3("trail", Trail);
MakerRegistrar r4("laser", Laser);

}  // namespace
}  // namespace art

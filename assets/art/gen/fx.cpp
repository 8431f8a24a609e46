// Effects: the two explosions (seven frames of one blast each), the missile
// blast, the afterburner trail and the laser segments.
#include "art.h"

#include <cmath>

namespace art {
namespace {

// Frame f (0..6) of a blast of the given size. Both sizes grow from the same
// seed, so the seven frames read as one fireball that swells, burns out and
// leaves drifting smoke.
Image Blast(int size, int f) {
    Image img(size, size);
    double t = f / 6.0, c = size / 2.0;
    double radius = c * (0.38 + 0.58 * std::sqrt(t));
    std::uint32_t seed = 77;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double dx = x + 0.5 - c, dy = y + 0.5 - c;
            double a = std::atan2(dy, dx), d = std::sqrt(dx * dx + dy * dy);
            double wob = TileNoise((a + 3.14159265358979) * 6 / (2 * 3.14159265358979) * 8, t * 4, 8, 48, seed);
            double rad = radius * (0.8 + 0.3 * wob);
            if (d > rad) continue;
            double n = Fbm(x * 40.0 / size, y * 40.0 / size + t * 10, 32, seed + 5, 3);
            double heat = (1 - d / rad) * 1.25 + (n - 0.5) * 0.7 - t * 1.05 + 0.2;
            if (t > 0.45 && n < (t - 0.45) * 1.4 + d / rad * 0.3) continue;  // smoke thins into holes
            std::uint8_t c8;
            if (heat > 0.95) c8 = kWhite;
            else if (heat > 0.75) c8 = kFire[4];
            else if (heat > 0.55) c8 = kFire[3];
            else if (heat > 0.38) c8 = kFire[2];
            else if (heat > 0.24) c8 = kFire[1];
            else if (heat > 0.12) c8 = kRed[1];
            else c8 = Tone(kSmoke, 0.4 + n * 0.8 - d / rad * 0.5, x, y);
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

// Stage 5, high above the clouds: the looping sky (a deck of clouds with
// the sea and islands far below through its gaps), the clouds that drift
// past under the ship, the serpent boss and the marker of a climbing fighter.
//
// The sky uses the stage's six rolled loops (text 106 at 101) and a few
// shared tones; everything else uses only the shared colours, since the
// serpent also appears on a card of the ending.
#include "model.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

// ---- The stage's colour loops (text 106) ----------------------------------------------------
constexpr int kSea = 101, kGlitter = 117, kSeaShadow = 133, kShade = 149, kLit = 165, kDrift = 181;

std::uint8_t Loop(int base, int phase) { return std::uint8_t(base + (phase % 16 + 16) % 16); }

// ---- The sky ---------------------------------------------------------------------------------
// One 320x480 picture, periodic in y, cut into fifteen strips. A rolled
// loop moves a pattern whose phase rises by one a row up by one row a step:
// the sea's loops step every second frame, so its swell slides by at half
// the deck's speed, far below it. The shadows the deck casts on the sea
// keep the deck's pace, as shadows do.

constexpr int kSkyH = 480;

struct Sky {
    Image img{320, kSkyH};
    std::vector<double> height;  // cloud-top height, 0 where there is no cloud

    double H(int x, int y) const {
        x = std::clamp(x, 0, 319);
        y = ((y % kSkyH) + kSkyH) % kSkyH;
        return height[std::size_t(y) * 320 + std::size_t(x)];
    }
};

// Octaves of value noise repeating every 480 pixels, the first with cells
// of `cell` pixels.
double Noise(double x, double y, int cell, int octaves, std::uint32_t seed) {
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves && cell >= 2; ++o, cell /= 2, amp *= 0.5) {
        sum += amp * TileNoise(x, y, cell, kSkyH, seed + std::uint32_t(o) * 31u);
        norm += amp;
    }
    return sum / norm;
}

// Cloud cover: streets of cumulus lined up with the wind, as they are seen
// from high above: four of them, wandering a little across the screen and
// broken here and there, with lanes of clear air between them.
struct Street {
    double x, sway, width;
    int waves;  // whole swings in the 480 rows, so the picture repeats
    double phase;
};
constexpr Street kStreets[] = {{30, 14, 26, 1, 0.3}, {112, 20, 30, 2, 2.1}, {200, 16, 24, 1, 4.0}, {288, 18, 28, 2, 5.2}};

double Cover(double x, double y) {
    double best = 0;
    for (const Street& st : kStreets) {
        const double cx = st.x + st.sway * std::sin(y * 2 * kPi * st.waves / kSkyH + st.phase);
        const double w = st.width * (0.45 + 1.1 * Noise(x, y, 40, 2, 5103));
        best = std::max(best, 1 - std::fabs(x - cx) / w);
    }
    // Breaks along the streets, and the edges roughened.
    const double breaks = std::clamp((Noise(x, y, 80, 2, 5101) - 0.32) * 3, 0.0, 1.0);
    return best * breaks + Noise(x, y, 20, 2, 5111) * 0.22;
}

// The level that leaves this share of the picture under cloud.
double Threshold(const std::vector<double>& values, double share) {
    std::vector<double> v = values;
    const auto at = v.begin() + std::ptrdiff_t(double(v.size()) * (1 - share));
    std::nth_element(v.begin(), at, v.end());
    return *at;
}

// The deck is heaped from round puffs: big ones inside the masses, smaller
// toward their edges, so the edges fray.
std::vector<double> HeapPuffs(const std::vector<double>& cover, double edge) {
    std::vector<double> height(cover.size(), 0);
    for (std::uint32_t k = 0; k < 9000; ++k) {
        const int px = int(Hash(k, 1, 5201) % 320), py = int(Hash(k, 2, 5201) % kSkyH);
        const double depth = cover[std::size_t(py) * 320 + std::size_t(px)] - edge;
        if (depth < -0.004) continue;
        const double r = 3 + std::min(1.0, std::max(0.0, depth) / 0.1) * (3 + Hash(k, 3, 5201) % 12);
        const double lift = 0.2 + std::min(1.0, std::max(0.0, depth) / 0.1) * (0.4 + (Hash(k, 4, 5201) % 100) / 300.0);
        for (int dy = -int(r); dy <= int(r); ++dy)
            for (int dx = -int(r); dx <= int(r); ++dx) {
                const double d2 = dx * dx + dy * dy;
                const int x = px + dx, y = ((py + dy) % kSkyH + kSkyH) % kSkyH;
                if (d2 > r * r || x < 0 || x >= 320) continue;
                double& h = height[std::size_t(y) * 320 + std::size_t(x)];
                h = std::max(h, lift + std::sqrt(r * r - d2) / 24);
            }
    }
    return height;
}

Sky MakeSky() {
    Sky s;
    std::vector<double> cover(std::size_t(320) * kSkyH);
    for (int y = 0; y < kSkyH; ++y)
        for (int x = 0; x < 320; ++x) cover[std::size_t(y) * 320 + std::size_t(x)] = Cover(x, y);
    s.height = HeapPuffs(cover, Threshold(cover, 0.4));
    // The light comes from the top left and above.
    const double lx = -0.55, ly = -0.65, lz = 0.85, ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    for (int y = 0; y < kSkyH; ++y)
        for (int x = 0; x < 320; ++x) {
            const double h = s.H(x, y);
            std::uint8_t c;
            if (h > 0) {
                const double gx = (s.H(x + 1, y) - s.H(x - 1, y)) * 12, gy = (s.H(x, y + 1) - s.H(x, y - 1)) * 12;
                const double lit = (-gx * lx - gy * ly + lz) / (std::sqrt(gx * gx + gy * gy + 1) * ll);
                // Crevice, shade, lit and a bright crest, dithered between.
                const double d = ((lit - 0.45) / 0.55 + (h - 0.6) * 0.5) * 3 + (Bayer(x, y) - 0.5) * 0.9;
                const int phase = int(std::floor(Noise(x, y, 60, 2, 5131) * 40 + (x + y) / 15.0));  // 32 turns in 480 rows
                if (d < 0.2) c = kGrey[2];
                else if (d < 1.4) c = Loop(kShade, phase);
                else if (d < 2.75) c = Loop(kLit, phase);
                else c = kGrey[5];
            } else {
                // The sea, the deck's shadows on it to the bottom right, and
                // the sun's glitter in patches.
                const int phase = y + int(std::floor(Noise(x, y, 60, 3, 5141) * 64 + x / 12.0));
                const bool shadow = s.H(x - 22, y - 26) > 0;
                const bool glint = Noise(x, y, 120, 2, 5151) > 0.58 && Hash(std::uint32_t(x / 2), std::uint32_t(y / 2), 5152) % 9 == 0;
                c = Loop(shadow ? kSeaShadow : glint ? kGlitter : kSea, phase);
            }
            s.img.Set(x, y, c);
        }
    return s;
}

Image SkyStrip(const Entry& e, Context&) {
    static const Sky sky = MakeSky();
    return Crop(sky.img, 0, ArgInt(e, 0) * 32, 320, 32);
}

// ---- The clouds drifting under the ship ----------------------------------------------------
// Nearer than the deck (they pass two or three times as fast), so larger and
// looser: a core of puffs in the lit and shaded loops, fraying into a
// checkerboard at the rim so the deck and everything below show through.
Image DriftCloud(const Entry& e, Context&) {
    const std::uint32_t seed = 5300 + std::uint32_t(ArgInt(e, 0)) * 17;
    const int w = e.w, h = e.h;
    std::vector<double> height(std::size_t(w) * h, 0);
    auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0 : height[std::size_t(y) * w + std::size_t(x)]; };
    const int puffs = w * h / 40;
    for (int k = 0; k < puffs; ++k) {
        // Puffs fill an ellipse, the big ones toward its middle and its top.
        const double u = (Hash(std::uint32_t(k), 1, seed) % 1000) / 500.0 - 1, v = (Hash(std::uint32_t(k), 2, seed) % 1000) / 500.0 - 1;
        const double d = u * u + v * v;
        if (d > 1) continue;
        const double r = (h / 5.0) * (1.1 - d) * (0.6 + (Hash(std::uint32_t(k), 3, seed) % 100) / 150.0) + 2;
        const double cx = (u * 0.5 + 0.5) * (w - 2 * r) + r, cy = (v * 0.5 + 0.5) * (h - 2 * r) + r;
        for (int y = int(cy - r); y <= int(cy + r); ++y)
            for (int x = int(cx - r); x <= int(cx + r); ++x) {
                const double d2 = (x + 0.5 - cx) * (x + 0.5 - cx) + (y + 0.5 - cy) * (y + 0.5 - cy);
                if (d2 > r * r || x < 0 || y < 0 || x >= w || y >= h) continue;
                double& hh = height[std::size_t(y) * w + std::size_t(x)];
                hh = std::max(hh, (1 - d) * 0.5 + std::sqrt(r * r - d2) / 30);
            }
    }
    Image img(w, h);
    const double lx = -0.55, ly = -0.65, lz = 0.85, ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double hh = at(x, y);
            if (hh <= 0) continue;
            // The rim is thin: only every other pixel, then every fourth.
            if (hh < 0.12 && Bayer(x, y) > 0.25) continue;
            if (hh < 0.25 && Bayer(x, y) > 0.5) continue;
            const double gx = (at(x + 1, y) - at(x - 1, y)) * 10, gy = (at(x, y + 1) - at(x, y - 1)) * 10;
            const double nl = std::sqrt(gx * gx + gy * gy + 1);
            const double lit = (-gx * lx - gy * ly + lz) / (nl * ll);
            const double d = ((lit - 0.45) / 0.55 + (hh - 0.5) * 0.6) * 3 + (Bayer(x, y) - 0.5) * 0.9;
            const int phase = int(Hash(std::uint32_t(x / 4), std::uint32_t(y / 4), seed) % 16);
            std::uint8_t c;
            if (d < 0.6) c = kGrey[3];
            else if (d < 1.6) c = Loop(kShade, phase);
            else if (d < 2.8) c = Loop(kDrift, phase);
            else c = kGrey[5];
            img.Set(x, y, c);
        }
    return img;
}

// ---- The serpent ---------------------------------------------------------------------------
// A jade sky-dragon of armoured plates: olive scales, teal horns and fins,
// eyes and segment cores in the flaring light loop. Everything shared, for
// the ending's card shows it too. The head turns with its 16 headings; the
// segments are round, so they look the same whichever way the body runs.
// A segment about to fire glows in the bullets' own colours.
Model SerpentHead() {
    Model m;
    m.Poly({{-8, -6}, {-16, -15}, {-14, -7}, {-19, -6}, {-12, -2}}, kSteel, 1.4).Bias(-0.05).MirrorY();  // frills
    m.Ellipse(-13, 0, 5, 7, kSteel, 0.9).Bias(-0.15);                        // neck collar
    m.Capsule({-6, -5}, {-18, -10}, 1.8, kSteel).Bias(0.1).MirrorY();        // horns swept back
    m.Poly({{3, -4}, {19, -10}, {13, -2}}, kOlive, 1.2).Bias(-0.2).MirrorY();  // the jaws, wide open
    m.Poly({{6, -3}, {18, -8.6}, {14, -1.5}}, kRed, 0.8).Bias(-0.15).MirrorY();  // the throat
    m.Poly({{15.5, -8.8}, {16.5, -5.8}, {19, -10}}, kGrey).Flat(kGrey[5]).MirrorY();  // fangs
    m.Ellipse(-5, 0, 9, 8.5, kOlive, 1.3).Bias(-0.05);                       // skull
    m.Poly({{-3, -6.5}, {12, -3.6}, {16.5, -1}, {16.5, 1}, {12, 3.6}, {-3, 6.5}}, kOlive, 2.0).Bias(0.1);  // long snout
    m.Capsule({0, 0}, {14, 0}, 1.5, kOlive).Bias(0.3);                       // ridge of the nose
    m.Poly({{1, -7}, {-8, -9.5}, {-11, -5}, {-3, -4}}, kSteel).Bias(0.15).MirrorY();  // brow plates
    m.Capsule({-11, 0}, {-4, 0}, 1.4, kSteel).Bias(0.2);                     // crest
    m.Ellipse(0.5, -5.2, 2.7, 1.9, kRed).Flat(kLights).MirrorY();            // eyes
    m.Ellipse(15, -1.2, 0.6, 0.6, kGrey).Flat(kOutline).MirrorY();           // nostrils
    return m;
}

Model SerpentSegment(double scale, bool lit) {
    Model m;
    for (double a : {0.25, 0.75, 1.25, 1.75}) {  // four fins on the diagonals
        const double c = std::cos(a * kPi), s = std::sin(a * kPi);
        auto p = [&](double along, double across) { return Vec{(along * c - across * s) * scale, (along * s + across * c) * scale}; };
        m.Poly({p(6, -5.5), p(14, 0), p(6, 5.5)}, kSteel, 1.4).Bias(-0.05);
    }
    m.Ellipse(0, 0, 10.5 * scale, 10.5 * scale, kOlive, 1.1).Bias(-0.1);   // the armoured shell
    m.Ellipse(0, 0, 7.5 * scale, 7.5 * scale, kSteel, 0.6).Bias(0.05);     // its collar
    m.Ellipse(0, 0, 5.5 * scale, 5.5 * scale, kOlive, 1.3).Bias(0.1);      // the boss of the plate
    if (lit) {
        m.Ellipse(0, 0, 7.5 * scale, 7.5 * scale, kRed).Flat(kCycle + 6);  // charged: the collar glows
        m.Ellipse(0, 0, 4.2 * scale, 4.2 * scale, kRed).Flat(kCycle);
    } else {
        m.Ellipse(0, 0, 2.6 * scale, 2.6 * scale, kRed).Flat(kLights);     // the core, flaring
    }
    return m;
}

Image SerpentHeadSprite(const Entry& e, Context&) {
    static const Model head = SerpentHead();
    return Render(e.w, e.h, {Layer{&head, Heading16(ArgInt(e, 0)), {0, 0}, 0.92}});
}

// "serpentseg SIZE LIT": the shell's size in pixels (28 or 20), lit 0 / 1.
Image SerpentSegmentSprite(const Entry& e, Context&) {
    return Render(e.w, e.h, SerpentSegment(ArgInt(e, 0) / 28.0, ArgInt(e, 1) != 0), 0);
}

// ---- The climbing fighter's marker ------------------------------------------------------------
// A chevron pointing up at the bottom edge, in three frames rising and fading.
Image ClimbMark(const Entry& e, Context&) {
    const int frame = ArgInt(e, 0);
    Model m;
    auto chevron = [&](double y, int colour) {
        m.Poly({{-7, y + 3}, {0, y - 4}, {7, y + 3}, {4.5, y + 5}, {0, y + 0.5}, {-4.5, y + 5}}, kFire).Flat(colour);
    };
    chevron(2 - 2 * frame, kFire[3]);
    if (frame < 2) chevron(-3 - 2 * frame, frame == 0 ? kFire[2] : kRed[2]);
    return Render(e.w, e.h, m, 0);
}

MakerRegistrar r1("skydeck", SkyStrip);
MakerRegistrar r3("serpenthead", SerpentHeadSprite);
MakerRegistrar r4("serpentseg", SerpentSegmentSprite);
MakerRegistrar r5("climbmark", ClimbMark);
MakerRegistrar r2("driftcloud", DriftCloud);

}  // namespace
}  // namespace art

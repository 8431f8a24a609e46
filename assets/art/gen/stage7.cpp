// Stage 7, "AURORA CORRIDOR": the run at full speed down the enemy's trench
// toward its stronghold. The game shows one row of a 320x360 picture a
// frame, stretched over the whole play area, so the picture is the trench
// seen across, row after row in time: the dark floor in the middle, a wall
// either side (the right one lit, the light coming from the top left), the
// rims beyond, and the lights along them. The trench winds, so its streaks
// drift left and right; lamps on the rims flash past; and every 500 frames
// a pulse of light runs down the walls onto the floor and the colours turn
// to the next of three moods (cobalt, violet, teal).
//
// Palette text 108 (132 colours at 101) holds four ranges of 33, one material
// each: 101 floor, 134 walls, 167 rims, 200 lights. Entry 11c + r of a range
// is, for mood c (0..2), the crest of the pulse for r = 0..4 and the
// material's six tones, dark to light, for r = 5..10. The picture uses the
// tones of mood 0 only. The stage rolls each range eleven places per pulse,
// one every ten frames, so at rest every pixel shows the same tone of the
// next mood, and on the way each one passes the crest once: the lighter
// tones first, so the light runs from the lit rims and walls down to the
// dark middle of the floor.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "art.h"
#include "game/enemies/boss07_layout.h"
#include "model.h"

namespace art {
namespace {

// ---- Palette ------------------------------------------------------------------------

struct Rgb {
    double r, g, b;
};
Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

constexpr int kMoods = 3, kCrest = 5, kTones = 6, kRange = kMoods * (kCrest + kTones);  // 33
constexpr int kFirst = 101;
enum Material { kFloor, kWall, kRim, kLight, kMaterials };

struct MaterialColours {
    Rgb dark[kMoods], light[kMoods];  // the tone ramp of each mood
    Rgb crest;                        // the pulse's brightest colour
};

// Cool colours only, so the warm enemy bullets and the rust fighters stand out
// on every band; the floor, where the ship flies, stays the darkest.
constexpr MaterialColours kMaterialColours[kMaterials] = {
    // floor: cobalt, violet, deep teal
    {{{5, 7, 20}, {10, 5, 22}, {3, 12, 18}}, {{30, 42, 92}, {50, 32, 92}, {20, 58, 74}}, {30, 40, 96}},
    // walls: blue violet, magenta violet, steel blue
    {{{18, 12, 42}, {30, 8, 38}, {8, 20, 42}}, {{104, 86, 176}, {150, 72, 156}, {72, 124, 178}}, {176, 150, 246}},
    // rims: teal, indigo, sea green
    {{{3, 18, 24}, {10, 14, 36}, {5, 22, 16}}, {{44, 118, 120}, {74, 84, 156}, {54, 128, 88}}, {70, 176, 166}},
    // lights: ice, lilac, aqua
    {{{30, 56, 104}, {56, 38, 104}, {18, 74, 84}}, {{196, 232, 255}, {234, 196, 255}, {184, 255, 240}}, {255, 255, 255}},
};

// How far toward the crest colour each crest entry goes.
constexpr double kCrestShape[kCrest] = {0.5, 0.9, 1.0, 0.65, 0.3};

long Value(Rgb c) {
    auto q = [](double v) { return long(std::lround(std::clamp(v, 0.0, 255.0))); };
    return q(c.r) | (q(c.g) << 8) | (q(c.b) << 16);
}

Rgb Tone(const MaterialColours& m, int mood, int tone) {
    return Mix(m.dark[mood], m.light[mood], std::pow(tone / double(kTones - 1), 1.3));
}

// Palette index of a tone (0 dark .. 5 light) of a material, mood 0.
std::uint8_t Ix(Material m, int tone) {
    return std::uint8_t(kFirst + kRange * m + kCrest + std::clamp(tone, 0, kTones - 1));
}

// ---- The picture ----------------------------------------------------------------------

constexpr int kW = 320, kH = 360;

// The trench at picture row t: centre, half width of the floor, wall width.
struct Section {
    double cx, floor, wall;
};
Section TrenchAt(int t) {
    const double a = 2 * kPi * t / kH;
    return {160 + 26 * std::sin(a) + 10 * std::sin(2 * a + 0.7), 84 + 16 * std::sin(3 * a + 1.3),
            26 + 6 * std::sin(2 * a + 2.1)};
}

// A lamp on a rim passes by: lit for 2 rows every 30, the right side 15 rows
// after the left.
bool LampRow(int t, int side) { return ((t + (side > 0 ? 15 : 0)) % 30) < 2; }

Image Corridor() {
    Image img(kW, kH);
    for (int t = 0; t < kH; ++t) {
        const Section s = TrenchAt(t);
        // Soft ribs across the walls every 15 rows: a tone lighter for 3 rows.
        const int rib = (t % 15) < 3 ? 1 : 0;
        for (int x = 0; x < kW; ++x) {
            const double d = x + 0.5 - s.cx, a = std::fabs(d);
            const int side = d < 0 ? -1 : 1;
            std::uint8_t v;
            if (a < s.floor) {
                // The floor: darkest in the middle, a tone lighter every 16 pixels
                // out (its seams), the guide rails near the walls.
                const double u = a / s.floor;
                int tone = int(std::floor(2.6 * u * u + 0.35 * Bayer(x, 0)));
                if (std::fmod(a, 16.0) < 1.0 && a > 8) ++tone;
                v = Ix(kFloor, tone);
                if (std::fabs(a - (s.floor - 10)) < 1.0) v = Ix(kLight, 2);
                if (a < 1.0) v = Ix(kFloor, 3);
            } else if (a < s.floor + s.wall) {
                // The walls climb from a dark foot to a light lip; the right wall faces the light.
                const double u = (a - s.floor) / s.wall;
                const int base = side > 0 ? 2 : 0;
                int tone = base + int(std::floor(2.2 * u + 0.4 * Bayer(x, 1))) + rib;
                if (u > 0.88) tone = base + 3;
                v = Ix(kWall, tone);
            } else {
                // The rims: streaks of the ground far below, a lamp line near the edge.
                const double r = a - s.floor - s.wall;
                const double n = Fbm(x * 3.0, t, kH, 7107u, 3);
                int tone = int(std::floor(1 + 3.2 * n * n + 0.3 * Bayer(x, 2)));
                if (r < 2) tone = 4;
                v = Ix(kRim, tone);
                if (r >= 6 && r < 10) v = LampRow(t, side) ? Ix(kLight, 5) : Ix(kRim, 0);
                if (Fbm(x * 0.5, t * 0.25, kH, 7211u, 2) > 0.72 && r > 14) v = Ix(kLight, 1);
            }
            img.Set(x, t, v);
        }
    }
    return img;
}

// "run7 K": rows 30K .. 30K + 29 of the picture (K = 0..11; 12 gives the spare, the top again).
Image Run7(const Entry& e, Context&) {
    static const Image picture = Corridor();
    return Crop(picture, 0, 30 * (ArgInt(e, 0) % 12), e.w, e.h);
}

// ---- The gatekeeper (CBoss07, sprite 6071) -----------------------------------------------
// A flying fortress nose down: a grey armoured hull with rust plates, swept
// steel wings, a spinal cannon down the starboard side of the deck and the
// bridge to port. Every gun of its table stands where the game fires from.

// The pixel `steps` tones darker or lighter along its own ramp.
std::uint8_t Shade(std::uint8_t v, int steps) {
    for (const Ramp* r : {&kGrey, &kSteel, &kRust, &kPurple, &kGlass}) {
        const auto it = std::find(r->begin(), r->end(), v);
        if (it != r->end()) return (*r)[std::size_t(std::clamp(int(it - r->begin()) + steps, 0, int(r->size()) - 1))];
    }
    return v;
}

// Lays `top` over `img`, first darkening what lies `depth` pixels down and
// right of it: its shadow, as the light comes from the top left.
void Stack(Image& img, const Image& top, int depth) {
    for (int y = img.h - 1; y >= 0; --y)
        for (int x = img.w - 1; x >= 0; --x)
            if (top.Solid(x, y))
                for (int d = 1; d <= depth; ++d)
                    if (!top.Solid(x + d, y + d) && img.Solid(x + d, y + d)) img.Set(x + d, y + d, Shade(img.At(x + d, y + d), -2));
    Blit(img, top, 0, 0);
}

std::vector<Vec> MirroredX(std::initializer_list<Vec> half) {
    std::vector<Vec> out(half);
    for (auto it = half.end(); it != half.begin();) {
        --it;
        if (it->x != 0) out.push_back({-it->x, it->y});
    }
    return out;
}

// A gun turret whose barrel ends at (x, y), pointing along `heading` degrees.
void Gun(Model& m, double x, double y, double heading, double radius) {
    const double c = std::cos(heading * kPi / 180), s = std::sin(heading * kPi / 180);
    const double bx = x - c * (radius + 3), by = y - s * (radius + 3);
    m.Ellipse(bx, by, radius + 1.5, radius + 1.5, kSteel, 0.6).Bias(-0.15);
    m.Capsule({bx, by}, {x, y}, 1.6, kGrey).Bias(0.05);
    m.Ellipse(bx, by, radius, radius, kGrey, 0.9).Bias(0.05);
    m.Ellipse(x, y, 1, 1, kGrey).Flat(kOutline);
}

Image Gatekeeper() {
    using namespace boss07;
    const int w = kWidth, h = kHeight;
    const RenderOptions dithered{.dither = true};
    Model hull;
    // Swept wings with a rust leading edge, a dark trailing one.
    hull.Poly({{-30, 32}, {-90, 9}, {-95, -1}, {-92, -13}, {-30, -40}}, kGrey, 3).Bias(-0.22).MirrorX();
    hull.Poly({{-32, 25}, {-86, 6}, {-89, -6}, {-32, -31}}, kGrey, 1.5).Bias(-0.08).MirrorX();
    hull.Poly({{-32, 29}, {-89, 7}, {-86, 3}, {-32, 23}}, kRust, 0.8).Bias(0.05).MirrorX();
    const auto outline = MirroredX({{0, 63}, {13, 56}, {25, 40}, {33, 10}, {35, -32}, {30, -54}, {18, -62}, {0, -62}});
    hull.Poly(outline, kGrey, 5).Bias(-0.2);
    hull.Poly(MirroredX({{0, 55}, {10, 50}, {20, 36}, {27, 10}, {29, -30}, {25, -50}, {15, -56}, {0, -56}}), kGrey, 1.5)
        .Bias(-0.02);
    Image img = Render(w, h, hull, 0, dithered);
    // Panel seams: ribs across the wings, plates along the deck.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double mx = x + 0.5 - w / 2.0, my = y + 0.5 - h / 2.0;
            const std::uint8_t v = img.At(x, y);
            const bool grey = std::find(kGrey.begin(), kGrey.end(), v) != kGrey.end();
            if (grey && std::fabs(mx) > 38 && std::fmod(std::fabs(mx) + 0.4 * my, 11.0) < 1) img.Set(x, y, Shade(v, -1));
            if (grey && std::fabs(mx) < 19 && (int(my + 64) % 16 == 0 || (std::fabs(std::fabs(mx) - 12) < 0.5)))
                img.Set(x, y, Shade(v, -1));
        }

    Model low;
    for (double s : {-1.0, 1.0}) {
        low.Poly({{20 * s, -40}, {31 * s, -34}, {32 * s, 10}, {26 * s, 30}, {20 * s, 26}}, kRust, 2).Bias(-0.05);  // side armour
        low.Poly({{10 * s, 36}, {22 * s, 32}, {16 * s, 48}, {8 * s, 52}}, kRust, 1.5).Bias(0.0);                // bow plates
        low.Ellipse(14 * s, -57, 7, 5, kSteel, 1.1).Bias(-0.15);  // engines at the tail
        low.Ellipse(14 * s, -59, 4.5, 2.8, kFire).Flat(kCycle + (s > 0 ? 8 : 0));
        low.Ellipse(60 * s, -22, 5, 4, kSteel, 1.1).Bias(-0.15);  // and on the wings' trailing edge
        low.Ellipse(60 * s, -23.5, 3, 2, kFire).Flat(kCycle + (s > 0 ? 12 : 4));
    }
    low.Box(kGunDX, -30, 7, 12, kSteel, 2).Bias(-0.1);           // the spinal cannon's breech
    low.Capsule({kGunDX, -20}, {kGunDX, kGunDY - 3}, 3.2, kGrey);  // its barrel
    for (double y = -12; y <= 36; y += 12) low.Box(kGunDX, y, 4.5, 1.5, kSteel, 0.8).Bias(-0.05);  // its clamps
    low.Box(kGunDX, kGunDY - 2, 4.5, 2.5, kGrey, 0.8).Bias(-0.3);  // the muzzle brake
    low.Ellipse(kGunDX, kGunDY, 2, 1.5, kFire).Flat(kCycle + 2);
    for (const Muzzle& m : kMuzzles) Gun(low, m.dx, m.dy, m.heading, std::abs(m.dx) > 70 ? 4.5 : 5.5);
    for (int i = 0; i < 5; ++i)
        for (double s : {-1.0, 1.0})
            low.Ellipse(s * (36 + 11 * i), 22 - 4.4 * i, 1.2, 1.2, kRed).Flat(kLights + (3 * i + (s > 0 ? 8 : 0)) % 16);
    Image parts = Render(w, h, low, 0);
    for (int y = 0; y < h; ++y)  // rivets along the armour's seams
        for (int x = 0; x < w; ++x)
            if (std::find(kRust.begin(), kRust.end(), parts.At(x, y)) != kRust.end() && y % 6 == 0 && x % 4 == 0)
                parts.Set(x, y, Shade(parts.At(x, y), 2));
    Stack(img, parts, 1);

    Model high;
    high.Box(-14, -22, 10, 14, kSteel, 2.5).Bias(-0.1);  // the bridge
    high.Box(-14, -24, 6.5, 9, kSteel, 1.2).Bias(0.08);
    high.Box(-14, -10, 7, 0.8, kGlass).Flat(kGlass[1]);
    high.Ellipse(-14, 16, 8, 9, kPurple, 1.1).Bias(0.05);  // the reactor dome
    high.Ellipse(-14, 16, 4, 4.5, kGlass, 1.3);
    high.Ellipse(0, -47, 5, 4, kSteel, 1.0).Bias(-0.05);   // the tail's sensor mast
    high.Ellipse(0, -47, 2.2, 1.8, kRed).Flat(kLights + 6);
    Stack(img, Render(w, h, high, 0), 3);
    return img;
}

Image Boss7(const Entry& e, Context&) {
    if (e.w != boss07::kWidth || e.h != boss07::kHeight) {
        std::fprintf(stderr, "zenit-gen-art: sprite %d: the gatekeeper is %dx%d\n", e.id, boss07::kWidth, boss07::kHeight);
        std::exit(1);
    }
    return Gatekeeper();
}

MakerRegistrar r1("run7", Run7);
MakerRegistrar r2("boss7", Boss7);

}  // namespace

std::string Stage7PaletteText() {
    std::string s = "42428010/" + std::to_string(kMaterials * kRange) + "/";
    for (const MaterialColours& m : kMaterialColours)
        for (int c = 0; c < kMoods; ++c) {
            // The crest leads from the previous mood's lightest tone into this mood.
            for (int i = 0; i < kCrest; ++i) s += std::to_string(Value(Mix(Tone(m, c, 0), m.crest, kCrestShape[i]))) + "/";
            for (int tone = 0; tone < kTones; ++tone) s += std::to_string(Value(Tone(m, c, tone))) + "/";
        }
    return s;
}

}  // namespace art

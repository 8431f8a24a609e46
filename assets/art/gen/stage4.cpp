// Stage 4, the mesa citadel: its floor tile, the structures and dressing the
// stage lays on the floor, and its boss, the war platform.
//
// "mesa floor"              the 40x40 floor tile (1153), laid 8 x 12 by the scenery
// "mesa gate 0|1"           the two halves of the outer gate (work sprite 99)
// "mesa casemate"           a stone casemate with a door on its south face
// "mesa dune|drift"         sand blown over the floor
// "mesa outcrop|sunken"     raw rock breaking through; flags sunk and broken
// "mesa pit"                a gun pit for a turret
// "mesa obelisk|brazier"    the avenue's standing stones and fire bowls
// "mesa stairs|ruin"        steps down to a terrace; a broken wall
// "mesa pebbles|tuft|crack|rubble"   small dressing
// "mesa boss"               the war platform (6030; its shadow 6033 is made from it)
// "mesa gun 0|1"            one of its gun wells, shut / glowing before a ring
//
// Colours: the stage's own steady range 181..212 (palette text 105) for stone
// and sand; the shared ramps for metal, fire and the boss.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "game/enemies/boss04_layout.h"
#include "model.h"

namespace art {
namespace {

const Ramp kSandR = {181, 182, 183, 184, 185, 186};
const Ramp kPatina = {187, 188, 189, 190, 191, 192};
const Ramp kJoint = {193, 194, 195, 196};
const Ramp& kFloor = kGround;    // 197..202 the red stone of the floor
const Ramp& kWall = kGround2;    // 203..207 pale sandstone of the buildings
const Ramp& kRaw = kRock;        // 208..212 raw rock of the mesa

// The light falls from the top left.
constexpr double kLx = -0.646, kLy = -0.763;

// ---- The floor -------------------------------------------------------------------

// Irregular flags fitted together, repeating every 40 pixels both ways. The
// stones are of mixed sizes and their joints wander, so a field of tiles
// reads as paving rather than as a grid. Each stone is slightly domed (lit
// toward the top left), its rim bevelled, the joints dark with sand in them.
Image Floor() {
    constexpr int N = 40;
    struct Stone {
        double x, y, tone;
    };
    const Stone stones[] = {
        {8, 7, 0.50},  {28, 5, 0.45},  {19, 21, 0.53}, {36, 24, 0.47},
        {4, 29, 0.44}, {24, 35, 0.51},
    };
    constexpr int kStones = int(std::size(stones));
    Image img(N, N);
    std::vector<int> owner(N * N);
    std::vector<double> rim(N * N);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            // The two nearest stones on the torus, their distances bent by noise.
            double d1 = 1e9, d2 = 1e9;
            int i1 = 0, i2 = 0;
            for (int i = 0; i < kStones; ++i) {
                double dx = std::fabs(x + 0.5 - stones[i].x), dy = std::fabs(y + 0.5 - stones[i].y);
                dx = std::fmin(dx, N - dx);
                dy = std::fmin(dy, N - dy);
                double d = std::sqrt(dx * dx + dy * dy) + 2.4 * (TileNoise(x, y, 5, N, 400 + std::uint32_t(i)) - 0.5);
                if (d < d1) {
                    d2 = d1, i2 = i1;
                    d1 = d, i1 = i;
                } else if (d < d2) {
                    d2 = d, i2 = i;
                }
            }
            const Stone& s = stones[i1];
            const Stone& n = stones[i2];
            const double edge = (d2 - d1) / 2;  // about the distance to the joint
            owner[std::size_t(y * N + x)] = i1;
            rim[std::size_t(y * N + x)] = edge;

            // Where the neighbour lies: the rim toward it faces that way.
            double nx = n.x - s.x, ny = n.y - s.y;
            if (nx > N / 2.0) nx -= N;
            if (nx < -N / 2.0) nx += N;
            if (ny > N / 2.0) ny -= N;
            if (ny < -N / 2.0) ny += N;
            const double len = std::sqrt(nx * nx + ny * ny);
            const double facing = (nx * kLx + ny * kLy) / len;  // +1 toward the light

            double ox = x + 0.5 - s.x, oy = y + 0.5 - s.y;
            if (ox > N / 2.0) ox -= N;
            if (ox < -N / 2.0) ox += N;
            if (oy > N / 2.0) oy -= N;
            if (oy < -N / 2.0) oy += N;
            double t = s.tone - 0.006 * (ox * -kLx + oy * -kLy);  // domed: lighter toward the light
            t += 0.18 * (TileNoise(x, y, 2, N, 31) - 0.5) + 0.10 * (TileNoise(x, y, 8, N, 32) - 0.5);

            std::uint8_t c;
            if (edge < 0.6) {
                const std::uint32_t h = Hash(std::uint32_t(x), std::uint32_t(y), 77);
                c = h % 7 == 0 ? kSandR[1] : h % 5 == 0 ? kSandR[0] : kJoint[1];
            } else if (edge < 1.6) {
                t += facing > 0 ? 0.16 * facing : 0.2 * facing;
                c = Tone(kFloor, t, x, y, false);
            } else {
                c = Tone(kFloor, t, x, y);
            }
            img.Set(x, y, c);
        }

    // Sand settled in the wider joints and hollows.
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const double e = rim[std::size_t(y * N + x)];
            const double drift = TileNoise(x, y, 10, N, 90);
            if (e >= 0.75 && e < 1.6 && drift > 0.72) img.Set(x, y, Tone(kSandR, 0.25 + (drift - 0.72) * 1.5, x, y, false));
        }

    // Cracks across two of the stones: a dark line, its lower lip lit.
    auto crack = [&](double x, double y, double dx, double dy, int len, std::uint32_t seed) {
        for (int k = 0; k < len; ++k) {
            const int ix = (int(std::floor(x)) % N + N) % N, iy = (int(std::floor(y)) % N + N) % N;
            if (rim[std::size_t(iy * N + ix)] > 1.2) {
                img.Set(ix, iy, kFloor[0]);
                img.Set(ix, (iy + 1) % N, kFloor[3]);
            }
            const double wob = (Hash(std::uint32_t(k), seed) % 3) - 1.0;
            x += dx + wob * 0.35 * dy;
            y += dy + wob * 0.35 * dx;
        }
    };
    crack(31, 24, -0.8, 0.55, 9, 5);
    crack(12, 9, 0.9, 0.3, 7, 6);

    // Grit: a few lit grains and dark pits inside the stones.
    for (int k = 0; k < 18; ++k) {
        const std::uint32_t h = Hash(std::uint32_t(k), 123);
        const int x = int(h % N), y = int((h >> 8) % N);
        if (rim[std::size_t(y * N + x)] < 2.5) continue;
        img.Set(x, y, k % 3 == 0 ? kFloor[0] : kFloor[4]);
    }
    return img;
}

// ---- Shared strokes ------------------------------------------------------------------

// The ramps a pixel may be shaded along, ours first.
const Ramp* RampOf(std::uint8_t v) {
    for (const Ramp* r : {&kSandR, &kPatina, &kJoint, &kFloor, &kWall, &kRaw, &kGrey, &kSteel, &kRust, &kOlive, &kPurple,
                          &kGlass, &kRed, &kFire})
        if (std::find(r->begin(), r->end(), v) != r->end()) return r;
    return nullptr;
}

// The pixel `steps` tones lighter (+) or darker (-) along its own ramp.
void Shade(Image& img, int x, int y, int steps) {
    const std::uint8_t v = img.At(x, y);
    const Ramp* r = RampOf(v);
    if (!r) return;
    const int i = int(std::find(r->begin(), r->end(), v) - r->begin());
    img.Set(x, y, (*r)[std::size_t(std::clamp(i + steps, 0, int(r->size()) - 1))]);
}

// Checkerboard shadow of `body` cast `d` pixels down and to the right onto
// the transparent pixels of img (the floor shows through between).
void CastShadow(Image& img, const Image& body, int d) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            if (img.Solid(x, y) || (x + y) % 2 != 0) continue;
            for (int k = 1; k <= d; ++k)
                if (body.Solid(x - k, y - k)) {
                    img.Set(x, y, kShadow);
                    break;
                }
        }
}

// Coursed masonry over the pixels of one ramp in a rectangle: a joint a tone
// darker every `course` rows and every `block` pixels, staggered by course.
void Masonry(Image& img, const Ramp& r, int x0, int y0, int x1, int y1, int course, int block, std::uint32_t seed) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const std::uint8_t v = img.At(x, y);
            if (std::find(r.begin(), r.end(), v) == r.end()) continue;
            const int row = (y - y0) / course;
            const int shift = int(Hash(std::uint32_t(row), seed) % std::uint32_t(block));
            const bool joint = (y - y0) % course == course - 1 || (x - x0 + shift) % block == block - 1;
            if (joint) Shade(img, x, y, -2);
            else if ((x - x0 + shift) % block == 0 || (y - y0) % course == 0) Shade(img, x, y, 1);  // lit block edges
        }
}

// Grain: fine noise that nudges a tone up or down, and a few pits.
void Weather(Image& img, int x0, int y0, int x1, int y1, std::uint32_t seed, double amount = 0.35) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            if (!img.Solid(x, y) || img.At(x, y) == kOutline || img.At(x, y) == kShadow) continue;
            const std::uint32_t h = Hash(std::uint32_t(x), std::uint32_t(y), seed);
            const double n = (h & 0xFFFF) / 65535.0;
            if (n < amount * 0.25) Shade(img, x, y, -1);
            else if (n > 1 - amount * 0.12) Shade(img, x, y, 1);
        }
}

Image Rendered(int w, int h, const Model& m, bool outline = true) { return Render(w, h, {Layer{&m, 0}}, {false, outline}); }

// ---- Buildings --------------------------------------------------------------------

// Pixels of `top` laid over img; where they stand above it they cast a
// shadow `d` pixels down-right onto it (a tone darker where img has a ramp).
void Raise(Image& img, const Image& top, int d) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            if (top.Solid(x, y)) continue;
            for (int k = 1; k <= d; ++k)
                if (top.Solid(x - k, y - k)) {
                    Shade(img, x, y, -2);
                    break;
                }
        }
    Blit(img, top, 0, 0);
}

// Merlons along a parapet from (x0, y0) to (x1, y1), `size` wide with gaps
// as wide between them.
void Merlons(Model& m, double x0, double y0, double x1, double y1, double size) {
    const bool across = std::fabs(x1 - x0) >= std::fabs(y1 - y0);
    const double len = across ? x1 - x0 : y1 - y0;
    const int n = std::max(1, int(len / (size * 2)));
    for (int i = 0; i < n; ++i) {
        const double t = (i + 0.5) / n;
        const double cx = across ? x0 + t * (x1 - x0) : x0, cy = across ? y0 : y0 + t * (y1 - y0);
        m.Box(cx, cy, across ? size / 2 : 2.5, across ? 2.5 : size / 2, kWall, 1).Bias(0.15);
    }
}

// A hipped roof of copper gone green over a rectangle: four planes, the ones
// facing the light lit; standing seams down each plane.
void HippedRoof(Model& m, double cx, double cy, double hw, double hh) {
    const double ridge = std::fabs(hh - hw);
    const bool long_ns = hh >= hw;
    const Vec a = long_ns ? Vec{cx, cy - ridge} : Vec{cx - ridge, cy}, b = long_ns ? Vec{cx, cy + ridge} : Vec{cx + ridge, cy};
    const Vec tl{cx - hw, cy - hh}, tr{cx + hw, cy - hh}, br{cx + hw, cy + hh}, bl{cx - hw, cy + hh};
    m.Poly({tl, tr, long_ns ? a : b, long_ns ? a : a}, kPatina, 0.8).Bias(0.2);   // north
    m.Poly({bl, tl, a, long_ns ? b : a}, kPatina, 0.8).Bias(0.32);                 // west
    m.Poly({tr, br, b, long_ns ? a : b}, kPatina, 0.8).Bias(-0.3);                 // east
    m.Poly({br, bl, long_ns ? b : a, b}, kPatina, 0.8).Bias(-0.42);                // south
}

// The outer gate, 320 x 192: a rampart across the floor, its gatehouse in the
// middle (its passage, where the garrison waits, under a copper roof), a gun
// tower either side of it and a bastion at each end. Drawn whole, cut in halves.
Image GateWhole() {
    constexpr int W = 320, H = 192;
    constexpr double cx = W / 2.0, cy = H / 2.0;
    auto X = [&](double x) { return x - cx; };
    auto Y = [&](double y) { return y - cy; };
    Model walls;
    // The rampart: a flagged walkway between two parapets.
    walls.Box(X(160), Y(96), 160, 30, kWall, 2);
    walls.Box(X(160), Y(96), 160, 21, kWall, 1).Bias(-0.22);
    // Bastions at the ends, gun towers by the gate.
    for (double bx : {22.0, 298.0}) {
        walls.Box(X(bx), Y(92), 22, 44, kWall, 2.5);
        walls.Box(X(bx), Y(92), 15, 37, kWall, 1).Bias(-0.2);
    }
    for (double tx : {92.0, 228.0}) {
        walls.Box(X(tx), Y(62), 26, 30, kWall, 2.5);
        walls.Ellipse(X(tx), Y(56), 22, 22, kWall, 0.7).Bias(0.05);
        walls.Ellipse(X(tx), Y(56), 18, 18, kWall, 0.2).Bias(-0.2);
    }
    // The gatehouse, its roof over the passage.
    walls.Box(X(160), Y(98), 42, 62, kWall, 3);
    Image img = Rendered(W, H, walls);
    Masonry(img, kWall, 0, 0, W - 1, H - 1, 6, 11, 41);
    Weather(img, 0, 0, W - 1, H - 1, 43);

    Model roof;
    HippedRoof(roof, X(160), Y(98), 33, 53);
    Image roof_img = Rendered(W, H, roof);
    for (int y = 0; y < H; ++y)  // standing seams
        for (int x = 0; x < W; ++x)
            if (roof_img.Solid(x, y) && roof_img.At(x, y) != kOutline && (x % 6 == 0) != (y % 40 == 0)) Shade(roof_img, x, y, -1);
    Raise(img, roof_img, 4);

    Model crest;
    for (double x0 : {44.0, 200.0}) {
        Merlons(crest, X(x0), Y(68), X(x0 + 76), Y(68), 6);
        Merlons(crest, X(x0), Y(124), X(x0 + 76), Y(124), 6);
    }
    for (double bx : {22.0, 298.0}) {
        Merlons(crest, X(bx - 19), Y(52), X(bx - 19), Y(132), 6);
        Merlons(crest, X(bx + 19), Y(52), X(bx + 19), Y(132), 6);
    }
    Raise(img, Rendered(W, H, crest, false), 2);

    // The gate's doors on the south face: bronze leaves in a dark arch.
    FillRect(img, 144, 157, 176, 163, kJoint[0]);
    for (int x = 146; x <= 174; ++x) {
        const int leaf = x < 160 ? x - 146 : 174 - x;
        img.Set(x, 158, kPatina[leaf % 4 == 0 ? 1 : 4]);
        img.Set(x, 159, kPatina[leaf % 4 == 0 ? 0 : 3]);
        img.Set(x, 160, kPatina[leaf % 4 == 0 ? 0 : 2]);
        img.Set(x, 161, kPatina[1]);
    }
    img.Set(160, 158, kJoint[0]), img.Set(160, 159, kJoint[0]), img.Set(160, 160, kJoint[0]), img.Set(160, 161, kJoint[0]);
    // Loopholes along the rampart's south face.
    for (int x = 52; x < 120; x += 12) img.Set(x, 126, kJoint[0]), img.Set(x + 1, 126, kJoint[0]);
    for (int x = 206; x < 274; x += 12) img.Set(x, 126, kJoint[0]), img.Set(x + 1, 126, kJoint[0]);
    // Bronze rings on the towers' gun floors, where the domes stand.
    for (int tx : {92, 228})
        for (int a = 0; a < 40; ++a) {
            const double t = a * 2 * kPi / 40;
            img.Set(tx + int(std::lround(20 * std::cos(t))), 56 + int(std::lround(20 * std::sin(t))), kPatina[a % 2 ? 2 : 4]);
        }
    Image body = img;
    CastShadow(img, body, 10);
    return img;
}

// A casemate, 96 x 80: a squat vaulted blockhouse of sandstone; its door on
// the south face, two vents on the roof, sand banked against its sides.
Image Casemate() {
    constexpr int W = 96, H = 80;
    Model m;
    m.Box(-4, -6, 38, 28, kWall, 3);
    m.Box(-4, -7, 30, 20, kWall, 2).Bias(0.08);
    Image img = Rendered(W, H, m);
    Masonry(img, kWall, 0, 0, W - 1, H - 1, 5, 9, 51);
    Weather(img, 0, 0, W - 1, H - 1, 52);
    Model roof;
    HippedRoof(roof, -4, -8, 24, 14);
    for (double vx : {-16.0, 8.0}) roof.Box(vx, -8, 3, 2, kJoint).Flat(kJoint[0]);  // vents
    Raise(img, Rendered(W, H, roof), 3);
    // The door: a dark arch with bronze leaves, a worn sill of sand before it.
    FillRect(img, 34, 59, 53, 63, kJoint[0]);
    for (int x = 36; x <= 51; ++x) img.Set(x, 61, kPatina[(x - 36) % 5 == 0 ? 0 : 2]), img.Set(x, 62, kPatina[1]);
    for (int x = 30; x <= 57; ++x)
        for (int y = 65; y <= 68; ++y)
            if (!img.Solid(x, y) && Hash(std::uint32_t(x), std::uint32_t(y), 53) % 3 != 0) img.Set(x, y, Tone(kSandR, 0.55, x, y));
    Image body = img;
    CastShadow(img, body, 7);
    // Sand banked against the west side, where the wind drops it.
    for (int y = 18; y < 66; ++y)
        for (int x = 2; x < 12; ++x) {
            const double d = 12 - x - 4 * std::sin(y * 0.2);
            if (!img.Solid(x, y) && d > 3 && d < 9) img.Set(x, y, Tone(kSandR, 0.3 + (9 - d) * 0.06, x, y));
        }
    return img;
}

// A gun pit, 48 x 48: a ring of dressed stones round a sunken floor.
Image Pit() {
    Image img(48, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const double dx = x + 0.5 - 24, dy = y + 0.5 - 24, r = std::sqrt(dx * dx + dy * dy);
            if (r > 22) continue;
            const double facing = (dx * kLx + dy * kLy) / std::fmax(r, 0.01);  // the rim faces the light
            if (r > 16) {
                const int block = int((std::atan2(dy, dx) + kPi) / (2 * kPi) * 20);
                const bool joint = std::fmod((std::atan2(dy, dx) + kPi) / (2 * kPi) * 20, 1.0) < 0.08 || r > 21.3;
                double t = 0.55 + 0.25 * facing + (block % 3 == 0 ? 0.06 : 0);
                img.Set(x, y, joint ? kWall[0] : Tone(kWall, t, x, y, false));
            } else if (r > 14.5) {
                img.Set(x, y, kJoint[facing > 0 ? 0 : 1]);  // the inner lip: its far side in shadow
            } else {
                // The sunken floor: the rim's shadow falls into it from the top left.
                const double shade = (dx * -kLx + dy * -kLy) / 14.5;
                img.Set(x, y, Tone(kFloor, 0.28 + 0.14 * shade, x, y));
            }
        }
    Weather(img, 0, 0, 47, 47, 61, 0.25);
    return img;
}

// A standing stone of the avenue, 40 x 96, seen from above and a little from
// the south: its capstone, its face carved with a column of signs, its long
// shadow to the bottom right.
Image Obelisk() {
    constexpr int W = 40, H = 96;
    Image img(W, H);
    // The shaft's south face (shaded: the light is behind it), tapering up.
    for (int y = 14; y < 80; ++y) {
        const double half = 5 + (y - 14) * 0.05;
        for (int x = 0; x < W; ++x) {
            const double dx = x + 0.5 - 16;
            if (std::fabs(dx) > half) continue;
            double t = 0.42 - 0.18 * (dx / half) + 0.08 * (Hash(std::uint32_t(x), std::uint32_t(y), 71) % 3 == 0);
            img.Set(x, y, Tone(kWall, t, x, y));
        }
    }
    // The capstone, lit, and its pyramid point.
    for (int y = 4; y < 16; ++y)
        for (int x = 9; x < 24; ++x) {
            const double dx = x + 0.5 - 16.5, dy = y + 0.5 - 10;
            if (std::fabs(dx) + std::fabs(dy) * 1.1 > 7.5) continue;
            const bool lit = dx * kLx + dy * kLy > 0;
            img.Set(x, y, lit ? kPatina[4] : kPatina[1]);
        }
    // Carved signs down the face, in the weathered bronze of the inlays.
    for (int k = 0; k < 7; ++k) {
        const int y = 22 + k * 8;
        const std::uint32_t h = Hash(std::uint32_t(k), 72);
        img.Set(15, y, kPatina[2]), img.Set(16, y, kPatina[2]);
        if (h % 2) img.Set(14, y + 1, kPatina[1]), img.Set(17, y + 2, kPatina[1]);
        else img.Set(16, y + 2, kPatina[1]), img.Set(15, y + 3, kPatina[2]);
    }
    // Its foot: a plinth of two steps.
    for (int y = 78; y < 86; ++y)
        for (int x = 6; x < 27; ++x) img.Set(x, y, Tone(kWall, y < 81 ? 0.7 : 0.3, x, y, false));
    Outline(img);
    Image body = img;
    // A long shadow: the sun is low over the mesa.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (img.Solid(x, y) || (x + y) % 2 != 0) continue;
            for (int k = 1; k <= 14; ++k)
                if (body.Solid(x - k / 2, y - k) && y > 20) {
                    img.Set(x, y, kShadow);
                    break;
                }
        }
    return img;
}

// A fire bowl on a short plinth, 24 x 40; its flames in the glow cycle, so
// they flicker as the colours roll.
Image Brazier() {
    constexpr int W = 24, H = 40;
    Model m;
    m.Box(-1, 8, 7, 8, kWall, 2);                // the plinth
    m.Ellipse(-1, -2, 9, 5, kPatina, 0.8);       // the bowl
    m.Ellipse(-1, -3, 7, 3, kJoint, 0.3).Flat(kJoint[0]);
    Image img = Rendered(W, H, m);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const double dx = x + 0.5 - 11, dy = y + 0.5 - 15;
            const double w = 6.5 - std::fabs(dy) * 0.1;
            if (dy > 0 || dy < -12 || std::fabs(dx + 1.5 * std::sin(dy * 0.7)) > w * (1 + dy / 14)) continue;
            const int phase = int((-dy) * 1.3 + std::fabs(dx)) % 16;
            img.Set(x, y, std::uint8_t(kCycle + phase));
        }
    Image body = img;
    CastShadow(img, body, 5);
    return img;
}

// ---- Sand, rock and broken ground -----------------------------------------------------

// A sand drift: a soft mound with ripples across it, its windward (top-left)
// slope lit, thinning out over the flags at its edge.
Image Drift(int w, int h, std::uint32_t seed) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double u = (x + 0.5 - w / 2.0) / (w / 2.0), v = (y + 0.5 - h / 2.0) / (h / 2.0);
            const double shape = 1 - (u * u + v * v) + 0.35 * (Fbm(x, y, 64, seed, 3) - 0.5) * 2;
            if (shape <= 0) continue;
            if (shape < 0.18 && Bayer(x, y) > shape / 0.18) continue;  // the thin edge: grains on the stone
            const double slope = -(u * kLx + v * kLy);                    // the lit side faces the light
            const double ripple = std::sin((x * 0.35 + y * 0.9) + 2 * std::sin(x * 0.11)) * 0.07;
            img.Set(x, y, Tone(kSandR, 0.45 - 0.22 * slope + ripple + 0.25 * std::fmin(shape, 0.6), x, y));
        }
    return img;
}

// Raw rock of the mesa breaking through the flags: three boulders.
Image Outcrop() {
    constexpr int W = 80, H = 64;
    Model m;
    m.Poly({{-30, 4}, {-22, -14}, {-4, -20}, {8, -10}, {6, 10}, {-14, 18}}, kRaw, 3);
    m.Poly({{2, -4}, {16, -16}, {32, -10}, {34, 8}, {20, 16}, {6, 12}}, kRaw, 3).Bias(-0.05);
    m.Poly({{-10, 12}, {2, 8}, {10, 18}, {0, 24}, {-12, 22}}, kRaw, 2).Bias(0.05);
    Image img = Rendered(W, H, m);
    // Strata: the rock's layers run across it.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (img.Solid(x, y) && img.At(x, y) != kOutline && (y + int(3 * std::sin(x * 0.15))) % 6 == 0) Shade(img, x, y, -1);
    Weather(img, 0, 0, W - 1, H - 1, 81, 0.5);
    Image body = img;
    CastShadow(img, body, 7);
    return img;
}

// Flags sunk and broken: tilted shards, dark gaps, sand in the hollow.
Image Sunken() {
    constexpr int W = 80, H = 64;
    Image img(W, H);
    struct Shard {
        double x, y, tilt_x, tilt_y;
    };
    const Shard shards[] = {{22, 20, 0.6, 0.3}, {44, 16, -0.4, 0.5}, {60, 30, 0.2, -0.6}, {30, 42, -0.7, -0.2},
                            {50, 46, 0.5, -0.4}, {14, 36, 0.3, 0.6}};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const double u = (x + 0.5 - 40) / 36, v = (y + 0.5 - 32) / 28;
            if (u * u + v * v > 1) continue;
            double d1 = 1e9, d2 = 1e9;
            int best = 0;
            for (int i = 0; i < 6; ++i) {
                const double d = std::hypot(x - shards[i].x, y - shards[i].y) + 3 * (TileNoise(x, y, 4, 80, 90 + std::uint32_t(i)) - 0.5);
                if (d < d1) d2 = d1, d1 = d, best = i;
                else if (d < d2) d2 = d;
            }
            if (d2 - d1 < 2.2) {
                img.Set(x, y, (u * u + v * v) > 0.75 ? kJoint[1] : Tone(kSandR, 0.2, x, y));
                continue;
            }
            const Shard& s = shards[best];
            const double lit = -(s.tilt_x * kLx + s.tilt_y * kLy);
            img.Set(x, y, Tone(kFloor, 0.42 + 0.28 * lit + 0.1 * (TileNoise(x, y, 2, 80, 91) - 0.5), x, y));
        }
    return img;
}

// Broad steps down to a lower terrace, 192 x 48, with a block at each end.
Image Stairs() {
    constexpr int W = 192, H = 48;
    Image img(W, H);
    for (int y = 2; y < 44; ++y)
        for (int x = 14; x < W - 14; ++x) {
            const int step = (y - 2) / 7, in = (y - 2) % 7;
            std::uint8_t c = in == 0 ? kWall[4] : in >= 5 ? kWall[1] : Tone(kWall, 0.58 - step * 0.04, x, y);
            if (in >= 5 && (x + step * 5) % 23 == 0) c = kWall[0];
            img.Set(x, y, c);
        }
    Weather(img, 0, 0, W - 1, H - 1, 101, 0.3);
    Model m;
    m.Box(-86, 0, 10, 22, kWall, 2).Bias(0.05);
    m.Box(86, 0, 10, 22, kWall, 2).Bias(0.05);
    Image ends = Rendered(W, H, m);
    Masonry(ends, kWall, 0, 0, W - 1, H - 1, 6, 7, 102);
    Blit(img, ends, 0, 0);
    return img;
}

// What is left of a low wall: broken courses and fallen blocks, 128 x 48.
Image Ruin() {
    constexpr int W = 128, H = 48;
    Model m;
    m.Box(-40, -6, 20, 5, kWall, 1.5);
    m.Box(-12, -4, 9, 5, kWall, 1.5).Bias(-0.05);
    m.Box(22, -7, 14, 5, kWall, 1.5);
    m.Box(44, -2, 6, 4, kWall, 1.5).Bias(0.05);
    m.Poly({{0, 8}, {8, 5}, {12, 11}, {4, 14}}, kWall, 1.5);
    m.Poly({{-26, 9}, {-18, 7}, {-16, 14}, {-25, 15}}, kWall, 1.5).Bias(-0.1);
    m.Poly({{30, 8}, {37, 9}, {35, 15}, {28, 14}}, kWall, 1.5);
    Image img = Rendered(W, H, m);
    Masonry(img, kWall, 0, 0, W - 1, H - 1, 5, 8, 111);
    Weather(img, 0, 0, W - 1, H - 1, 112, 0.5);
    Image body = img;
    CastShadow(img, body, 5);
    return img;
}

// ---- Small dressing ---------------------------------------------------------------------

Image Pebbles() {
    Image img(24, 16);
    for (int k = 0; k < 7; ++k) {
        const std::uint32_t h = Hash(std::uint32_t(k), 121);
        const int x = 3 + int(h % 18), y = 3 + int((h >> 8) % 10), r = 1 + int((h >> 16) % 2);
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (dx * dx + dy * dy <= r * r + 1) img.Set(x + dx, y + dy, (dx + dy < 0) ? kRaw[3] : kRaw[1]);
        img.Set(x + r, y + r + 1, kShadow);
    }
    return img;
}

// A tuft of dry grass: blades fanning from a dark foot, tips lit.
Image Tuft() {
    Image img(24, 24);
    for (int k = 0; k < 9; ++k) {
        const double a = -kPi / 2 + (k - 4) * 0.28;
        const double len = 7 + (Hash(std::uint32_t(k), 131) % 5);
        for (int i = 0; i < int(len); ++i) {
            const int x = int(std::lround(12 + std::cos(a) * i + (k % 2 ? 0.3 : -0.3) * i * i / len));
            const int y = int(std::lround(18 + std::sin(a) * i));
            img.Set(x, y, i > len - 3 ? kSandR[5] : i > len / 2 ? kSandR[3] : kOlive[1]);
        }
    }
    for (int x = 9; x < 16; ++x) img.Set(x, 19, kShadow), img.Set(x + 1, 20, kShadow);
    return img;
}

// A crack across the flags: a dark jagged line with a lit lower lip and sand.
Image Crack() {
    Image img(40, 24);
    double x = 2, y = 6;
    for (int k = 0; k < 44; ++k) {
        const int ix = int(x), iy = int(y);
        img.Set(ix, iy, kJoint[0]);
        img.Set(ix, iy + 1, kFloor[3]);
        if (k % 9 == 4) img.Set(ix + 1, iy - 1, kSandR[1]);
        const std::uint32_t h = Hash(std::uint32_t(k), 141);
        x += 0.85;
        y += (h % 3) * 0.45 - 0.35;
        if (k == 20) {  // a branch
            double bx = x, by = y;
            for (int j = 0; j < 9; ++j) img.Set(int(bx), int(by), kJoint[0]), bx += 0.5, by += 0.9;
        }
    }
    return img;
}

// Fallen blocks and chips of sandstone.
Image Rubble() {
    Model m;
    m.Poly({{-8, -2}, {-2, -7}, {3, -3}, {-3, 3}}, kWall, 1.2);
    m.Poly({{2, 1}, {8, -1}, {9, 5}, {4, 7}}, kWall, 1.2).Bias(-0.1);
    m.Box(-6, 5, 2.5, 2, kWall, 1);
    Image img = Rendered(24, 24, m);
    Image body = img;
    CastShadow(img, body, 3);
    return img;
}

// ---- The war platform ------------------------------------------------------------------

// 128 x 96: an armoured hover platform of gunmetal and sand-coloured plates,
// wide and low, four lift fans at its corners, its bridge forward, and three
// wells where the ring guns sit (the guns are drawn over it by the game).
Image Boss() {
    using boss04::kGuns;
    constexpr int W = boss04::kBodyWidth, H = boss04::kBodyHeight;
    Model m;
    // Hull: a broad arrowhead pointing down the screen (toward the ship).
    m.Poly({{-62, -30}, {-40, -44}, {40, -44}, {62, -30}, {60, 6}, {34, 38}, {0, 46}, {-34, 38}, {-60, 6}}, kSteel, 3);
    m.Poly({{-52, -28}, {-34, -38}, {34, -38}, {52, -28}, {50, 2}, {28, 30}, {0, 38}, {-28, 30}, {-50, 2}}, kGrey, 2)
        .Bias(-0.05);
    // Armour plates in sand over the shoulders.
    m.Poly({{-50, -24}, {-20, -36}, {-14, -22}, {-44, -6}}, kRust, 1.5).Bias(0.15);
    m.Poly({{50, -24}, {20, -36}, {14, -22}, {44, -6}}, kRust, 1.5).Bias(0.15);
    // Lift fans at the corners.
    for (double fx : {-48.0, 48.0})
        for (double fy : {-30.0, 18.0}) {
            m.Ellipse(fx, fy, 9, 9, kSteel, 0.6).Bias(-0.1);
            m.Ellipse(fx, fy, 6.5, 6.5, kGrey).Flat(kGrey[0]);
        }
    // The bridge between the front guns, its glass toward the ship.
    m.Box(0, -16, 13, 16, kSteel, 2.5);
    m.Box(0, -12, 9, 9, kGrey, 1.5).Bias(0.1);
    m.Ellipse(0, -4, 6, 3, kGlass, 1.2);
    // Gun wells: dark rings the ring guns sit in.
    for (const auto& g : kGuns) {
        m.Ellipse(g.dx, g.dy, 21, 21, kSteel, 0.5).Bias(-0.2);
        m.Ellipse(g.dx, g.dy, 18, 18, kGrey).Flat(kGrey[0]);
    }
    Image img = Render(W, H, {Layer{&m, 0}}, {true, true});
    // Plate seams across the hull; rivets along the armour.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!img.Solid(x, y) || img.At(x, y) == kOutline) continue;
            if ((y % 12 == 0 && x % 3 != 0) || (x % 20 == 0 && y % 2 == 0)) Shade(img, x, y, -1);
        }
    // The fans spin in the light cycle of the enemy lamps.
    for (double fx : {-48.0, 48.0})
        for (double fy : {-30.0, 18.0})
            for (int a = 0; a < 16; ++a) {
                const double t = a * 2 * kPi / 16;
                img.Set(int(W / 2 + fx + 4 * std::cos(t)), int(H / 2 + fy + 4 * std::sin(t)), std::uint8_t(kLights + a));
            }
    return img;
}

// A ring gun, 40 x 40: a heavy dome with sixteen ports round it. Shut, its
// ports are dark; lit, they and its core glow in the bullets' colours, the
// warning that a ring is coming.
Image Gun(bool lit) {
    Model m;
    m.Ellipse(0, 0, 17, 17, kSteel, 0.9);
    m.Ellipse(-1, -1, 11, 11, kGrey, 1.2).Bias(0.05);
    m.Ellipse(0, 0, 5, 5, kRed).Flat(lit ? kCycle : kRed[0]);
    Image img = Rendered(40, 40, m);
    for (int a = 0; a < 16; ++a) {
        const double t = a * 2 * kPi / 16;
        const int x = int(std::lround(19.5 + 14 * std::cos(t))), y = int(std::lround(19.5 + 14 * std::sin(t)));
        img.Set(x, y, lit ? std::uint8_t(kCycle + (a % 4)) : kGrey[0]);
        img.Set(x + (std::cos(t) > 0.3 ? 1 : std::cos(t) < -0.3 ? -1 : 0), y + (std::sin(t) > 0.3 ? 1 : std::sin(t) < -0.3 ? -1 : 0),
                lit ? kFire[2] : kOutline);
    }
    return img;
}

// ---- The maker ----------------------------------------------------------------------

Image Mesa(const Entry& e, Context&) {
    const std::string kind = ArgStr(e, 0);
    if (kind == "floor") return Floor();
    if (kind == "gate") {
        static const Image whole = GateWhole();
        return Crop(whole, 0, ArgInt(e, 1) * 96, 320, 96);
    }
    if (kind == "casemate") return Casemate();
    if (kind == "dune") return Drift(160, 64, 150);
    if (kind == "drift") return Drift(96, 48, 151);
    if (kind == "outcrop") return Outcrop();
    if (kind == "sunken") return Sunken();
    if (kind == "pit") return Pit();
    if (kind == "obelisk") return Obelisk();
    if (kind == "stairs") return Stairs();
    if (kind == "ruin") return Ruin();
    if (kind == "brazier") return Brazier();
    if (kind == "pebbles") return Pebbles();
    if (kind == "tuft") return Tuft();
    if (kind == "crack") return Crack();
    if (kind == "rubble") return Rubble();
    if (kind == "boss") return Boss();
    if (kind == "gun") return Gun(ArgInt(e, 1) != 0);
    std::fprintf(stderr, "zenit-gen-art: sprite %d: unknown mesa piece '%s'\n", e.id, kind.c_str());
    std::exit(1);
}

MakerRegistrar r("mesa", Mesa);

}  // namespace
}  // namespace art

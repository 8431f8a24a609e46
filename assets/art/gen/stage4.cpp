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

// A sand drift: streaks of sand the west wind has laid over the flags, in
// ripples across the wind, thinning out to loose grains at its edges.
Image Drift(int w, int h, std::uint32_t seed) {
    Image img(w, h);
    // Three or four streaks along the wind, a little south of east.
    struct Streak {
        double x, y, len, width;
    };
    std::vector<Streak> streaks;
    const int n = 3 + int(Hash(seed) % 2);
    for (int i = 0; i < n; ++i) {
        const std::uint32_t r = Hash(seed, std::uint32_t(i));
        streaks.push_back({w * (0.3 + 0.4 * ((r & 255) / 255.0)), h * (0.25 + 0.5 * (((r >> 8) & 255) / 255.0)),
                           w * (0.28 + 0.18 * (((r >> 16) & 255) / 255.0)), h * (0.16 + 0.1 * ((r >> 24) / 255.0))});
    }
    const double ax = 0.97, ay = 0.24;  // the wind's way
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double density = 0;
            for (const Streak& st : streaks) {
                const double dx = x + 0.5 - st.x, dy = y + 0.5 - st.y;
                const double along = (dx * ax + dy * ay) / st.len, across = (-dx * ay + dy * ax) / st.width;
                density = std::fmax(density, 1 - along * along - across * across);
            }
            density += 0.45 * (Fbm(x, y, 32, seed + 7, 3) - 0.5);
            if (density <= 0) continue;
            if (density < 0.3 && Bayer(x, y) > density / 0.3) continue;  // loose grains on the stone
            // Ripples across the wind: a lit crest, a shaded trough.
            const double ripple = std::sin((x * ax + y * ay) * 0.95 + 3.0 * Fbm(x, y, 32, seed + 9, 2));
            const double t = 0.26 + 0.32 * std::fmin(density, 0.7) + (ripple > 0.8 ? 0.16 : ripple < -0.5 ? -0.07 : 0);
            img.Set(x, y, Tone(kSandR, t, x, y));
        }
    return img;
}

// Raw rock of the mesa breaking through the flags: weathered boulders,
// their layers running across them, lichen in their hollows.
Image Outcrop() {
    constexpr int W = 80, H = 64;
    Model m;
    m.Ellipse(-14, -2, 19, 15, kRaw, 1.1).Bias(-0.12);
    m.Ellipse(14, -6, 16, 13, kRaw, 1.2).Bias(-0.08);
    m.Ellipse(-2, 12, 13, 9, kRaw, 1.0).Bias(-0.05);
    m.Ellipse(22, 12, 7, 6, kRaw, 1.0).Bias(-0.1);
    Image img = Rendered(W, H, m);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!img.Solid(x, y) || img.At(x, y) == kOutline) continue;
            const double n = Fbm(x, y, 16, 83, 3);
            if ((y + int(3 * std::sin(x * 0.15 + n * 3))) % 5 == 0) Shade(img, x, y, -1);  // strata
            if (n < 0.3) Shade(img, x, y, -1);                                             // hollows
            if (n < 0.22 && Hash(std::uint32_t(x), std::uint32_t(y), 84) % 4 == 0) img.Set(x, y, kPatina[1]);  // lichen
        }
    Weather(img, 0, 0, W - 1, H - 1, 81, 0.25);
    Image body = img;
    CastShadow(img, body, 6);
    return img;
}

// Flags sunk and broken where the vault under them gave way: a hollow of
// tilted shards with wide dark gaps, sand gathered in it, its far rim lit.
Image Sunken() {
    constexpr int W = 80, H = 64;
    Image img(W, H);
    struct Shard {
        double x, y, tilt_x, tilt_y;
    };
    const Shard shards[] = {{24, 18, 0.6, 0.3},  {44, 14, -0.4, 0.6}, {60, 28, 0.3, -0.7}, {30, 40, -0.7, -0.2},
                            {52, 46, 0.5, -0.5}, {14, 32, 0.4, 0.6},  {40, 28, 0.0, 0.8}};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const double u = (x + 0.5 - 40) / 34, v = (y + 0.5 - 31) / 26;
            const double edge = 1 - (u * u + v * v) + 0.5 * (Fbm(x, y, 16, 95, 2) - 0.5);
            if (edge <= 0) continue;
            double d1 = 1e9, d2 = 1e9;
            int best = 0;
            for (int i = 0; i < int(std::size(shards)); ++i) {
                const double d = std::hypot(x - shards[i].x, y - shards[i].y) + 3 * (TileNoise(x, y, 4, 80, 90 + std::uint32_t(i)) - 0.5);
                if (d < d1) d2 = d1, d1 = d, best = i;
                else if (d < d2) d2 = d;
            }
            const double rim = u * -kLx + v * -kLy;  // the rim opposite the light catches it
            if (edge < 0.12) {
                img.Set(x, y, rim > 0.2 ? kFloor[4] : kJoint[1]);
                continue;
            }
            if (d2 - d1 < 2.0) {
                img.Set(x, y, v > 0.35 && Hash(std::uint32_t(x), std::uint32_t(y), 96) % 2 ? Tone(kSandR, 0.35, x, y) : kJoint[0]);
                continue;
            }
            const Shard& s = shards[best];
            const double lit = -(s.tilt_x * kLx + s.tilt_y * kLy);
            const double sink = 0.12 * (1 - std::fmin(edge, 1.0));  // deeper toward the middle is darker
            img.Set(x, y, Tone(kFloor, 0.34 + 0.26 * lit - sink + 0.1 * (TileNoise(x, y, 2, 80, 91) - 0.5), x, y));
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

// ---- Small dressing (10 x 10) -----------------------------------------------------------

Image Pebbles() {
    Image img(10, 10);
    const int at[][3] = {{2, 3, 1}, {6, 2, 0}, {5, 6, 1}, {8, 7, 0}, {2, 8, 0}};
    for (const auto& p : at) {
        const int x = p[0], y = p[1], r = p[2];
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) img.Set(x + dx, y + dy, dx + dy < 0 || r == 0 ? kRaw[3] : kRaw[1]);
        img.Set(x + r + 1, y + r + 1, kShadow);
    }
    return img;
}

// A tuft of dry grass: blades fanning from a dark foot, tips lit.
Image Tuft() {
    Image img(10, 10);
    for (int k = 0; k < 6; ++k) {
        const double a = -kPi / 2 + (k - 2.5) * 0.33;
        const int len = 4 + int(Hash(std::uint32_t(k), 131) % 3);
        for (int i = 0; i < len; ++i) {
            const int x = int(std::lround(5 + std::cos(a) * i)), y = int(std::lround(8 + std::sin(a) * i));
            img.Set(x, y, i >= len - 1 ? kSandR[5] : i >= len / 2 ? kSandR[3] : kOlive[1]);
        }
    }
    img.Set(5, 9, kShadow), img.Set(6, 9, kShadow);
    return img;
}

// A crack across a flag: a dark jagged line with a lit lower lip.
Image Crack() {
    Image img(10, 10);
    const int path[][2] = {{0, 2}, {1, 3}, {2, 3}, {3, 4}, {4, 4}, {5, 5}, {5, 6}, {6, 7}, {7, 7}, {8, 8}, {9, 9}, {4, 5}, {3, 6}};
    for (const auto& p : path) {
        img.Set(p[0], p[1], kJoint[0]);
        if (!img.Solid(p[0], p[1] + 1)) img.Set(p[0], p[1] + 1, kFloor[4]);
    }
    return img;
}

// A fallen block and a chip of sandstone.
Image Rubble() {
    Model m;
    m.Poly({{-4, -3}, {1, -4}, {2, 0}, {-3, 1}}, kWall, 1);
    m.Box(2.5, 2.5, 1.5, 1.2, kWall, 0.8).Bias(-0.1);
    Image img = Rendered(10, 10, m);
    Image body = img;
    CastShadow(img, body, 2);
    return img;
}

// ---- The war platform ------------------------------------------------------------------

// 128 x 96: the citadel's war platform, built like the citadel: a hexagonal
// deck of sandstone armour on a bronze frame, plated in copper gone green, a
// small keep with a hipped roof at its heart, four lift jets burning at its
// corners and three dark wells where the ring guns sit (the guns are drawn
// over it by the game).
Image Boss() {
    using boss04::kGuns;
    static const Vec kJets[] = {{-54, -30}, {54, -30}, {-30, 37}, {30, 37}};
    constexpr int W = boss04::kBodyWidth, H = boss04::kBodyHeight;
    Model frame;
    // The bronze frame, the armoured deck on it.
    frame.Poly({{-52, -45}, {52, -45}, {63, -32}, {63, 2}, {42, 36}, {16, 47}, {-16, 47}, {-42, 36}, {-63, 2}, {-63, -32}},
               kRust, 2.5)
        .Bias(-0.1);
    frame.Poly({{-47, -40}, {47, -40}, {57, -29}, {57, 0}, {38, 31}, {14, 41}, {-14, 41}, {-38, 31}, {-57, 0}, {-57, -29}},
               kWall, 2.5);
    // Copper plates over the shoulders and the bow.
    frame.Poly({{-55, -26}, {-42, -38}, {-20, -38}, {-24, -26}, {-55, -12}}, kPatina, 1.5).Bias(0.1);
    frame.Poly({{55, -26}, {42, -38}, {20, -38}, {24, -26}, {55, -12}}, kPatina, 1.5).Bias(0.1);
    frame.Poly({{-30, 30}, {-12, 38}, {12, 38}, {30, 30}, {18, 44}, {-18, 44}}, kPatina, 1.2);
    // Lift jets at the corners.
    for (const Vec& j : kJets) {
        frame.Ellipse(j.x, j.y, 8, 8, kRust, 0.7).Bias(-0.05);
        frame.Ellipse(j.x, j.y, 5.5, 5.5, kGrey).Flat(kGrey[0]);
    }
    // Gun wells.
    for (const auto& g : kGuns) {
        frame.Ellipse(g.dx, g.dy, 21.5, 21.5, kRust, 0.6).Bias(-0.15);
        frame.Ellipse(g.dx, g.dy, 19, 19, kGrey).Flat(kJoint[0]);
    }
    Image img = Rendered(W, H, frame);
    Masonry(img, kWall, 0, 0, W - 1, H - 1, 6, 10, 201);
    Weather(img, 0, 0, W - 1, H - 1, 202, 0.3);
    // Rivets along the copper plates.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (RampOf(img.At(x, y)) == &kPatina && (x + 2 * y) % 7 == 0 && (x * 3 + y) % 5 == 0) img.Set(x, y, kPatina[5]);

    // The keep at its heart: a block with a hipped copper roof and a lamp.
    const auto& k = boss04::kKeep;
    Model keep;
    keep.Box(k.dx, k.dy, 15, 12, kWall, 2);
    Image keep_img = Rendered(W, H, keep);
    Masonry(keep_img, kWall, 0, 0, W - 1, H - 1, 5, 7, 203);
    Model roof;
    HippedRoof(roof, k.dx, k.dy - 1, 11, 8);
    Raise(keep_img, Rendered(W, H, roof), 2);
    keep_img.Set(W / 2 + k.dx, H / 2 + k.dy - 1, std::uint8_t(kLights + 8));
    keep_img.Set(W / 2 + k.dx - 1, H / 2 + k.dy - 1, std::uint8_t(kLights + 7));
    Raise(img, keep_img, 3);

    // The jets burn in the glow cycle, so they flicker.
    for (const Vec& j : kJets)
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (dx * dx + dy * dy <= 10)
                    img.Set(W / 2 + int(j.x) + dx, H / 2 + int(j.y) + dy, std::uint8_t(kCycle + ((dx * dx + dy * dy) * 2 + dx + 16) % 16));
    return img;
}

// A ring gun, 40 x 40: a heavy bronze dome with sixteen ports round it. Shut,
// its ports are dark and its eye dim; lit, the ports and the eye glow in the
// bullets' colours: the warning that a ring is coming.
Image Gun(bool lit) {
    Model m;
    m.Ellipse(0, 0, 17.5, 17.5, kRust, 0.9).Bias(-0.05);
    m.Ellipse(-1, -1, 12, 12, kPatina, 1.2).Bias(0.05);
    m.Ellipse(0, 0, 5.5, 5.5, kRed).Flat(lit ? kWhite : kJoint[0]);
    m.Ellipse(0, 0, 3.5, 3.5, kRed).Flat(lit ? kCycle : kRed[0]);
    Image img = Rendered(40, 40, m);
    for (int a = 0; a < 16; ++a) {
        const double t = a * 2 * kPi / 16;
        const double c = std::cos(t), s = std::sin(t);
        for (double r : {14.5, 16.0}) {
            const int x = int(std::floor(20 + r * c)), y = int(std::floor(20 + r * s));
            img.Set(x, y, lit ? std::uint8_t(kCycle + (a * 3 + int(r)) % 16) : r < 15 ? kJoint[0] : kOutline);
        }
    }
    if (lit)  // a hot ring round the eye
        for (int a = 0; a < 24; ++a) {
            const double t = a * 2 * kPi / 24;
            img.Set(int(std::floor(20 + 7.5 * std::cos(t))), int(std::floor(20 + 7.5 * std::sin(t))), kFire[3]);
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

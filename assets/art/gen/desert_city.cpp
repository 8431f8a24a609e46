// Stage 2, the desert city: its ground (sand in ten variants, its rims and
// overlays), its buildings (flat whitewashed roofs, courtyards, domes, the
// refinery, walls and towers, the citadel), palms and scrub, and the boss's
// fortress with the hatches of its turret wells.
//
// The ground and the buildings are stage-2 pictures and draw with the ranges
// of text 104 that stage 3's sea leaves alone: the sand (230, 231, 223..226,
// 232), sandstone (203..207), palms (213..217), concrete (218..222),
// terracotta (233..237), whitewash (238..241) and the water cycle (181..196).
// The fortress and its hatches use only the shared ramps.
#include "model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace art {
namespace {

const Ramp kDune = {230, 231, 223, 224, 225, 226, 232};
const Ramp kTerracotta = {233, 234, 235, 236, 237};
const Ramp kWhitewash = {238, 239, 240, 241};
const Ramp& kSandstone = kGround2;
const Ramp& kPalm = kVeg;
const Ramp& kConcrete = kMetal;

double Inside(int x, int y) {  // 0 on a cell's border, 1 six pixels in
    const double ex = std::fmin(x, 31 - x), ey = std::fmin(y, 31 - y);
    return std::fmin(1.0, std::fmin(ex, ey) / 6.0);
}

// Wind ripples across the sand, repeating every 32 pixels both ways.
double Ripple(int x, int y) { return std::sin((y + 2.5 * std::sin(x * 2 * kPi / 32)) * 2 * kPi / 8); }

// The sand's light value: a fine grain, broad soft patches and the ripples.
double SandTone(int x, int y) {
    return 0.42 + (TileNoise(x, y, 2, 32, 201) - 0.5) * 0.3 + (TileNoise(x, y, 8, 32, 202) - 0.5) * 0.22 +
           Ripple(x, y) * 0.07;
}

// A checkerboard shadow of everything solid, `d` pixels down and right, where
// the picture is clear.
void CastShadow(Image& img, int d) {
    const Image body = img;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x)
            if (!body.Solid(x, y) && body.Solid(x - d, y - d) && (x + y) % 2 == 0) img.Set(x, y, kShadow);
}

// ---- Ground ------------------------------------------------------------------------

// "dune tile V": sand with ten variants. Every variant shares the border ring;
// inside it, v adds darker gravel (v % 3 == 0), a lighter drift (else), and
// pebbles (v % 4 == 1) or a few stones (v % 4 == 3).
Image DuneTile(int v) {
    Image img(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            double t = SandTone(x, y);
            if (v >= 0) t += (Fbm(x, y, 32, 210 + std::uint32_t(v) * 17, 2) - 0.5) * (v % 3 == 0 ? -0.5 : 0.45) * Inside(x, y);
            img.Set(x, y, Tone(kDune, t, x, y));
        }
    auto dots = [&](std::uint32_t seed, int count, const Ramp& r) {
        for (int k = 0; k < count; ++k) {
            const std::uint32_t h = Hash(seed, std::uint32_t(k));
            const int x = 6 + int(h % 20), y = 6 + int((h >> 8) % 20);
            img.Set(x, y, r[r.size() - 2]);
            img.Set(x + 1, y + 1, r[1]);
        }
    };
    if (v >= 0 && v % 4 == 1) dots(230 + std::uint32_t(v), 7, kDune);
    if (v >= 0 && v % 4 == 3) dots(240 + std::uint32_t(v), 3, kSandstone);
    return img;
}

// "dune edge SIDE": the rim of a sand cell where it meets concrete or water
// (0 top, 1 right, 2 bottom, 3 left): a ragged band of damp, darker sand and
// a dark line at the very edge.
Image DuneEdge(int side) {
    Image img(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int along = side % 2 == 0 ? x : y;
            const int depth = side == 0 ? y : side == 1 ? 31 - x : side == 2 ? 31 - y : x;
            const double limit = 3 + 3 * TileNoise(along, 0, 8, 32, 220 + std::uint32_t(side));
            if (depth >= limit) continue;
            img.Set(x, y, depth < 1 ? kDune[0] : Tone(kDune, 0.15 + depth / limit * 0.25, x, y));
        }
    return img;
}

// "dune overlay K": 0 dune crests, 1 rocks, 2 dry scrub, 3 and 4 vehicle
// tracks north-south and east-west, 5 and 6 a pipeline north-south and
// east-west, 7 a scorched patch. Tracks and pipes meet the cell edges at
// their middle, so they join across cells.
Image DuneOverlay(int kind, int id) {
    Image img(32, 32);
    const std::uint32_t seed = Hash(std::uint32_t(id));
    switch (kind) {
    case 0:  // two crests; the windward slope above each is lit, the lee below in shade
        for (int x = 0; x < 32; ++x)
            for (int crest : {9, 24}) {
                const int c = crest + int(std::lround(2.5 * std::sin((x + crest) * 2 * kPi / 32)));
                for (int d = -4; d <= 3; ++d) {
                    const int y = c + d;
                    if (y < 0 || y > 31) continue;
                    const double t = d < 0 ? 0.62 + d * 0.03 : d == 0 ? 0.9 : 0.18 + d * 0.04;
                    if (d < -2 && Bayer(x, y) > 0.5) continue;
                    img.Set(x, y, Tone(kDune, t, x, y));
                }
            }
        break;
    case 1: {  // sandstone rocks
        Model m;
        m.Ellipse(-4, 1, 7, 5, kSandstone, 1.2).Bias(-0.05);
        m.Ellipse(5, -4, 5, 4, kSandstone, 1.2);
        m.Ellipse(6, 7, 3, 2.5, kSandstone, 1.1).Bias(-0.1);
        img = Render(32, 32, m, 0, {true, false});
        CastShadow(img, 2);
        break;
    }
    case 2:  // dry scrub: wiry tufts, olive and straw
        for (int k = 0; k < 5; ++k) {
            const std::uint32_t h = Hash(seed, std::uint32_t(k));
            const int cx = 7 + int(h % 18), cy = 7 + int((h >> 8) % 18);
            for (int r = 0; r < 8; ++r) {
                const double a = r * kPi / 4 + (h >> 16) % 7 * 0.1;
                for (int s = 1; s <= 3; ++s)
                    img.Set(cx + int(std::lround(std::cos(a) * s)), cy + int(std::lround(std::sin(a) * s)),
                            s == 3 ? kDune[5] : k % 2 ? kPalm[1] : kPalm[2]);
            }
            img.Set(cx, cy, kPalm[0]);
            img.Set(cx + 2, cy + 2, kDune[1]);
        }
        break;
    case 3:
    case 4:  // two tyre tracks with tread marks
        for (int a = 0; a < 32; ++a)
            for (int lane : {9, 21})
                for (int w = 0; w < 3; ++w) {
                    const int x = kind == 3 ? lane + w : a, y = kind == 3 ? a : lane + w;
                    const bool tread = (a + w) % 3 == 0;
                    img.Set(x, y, tread ? kDune[1] : w == 1 ? kDune[2] : kDune[3]);
                }
        break;
    case 5:
    case 6: {  // a pipe on saddles, lit along its upper side, its shadow beside it
        for (int a = 0; a < 32; ++a)
            for (int w = -3; w <= 5; ++w) {
                const int x = kind == 5 ? 16 + w : a, y = kind == 5 ? a : 16 + w;
                if (w >= 4) {
                    if ((x + y) % 2 == 0) img.Set(x, y, kShadow);
                    continue;
                }
                const bool flange = a % 16 == 2 || a % 16 == 3;
                std::uint8_t c = w == -3 || w == 3 ? kOutline : Tone(kGrey, 0.62 - w * 0.12 + (flange ? 0.15 : 0), x, y, false);
                img.Set(x, y, c);
            }
        break;
    }
    default:  // scorched: soot over the sand, thinning out, with debris
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const double d = std::hypot(x - 15.5, y - 15.5) / 14 + (TileNoise(x, y, 4, 32, seed) - 0.5) * 0.5;
                if (d < 0.6 || (d < 1 && Bayer(x, y) > (d - 0.6) / 0.4)) img.Set(x, y, d < 0.35 ? kShadow : kSmoke[0]);
            }
        for (int k = 0; k < 6; ++k) {
            const std::uint32_t h = Hash(seed, std::uint32_t(k) + 7);
            const int x = 8 + int(h % 16), y = 8 + int((h >> 8) % 16);
            img.Set(x, y, k % 2 ? kGrey[1] : kSmoke[2]);
            img.Set(x + 1, y, kOutline);
        }
        break;
    }
    return img;
}

Image Dune(const Entry& e, Context&) {
    const std::string what = ArgStr(e, 0);
    const int v = ArgInt(e, 1);
    if (what == "tile") return DuneTile(v);
    if (what == "edge") return DuneEdge(v);
    if (what == "overlay") return DuneOverlay(v, e.id);
    std::fprintf(stderr, "zenit-gen-art: sprite %d: unknown dune piece '%s'\n", e.id, what.c_str());
    std::exit(1);
}

// ---- Palms and scrub ---------------------------------------------------------------

// "palm": a date palm from above, its fronds fanning out from the crown.
Image Palm(const Entry& e, Context&) {
    Model m;
    const double r = e.w / 2.0 - 1.5;
    for (int k = 0; k < 7; ++k) {
        const double a = k * 2 * kPi / 7 + 0.3;
        const Vec tip{std::cos(a) * r, std::sin(a) * r};
        m.Capsule({tip.x * 0.2, tip.y * 0.2}, tip, 2.2, kPalm).Bias(k % 2 ? 0.05 : -0.1);
    }
    m.Ellipse(0, 0, 2.6, 2.6, kPalm, 1.4).Bias(0.2);
    m.Ellipse(0.5, 0.5, 1, 1, kSandstone).Flat(kSandstone[1]);  // the dates
    return Render(e.w, e.h, m, 0);
}

// "bush": a clump of dry desert bush.
Image Bush(const Entry& e, Context&) {
    Model m;
    m.Ellipse(-2, 1, 4.5, 3.5, kOlive, 1.1).Bias(-0.1);
    m.Ellipse(2.5, -1, 3.5, 3, kOlive, 1.1);
    m.Ellipse(0, 2.5, 2.5, 2, kPalm, 1).Bias(-0.2);
    return Render(e.w, e.h, m, 0);
}

// ---- Buildings ---------------------------------------------------------------------

// A flat roof with its parapet: the rim catches the light, the roof sits in
// its shade.
void FlatRoof(Model& m, double cx, double cy, double hw, double hh, const Ramp& r) {
    m.Box(cx, cy, hw, hh, r, 2.2).Bias(0.05);
    m.Box(cx, cy, hw - 2.5, hh - 2.5, r, 0.8).Bias(-0.12);
}

void WaterTank(Model& m, double cx, double cy) {
    m.Ellipse(cx, cy, 3.5, 3.5, kGrey, 1.4).Bias(0.1);
    m.Ellipse(cx - 0.8, cy - 0.8, 1.2, 1.2, kGrey).Flat(kGrey[5]);
}

void StairHut(Model& m, double cx, double cy) {
    m.Box(cx, cy, 4, 3, kWhitewash, 1.2).Bias(0.15);
    m.Box(cx + 2.5, cy, 1.2, 2, kWhitewash).Flat(kOutline);  // its door
}

// A building picture: its model rendered `shade` pixels up and left of the
// bottom-right corner, with its shadow on the ground below and to the right.
Image Building(int w, int h, const Model& m, int shade) {
    Image img = Render(w - shade, h - shade, m, 0, {true, true});
    Image out(w, h);
    Blit(out, img, 0, 0);
    CastShadow(out, shade);
    return out;
}

Image HouseBlock(int w, int h) {  // three houses in a row, each its own roof
    Model m;
    const double cw = (w - 4) / 2.0, ch = (h - 4) / 2.0;
    FlatRoof(m, 0, -ch + 15, cw, 15, kWhitewash);
    FlatRoof(m, -cw + 14, 4, 14, 16, kTerracotta);
    FlatRoof(m, cw - 15, 6, 15, 14, kWhitewash);
    FlatRoof(m, 0, ch - 13, cw, 13, kSandstone);
    WaterTank(m, -cw + 8, -ch + 8);
    StairHut(m, cw - 9, -ch + 20);
    WaterTank(m, cw - 8, 10);
    m.Box(-cw + 14, 4, 5, 4, kTerracotta, 1).Bias(0.25);  // a skylight
    StairHut(m, -8, ch - 12);
    m.Box(10, ch - 10, 6, 3, kConcrete, 1).Bias(0.1);      // an air plant
    return Building(w, h, m, 4);
}

Image CourtHouse(int w, int h) {  // a square of rooms round a tiled courtyard with a palm
    Model m;
    const double c = (w - 4) / 2.0 - 1;
    FlatRoof(m, 0, 0, c, c, kWhitewash);
    m.Box(0, 0, c - 9, c - 9, kTerracotta, 1).Bias(-0.25);  // the courtyard's tiles, in the rooms' shade
    m.Box(-2, -2, 4, 4, kTerracotta, 1).Bias(0.1);           // its well
    m.Ellipse(-2, -2, 2, 2, kGrey).Flat(kWater + 4);
    StairHut(m, c - 6, -c + 5);
    WaterTank(m, -c + 5, c - 5);
    Image img = Building(w, h, m, 4);
    Image palm(12, 12);
    Model p;
    for (int k = 0; k < 6; ++k) {
        const double a = k * kPi / 3;
        p.Capsule({0, 0}, {std::cos(a) * 5, std::sin(a) * 5}, 1.5, kPalm);
    }
    Blit(img, Render(12, 12, p, 0), int(c) + 2 - 14, int(c) + 2 - 14);
    return img;
}

Image DomedHall(int w, int h) {  // a square hall under a teal dome, four small domes at its corners
    Model m;
    const double c = (w - 4) / 2.0 - 1;
    FlatRoof(m, 0, 0, c, c, kSandstone);
    for (double sx : {-1.0, 1.0})
        for (double sy : {-1.0, 1.0}) m.Ellipse(sx * (c - 5), sy * (c - 5), 4, 4, kSteel, 1.3).Bias(0.05);
    m.Ellipse(0, 0, c - 8, c - 8, kSandstone, 0.6).Bias(-0.1);  // the drum
    m.Ellipse(0, 0, c - 10, c - 10, kSteel, 1.6);               // the dome
    m.Ellipse(0, 0, 1.5, 1.5, kFire).Flat(kFire[3]);            // its gilt finial
    return Building(w, h, m, 5);
}

Image SmallHouse(int w, int h) {
    Model m;
    const double c = (w - 3) / 2.0;
    FlatRoof(m, 0, 0, c, c, kWhitewash);
    StairHut(m, -3, 3);
    return Building(w, h, m, 3);
}

Image CrackingTower(int w, int h) {  // a column with a ring platform, pipes down to a drum
    Model m;
    const double cx = -4, cy = -8;
    m.Box(8, 14, 10, 12, kConcrete, 2).Bias(-0.1);  // its plinth and the drum beside it
    m.Ellipse(10, 16, 7, 7, kGrey, 1.2).Bias(0.05);
    m.Capsule({cx + 4, cy + 6}, {10, 16}, 1.4, kRust);
    m.Ellipse(cx, cy, 14, 14, kSteel, 0.5).Bias(-0.2);  // the platform's grating
    m.Ellipse(cx, cy, 10, 10, kGrey, 1.6).Bias(0.1);    // the column's top
    m.Ellipse(cx, cy, 4, 4, kGrey, 1.2).Bias(-0.2);     // its vent
    m.Ellipse(cx, cy, 2, 2, kGrey).Flat(kOutline);
    return Building(w, h, m, 6);
}

Image StorageTank(int w, int h) {  // a floating-roof tank inside its bund wall
    Model m;
    const double c = (w - 5) / 2.0 - 1;
    m.Box(0, 0, c, c, kConcrete, 2.5).Bias(-0.05);         // the bund wall
    m.Box(0, 0, c - 3, c - 3, kConcrete, 0.5).Bias(-0.3);  // the ground inside it
    m.Ellipse(0, 0, c - 4, c - 4, kWhitewash, 1.5);
    m.Ellipse(0, 0, c - 8, c - 8, kWhitewash, 0.4).Bias(-0.15);  // the floating roof
    m.Capsule({0, -(c - 8)}, {0, c - 8}, 0.8, kGrey);            // its rolling ladder
    m.Ellipse(c - 8, c - 8, 2.5, 2.5, kRed).Flat(kLights + 3);
    return Building(w, h, m, 5);
}

Image PipeRack(int w, int h) {  // three pipes on a rack
    Model m;
    const double hw = (w - 3) / 2.0;
    for (double x = -hw + 6; x < hw; x += 24) m.Box(x, 0, 2, 9, kConcrete, 1).Bias(-0.1);  // the rack's frames
    m.Capsule({-hw, -5}, {hw, -5}, 2.6, kGrey);
    m.Capsule({-hw, 0}, {hw, 0}, 2.2, kRust);
    m.Capsule({-hw, 5}, {hw, 5}, 2.6, kSteel);
    return Building(w, h, m, 3);
}

Image FlareStack(int w, int h) {  // a tall stack whose flame flickers in the glow cycle
    Model m;
    m.Ellipse(2, 10, 7, 7, kConcrete, 0.8).Bias(-0.1);  // its footing
    m.Capsule({2, 10}, {-1, -8}, 2.6, kGrey);           // the stack, leaning away from the light
    m.Ellipse(-1, -8, 3.2, 3.2, kGrey, 1.3).Bias(0.1);
    Image img = Building(w, h, m, 3);
    const int fx = (w - 3) / 2 - 1, fy = (h - 3) / 2 - 8;
    for (int k = 0; k < 12; ++k) {  // the flame above it
        const int x = fx + int(Hash(77, std::uint32_t(k)) % 5) - 2, y = fy - 2 - k / 2;
        if (y >= 0) img.Set(x, y, std::uint8_t(kCycle + (k * 3) % 16));
    }
    img.Set(fx, fy - 1, kWhite);
    return img;
}

Image WatchTower(int w, int h) {  // a square tower, crenellated, a searchlight on its roof
    Model m;
    const double c = (w - 4) / 2.0 - 1;
    m.Box(0, 0, c, c, kSandstone, 3).Bias(0.05);
    for (double k = -c + 3; k <= c - 3; k += 6) {  // merlons
        m.Box(k, -c + 1.5, 1.8, 1.5, kSandstone, 0.8).Bias(0.25);
        m.Box(k, c - 1.5, 1.8, 1.5, kSandstone, 0.8).Bias(-0.1);
    }
    m.Box(0, 0, c - 5, c - 5, kSandstone, 0.8).Bias(-0.2);
    m.Ellipse(2, 2, 4, 4, kGrey, 1.3);
    m.Ellipse(1, 1, 2.2, 2.2, kGlass, 1.4);
    return Building(w, h, m, 4);
}

Image Barracks(int w, int h) {  // a long block under a ribbed terracotta roof
    Model m;
    const double hw = (w - 4) / 2.0, hh = (h - 4) / 2.0;
    m.Box(0, 0, hw, hh, kTerracotta, 2).Bias(0.05);
    m.Box(0, 0, hw - 3, hh - 3, kTerracotta, 1).Bias(-0.1);
    for (double x = -hw + 14; x < hw - 6; x += 22) m.Box(x, -2, 3, 3, kConcrete, 1).Bias(0.2);  // vents
    Image img = Building(w, h, m, 4);
    for (int x = 4; x < w - 8; x += 3)
        for (int y = 5; y < h - 9; ++y)
            if (img.At(x, y) != kOutline && img.Solid(x, y) && (y + x) % 7 != 0) {
                const auto it = std::find(kTerracotta.begin(), kTerracotta.end(), img.At(x, y));
                if (it != kTerracotta.end() && it != kTerracotta.begin()) img.Set(x, y, *(it - 1));  // the roof's ribs
            }
    return img;
}

Image Market(int w, int h) {  // a row of striped awnings
    Model m;
    const int stalls = w / 16;
    const double hw = (w - 3) / 2.0;
    for (int k = 0; k < stalls; ++k) {
        const double cx = -hw + 8 + k * 16;
        m.Box(cx, 0, 7, (h - 3) / 2.0 - 2, k % 2 ? kTerracotta : kWhitewash, 1.5).Bias(0.1);
        m.Box(cx, 0, 1.5, (h - 3) / 2.0 - 3, k % 2 ? kWhitewash : kTerracotta, 0.5);
    }
    return Building(w, h, m, 3);
}

Image Fountain(int w, int h) {  // a round basin, its water in the rolling cycle, a spout
    Image img(w, h);
    const double c = w / 2.0 - 0.5, r = c - 3;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = x - c, dy = y - c, d = std::hypot(dx, dy);
            if (d > r + 0.5) continue;
            if (d > r - 3) img.Set(x, y, Tone(kSandstone, 0.55 - (dx + dy) / (2 * r) * 0.4, x, y));
            else img.Set(x, y, std::uint8_t(kWater + int(d * 2) % 16));  // rings that run outward as the range rolls
        }
    Model m;
    m.Ellipse(0, 0, 4, 4, kSandstone, 1.4);
    m.Ellipse(-0.5, -0.5, 1.6, 1.6, kGrey).Flat(kWhite);
    Blit(img, Render(w, h, m, 0), 0, 0);
    Outline(img);
    return img;
}

Image GunPit(int w, int h) {  // a ring of sandbags round a dark floor
    Image img(w, h);
    const double c = w / 2.0 - 0.5, r = c - 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = x - c, dy = y - c, d = std::hypot(dx, dy);
            if (d > r) continue;
            if (d < r - 6) {
                img.Set(x, y, Tone(kDune, 0.1 + (dx + dy) / (2 * r) * 0.1, x, y));
                continue;
            }
            const double a = std::atan2(dy, dx) * 12 / kPi;  // 24 bags round the ring
            const double seam = std::fabs(a - std::round(a));
            const double t = 0.75 - (dx + dy) / (2 * r) * 0.35 - (d - (r - 3)) * 0.06;
            img.Set(x, y, seam < 0.1 || std::fabs(d - (r - 3)) < 0.5 ? kDune[2] : Tone(kDune, t, x, y));
        }
    Outline(img);
    return img;
}

// The big walls: sandstone, a walkway between two parapets of merlons.
void Wall(Model& m, double x0, double y0, double x1, double y1) {
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hw = (x1 - x0) / 2, hh = (y1 - y0) / 2;
    m.Box(cx, cy, hw, hh, kSandstone, 2.5).Bias(-0.05);
    m.Box(cx, cy, hw - 3.5, hh - 3.5, kSandstone, 0.6).Bias(-0.22);  // the walkway
    const bool across = hw > hh;
    for (double a = (across ? x0 : y0) + 4; a < (across ? x1 : y1) - 2; a += 7) {
        if (across) {
            m.Box(a, y0 + 1.6, 2, 1.6, kSandstone, 0.6).Bias(0.3);
            m.Box(a, y1 - 1.6, 2, 1.6, kSandstone, 0.6).Bias(-0.05);
        } else {
            m.Box(x0 + 1.6, a, 1.6, 2, kSandstone, 0.6).Bias(0.3);
            m.Box(x1 - 1.6, a, 1.6, 2, kSandstone, 0.6).Bias(-0.05);
        }
    }
}

void Tower(Model& m, double cx, double cy, double r, const Ramp& roof) {
    m.Ellipse(cx, cy, r, r, kSandstone, 0.8).Bias(0.05);
    m.Ellipse(cx, cy, r - 3, r - 3, roof, 1.5);
    m.Ellipse(cx - 1, cy - 1, 1.2, 1.2, kRed).Flat(kLights + ((int(cx + cy) % 16) + 16) % 16);
}

// "outerwall": the wall across the desert, towers along it and the gate
// where the road runs through (x 128 .. 192).
Image OuterWall(int w, int h) {
    Model m;
    const double top = -h / 2.0 + 4, bottom = h / 2.0 - 8;
    Wall(m, -w / 2.0, top + 4, -34, bottom - 4);
    Wall(m, 34, top + 4, w / 2.0, bottom - 4);
    for (double x : {-130.0, -80.0, 80.0, 130.0}) Tower(m, x, (top + bottom) / 2, 13, kTerracotta);
    for (double s : {-1.0, 1.0}) {  // the gatehouse's towers
        m.Box(s * 38, (top + bottom) / 2, 12, 18, kSandstone, 3).Bias(0.05);
        m.Ellipse(s * 38, (top + bottom) / 2, 8, 8, kSteel, 1.5);
    }
    m.Box(0, (top + bottom) / 2 - 13, 26, 3, kSandstone, 1).Bias(0.1);  // the arch over the gate
    return Building(w, h, m, 5);
}

// "citadel N": the citadel's walls round the courtyard where the fortress
// stands (320 x 192, cut into three strips): side walls with towers, the
// front wall with its gatehouse; the courtyard stays open.
Image CitadelWhole() {
    Model m;
    Wall(m, -160, -96, -124, 60);
    Wall(m, 124, -96, 160, 60);
    Wall(m, -160, 60, -28, 92);
    Wall(m, 28, 60, 160, 92);
    for (double s : {-1.0, 1.0}) {
        Tower(m, s * 140, -70, 17, kSteel);
        Tower(m, s * 140, 6, 15, kTerracotta);
        Tower(m, s * 140, 74, 19, kSteel);
        m.Box(s * 34, 74, 12, 20, kSandstone, 3).Bias(0.05);  // the gatehouse
        m.Ellipse(s * 34, 74, 8, 8, kTerracotta, 1.5);
    }
    m.Box(0, 64, 22, 3, kSandstone, 1).Bias(0.1);  // the arch
    return Building(320, 192, m, 0);
}

Image City(const Entry& e, Context&) {
    const std::string what = ArgStr(e, 0);
    if (what == "houses") return HouseBlock(e.w, e.h);
    if (what == "courtyard") return CourtHouse(e.w, e.h);
    if (what == "dome") return DomedHall(e.w, e.h);
    if (what == "house") return SmallHouse(e.w, e.h);
    if (what == "tower") return CrackingTower(e.w, e.h);
    if (what == "tank") return StorageTank(e.w, e.h);
    if (what == "pipes") return PipeRack(e.w, e.h);
    if (what == "flare") return FlareStack(e.w, e.h);
    if (what == "watch") return WatchTower(e.w, e.h);
    if (what == "barracks") return Barracks(e.w, e.h);
    if (what == "market") return Market(e.w, e.h);
    if (what == "fountain") return Fountain(e.w, e.h);
    if (what == "gunpit") return GunPit(e.w, e.h);
    if (what == "wall") return OuterWall(e.w, e.h);
    if (what == "citadel") {
        static const Image whole = CitadelWhole();
        return Crop(whole, 0, ArgInt(e, 1) * e.h, e.w, e.h);
    }
    std::fprintf(stderr, "zenit-gen-art: sprite %d: unknown building '%s'\n", e.id, what.c_str());
    std::exit(1);
}

// ---- The fortress ------------------------------------------------------------------

// Its two turret wells, from the picture's centre (the boss's CBoss02::kWells).
constexpr Vec kWells[2] = {{44, 24}, {-44, -16}};

// "fortress OPEN": the stage-2 boss, 160 x 112: a keep of sand-coloured
// armour on a stepped octagonal base with a sloped glacis; casemate guns in
// its four bastions and along its flanks, armour panels riveted over the
// deck, the two turret wells in hazard rings, the raised keep with the
// command dome, radar and masts, and the escorts' bay in its front. OPEN
// shows the bay's doors open, its launch lights lit.
Image Fortress(const Entry& e, Context&) {
    const bool open = ArgInt(e, 0) != 0;
    Model m;
    const std::vector<Vec> base = {{-79, -38}, {-60, -55}, {60, -55}, {79, -38}, {79, 38}, {60, 55}, {-60, 55}, {-79, 38}};
    m.Poly(base, kRust, 9).Bias(-0.2);  // the glacis
    std::vector<Vec> deck;
    for (const Vec& v : base) deck.push_back({v.x * 0.84, v.y * 0.8});
    m.Poly(deck, kRust, 1.5).Bias(-0.02);
    // Armour panels over the deck, each a little lighter or darker.
    for (int i = -3; i <= 3; ++i)
        for (int j = -1; j <= 1; ++j) {
            const double x = i * 18.5, y = j * 27;
            if (std::abs(x) > 58 || (std::abs(x - 44) < 22 && std::abs(y - 24) < 20) || (std::abs(x + 44) < 22 && std::abs(y + 16) < 20))
                continue;
            m.Box(x, y, 8.5, 12.5, kRust, 1).Bias((i + j) % 2 ? 0.06 : -0.06);
        }
    // The bastions with their casemate guns pointing out at the corners.
    for (double sx : {-1.0, 1.0})
        for (double sy : {-1.0, 1.0}) {
            m.Box(sx * 61, sy * 37, 13, 11, kRust, 3).Bias(0.12);
            m.Box(sx * 61, sy * 37, 7, 5, kSteel, 1.2).Bias(-0.05);
            m.Capsule({sx * 66, sy * 41}, {sx * 76, sy * 50}, 1.8, kGrey);
            m.Ellipse(sx * 56, sy * 33, 1.3, 1.3, kRed).Flat(kLights + (sx > 0 ? 4 : 0) + (sy > 0 ? 8 : 0));
        }
    for (double sx : {-1.0, 1.0})  // gun ports along the flanks
        for (double y : {-10.0, 10.0}) {
            m.Box(sx * 70, y, 3, 4, kGrey, 1).Bias(-0.1);
            m.Capsule({sx * 72, y}, {sx * 80, y}, 1.3, kGrey);
        }
    for (const Vec& w : kWells) {  // the wells' armoured rims
        m.Ellipse(w.x, w.y, 18, 18, kSteel, 0.7).Bias(-0.1);
        m.Ellipse(w.x, w.y, 14.5, 14.5, kGrey).Flat(kOutline);
    }
    // The keep: two tiers, the command dome, the radar, two masts.
    m.Box(2, -4, 27, 22, kRust, 3.5).Bias(0.18);
    m.Box(2, -6, 19, 15, kSteel, 2).Bias(0.02);
    for (double x : {-10.0, -4.0, 2.0}) m.Box(x, 6, 2, 1.2, kGrey).Flat(kOutline);  // vent slots
    m.Ellipse(-8, -10, 6.5, 6, kGlass, 1.3);  // the command dome
    m.Ellipse(12, -12, 9, 9, kGrey, 0.8).Bias(-0.1);
    m.Ellipse(11, -13, 7.5, 4.5, kSteel, 1.8).Bias(0.25);  // the radar's dish
    m.Capsule({11, -13}, {17, -17}, 0.9, kGrey);
    m.Capsule({22, 6}, {27, 0}, 0.8, kGrey);  // masts
    m.Capsule({-20, 6}, {-24, -2}, 0.8, kGrey);
    m.Ellipse(27, 0, 1.2, 1.2, kRed).Flat(kLights + 6);
    m.Ellipse(-24, -2, 1.2, 1.2, kRed).Flat(kLights + 14);
    // The bay in the front, its doors shut or open.
    m.Box(0, 45, 23, 8, kGrey, 2.2).Bias(-0.1);
    if (open) {
        m.Box(0, 45, 19, 5, kGrey).Flat(kOutline);
        for (double x = -14; x <= 14; x += 7) m.Ellipse(x, 45, 1.3, 1.3, kRed).Flat(kCycle + int(x + 14) / 7 * 4);
    } else {
        m.Box(-9.5, 45, 9, 5, kSteel, 1).Bias(0.05);
        m.Box(9.5, 45, 9, 5, kSteel, 1).Bias(-0.05);
    }
    Image img = Render(e.w, e.h, m, 0, {true, true});
    auto in = [](const Ramp& r, std::uint8_t v) { return std::find(r.begin(), r.end(), v) != r.end(); };
    // Rivets along the panels' upper edges catch the light.
    for (int y = 2; y < e.h - 2; ++y)
        for (int x = 2; x < e.w - 2; ++x)
            if (in(kRust, img.At(x, y)) && img.At(x, y - 1) == kOutline && x % 4 == 0) img.Set(x, y + 1, kRust[4]);
    // Hazard chevrons round the wells and along the bay's sill.
    for (const Vec& w : kWells)
        for (int k = 0; k < 24; ++k) {
            if (k % 2) continue;
            const double a = k * kPi / 12;
            img.Set(int(80 + w.x + std::cos(a) * 16.5), int(56 + w.y + std::sin(a) * 16.5), kFire[3]);
        }
    for (int x = 80 - 22; x <= 80 + 22; ++x)
        if ((x / 3) % 2 == 0) img.Set(x, 56 + 37, kFire[3]);
    return img;
}

// "fortgun": the turret the fortress raises in a well (24 x 24): an armoured
// cupola with twin barrels facing the front.
Image FortGun(const Entry& e, Context&) {
    Model m;
    m.Capsule({-3, 0}, {-3, 10.5}, 1.5, kGrey);
    m.Capsule({3, 0}, {3, 10.5}, 1.5, kGrey);
    m.Ellipse(0, -1, 9, 9, kSteel, 1.4).Bias(0.05);
    m.Box(0, 4, 6, 2.5, kSteel, 1).Bias(-0.1);
    m.Ellipse(-2.5, -3.5, 2.2, 2.2, kGlass, 1.3);
    m.Ellipse(3, -4, 1.2, 1.2, kRed).Flat(kLights + 2);
    return Render(e.w, e.h, m, 0, {false, true});
}

// "hatch FRAME": a turret well's armoured hatch, 32 x 32: frame 1 shut, 2
// and 3 opening, 4 open (the well's dark shaft and its lift).
Image Hatch(const Entry& e, Context&) {
    const int f = std::clamp(ArgInt(e, 0), 1, 4);
    const double open = (f - 1) * 4.5;  // how far each leaf has slid
    Model m;
    m.Ellipse(0, 0, 14, 14, kGrey).Flat(kOutline);
    m.Ellipse(0, 0, 11, 11, kGrey, 0.5).Bias(-0.35);  // the shaft
    m.Ellipse(0, 0, 6, 6, kSteel, 0.8).Bias(-0.2);     // the lift's platform
    if (f < 4) {
        m.Box(-6.5 - open, 0, 6.5, 13, kSteel, 1.5).Bias(0.1);
        m.Box(6.5 + open, 0, 6.5, 13, kSteel, 1.5).Bias(-0.05);
        m.Box(-1 - open, 0, 0.6, 11, kFire).Flat(kFire[3]);
    }
    Image img = Render(e.w, e.h, m, 0, {false, true});
    // The leaves slide under the rim: nothing outside the well.
    for (int y = 0; y < e.h; ++y)
        for (int x = 0; x < e.w; ++x)
            if (std::hypot(x - 15.5, y - 15.5) > 14.5) img.Set(x, y, kClear);
    return img;
}

MakerRegistrar r1("dune", Dune);
MakerRegistrar r2("palm", Palm);
MakerRegistrar r3("bush", Bush);
MakerRegistrar r4("city", City);
MakerRegistrar r5("fortress", Fortress);
MakerRegistrar r6("hatch", Hatch);
MakerRegistrar r7("fortgun", FortGun);

}  // namespace
}  // namespace art

// Ground cells, strips and scenery. Map cells are 32x32 and tile without
// seams: every variant of a kind shares the same noise on its border and only
// varies inside. Water is drawn in the rolled range 181..196 with a pattern
// that repeats every 16 pixels, so rolling the range makes it flow.
#include "model.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

double Window(int x, int y, int size) {  // 0 on the border, 1 well inside
    double ex = std::fmin(x, size - 1 - x), ey = std::fmin(y, size - 1 - y);
    return std::fmin(1.0, std::fmin(ex, ey) / 6.0);
}

std::uint8_t WaterAt(int x, int y) {
    double w = std::sin((x % 16) * 2 * kPi / 16) * 1.5;
    int phase = int(std::floor(x + y + w)) & 15;  // repeats every 16 pixels both ways
    return std::uint8_t(kWater + phase);
}

// Ground of a kind: a periodic base noise shared by all its variants plus
// variant detail inside the cell.
Image Ground(const Ramp& ramp, int variant, std::uint32_t seed, int size = 32, double contrast = 1.0) {
    Image img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double n = Fbm(x, y, size, seed, 4);
            if (variant >= 0) n += (Fbm(x, y, size, seed + 17 + std::uint32_t(variant) * 31, 3) - 0.5) * 0.6 * Window(x, y, size);
            img.Set(x, y, Tone(ramp, 0.5 + (n - 0.5) * 1.8 * contrast, x, y));
        }
    return img;
}

// Small features placed inside a cell (never on its border).
void Speckle(Image& img, std::uint32_t seed, int count, const Ramp& ramp) {
    for (int k = 0; k < count; ++k) {
        std::uint32_t h = Hash(seed, std::uint32_t(k));
        int x = 5 + int(h % 22), y = 5 + int((h >> 8) % 22);
        img.Set(x, y, ramp.back());
        img.Set(x + 1, y + 1, ramp.front());
        img.Set(x, y + 1, ramp[ramp.size() / 2]);
    }
}

// Grass: a fine, even texture around the ramp's lower middle (tones 2..3 of 6)
// with no blobs larger than a few pixels, so a field of identical cells shows no
// 32-pixel grid; blade tufts lit from the top left (light tip, dark foot to the
// bottom right). Variant v adds its own interior: darker clover, dry light
// patches, flowers or stones. The border ring is the same in every variant.
Image Grass(int v) {
    Image img(32, 32);
    std::vector<double> t(32 * 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            double fine = TileNoise(x, y, 2, 32, 11) - 0.5, mid = TileNoise(x, y, 8, 32, 12) - 0.5;
            double local = 0;
            if (v >= 0) {
                double patch = Fbm(x, y, 32, 40 + std::uint32_t(v) * 13, 2) - 0.5;
                local = patch * (v % 3 == 0 ? -0.55 : 0.45) * Window(x, y, 32);  // clover (dark) or dry (light)
            }
            t[std::size_t(y * 32 + x)] = 0.44 + fine * 0.32 + mid * 0.14 + local;
        }
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) img.Set(x, y, Tone(kGround, t[std::size_t(y * 32 + x)], x, y));
    // Tufts: the shared ones, then the variant's own, all inside the border.
    auto tufts = [&](std::uint32_t seed, int count) {
        for (int k = 0; k < count; ++k) {
            std::uint32_t h = Hash(seed, std::uint32_t(k));
            int x = 2 + int(h % 27), y = 2 + int((h >> 8) % 27);
            img.Set(x, y, kGround[4]);
            img.Set(x, y + 1, kGround[3]);
            img.Set(x + 1, y + 2, kGround[1]);
            if ((h >> 16) % 3 == 0) img.Set(x - 1, y + 1, kGround[4]), img.Set(x - 1, y + 2, kGround[1]);
        }
    };
    tufts(21, 22);
    if (v >= 0) tufts(300 + std::uint32_t(v), 6 + v % 4);
    if (v >= 0 && v % 4 == 1)  // a few flowers
        for (int k = 0; k < 5; ++k) {
            std::uint32_t h = Hash(500 + std::uint32_t(v), std::uint32_t(k));
            img.Set(4 + int(h % 24), 4 + int((h >> 8) % 24), k % 2 ? kMarkYellow : kMarkWhite);
        }
    if (v >= 0 && v % 4 == 3) Speckle(img, 100 + std::uint32_t(v), 3, kRock);  // stones
    return img;
}

Image Tile(const Entry& e, Context&) {
    std::string kind = ArgStr(e, 0);
    int v = ArgInt(e, 1);
    if (kind == "ground") return Grass(v);
    if (kind == "fill") return Grass(-1);
    if (kind == "sand") {
        Image img(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                double ripple = std::sin((y + 3 * std::sin(x * 2 * kPi / 32)) * 2 * kPi / 8);
                double n = Fbm(x, y, 32, 23, 3) + (v ? (Fbm(x, y, 32, 40 + std::uint32_t(v), 2) - 0.5) * 0.5 * Window(x, y, 32) : 0);
                img.Set(x, y, Tone(kSand, 0.45 + ripple * 0.18 + (n - 0.5) * 1.2, x, y));
            }
        return img;
    }
    if (kind == "snow") {
        Image img = Ground(kGround, v, 31, 32, 0.6);
        Speckle(img, 300 + std::uint32_t(v), v % 3, kRock);
        return img;
    }
    if (kind == "road") {  // concrete slabs with seams on the top and left edges
        Image img = Ground(kMetal, -1, 41, 32, 0.4);
        for (int i = 0; i < 32; ++i) img.Set(i, 0, kMetal[0]), img.Set(0, i, kMetal[0]), img.Set(i, 16, kMetal[1]);
        return img;
    }
    if (kind == "plain") {  // plain cells -1..6
        Image img(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                std::uint8_t c = 0;
                switch (v) {
                    case 0: c = WaterAt(x, y); break;
                    case 1: c = std::uint8_t(kWater + ((WaterAt(x, y) - kWater + 8) & 15)); break;
                    case 2: c = Tone(kVeg, Fbm(x, y, 32, 51, 3), x, y); break;
                    case 3: c = Tone(kSand, Fbm(x, y, 32, 52, 3), x, y); break;
                    case 4: c = Tone(kRock, Fbm(x, y, 32, 53, 4), x, y); break;
                    case 5: c = Tone(kMetal, 0.5 + (Fbm(x, y, 32, 54, 3) - 0.5) * 0.5, x, y); break;
                    case 6: c = Tone(kGround2, 0.3 + 0.4 * ((y / 4) % 2) + (Fbm(x, y, 32, 55, 3) - 0.5) * 0.6, x, y); break;
                    default: c = Tone(kMetal, 0.3, x, y); if (x >= 15 && x <= 16 && (y / 8) % 2 == 0) c = kMarkWhite; break;
                }
                img.Set(x, y, c);
            }
        return img;
    }
    if (kind == "plate") {  // 40x40 factory floor plate
        Image img = Ground(kRock, -1, 61, 40, 0.35);
        for (int i = 0; i < 40; ++i) {
            img.Set(i, 0, kRock[0]), img.Set(0, i, kRock[0]);
            img.Set(i, 1, kRock[4]), img.Set(1, i, kRock[4]);
        }
        for (int k = 0; k < 4; ++k) {
            int x = k % 2 ? 34 : 5, y = k / 2 ? 34 : 5;
            img.Set(x, y, kRock[4]), img.Set(x + 1, y + 1, kRock[0]), img.Set(x + 1, y, kRock[2]), img.Set(x, y + 1, kRock[2]);
        }
        for (int i = 10; i < 30; ++i) img.Set(i, 20, kGround[1]), img.Set(20, i, kGround[1]);
        return img;
    }
    std::fprintf(stderr, "zenit-gen-art: sprite %d: unknown tile '%s'\n", e.id, kind.c_str());
    std::exit(1);
}

const Ramp& KindRamp(const std::string& kind) {
    if (kind == "road") return kMetal;
    if (kind == "sand") return kSand;
    if (kind == "snow") return kRock;
    return kVeg;
}

// An edge piece: a ragged band along one side (0 top, 1 right, 2 bottom, 3 left).
// Grass gets a bank: a light lip of turf, an earth slope (lit on the top and left
// sides, in shade on the others) and a dark line where it meets the neighbour.
// Concrete and the other kinds get a kerb in their own ramp.
Image Edge(const Entry& e, Context&) {
    const std::string kind = ArgStr(e, 0);
    const Ramp& r = KindRamp(kind);
    const bool bank = kind == "grass";
    int side = ArgInt(e, 1);
    const bool lit = side == 0 || side == 3;
    Image img(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int along = side % 2 == 0 ? x : y;
            int depth = side == 0 ? y : side == 1 ? 31 - x : side == 2 ? 31 - y : x;
            double limit = 4 + 3 * TileNoise(along, 0, 8, 32, 70 + std::uint32_t(side));
            if (depth >= limit) continue;
            if (!bank) {
                img.Set(x, y, Tone(r, depth < limit - 1.5 ? 0.25 : 0.7, x, y, false));
                continue;
            }
            double slope = depth / limit;  // 0 at the water, 1 at the turf
            std::uint8_t c;
            if (depth < 1) c = kGround2[0];
            else if (slope > 0.78) c = kGround[4];
            else c = Tone(kGround2, (lit ? 0.55 : 0.25) + slope * 0.35, x, y);
            img.Set(x, y, c);
        }
    return img;
}

// Overlays: features drawn over a ground cell. Each kind has its own list;
// roads meet the cell edges at their middle, so they join across cells.
enum Feature { kFieldNS, kFieldEW, kPatch, kMeadow, kBush, kForest, kPond, kRocks, kRoad, kScorch,
               kLineNS, kLineEW, kCracks, kStain, kManhole, kArrow, kGrid, kHatch, kPlates, kRubble,
               kTracksNS, kTracksEW, kBones, kIce };
struct OverlayDef {
    Feature f;
    int arg;  // road: connections, 1 north, 2 east, 4 south, 8 west
};
const std::map<std::string, std::vector<OverlayDef>>& Overlays() {
    static const std::map<std::string, std::vector<OverlayDef>> defs = {
        {"grass", {{kFieldNS, 0}, {kFieldEW, 0}, {kPatch, 0}, {kMeadow, 0}, {kBush, 0}, {kForest, 0}, {kPond, 0},
                   {kRocks, 0}, {kRoad, 5}, {kRoad, 10}, {kRoad, 15}, {kRoad, 6}, {kRoad, 12}, {kRoad, 3},
                   {kRoad, 9}, {kRoad, 4}, {kScorch, 0}}},
        {"road", {{kLineNS, 0}, {kLineEW, 0}, {kLineNS, 1}, {kCracks, 0}, {kStain, 0}, {kManhole, 0}, {kArrow, 0},
                  {kGrid, 0}, {kHatch, 0}, {kGrid, 1}, {kPlates, 0}, {kRubble, 0}, {kPond, 1}, {kTracksNS, 1},
                  {kCracks, 1}}},
        {"sand", {{kFieldEW, 1}, {kRocks, 0}, {kBush, 1}, {kPond, 0}, {kTracksNS, 0}, {kTracksEW, 0}, {kBones, 0},
                  {kScorch, 0}}},
        {"snow", {{kIce, 0}, {kRocks, 0}, {kForest, 1}, {kPond, 1}, {kTracksNS, 0}, {kTracksEW, 0}, {kCracks, 1},
                  {kScorch, 0}}},
    };
    return defs;
}

// A soft-edged blob centred in the cell, shaded from the top left.
template <typename F>
void Blob(std::uint32_t seed, double rx, double ry, F paint) {
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            double n = TileNoise(x, y, 4, 32, seed);
            double d = std::hypot((x - 15.5) / rx, (y - 15.5) / ry) + (n - 0.5) * 0.45;
            if (d <= 1) paint(x, y, d, n);
        }
}

Image Overlay(const Entry& e, Context&) {
    const std::string kind = ArgStr(e, 0);
    const OverlayDef& def = Overlays().at(kind).at(std::size_t(ArgInt(e, 1)));
    std::uint32_t seed = Hash(std::uint32_t(e.id));
    Image img(32, 32);
    auto shade = [](int x, int y) { return (30 - x - y) * 0.012; };  // light from the top left
    switch (def.f) {
        case kFieldNS:
        case kFieldEW: {
            const Ramp& r = def.arg ? kSand : kGround2;
            Blob(seed, 13, 13, [&](int x, int y, double, double n) {
                int along = def.f == kFieldNS ? x : y;
                img.Set(x, y, Tone(r, (along % 4 < 2 ? 0.7 : 0.3) + (n - 0.5) * 0.3 + shade(x, y), x, y));
            });
            break;
        }
        case kPatch:
        case kScorch:
            Blob(seed, 11, 9, [&](int x, int y, double d, double n) {
                img.Set(x, y, def.f == kScorch ? Tone(kSmoke, 0.2 + n * 0.6 - d * 0.3, x, y) : Tone(kGround, 0.2 + n * 0.5 + shade(x, y), x, y));
            });
            break;
        case kMeadow:
            Blob(seed, 12, 10, [&](int x, int y, double, double n) {
                img.Set(x, y, Tone(kVeg, 0.6 + (n - 0.5) + shade(x, y), x, y));
                if (Hash(seed, std::uint32_t(x), std::uint32_t(y)) % 13 == 0) img.Set(x, y, (x + y) % 2 ? kMarkYellow : kMarkWhite);
            });
            break;
        case kBush:
        case kForest: {
            Model m;
            const Ramp& r = def.arg ? kRock : kVeg;
            int count = def.f == kForest ? 5 : 2;
            for (int k = 0; k < count; ++k) {
                std::uint32_t h = Hash(seed, std::uint32_t(k));
                m.Ellipse(double(int(h % 15)) - 7, double(int((h >> 8) % 15)) - 7, 5 + (h >> 16) % 3, 4 + (h >> 20) % 3, r);
            }
            img = Render(32, 32, m, 0, {true, true});
            break;
        }
        case kPond:
            Blob(seed, 10, 8, [&](int x, int y, double d, double) {
                img.Set(x, y, d > 0.8 ? (def.arg ? kMetal[0] : kSand[1]) : WaterAt(x, y));
            });
            break;
        case kIce:
            Blob(seed, 12, 9, [&](int x, int y, double d, double n) {
                img.Set(x, y, Tone(kGround2, 0.7 + (n - 0.5) * 0.6 - d * 0.2 + shade(x, y), x, y));
            });
            break;
        case kRocks:
        case kRubble: {
            Model m;
            for (int k = 0; k < 4; ++k) {
                std::uint32_t h = Hash(seed, std::uint32_t(k));
                m.Ellipse(double(int(h % 19)) - 9, double(int((h >> 8) % 19)) - 9, 2.5 + (h >> 16) % 3, 2 + (h >> 20) % 2, def.f == kRocks ? kRock : kMetal);
            }
            img = Render(32, 32, m, 0);
            break;
        }
        case kRoad: {
            // Asphalt 12 wide meeting the cell sides at their middle; a bend is a
            // quarter ring around the corner between its two ends, so roads turn in
            // curves. A light kerb on the lit side, a dark one in shade, and a strip
            // of worn earth along the verge.
            const int a = def.arg;
            auto dist = [&](double x, double y) {  // distance from the road's centre line
                double best = 1e9;
                const bool bend = a == 3 || a == 6 || a == 9 || a == 12;
                if (bend) {
                    double cx = (a & 2) ? 32 : 0, cy = (a & 1) ? 0 : 32;
                    best = std::fabs(std::hypot(x - cx, y - cy) - 16);
                } else {
                    if ((a & 1) && y <= 16) best = std::fmin(best, std::fabs(x - 16));
                    if ((a & 4) && y >= 16) best = std::fmin(best, std::fabs(x - 16));
                    if ((a & 8) && x <= 16) best = std::fmin(best, std::fabs(y - 16));
                    if ((a & 2) && x >= 16) best = std::fmin(best, std::fabs(y - 16));
                    if (a == 4) best = std::fmin(best, std::hypot(x - 16, y - 16));  // the rounded end
                }
                return best;
            };
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    double d = dist(x + 0.5, y + 0.5);
                    if (d > 7.5) continue;
                    std::uint8_t c;
                    if (d > 6.5) c = (x + y) % 3 ? kGround2[1] : kGround2[2];        // worn verge
                    else if (d > 5.5) c = kMetal[(x + y) % 2 ? 1 : 3];              // kerb
                    else c = Tone(kMetal, 0.28 + Fbm(x, y, 32, 990, 2) * 0.3, x, y);  // asphalt
                    img.Set(x, y, c);
                }
            if (a == 5) for (int y = 2; y < 32; y += 8) FillRect(img, 15, y, 16, y + 3, kMarkWhite);
            if (a == 10) for (int x = 2; x < 32; x += 8) FillRect(img, x, 15, x + 3, 16, kMarkWhite);
            break;
        }
        case kLineNS:
        case kLineEW:
            for (int i = 0; i < 32; ++i) {
                if (def.f == kLineNS && (i / 4) % 2 == 0) img.Set(15, i, kMarkWhite), img.Set(16, i, kMarkWhite);
                if ((def.f == kLineEW || def.arg) && (i / 4) % 2 == 0) img.Set(i, 15, kMarkWhite), img.Set(i, 16, kMarkWhite);
            }
            break;
        case kCracks: {
            int x = 6 + int(seed % 8), y = 2;
            while (y < 30) {
                img.Set(x, y, kMetal[0]);
                img.Set(x + 1, y, def.arg ? kRock[3] : kMetal[2]);
                ++y;
                x += int(Hash(seed, std::uint32_t(y)) % 3) - 1;
                x = std::clamp(x, 3, 28);
            }
            break;
        }
        case kStain:
            Blob(seed, 8, 6, [&](int x, int y, double d, double) { if ((x + y) % 2 == 0 || d < 0.6) img.Set(x, y, kMetal[0]); });
            break;
        case kManhole: {
            Model m;
            m.Ellipse(0, 0, 6, 6, kMetal, 0.4).Bias(-0.1);
            m.Box(0, 0, 4, 0.6, kMetal).Flat(kMetal[0]);
            img = Render(32, 32, m, 0);
            break;
        }
        case kArrow:
            for (int y = 6; y < 26; ++y)
                for (int x = 0; x < 32; ++x)
                    if ((y < 14 && std::abs(x - 16) < y - 5) || (y >= 14 && std::abs(x - 16) < 3)) img.Set(x, y, kMarkWhite);
            break;
        case kGrid:
            for (int i = 0; i < 32; ++i) {
                img.Set(i, def.arg ? 2 : 0, kMarkYellow);
                if (i % 16 == 4) FillRect(img, i, 0, i, 31, def.arg ? kMarkWhite : kMarkYellow);
            }
            break;
        case kHatch:
            for (int y = 4; y < 28; ++y)
                for (int x = 4; x < 28; ++x)
                    if (((x + y) / 3) % 2 == 0) img.Set(x, y, kMarkYellow);
                    else img.Set(x, y, kMetal[0]);
            break;
        case kPlates:
            for (int y = 2; y < 30; ++y)
                for (int x = 2; x < 30; ++x)
                    img.Set(x, y, x == 2 || y == 2 ? kMetal[4] : x == 29 || y == 29 ? kMetal[0] : Tone(kMetal, 0.55, x, y));
            for (int k = 0; k < 4; ++k) img.Set(k % 2 ? 26 : 5, k / 2 ? 26 : 5, kMetal[0]);
            break;
        case kTracksNS:
        case kTracksEW:
            for (int i = 0; i < 32; ++i)
                for (int t : {11, 20})
                    if (i % 3 != 0) {
                        if (def.f == kTracksNS) img.Set(t, i, kGround[0]), img.Set(t + 1, i, kGround[1]);
                        else img.Set(i, t, kGround[0]), img.Set(i, t + 1, kGround[1]);
                    }
            break;
        case kBones: {
            Model m;
            m.Capsule({-8, -2}, {6, 4}, 1.4, kSand).Bias(0.3);
            m.Ellipse(8, -4, 3, 2.5, kSand).Bias(0.3);
            img = Render(32, 32, m, 0);
            break;
        }
    }
    return img;
}

Image Deco(const Entry& e, Context&) {
    std::string kind = ArgStr(e, 0);
    Model m;
    if (kind == "tree") {
        m.Ellipse(-1, 2, 9, 8, kVeg);
        m.Ellipse(-6, -3, 7, 6, kVeg);
        m.Ellipse(5, -4, 7, 7, kVeg);
        m.Ellipse(1, -7, 5, 5, kVeg).Bias(0.1);
    } else {
        m.Ellipse(0, 1, 11, 8, kRock);
        m.Ellipse(-3, -3, 6, 5, kRock).Bias(0.1);
    }
    return Render(32, 32, m, 0, {true, true});
}

// Rooftops of buildings, piece p of kind k. Pieces stand side by side 32 pixels
// apart, so a gabled roof runs east-west across them: the north slope catches the
// light from the top left, the south slope is in shade, the ridge is a light line
// and the eaves a dark one; tiles in rows, a hip at each end piece (0 left; 3 and 4
// right), and per piece a chimney, a vent or a skylight. Kind 0 has earth-coloured
// tiles, kind 1 slate (the rock ramp); kind 2 and up add a red marker.
// A roof over the rectangle (x0, y0)..(x1, y1): ridge east-west at its middle,
// north slope lit, south slope in shade, tile rows, a hip at the west and/or
// east end, a light top edge and dark eaves.
void GabledRoof(Image& img, int x0, int y0, int x1, int y1, const Ramp& roof, bool hip_west, bool hip_east) {
    const int ridge = (y0 + y1) / 2, half = std::max(1, (y1 - y0) / 2), hip = half - 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int from_ridge = std::abs(y - ridge);
            const int reach = hip - from_ridge * hip / half;  // how far the hip's triangle reaches in
            const bool hw = hip_west && x - x0 < reach, he = hip_east && x1 - x < reach;
            double t = y < ridge ? 0.72 : 0.32;
            if (hw) t = 0.62;
            if (he) t = 0.22;
            t -= from_ridge * 0.012;
            if (!hw && !he && (y - y0) % 3 == 0) t -= 0.22;  // tile rows
            if (hw || he) t -= ((x + y) % 3 == 0) * 0.15;
            std::uint8_t c = Tone(roof, t, x, y);
            if (y == ridge && !hw && !he) c = roof[4];
            if (y == y1) c = kOutline;
            if (y == y0) c = roof[3];
            if ((x == x0 && hip_west) || (x == x1 && hip_east)) c = x == x0 ? roof[3] : kOutline;
            img.Set(x, y, c);
        }
}

Image Struct(const Entry& e, Context&) {
    int kind = ArgInt(e, 0), p = ArgInt(e, 1);
    const Ramp& roof = kind % 2 ? kRock : kGround2;
    const bool west = p == 0, east = p == 3 || p == 4;
    Image img(32, 32);
    GabledRoof(img, west ? 2 : 0, 3, east ? 29 : 31, 28, roof, west, east);
    // Something on every roof, drawn lit from the top left.
    auto box = [&](int x0, int y0, int w, int h, const Ramp& r) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                img.Set(x, y, x == x0 || y == y0 ? r[4] : (x == x0 + w - 1 || y == y0 + h - 1) ? r[0] : r[2]);
        for (int x = x0 + 1; x <= x0 + w; ++x) img.Set(x, y0 + h, kOutline);  // its shadow on the roof
        img.Set(x0 + w, y0 + 1, kOutline);
    };
    switch ((p + kind) % 3) {
        case 0: box(9 + p % 2 * 8, 6, 4, 5, kRock); img.Set(10 + p % 2 * 8, 7, kOutline); break;  // chimney
        case 1: box(12, 18, 7, 5, kMetal); break;                                                    // vent
        default:                                                                                     // skylight
            for (int y = 18; y < 23; ++y)
                for (int x = 8; x < 22; ++x) img.Set(x, y, y == 18 ? kMetal[4] : (x + y) % 4 ? kMetal[1] : kMetal[3]);
            break;
    }
    if (kind >= 2) FillRect(img, 5, 5, 6, 6, kMarkRed);
    return img;
}

// The stage-1 base (320 x 224, seven strips): roofs, a runway and lights.
Image BaseWhole() {
    Image img(320, 224);
    for (int y = 0; y < 224; ++y)
        for (int x = 0; x < 320; ++x) {
            bool courtyard = (x > 132 && x < 188 && y > 150 && y < 196);
            if (courtyard) continue;
            double n = Fbm(x, y, 64, 81, 3);
            double slab = (Hash(std::uint32_t(x / 40), std::uint32_t(y / 28), 81) % 3) * 0.08;
            std::uint8_t c = Tone(kMetal, 0.4 + slab, x, y, false);
            if (x % 40 == 0 || y % 28 == 0) c = kMetal[1];
            if (x > 140 && x < 180 && y < 140) c = Tone(kRock, 0.3 + (n - 0.5) * 0.3, x, y, false);  // runway
            if (x >= 158 && x <= 161 && y < 140 && (y / 10) % 2 == 0) c = kMarkWhite;
            if ((x == 142 || x == 177) && y < 140 && y % 8 == 0) c = kMarkYellow;
            img.Set(x, y, c);
        }
    // Four barracks and a long shed with hipped roofs, each with a vent block and a
    // warning light; the roofs' outlines come from the renderer.
    Model m;
    for (int k = 0; k < 4; ++k) {
        double bx = k < 2 ? -110 : 110, by = k % 2 ? 30 : -60;
        m.Box(bx, by, 34, 26, kRock, 1);
    }
    m.Box(0, 80, 60, 12, kRock, 1);
    Image roofs = Render(320, 224, m, 0, {false, true});
    Blit(img, roofs, 0, 0);
    for (int k = 0; k < 4; ++k) {
        int bx = 160 + (k < 2 ? -110 : 110), by = 112 + (k % 2 ? 30 : -60);
        GabledRoof(img, bx - 33, by - 25, bx + 33, by + 25, kRock, true, true);
        for (int v = 0; v < 3; ++v) FillRect(img, bx - 20 + 8 * v, by + 10, bx - 17 + 8 * v, by + 13, kMetal[v % 2 ? 1 : 3]);
        FillRect(img, bx + 26, by - 21, bx + 27, by - 20, kMarkRed);
    }
    GabledRoof(img, 160 - 59, 192 - 11, 160 + 59, 192 + 11, kGround2, true, true);
    for (int y = 0; y < 224; ++y)  // edge of the complex
        for (int x = 0; x < 320; ++x)
            if ((y == 0 || x == 0 || x == 319) && img.Solid(x, y)) img.Set(x, y, kOutline);
    return img;
}

Image Base(const Entry& e, Context&) {
    static const Image whole = BaseWhole();
    return Crop(whole, 0, ArgInt(e, 1) * 32, 320, 32);
}

// Hangar door, 48x48: frame 0 closed, 1..8 opening. A concrete frame with a
// lit bevel, two ribbed door leaves sliding apart over the dark bay, hazard
// stripes on the sill and lintel, and warning lights that swap as it opens.
Image Hangar(const Entry& e, Context&) {
    int f = ArgInt(e, 0);
    Model m;
    m.Box(0, 0, 23, 23, kRock, 3).Bias(0.15);
    m.Box(0, 0, 17, 17, kRock, 1).Flat(kOutline);
    double open = f * 2.1;
    if (open < 17) {
        m.Box(-8.5 - open / 2, 0, 8.5 - open / 2, 15, kMetal, 1.2).Bias(0.1);
        m.Box(8.5 + open / 2, 0, 8.5 - open / 2, 15, kMetal, 1.2).Bias(0.1);
    }
    m.Box(-20, -20, 1.5, 1.5, kMetal).Flat(f % 2 ? kMarkRed : kMarkYellow);
    m.Box(20, -20, 1.5, 1.5, kMetal).Flat(f % 2 ? kMarkYellow : kMarkRed);
    Image img = Render(48, 48, m, 0);
    const int inner0 = 24 - 17, inner1 = 24 + 16;  // the bay, x and y
    for (int y = inner0; y <= inner1; ++y)
        for (int x = inner0; x <= inner1; ++x) {
            std::uint8_t c = img.At(x, y);
            const bool leaf = c != kOutline;
            if (y <= inner0 + 1 || y >= inner1 - 1) {  // sill and lintel: hazard stripes
                img.Set(x, y, (x + y) / 2 % 2 ? kMarkYellow : kOutline);
            } else if (leaf && (x - inner0) % 4 == 0) {
                img.Set(x, y, kMetal[1]);  // ribs of the leaves
            } else if (!leaf && y > inner1 - 6) {
                img.Set(x, y, kMetal[0]);  // the bay's floor catches a little light
            }
        }
    for (int k = 0; k < 4; ++k) img.Set(k % 2 ? 43 : 4, k / 2 ? 43 : 4, kRock[0]);  // anchor bolts
    return img;
}

// Launch pad, 32x32: frame 0 dark, 1..8 a light running round the ring.
Image Pad(const Entry& e, Context&) {
    int f = ArgInt(e, 0);
    Model m;
    m.Ellipse(0, 0, 15, 15, kMetal, 0.5);
    m.Ellipse(0, 0, 11, 11, kMetal, 0.2).Bias(-0.15);
    m.Box(-4, 0, 1.2, 6, kMetal).Flat(kMarkWhite);
    m.Box(4, 0, 1.2, 6, kMetal).Flat(kMarkWhite);
    m.Box(0, 0, 4, 1.1, kMetal).Flat(kMarkWhite);
    for (int k = 0; k < 8; ++k) {
        double a = k * kPi / 4;
        m.Ellipse(13 * std::cos(a), 13 * std::sin(a), 1.3, 1.3, kMetal).Flat(f > 0 && (k == f - 1) ? kMarkYellow : kMetal[0]);
    }
    return Render(32, 32, m, 0);
}

Image Quarter(const Entry& e, Context&) {
    int v = ArgInt(e, 0);
    Image img(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            img.Set(x, y, v == 2 ? WaterAt(x, y) : v == 1 ? Tone(kVeg, Fbm(x, y, 16, 91, 3), x, y) : Tone(kGround, 0.15 + Fbm(x, y, 16, 92, 3) * 0.3, x, y));
    return img;
}

// Scorched debris: broken plates and beams on a burnt patch that thins out
// toward its edge, with a few embers still glowing.
Image Wreck(const Entry& e, Context&) {
    Image img(e.w, e.h);
    double cx = e.w / 2.0, cy = e.h / 2.0;
    std::uint32_t seed = 500 + std::uint32_t(ArgInt(e, 0));
    for (int y = 0; y < e.h; ++y)
        for (int x = 0; x < e.w; ++x) {
            double n = Fbm(x * 32.0 / e.w, y * 32.0 / e.h, 32, seed, 3);
            double d = std::hypot((x + 0.5 - cx) / cx, (y + 0.5 - cy) / cy) + (n - 0.5) * 0.5;
            if (d < 0.55 || (d < 0.95 && Bayer(x, y) > (d - 0.55) / 0.4)) img.Set(x, y, d < 0.4 ? kSmoke[0] : kShadow);
        }
    Model m;
    double s = std::sqrt(e.w / 32.0);
    int pieces = 3 + e.w / 10;
    for (int k = 0; k < pieces; ++k) {
        std::uint32_t h = Hash(seed, std::uint32_t(k));
        double px = (int(h % 100) - 50) / 100.0 * e.w * 0.55, py = (int((h >> 8) % 100) - 50) / 100.0 * e.h * 0.55;
        double a = (h >> 16) % 628 / 100.0, l = (3 + (h >> 24) % 5) * s, w = (1.5 + (h >> 28) % 3) * s * 0.6;
        double c = std::cos(a), sn = std::sin(a);
        m.Poly({{px - c * l + sn * w, py - sn * l - c * w}, {px + c * l + sn * w, py + sn * l - c * w},
                {px + c * l - sn * w, py + sn * l + c * w}, {px - c * l - sn * w, py - sn * l + c * w}},
               k % 3 ? kGrey : kSmoke, 1.2).Bias(-0.2);
    }
    Image debris = Render(e.w, e.h, m, 0);
    Blit(img, debris, 0, 0);
    for (int k = 0; k < 4 + e.w / 8; ++k) {  // embers
        std::uint32_t h = Hash(seed, std::uint32_t(k) + 99);
        int x = int(cx) + int(h % unsigned(e.w / 2)) - e.w / 4, y = int(cy) + int((h >> 10) % unsigned(e.h / 2)) - e.h / 4;
        if (img.Solid(x, y)) img.Set(x, y, k % 3 ? kFire[1] : kFire[3]);
    }
    return img;
}

// A shell crater: a burnt ring of thrown-out earth lit from the top left, a
// dark bowl lit from the bottom right, and soot streaks over the ground around it.
Image Crater(const Entry& e, Context&) {
    Image img(e.w, e.h);
    double c = e.w / 2.0;
    std::uint32_t seed = 600 + std::uint32_t(ArgInt(e, 0));
    for (int y = 0; y < e.h; ++y)
        for (int x = 0; x < e.w; ++x) {
            double n = TileNoise(x * 32.0 / e.w, y * 32.0 / e.h, 8, 32, seed);
            double dx = (x + 0.5 - c) / c, dy = (y + 0.5 - c) / c, d = std::hypot(dx, dy) + (n - 0.5) * 0.25;
            double ray = std::sin(std::atan2(dy, dx) * 7 + n * 3);
            if (d > 0.98) continue;
            if (d > 0.8) {  // soot, in streaks
                if (Bayer(x, y) < 0.45 + ray * 0.35) img.Set(x, y, (x + y) % 2 ? kSmoke[0] : kShadow);
            } else if (d > 0.58) {
                img.Set(x, y, Tone(kSmoke, 0.75 - (dx + dy) * 0.6 + (n - 0.5) * 0.6, x, y));  // rim
            } else {
                img.Set(x, y, d < 0.28 ? kShadow : Tone(kSmoke, 0.1 + (dx + dy) * 0.35, x, y));  // bowl
            }
        }
    for (int k = 0; k < 3 + e.w / 16; ++k) {  // clods of earth thrown out
        std::uint32_t h = Hash(seed, std::uint32_t(k));
        double a = (h % 628) / 100.0, r = c * (0.7 + ((h >> 10) % 25) / 100.0);
        int px = int(c + std::cos(a) * r), py = int(c + std::sin(a) * r);
        img.Set(px, py, kSmoke[2]);
        img.Set(px + 1, py + 1, kOutline);
    }
    return img;
}

// A ruin: the burnt footprint of a building, broken wall stubs on two sides
// lit from the top left, a fallen roof slab, rubble, charred beams and embers.
Image Ruin(const Entry& e, Context&) {
    int v = ArgInt(e, 0);
    std::uint32_t seed = 640 + std::uint32_t(v);
    Image img(32, 32);
    for (int y = 3; y < 30; ++y)  // scorched floor, ragged at its edge
        for (int x = 2; x < 30; ++x) {
            double n = TileNoise(x, y, 4, 32, seed);
            double edge = std::fmin(std::fmin(x - 2, 29 - x), std::fmin(y - 3, 29 - y));
            if (edge + n * 3 < 1.5) continue;
            img.Set(x, y, n > 0.55 ? kSmoke[0] : (Bayer(x, y) < 0.5 ? kShadow : kSmoke[0]));
        }
    Model m;
    // Wall stubs along the top and the left, their tops broken off at different heights.
    for (int k = 0; k < 6; ++k) {
        std::uint32_t h = Hash(seed, std::uint32_t(k));
        double hgt = 1.2 + (h % 3) * 0.8;
        m.Box(-11 + 4.2 * k, -11, 2.1, hgt, kGrey, 1).Bias(0.15 - double((h >> 4) % 3) * 0.12);
        if (k < 5) m.Box(-12, -7 + 4.2 * k, hgt * 0.9, 2.1, kGrey, 1).Bias(0.1 - double((h >> 6) % 3) * 0.12);
    }
    m.Poly({{-4, -3}, {8, -6}, {11, 4}, {-2, 7}}, v ? kRust : kGrey, 1.5).Bias(-0.1);  // a fallen roof slab
    for (int k = 0; k < 9 + 4 * v; ++k) {  // rubble
        std::uint32_t h = Hash(seed + 1, std::uint32_t(k));
        m.Ellipse(double(int(h % 22)) - 10, double(int((h >> 8) % 22)) - 8, 1.2 + (h >> 16) % 2, 1 + (h >> 20) % 2,
                  k % 3 ? kGrey : kRust).Bias(-0.05);
    }
    m.Capsule({-8, 9}, {4, 12}, 0.8, kSmoke).Flat(kOutline);  // charred beams
    m.Capsule({6, -9}, {11, 1}, 0.8, kSmoke).Flat(kOutline);
    if (v) m.Box(8, -9, 3.5, 4.5, kGrey, 1.2).Bias(0.2);  // the large ruin keeps one corner standing
    Image debris = Render(32, 32, m, 0);
    Blit(img, debris, 0, 0);
    for (int k = 0; k < 3; ++k) {  // embers
        std::uint32_t h = Hash(seed + 2, std::uint32_t(k));
        int x = 6 + int(h % 20), y = 6 + int((h >> 8) % 20);
        if (img.At(x, y) == kSmoke[0] || img.At(x, y) == kShadow) img.Set(x, y, k ? kFire[1] : kFire[3]);
    }
    return img;
}

MakerRegistrar r1("tile", Tile);
MakerRegistrar r2("edge", Edge);
MakerRegistrar r3("overlay", Overlay);
MakerRegistrar r4("deco", Deco);
MakerRegistrar r5("struct", Struct);
MakerRegistrar r6("base", Base);
MakerRegistrar r7("hangar", Hangar);
MakerRegistrar r8("pad", Pad);
MakerRegistrar r9("quarter", Quarter);
MakerRegistrar r10("wreck", Wreck);
MakerRegistrar r11("crater", Crater);
MakerRegistrar r12("ruin", Ruin);

}  // namespace
}  // namespace art

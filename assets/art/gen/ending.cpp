// The ending's pictures, drawn in palette 112 (a warm late afternoon) with
// the shared ramps:
//
//   endriver K   strip K of the river overlay (1187..1201): the river winding
//                down the home valley, its sandy banks, a stone bridge and
//                the country road over it; transparent elsewhere
//   endtown K    strip K of the town overlay (1207..1221): the town beside
//                the river, its streets, church and square, farms around it
//   endcloud K   thin cloud wisps drifting over everything (1202..1205)
//   endfinal K   band K of the final picture (4356..4358): the sunset over the
//                sea, and the plaque the result is written on
//   endtitle K   strip K of the title (6072..6077): 0..2 lit, 3..5 dim
//
// Both overlays repeat every 480 rows and are laid over the valley (sprite 7,
// ground cells and trees composed by the game), so every scene scrolls
// without a seam. The town keeps clear of the river's path, so the game may
// lay both overlays at once.
#include "model.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {
namespace {

// ---- Palette 112's own colours, and the shared ones used here ----------------------------

const Ramp kRoof = {230, 231, 232, 233, 234, 235};
const Ramp kPlaster = {236, 237, 238, 239, 240};
const Ramp kSky = {241, 242, 243, 244, 245, 246, 247};
const Ramp kSun = {248, 249, 250, 251};
const Ramp kCoast = {252, 253, 254};
const Ramp kSlate = {2, 3, 4, 5, 6};
constexpr std::uint8_t kPanel = 2;  // the panel grey the score digits are drawn on

constexpr int kLoop = 480;
constexpr double kTau = 2 * kPi;

// ---- The river ---------------------------------------------------------------------------------

// Centre line and half width, both repeating every 480 rows.
double RiverX(double y) { return 148 + 70 * std::sin(kTau * y / kLoop) + 18 * std::sin(2 * kTau * y / kLoop + 1.3); }
double RiverSlope(double y) {
    return 70 * kTau / kLoop * std::cos(kTau * y / kLoop) + 36 * kTau / kLoop * std::cos(2 * kTau * y / kLoop + 1.3);
}
double RiverHalfWidth(double y) { return 23 + 5 * std::sin(3 * kTau * y / kLoop + 0.5); }
// Distance from the nearer bank, across the river: negative in the water.
double RiverDistance(double x, double y) {
    const double s = RiverSlope(y);
    return std::fabs(x - RiverX(y)) / std::sqrt(1 + s * s) - RiverHalfWidth(y);
}
// Signed distance across from the centre line (negative: the west bank side).
double AcrossRiver(double x, double y) {
    const double s = RiverSlope(y);
    return (x - RiverX(y)) / std::sqrt(1 + s * s);
}

// Ripples across the current in the rolled water range; rolling the range
// moves them down the river.
std::uint8_t RiverWater(int x, int y) {
    const double u = AcrossRiver(x, y);
    const double bend = 3.0 * std::cos(u / RiverHalfWidth(y) * kPi / 2);
    const int phase = int(std::floor(-y - bend + 1.5 * std::sin(u * kTau / 11))) & 15;
    return std::uint8_t(kWater + phase);
}

// The stone bridge and the country road over it.
constexpr int kBridgeY = 92;  // top row of the roadway
constexpr int kRoadWidth = 9;
double RoadY(double x) { return kBridgeY + kRoadWidth / 2.0 + 10 * std::sin((x - RiverX(kBridgeY)) / 90.0); }

void DrawRoad(Image& img) {
    for (int x = 0; x < 320; ++x) {
        const double cy = RoadY(x);
        for (int y = int(cy) - 7; y <= int(cy) + 7; ++y) {
            const double d = std::fabs(y - cy);
            if (d > kRoadWidth / 2.0 + 1) continue;
            std::uint8_t c;
            if (d > kRoadWidth / 2.0) c = kMetal[0];  // kerb
            else c = Tone(kMetal, 0.55 + (Fbm(x, y, 32, 931, 3) - 0.5) * 0.5 - (y > cy ? 0.12 : 0), x, y);
            img.Set(x, ((y % kLoop) + kLoop) % kLoop, c);
        }
    }
}

void DrawBridge(Image& img) {
    const int cx = int(RiverX(kBridgeY + 4));
    const int half = int(RiverHalfWidth(kBridgeY + 4) / std::sqrt(1 + std::pow(RiverSlope(kBridgeY + 4), 2))) + 10;
    const int x0 = cx - half - 6, x1 = cx + half + 6, y0 = kBridgeY - 2, y1 = kBridgeY + kRoadWidth + 2;
    // Its shadow on the water, then the deck with its parapets and arches' piers.
    for (int y = y1 + 1; y <= y1 + 4; ++y)
        for (int x = x0 + 3; x <= x1 + 3; ++x)
            if (RiverDistance(x, y) < 0 && (x + y) % 2 == 0) img.Set(x, y, kShadow);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            std::uint8_t c = Tone(kRock, 0.55 + (Fbm(x, y, 32, 940, 3) - 0.5) * 0.6, x, y);
            if (y == y0 || y == y1) c = kOutline;
            else if (y == y0 + 1) c = kRock[4];
            else if (y == y1 - 1) c = kRock[1];
            else if (x == x0 || x == x1) c = kOutline;
            img.Set(x, y, c);
        }
    for (int k = 1; k < 4; ++k) {  // piers standing in the current
        const int px = x0 + (x1 - x0) * k / 4;
        for (int y = y1 + 1; y <= y1 + 3; ++y)
            for (int x = px - 2; x <= px + 2; ++x) img.Set(x, y, y == y1 + 3 ? kOutline : kRock[1]);
        img.Set(px - 3, y1 + 4, kWater + 15);
        img.Set(px + 3, y1 + 4, kWater + 15);
    }
}

// A rowing boat heading downstream, with its wake.
void DrawBoat(Image& img, int cx, int cy) {
    Model hull;
    hull.Ellipse(0, 0, 3, 7, kPlaster, 1.2);
    hull.Ellipse(0, 0, 2, 5, kRoof, 0.6).Bias(-0.1);
    Image boat = Render(12, 20, hull, 0);
    for (int k = 1; k <= 10; ++k) {
        img.Set(cx - 2 - k / 3, cy - 8 - k, kWater + 15);
        img.Set(cx + 2 + k / 3, cy - 8 - k, kWater + 15);
    }
    Blit(img, boat, cx - 6, cy - 10);
}

Image RiverWhole() {
    Image img(320, kLoop);
    for (int y = 0; y < kLoop; ++y)
        for (int x = 0; x < 320; ++x) {
            const double d = RiverDistance(x, y);
            const double n = Fbm(x, y, kLoop, 920, 4);
            const double bank = 4 + 4 * n;
            if (d < -3) {
                img.Set(x, y, RiverWater(x, y));
            } else if (d < 0) {  // shallows over the sand
                img.Set(x, y, Bayer(x, y) < (d + 3) / 3.5 ? kSand[1] : RiverWater(x, y));
            } else if (d < bank) {
                img.Set(x, y, Tone(kSand, 0.75 - d / bank * 0.5 + (n - 0.5) * 0.4, x, y));
            } else if (d < bank + 3 && Hash(std::uint32_t(x), std::uint32_t(y), 921) % 3 == 0) {
                img.Set(x, y, kVeg[1 + Hash(std::uint32_t(x), std::uint32_t(y), 922) % 2]);  // reeds
            }
        }
    // Wet edge: the first sand pixel next to the water is darker.
    Image edged = img;
    for (int y = 0; y < kLoop; ++y)
        for (int x = 1; x < 319; ++x) {
            const std::uint8_t c = img.At(x, y);
            if (c < kSand[0] || c > kSand[3]) continue;
            for (int dx : {-1, 1})
                if (img.At(x + dx, y) >= kWater && img.At(x + dx, y) < kWater + 16) edged.Set(x, y, kSand[0]);
        }
    DrawRoad(edged);
    DrawBridge(edged);
    DrawBoat(edged, int(RiverX(300)) - 6, 300);
    DrawBoat(edged, int(RiverX(405)) + 8, 405);
    return edged;
}

// ---- The town ------------------------------------------------------------------------------------

// A free-standing building: roof footprint w x h at (x, y), lit from the top left.
struct Building {
    int x, y, w, h;
    const Ramp* roof;
    enum Shape { kGable, kHip, kFlat } shape;
    bool chimney;
};

// The roof pixel of a building at (px, py) inside its footprint.
std::uint8_t RoofPixel(const Building& b, int px, int py) {
    const int u = px - b.x, v = py - b.y;
    if (u == 0 || v == 0 || u == b.w - 1 || v == b.h - 1) return kOutline;
    const Ramp& r = *b.roof;
    if (b.shape == Building::kFlat) {
        double t = 0.6 + (u == 1 || v == 1 ? 0.3 : 0) - (u == b.w - 2 || v == b.h - 2 ? 0.3 : 0);
        return Tone(r, t, px, py);
    }
    // Facets: which edge the pixel lies nearest to, scaled to a square.
    const double fx = (u + 0.5) / b.w - 0.5, fy = (v + 0.5) / b.h - 0.5;
    double t;
    if (b.shape == Building::kGable && b.w >= b.h) {
        t = fy < 0 ? 0.78 : 0.3;
        if (std::fabs(fy) * b.h < 0.7) t = 0.95;  // the ridge
    } else if (b.shape == Building::kGable) {
        t = fx < 0 ? 0.7 : 0.28;
        if (std::fabs(fx) * b.w < 0.7) t = 0.92;
    } else {
        const double ax = std::fabs(fx) * b.w, ay = std::fabs(fy) * b.h;
        const double inset = std::min(b.w, b.h) / 2.0;
        if (b.w / 2.0 - ax < b.h / 2.0 - ay) t = fx < 0 ? 0.66 : 0.3;
        else t = fy < 0 ? 0.82 : 0.22;
        if (std::fabs((b.w / 2.0 - ax) - (b.h / 2.0 - ay)) < 0.6 && b.w / 2.0 - ax < inset) t = 0.95;  // hips
    }
    // Rows of tiles.
    if ((b.shape == Building::kGable && b.w < b.h ? u : v) % 3 == 0) t -= 0.12;
    return Tone(r, t, px, py, false);
}

void DrawBuilding(Image& img, const Building& b) {
    // The shadow falls to the bottom right, on a checkerboard so the ground shows through.
    for (int py = b.y + 2; py < b.y + b.h + 3; ++py)
        for (int px = b.x + 2; px < b.x + b.w + 3; ++px)
            if ((px + py) % 2 == 0 && img.At(px, py) == kClear) img.Set(px, py, kShadow);
    for (int py = b.y; py < b.y + b.h; ++py)
        for (int px = b.x; px < b.x + b.w; ++px) img.Set(px, py, RoofPixel(b, px, py));
    if (b.chimney) {
        const int cx = b.x + b.w * 2 / 3, cy = b.y + 2;
        FillRect(img, cx, cy, cx + 2, cy + 2, kRock[3]);
        img.Set(cx + 2, cy + 2, kRock[1]);
        img.Set(cx + 3, cy + 1, kShadow), img.Set(cx + 3, cy + 3, kShadow);
    }
}

// Streets: polylines of points, drawn as paved bands with dark kerbs.
struct Street {
    std::vector<std::pair<double, double>> points;
    double half_width;
};

double DistanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

double StreetDistance(const Street& s, double x, double y) {
    double best = 1e9;
    for (std::size_t i = 1; i < s.points.size(); ++i)
        best = std::min(best, DistanceToSegment(x, y, s.points[i - 1].first, s.points[i - 1].second, s.points[i].first,
                                                s.points[i].second));
    return best;
}

// The main street follows the river's east bank; lanes run from it to the
// valley's east edge.
double MainStreetX(double y) { return RiverX(y) + 60; }
constexpr int kTownTop = 118, kTownBottom = 424;
constexpr int kLanes[] = {170, 236, 302, 368};

std::vector<Street> TownStreets() {
    std::vector<Street> streets;
    Street main{{}, 4.5};
    for (int y = kTownTop; y <= kTownBottom; y += 8) main.points.push_back({MainStreetX(y), double(y)});
    streets.push_back(main);
    for (int y : kLanes) streets.push_back({{{MainStreetX(y), double(y)}, {330, double(y)}}, 3.5});
    return streets;
}

Image TownWhole() {
    Image img(320, kLoop);
    const std::vector<Street> streets = TownStreets();
    auto street_distance = [&](double x, double y) {
        double best = 1e9;
        for (const Street& s : streets) best = std::min(best, StreetDistance(s, x, y) - s.half_width);
        return best;
    };
    // The town square by the church, paved, with a fountain.
    const int square_x = int(MainStreetX(236)) + 8, square_y = 241;
    const int square_w = 44, square_h = 30;
    auto on_square = [&](int x, int y, int margin) {
        return x >= square_x - margin && x < square_x + square_w + margin && y >= square_y - margin &&
               y < square_y + square_h + margin;
    };
    for (int y = 0; y < kLoop; ++y)
        for (int x = 0; x < 320; ++x) {
            const double d = street_distance(x, y);
            if (on_square(x, y, 0)) img.Set(x, y, Tone(kRock, 0.68 + ((x / 4 + y / 4) % 2 ? 0.1 : -0.06), x, y));
            else if (d < 0) img.Set(x, y, Tone(kMetal, 0.62 + (Fbm(x, y, 32, 950, 3) - 0.5) * 0.4, x, y));
            else if (d < 1) img.Set(x, y, kMetal[0]);
        }
    for (int y = -6; y <= 6; ++y)
        for (int x = -6; x <= 6; ++x) {
            const double r = std::hypot(x, y);
            const int fx = square_x + square_w / 2 + x, fy = square_y + square_h / 2 + y;
            if (r <= 4) img.Set(fx, fy, std::uint8_t(kWater + (int(r * 3) & 15)));
            else if (r <= 5.5) img.Set(fx, fy, r <= 4.8 ? kRock[4] : kOutline);
        }

    // A building goes up where it keeps clear of the river, the streets, the
    // square and its neighbours.
    std::vector<Building> placed;
    auto fits = [&](const Building& b) {
        if (b.x < 1 || b.x + b.w > 319 || b.y < 1 || b.y + b.h >= kLoop - 1) return false;
        for (int py = b.y - 1; py <= b.y + b.h + 2; ++py)
            for (int px = b.x - 1; px <= b.x + b.w + 2; ++px)
                if (RiverDistance(px, py) < 5 || street_distance(px, py) < 1 || on_square(px, py, 1)) return false;
        for (const Building& o : placed)
            if (b.x < o.x + o.w + 2 && o.x < b.x + b.w + 2 && b.y < o.y + o.h + 2 && o.y < b.y + b.h + 2) return false;
        return true;
    };
    auto add = [&](const Building& b) {
        if (!fits(b)) return false;
        placed.push_back(b);
        return true;
    };
    std::uint32_t lot = 0;
    auto roof_of = [](std::uint32_t h) { return (h >> 9) % 9 == 0 ? &kPlaster : (h >> 9) % 6 == 0 ? &kSlate : &kRoof; };
    auto shape_of = [](const Ramp* roof, int along, int across) {
        if (roof == &kPlaster) return Building::kFlat;
        return std::abs(along - across) < 4 ? Building::kHip : Building::kGable;
    };

    // The church on the square's east side: its tower, then its nave.
    add({square_x + square_w + 3, square_y + 1, 15, 15, &kSlate, Building::kHip, false});
    add({square_x + square_w + 2, square_y + 18, 17, 34, &kSlate, Building::kGable, false});

    // Houses front the main street on both sides, gable to the street,
    // nearer together toward the middle of the town.
    for (int side : {1, -1})
        for (int y = kTownTop + 2; y < kTownBottom - 8;) {
            const std::uint32_t h = Hash(++lot, 960);
            const int along = 10 + int(h % 5), depth = side > 0 ? 14 + int((h >> 4) % 7) : 10 + int((h >> 4) % 4);
            // Clear of the street over the whole frontage, however it bends.
            double lo = 1e9, hi = -1e9;
            for (int k = -1; k <= along + 1; ++k) lo = std::min(lo, MainStreetX(y + k)), hi = std::max(hi, MainStreetX(y + k));
            const int x = side > 0 ? int(std::ceil(hi)) + 7 : int(std::floor(lo)) - 8 - depth;
            const Ramp* roof = roof_of(h);
            y += add({x, y, depth, along, roof, shape_of(roof, depth, along), (h >> 12) % 3 == 0}) ? along + 2 : 2;
        }
    // A second row behind the east side, and the lanes' houses.
    for (int y = kTownTop + 12; y < kTownBottom - 20;) {
        const std::uint32_t h = Hash(++lot, 962);
        const int along = 10 + int(h % 6), depth = 12 + int((h >> 4) % 6);
        double hi = -1e9;
        for (int k = -1; k <= along + 1; ++k) hi = std::max(hi, MainStreetX(y + k));
        const int x = int(std::ceil(hi)) + 7 + 22 + int((h >> 8) % 3);
        const Ramp* roof = roof_of(h);
        y += add({x, y, depth, along, roof, shape_of(roof, depth, along), (h >> 12) % 2 == 0}) ? along + 3 : 3;
    }
    for (int lane : kLanes)
        for (int side : {-1, 1})
            for (int x = int(MainStreetX(lane)) + 30; x < 316;) {
                const std::uint32_t h = Hash(++lot, 961);
                const int along = 11 + int(h % 7), depth = 10 + int((h >> 4) % 5);
                const int y = side < 0 ? lane - 5 - depth : lane + 6;
                const Ramp* roof = roof_of(h);
                x += add({x, y, along, depth, roof, shape_of(roof, along, depth), (h >> 12) % 2 == 0}) ? along + 2 : 3;
            }
    // Houses scattered in the blocks between, where there is room.
    for (std::uint32_t k = 0; k < 400; ++k) {
        const std::uint32_t h = Hash(k, 963);
        const int w = 11 + int(h % 8), hh = 10 + int((h >> 4) % 6);
        const int y = kTownTop + int((h >> 8) % (kTownBottom - kTownTop - hh));
        const int x = int(MainStreetX(y)) - 24 + int((h >> 18) % 180);
        const Ramp* roof = roof_of(h);
        add({x, y, w, hh, roof, shape_of(roof, w, hh), (h >> 27) % 2 == 0});
    }
    // Farms on the west bank and beyond the town: a farmhouse and a long barn.
    for (const auto& [fx, fy] : {std::pair{18, 40}, std::pair{246, 24}, std::pair{24, 290}, std::pair{230, 446}}) {
        add({fx, fy, 22, 14, &kRoof, Building::kGable, true});
        add({fx + 4, fy + 19, 30, 12, &kGround2, Building::kGable, false});
    }

    for (const Building& b : placed) DrawBuilding(img, b);

    // Garden trees where nothing stands: small round crowns.
    Image garden[3];
    for (int k = 0; k < 3; ++k) {
        Model m;
        const double r = 4.5 + k;
        m.Ellipse(0, 0, r, r, kVeg);
        m.Ellipse(-r * 0.3, -r * 0.35, r * 0.55, r * 0.5, kVeg).Bias(0.15);
        garden[k] = Render(int(2 * r + 4), int(2 * r + 4), m, 0);
    }
    auto tree_fits = [&](const Image& t, int x, int y) {
        for (int py = y - 1; py <= y + t.h; ++py)
            for (int px = x - 1; px <= x + t.w; ++px)
                if (img.At(px, py) != kClear || RiverDistance(px, py) < 6) return false;
        return true;
    };
    for (std::uint32_t k = 0; k < 900; ++k) {
        const std::uint32_t h = Hash(k, 970);
        const Image& t = garden[h % 3];
        const int x = int((h >> 4) % 310), y = kTownTop - 10 + int((h >> 14) % (kTownBottom - kTownTop + 10));
        if (x > MainStreetX(y) - 40 && tree_fits(t, x, y)) Blit(img, t, x, y);
    }
    return img;
}

// ---- Clouds ------------------------------------------------------------------------------------

// A thin wisp streaked along the wind: dense white only where its puffs
// overlap most, thinning out in ever sparser dots, so the valley shows through.
Image Wisp(int w, int h, std::uint32_t seed) {
    struct Puff {
        double x, y, rx, ry;
    };
    std::vector<Puff> puffs;
    for (int k = 0; k < 4; ++k) {
        const std::uint32_t r = Hash(seed, std::uint32_t(k));
        const double rx = w * (0.2 + (r % 100) / 100.0 * 0.16);
        const double ry = h * (0.16 + ((r >> 8) % 100) / 100.0 * 0.14);
        const double x = rx + 1 + ((r >> 16) % 1000) / 1000.0 * (w - 2 * rx - 2);
        const double y = h / 2.0 + (int((r >> 24) % 9) - 4) * h * 0.05;
        puffs.push_back({x, y, rx, ry});
    }
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double a = 0;
            for (const Puff& p : puffs) a += std::max(0.0, 1 - std::pow((x - p.x) / p.rx, 2) - std::pow((y - p.y) / p.ry, 2));
            a += (TileNoise(x, y, 4, 64, seed + 7) - 0.5) * 0.35;
            const double keep = std::clamp((a - 0.15) / 0.9, 0.0, 0.85);
            if (Bayer(x, y) >= keep) continue;
            img.Set(x, y, a > 0.75 ? kWhite : kGrey[5]);  // shared colours: the cloud stage may show them too
        }
    return img;
}

// ---- The final picture ---------------------------------------------------------------------------

constexpr int kHorizon = 108;
constexpr int kSunX = 204, kSunR = 24;

Image FinalWhole() {
    Image img(320, 240);
    // Sky: zenith to horizon, the glow of the sun around it.
    for (int y = 0; y < kHorizon; ++y)
        for (int x = 0; x < 320; ++x) {
            const double glow = std::exp(-std::pow(std::hypot(x - kSunX, (y - kHorizon) * 1.6) / 110.0, 2));
            img.Set(x, y, Tone(kSky, std::pow(double(y) / kHorizon, 1.3) * 0.9 + glow * 0.25, x, y));
        }
    // Long clouds, dark above and lit from below by the low sun.
    const struct {
        int x, y, len, thick;
    } streaks[] = {{20, 30, 150, 4}, {120, 52, 170, 5}, {230, 22, 110, 3}, {10, 74, 90, 3}, {250, 66, 80, 3}};
    for (const auto& s : streaks)
        for (int dx = 0; dx < s.len; ++dx) {
            const double taper = std::sin(kPi * dx / s.len);
            const int th = std::max(1, int(std::round(s.thick * taper)));
            for (int dy = 0; dy < th; ++dy) {
                const int x = s.x + dx, y = s.y + dy + int(2 * std::sin(dx / 23.0));
                if (x >= 320) continue;
                img.Set(x, y, dy == th - 1 && taper > 0.3 ? kSky[5] : (dy == 0 ? kSky[1] : kSky[2]));
            }
        }
    // The sun, half set, with its rim.
    for (int y = kHorizon - kSunR - 2; y < kHorizon; ++y)
        for (int x = kSunX - kSunR - 2; x <= kSunX + kSunR + 2; ++x) {
            const double r = std::hypot(x - kSunX, y - kHorizon + 4);
            if (r <= kSunR) img.Set(x, y, Tone(kSun, 1.0 - std::pow(r / kSunR, 3) * 0.8, x, y));
        }
    // The sea: the rolled water range in bands that narrow toward the
    // horizon, darkening toward the plaque, with the sun's path broken into glints.
    for (int y = kHorizon; y < 160; ++y)
        for (int x = 0; x < 320; ++x) {
            const int depth = y - kHorizon;
            const double far = 90.0 / (depth + 4);
            const int phase = int(std::floor(far * 3 + 1.2 * std::sin(x / (5.0 + depth * 0.4) + far))) & 15;
            std::uint8_t c = std::uint8_t(kWater + phase);
            if (Bayer(x, y) < 0.25 + depth / 70.0) c = kCoast[phase < 8 ? 0 : 1];
            const double path = std::fabs(x - kSunX + 2 * std::sin(y * 1.7)) / (kSunR * (0.6 + depth / 45.0));
            const bool glint = (x / (2 + depth / 12) + (depth * depth) / 5) % 5 < 2;
            if (path < 1 && glint) c = kSun[std::min(3, int((1 - path) * 2.5 + (depth < 8 ? 1 : 0)))];
            if (depth == 0) c = kSky[6];
            img.Set(x, y, c);
        }
    // The headland on the left, its town lights and the lighthouse.
    for (int x = 0; x < 150; ++x) {
        const double top = 82 + 0.18 * x + 6 * std::sin(x / 17.0) + 3 * std::sin(x / 5.0);
        for (int y = int(top); y < kHorizon + 10 - x / 15; ++y)
            img.Set(x, y, y < top + 2 ? kCoast[2] : kCoast[y > kHorizon ? 0 : 1]);
    }
    for (int k = 0; k < 14; ++k) {
        const std::uint32_t h = Hash(std::uint32_t(k), 980);
        const int x = 10 + int(h % 120), y = int(86 + 0.18 * x + 6 * std::sin(x / 17.0)) + 4 + int((h >> 8) % 6);
        img.Set(x, y, (h >> 16) % 3 ? kFire[3] : kFire[4]);
    }
    FillRect(img, 22, 70, 24, 86, kPlaster[2]);
    FillRect(img, 22, 70, 22, 86, kPlaster[4]);
    FillRect(img, 21, 68, 25, 69, kRoof[1]);
    for (int x = 18; x <= 28; ++x) img.Set(x, 66, kCycle + std::abs(x - 23));  // the beam turns with the glow cycle
    // The ship, far off, flying into the sunset with its trail behind it.
    for (int k = 0; k < 90; ++k) {
        const int x = 96 + k, y = 62 - k * 18 / 90;
        if (k % 2 == 0 || k > 70) img.Set(x, y, k > 70 ? kWhite : kSky[6]);
    }
    const char* ship[] = {"..#....", ".###...", "#####..", "..#####", ".....#."};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 7; ++c)
            if (ship[r][c] == '#') img.Set(184 + c, 42 + r, kCoast[0]);

    // The plaque: the panel grey of the score digits in a gold frame.
    FillRect(img, 0, 160, 319, 239, kPanel);
    for (int x = 0; x < 320; ++x) {
        img.Set(x, 160, kOutline);
        img.Set(x, 161, kGold[2]);
        img.Set(x, 162, kOutline);
        img.Set(x, 239, kOutline);
    }
    for (int y = 165; y <= 236; ++y) img.Set(4, y, kGold[1]), img.Set(315, y, kGold[1]);
    for (int x = 4; x <= 315; ++x) img.Set(x, 165, kGold[1]), img.Set(x, 236, kGold[1]);
    for (const auto& [cx, cy] : {std::pair{4, 165}, std::pair{315, 165}, std::pair{4, 236}, std::pair{315, 236}})
        for (int d = -2; d <= 2; ++d) {
            img.Set(cx + d, cy, kGold[3]);
            img.Set(cx, cy + d, kGold[3]);
        }
    return img;
}

// ---- The title ---------------------------------------------------------------------------------------

// "ZENIT" in gold, raised on a crimson edge, on a dark glass plate that
// keeps it readable over any picture; the lit version edges its letters with
// the glow cycle. The CONGRATULATIONS banner lies over rows 20..44.
Image TitleWhole(bool lit) {
    Image img(204, 144);
    for (int y = 4; y < 136; ++y)
        for (int x = 0; x < 204; ++x) {
            const double ex = std::max(0.0, std::fabs(x - 101.5) - 88), ey = std::max(0.0, std::fabs(y - 70) - 52);
            if (std::hypot(ex, ey) < 12 && (x + y) % 2 == 0) img.Set(x, y, kShadow);
        }
    const std::string word = "ZENIT";
    const int scale = 6, tx = (204 - TextWidth(word, scale)) / 2, ty = 56;
    Image letters(204, 144);
    for (int k = 4; k >= 1; --k) DrawText(letters, word, tx + k / 2, ty + k, scale, k > 2 ? kCrimson : kRed, false);
    DrawText(letters, word, tx, ty, scale, kGold, true);
    Outline(letters);
    if (lit)
        for (int y = 0; y < 144; ++y)
            for (int x = 0; x < 204; ++x)
                if (letters.At(x, y) == kOutline && y < ty + 20) letters.Set(x, y, std::uint8_t(kCycle + (x / 4) % 16));
    Blit(img, letters, 0, 0);
    // A rule with a diamond, and the line under it.
    Image rule(204, 144);
    for (int x = 30; x < 174; ++x) rule.Set(x, 112, std::abs(x - 102) < 60 ? kGold[3] : kGold[1]);
    for (int d = -3; d <= 3; ++d)
        for (int e = -(3 - std::abs(d)); e <= 3 - std::abs(d); ++e) rule.Set(102 + d, 112 + e, lit ? kWhite : kGold[4]);
    const std::string line = "MISSION COMPLETE";
    DrawText(rule, line, (204 - TextWidth(line, 1)) / 2, 120, 1, kBone, true);
    Outline(rule);
    Blit(img, rule, 0, 0);
    return img;
}

// ---- Makers --------------------------------------------------------------------------------------------

Image RiverStrip(const Entry& e, Context&) {
    static const Image whole = RiverWhole();
    return Crop(whole, 0, ArgInt(e, 0) * 32, 320, 32);
}

Image TownStrip(const Entry& e, Context&) {
    static const Image whole = TownWhole();
    return Crop(whole, 0, ArgInt(e, 0) * 32, 320, 32);
}

Image EndCloud(const Entry& e, Context&) { return Wisp(e.w, e.h, 990 + std::uint32_t(ArgInt(e, 0))); }

Image FinalBand(const Entry& e, Context&) {
    static const Image whole = FinalWhole();
    return Crop(whole, 0, ArgInt(e, 0) * 80, 320, 80);
}

Image TitleStrip(const Entry& e, Context&) {
    static const Image wholes[2] = {TitleWhole(true), TitleWhole(false)};
    const int part = ArgInt(e, 0);
    return Crop(wholes[part < 3 ? 0 : 1], 0, (part % 3) * 48, 204, 48);
}

MakerRegistrar r1("endriver", RiverStrip);
MakerRegistrar r2("endtown", TownStrip);
MakerRegistrar r3("endcloud", EndCloud);
MakerRegistrar r4("endfinal", FinalBand);
MakerRegistrar r5("endtitle", TitleStrip);

}  // namespace
}  // namespace art

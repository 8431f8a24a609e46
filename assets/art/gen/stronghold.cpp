// The last stage, the enemy's stronghold: its floor tile, the structures its
// map is composed of, the core chamber round the last boss, the boss itself
// (the heart and its two launchers), its bombs and the stream lamps.
//
// The floor is gunmetal plates crossed by energy veins. Veins (111..170) and
// plates (171..230) are two colour loops that roll in beats of 15 steps; a
// pixel's place in the loop is its phase, and a phase of 1..12 is the floor at
// rest. The surge of a beat reaches a pixel of phase q on step 14 - q, so the
// phases drawn along a vein make the surge run down it: FlowStep() turns a
// distance along a flow into the step at which the surge gets there.
// 231 is the dark seam between plates; the armour of raised structures is the
// grey ramp (a shade lighter than the plates), lit from the top left.
//
// "stronghold KIND [ARG]": KIND is one of the makers listed at the end.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>

#include "model.h"

namespace art {
namespace {

// ---- The floor's colours ------------------------------------------------------------

constexpr int kVeinLoop = 111, kPlateLoop = 171;
constexpr std::uint8_t kSeam = 231;
constexpr std::uint8_t kNavy0 = 48, kNavy1 = 49, kNavy2 = 50;  // night blues of text 111
constexpr int kSurgeSteps = 12;

// The pixel the surge reaches `step` steps into a beat (0 .. 11).
std::uint8_t VeinPx(int step) { return std::uint8_t(kVeinLoop + kSurgeSteps - std::clamp(step, 0, kSurgeSteps - 1)); }
std::uint8_t PlatePx(int step) { return std::uint8_t(kPlateLoop + kSurgeSteps - std::clamp(step, 0, kSurgeSteps - 1)); }

// The step at which a surge running `along` pixels down a flow that repeats
// every `period` pixels gets there.
int FlowStep(double along, double period) {
    double f = std::fmod(along, period);
    if (f < 0) f += period;
    return int(f * kSurgeSteps / period);
}

const Ramp& kArmour = kGrey;  // 2..7: the stronghold's armour

// ---- Pixel work -------------------------------------------------------------------------

// A raised armour slab over (x0, y0) .. (x1, y1): a lit rim on its top and left,
// a shaded one on its bottom and right, its face at tone t, finely dithered.
void Slab(Image& img, int x0, int y0, int x1, int y1, double t = 0.34) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            std::uint8_t c = Tone(kArmour, t + (Bayer(x, y) - 0.5) * 0.12, x, y);
            if (y == y0 || x == x0) c = kArmour[3];
            if (y == y1 || x == x1) c = kArmour[0];
            img.Set(x, y, c);
        }
}

// A bolt head: a lit pixel with its shade below right.
void Bolt(Image& img, int x, int y) {
    img.Set(x, y, kArmour[4]);
    img.Set(x + 1, y + 1, kArmour[0]);
}

// Hazard stripes (gold and black, leaning right) over a box.
void Stripes(Image& img, int x0, int y0, int x1, int y1, int width = 3) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) img.Set(x, y, ((x + y) / width) % 2 ? kGold[2] : kOutline);
}

// A warning lamp: a red light with a hot centre.
void Lamp(Image& img, int x, int y) {
    img.Set(x, y, kCrimson[4]);
    img.Set(x + 1, y, kCrimson[2]);
    img.Set(x, y + 1, kCrimson[2]);
    img.Set(x + 1, y + 1, kCrimson[1]);
}

// The shadow of everything solid in `img`, cast `d` pixels down and right onto
// the clear pixels (a checkerboard of the shadow colour).
void CastShadow(Image& img, int d) {
    const Image src = img;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            if (src.Solid(x, y)) continue;
            bool under = false;
            for (int k = 1; k <= d && !under; ++k) under = src.Solid(x - k, y - k);
            if (under && (x + y) % 2 == 0) img.Set(x, y, kShadow);
        }
}

// A model pointing as drawn (up is up), rendered without an outline.
Image Shape(int w, int h, const Model& m) { return Render(w, h, {Layer{&m, 0}}, {false, false}); }

// A vein cable `width` pixels across, its pixel `across` from one side: a dark
// green sheath at the edges, a steady highlight toward the light, the glowing
// vein between (at step `step` of the surge).
std::uint8_t CablePx(int across, int width, int step) {
    if (across == 0 || across == width - 1) return kGreen[0];
    if (width >= 6 && across == 1) return kGreen[1];
    return VeinPx(step);
}
// A cable running down between x0 and x1 (inclusive), the surge running down
// it with the given period.
void VeinDown(Image& img, int x0, int x1, int y0, int y1, double period) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) img.Set(x, y, CablePx(x - x0, x1 - x0 + 1, FlowStep(y, period)));
}
// The same across (the surge running to the right).
void VeinAcross(Image& img, int x0, int x1, int y0, int y1, double period) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) img.Set(x, y, CablePx(y - y0, y1 - y0 + 1, FlowStep(x, period)));
}

// ---- The floor tile (1186) ------------------------------------------------------------------

// 32 x 32 of deck plating: a wide plate over two square ones, their seams
// faint so that a field of tiles reads as one floor, not as a grid. The
// surge's glow crosses each plate from its top-left corner to its bottom-right.
Image FloorTile() {
    Image img(32, 32, kSeam);
    struct P {
        int x0, y0, x1, y1;
    };
    const P plates[] = {{1, 1, 31, 13}, {1, 15, 15, 31}, {17, 15, 31, 31}};
    for (const P& p : plates)
        for (int y = p.y0; y <= p.y1; ++y)
            for (int x = p.x0; x <= p.x1; ++x) {
                std::uint8_t c = PlatePx(FlowStep((x - p.x0) + (y - p.y0), (p.x1 - p.x0) + (p.y1 - p.y0) + 1));
                const double grain = TileNoise(x, y, 4, 32, 86);
                if (grain < 0.3 && Bayer(x, y) < 0.5) c = kArmour[1];  // worn patches
                if (y == p.y0) c = kArmour[2];
                if (x == p.x0 && y > p.y0) c = Bayer(x, y) < 0.5 ? kArmour[2] : kArmour[1];
                if (y == p.y1 || x == p.x1) c = kArmour[1];
                img.Set(x, y, c);
            }
    Bolt(img, 3, 3), Bolt(img, 28, 3), Bolt(img, 3, 17), Bolt(img, 28, 28);
    return img;
}

// ---- Conduits --------------------------------------------------------------------------------

// An armoured conduit running down, w x h (h a multiple of 32): raised walls
// either side, a cable in the trough between, clamped every 32 rows. The
// surge runs down it (32 rows a beat), so stacked pieces join.
Image ConduitDown(int w, int h) {
    Image img(w, h);
    const int wall = std::max(5, w / 5);
    Slab(img, 0, -1, wall - 1, h, 0.4);
    Slab(img, w - wall, -1, w - 1, h, 0.4);
    FillRect(img, wall, 0, w - wall - 1, h - 1, kNavy0);
    const int c0 = wall + 2, c1 = w - wall - 3;
    for (int y = 0; y < h; ++y) {
        img.Set(c0, y, kNavy1);
        img.Set(c1, y, kNavy2);
    }
    VeinDown(img, c0 + 1, c1 - 1, 0, h - 1, 32);
    for (int y = 0; y < h; y += 32) {
        Slab(img, wall - 1, y + 12, w - wall, y + 15, 0.5);  // the clamp over the cable
        Bolt(img, 2, y + 6);
        Bolt(img, w - wall + 2, y + 22);
    }
    return img;
}

// The same running across; the surge runs to the right.
Image ConduitAcross(int w, int h) {
    Image img(w, h);
    const int wall = std::max(5, h / 5);
    Slab(img, -1, 0, w, wall - 1, 0.4);
    Slab(img, -1, h - wall, w, h - 1, 0.4);
    FillRect(img, 0, wall, w - 1, h - wall - 1, kNavy0);
    const int c0 = wall + 2, c1 = h - wall - 3;
    for (int x = 0; x < w; ++x) {
        img.Set(x, c0, kNavy1);
        img.Set(x, c1, kNavy2);
    }
    VeinAcross(img, 0, w - 1, c0 + 1, c1 - 1, 32);
    for (int x = 0; x < w; x += 32) {
        Slab(img, x + 12, wall - 1, x + 15, h - wall, 0.5);
        Bolt(img, x + 6, 2);
        Bolt(img, x + 22, h - wall + 2);
    }
    return img;
}

// An octagon of radius r round the centre, flat sides up and down.
std::vector<Vec> Octagon(double r) {
    std::vector<Vec> oct;
    for (int k = 0; k < 8; ++k) oct.push_back({r * std::cos((k + 0.5) * kPi / 4), r * std::sin((k + 0.5) * kPi / 4)});
    return oct;
}

// A round junction where conduits meet: an octagonal collar, a well with a
// ring of vein the surge runs round, and a capped hub.
Image Hub(int size) {
    const double r = size / 2.0 - 1;
    Model m;
    const std::vector<Vec> oct = Octagon(r);
    m.Poly(oct, kArmour, 3.5).Bias(0.05);
    m.Ellipse(0, 0, r * 0.7, r * 0.7, kArmour).Flat(kNavy0);
    m.Ellipse(0, 0, r * 0.3, r * 0.3, kArmour, 1.2).Bias(0.1);
    Image img = Shape(size, size, m);
    const double c = size / 2.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - c, dy = y + 0.5 - c, d = std::hypot(dx, dy);
            if (d > r * 0.42 && d < r * 0.62) img.Set(x, y, VeinPx(FlowStep(std::atan2(dy, dx) * r, 2 * kPi * r / 2)));
        }
    for (int k = 0; k < 8; ++k) {
        const double a = k * kPi / 4;
        Bolt(img, int(c + r * 0.82 * std::cos(a)), int(c + r * 0.82 * std::sin(a)));
    }
    Outline(img);
    return img;
}

// ---- Structures -----------------------------------------------------------------------------

// A vent: a raised frame over slats; the surge rises through the gaps.
Image Vent(int w, int h) {
    Image img(w, h);
    Slab(img, 1, 1, w - 2, h - 2, 0.36);
    FillRect(img, 5, 5, w - 6, h - 6, kNavy0);
    for (int y = 6; y < h - 6; ++y) {
        const int k = (y - 6) % 5;
        for (int x = 6; x < w - 6; ++x) {
            std::uint8_t c = k == 0 ? kArmour[3] : k == 1 ? kArmour[2] : k == 2 ? kArmour[0] : VeinPx(FlowStep(h - y, h));
            img.Set(x, y, c);
        }
    }
    for (int x : {3, w - 5})
        for (int y : {3, h - 5}) Bolt(img, x, y);
    Outline(img);
    return img;
}

// A blast hatch: an octagonal plate, a round lid of four leaves, a ring of
// hazard paint round it.
Image Hatch(int size) {
    const double r = size / 2.0 - 1;
    Model m;
    const std::vector<Vec> oct = Octagon(r);
    m.Poly(oct, kArmour, 3).Bias(-0.05);
    m.Ellipse(0, 0, r * 0.8, r * 0.8, kArmour).Flat(kOutline);
    m.Ellipse(0, 0, r * 0.72, r * 0.72, kArmour, 0.5).Bias(0.05);
    m.Ellipse(0, 0, r * 0.22, r * 0.22, kArmour, 1.3).Bias(0.15);
    Image img = Shape(size, size, m);
    const double c = size / 2.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - c, dy = y + 0.5 - c, d = std::hypot(dx, dy);
            const double a = std::atan2(dy, dx) + kPi;
            if (d > r * 0.74 && d < r * 0.8) img.Set(x, y, int(a / (2 * kPi) * 24) % 2 ? kGold[2] : kOutline);
            // The seams between the leaves, in an X.
            if (d > r * 0.24 && d < r * 0.72 && (std::fabs(dx - dy) < 0.8 || std::fabs(dx + dy) < 0.8)) img.Set(x, y, kOutline);
        }
    Outline(img);
    return img;
}

// The ring a quad turret or a pillbox stands in: a sunken ring in an
// octagonal pad, with gold corner marks.
Image TurretPad(int size) {
    const double r = size / 2.0 - 1;
    Model m;
    const std::vector<Vec> oct = Octagon(r);
    m.Poly(oct, kArmour, 2.5).Bias(0.1);
    m.Ellipse(0, 0, r * 0.86, r * 0.86, kArmour, -0.8).Bias(-0.15);  // the sunken ring
    m.Ellipse(0, 0, r * 0.7, r * 0.7, kArmour).Flat(kNavy0);
    Image img = Shape(size, size, m);
    for (int k = 0; k < 4; ++k) {
        const int x = k % 2 ? size - 7 : 4, y = k / 2 ? size - 7 : 4;
        Stripes(img, x, y, x + 2, y + 2, 2);
    }
    Outline(img);
    return img;
}

// The base of a gun fortress: a square armoured pad with corner pillars and a
// striped front edge.
Image FortressBase(int size) {
    Image img(size, size);
    Slab(img, 2, 2, size - 3, size - 3, 0.3);
    FillRect(img, 8, 8, size - 9, size - 9, kSeam);
    for (int y = 9; y <= size - 10; ++y)
        for (int x = 9; x <= size - 10; ++x) img.Set(x, y, PlatePx(FlowStep(std::max(std::abs(2 * x - size), std::abs(2 * y - size)), size)));
    for (int x : {2, size - 13})
        for (int y : {2, size - 13}) {
            Slab(img, x, y, x + 10, y + 10, 0.55);
            Lamp(img, x + 4, y + 4);
        }
    Stripes(img, 14, size - 6, size - 15, size - 4);
    Outline(img);
    return img;
}

// A walker's hangar: an armoured frame round a dark bay, its doors slid into
// the sides, the sill striped; the walker steps out downward.
Image WalkerHangar(int w, int h) {
    Image img(w, h);
    Slab(img, 1, 1, w - 2, h - 2, 0.4);
    for (int y = 10; y < h - 6; ++y)
        for (int x = 16; x < w - 16; ++x) img.Set(x, y, y < 20 ? kOutline : (x + y) % 7 ? kNavy0 : kNavy1);
    for (int x = 16; x < w - 16; ++x) img.Set(x, h - 7, kArmour[0]);
    for (int side = 0; side < 2; ++side) {  // the door leaves, ribbed, pushed back into the frame
        const int x0 = side ? w - 15 : 4;
        Slab(img, x0, 8, x0 + 10, h - 9, 0.5);
        for (int y = 12; y < h - 10; y += 4) Line(img, x0 + 2, y, x0 + 8, y, kArmour[1]);
    }
    Stripes(img, 16, h - 6, w - 17, h - 3);
    for (int x : {6, w - 8}) Lamp(img, x, 3);
    Outline(img);
    return img;
}

// A bulkhead across the whole width: armour blocks, its gate in the middle
// open (the floor shows through), the gate's stubs striped, lamps on top.
Image Bulkhead(int w, int h) {
    Image img(w, h);
    const int gate0 = w / 2 - 48, gate1 = w / 2 + 47;
    for (int x = 0; x < w; x += 40) {
        const int x1 = std::min(w - 1, x + 39);
        if (x1 < gate0 - 8 || x > gate1 + 8) Slab(img, x, 4, x1, h - 9, 0.38);
    }
    Slab(img, gate0 - 8 - 31, 4, gate0 - 1, h - 9, 0.38);
    Slab(img, gate1 + 1, 4, gate1 + 8 + 31, h - 9, 0.38);
    Stripes(img, gate0 - 8, 6, gate0 - 1, h - 11);
    Stripes(img, gate1 + 1, 6, gate1 + 8, h - 11);
    for (int x = 8; x < w; x += 40)
        if (x < gate0 - 10 || x > gate1 + 10) {
            Lamp(img, x, 8);
            Bolt(img, x + 16, h - 15);
        }
    for (int x = 0; x < w; ++x)
        if (img.Solid(x, h - 10))
            for (int y = h - 8; y < h - 4; ++y) img.Set(x, y, (x + y) % 2 ? kShadow : kClear);  // its shadow on the floor
    Outline(img);
    return img;
}

// A tower: a square top lit from the top left, its two sunlit sides drawn
// short below it, a beacon, and its shadow thrown long to the bottom right.
Image Pylon(int w, int h) {
    Image img(w, h);
    const int s = 22, x0 = 6, y0 = 6;
    for (int y = y0 + s; y < y0 + s + 8; ++y)
        for (int x = x0; x < x0 + s; ++x) img.Set(x, y, (y - y0 - s) < 2 ? kArmour[1] : kArmour[0]);  // its front
    Slab(img, x0, y0, x0 + s - 1, y0 + s - 1, 0.48);
    Slab(img, x0 + 5, y0 + 5, x0 + s - 6, y0 + s - 6, 0.6);
    Lamp(img, x0 + s / 2 - 1, y0 + s / 2 - 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int u = x - x0 - 8, v = y - y0 - 14;  // the shadow, sheared down and right
            if (!img.Solid(x, y) && u >= 0 && u < s && v >= u / 2 && v < s + u / 2 && (x + y) % 2 == 0) img.Set(x, y, kShadow);
        }
    Outline(img);
    return img;
}

// Heat-sink fins: a block of fins running across, the surge glowing between them.
Image Fins(int w, int h) {
    Image img(w, h);
    Slab(img, 1, 1, w - 2, h - 2, 0.3);
    for (int y = 6; y < h - 6; ++y) {
        const int k = (y - 6) % 6;
        for (int x = 6; x < w - 6; ++x) {
            std::uint8_t c = k == 0 ? kArmour[4] : k < 3 ? kArmour[2] : k == 3 ? kArmour[0] : VeinPx(FlowStep(std::abs(2 * x - w), w));
            img.Set(x, y, c);
        }
    }
    for (int x = 4; x < w - 4; x += 8) Bolt(img, x, 3), Bolt(img, x, h - 5);
    Outline(img);
    return img;
}

// A raised armour deck with stencilled chevrons pointing to the core.
Image Deck(int size) {
    Image img(size, size);
    Slab(img, 1, 1, size - 2, size - 2, 0.3);
    Slab(img, 8, 8, size - 9, size - 9, 0.36);
    for (int k = 0; k < 3; ++k) {
        const int y = size / 2 + 10 - 14 * k;
        for (int t = 0; t < 5; ++t) {
            for (int x = 22; x < size / 2; ++x) img.Set(x, y - (x - 22) / 2 + t, kGold[1]);
            for (int x = size / 2; x < size - 22; ++x) img.Set(x, y - (size - 23 - x) / 2 + t, kGold[1]);
        }
    }
    for (int x = 5; x < size - 4; x += 10) Bolt(img, x, 4), Bolt(img, x, size - 6);
    Outline(img);
    return img;
}

// A deep trench running down: stepped walls falling into the dark, a rail and
// a line of vein lights along its bottom.
Image Trench(int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int e = std::min(x, w - 1 - x);
            std::uint8_t c = e < 5 ? (x < w / 2 ? kArmour[3] : kArmour[1]) : e < 10 ? (x < w / 2 ? kArmour[1] : kArmour[0])
                           : e < 14 ? kNavy1 : kNavy0;
            if (e == 0) c = kOutline;
            img.Set(x, y, c);
        }
    for (int y = 0; y < h; ++y) {
        img.Set(w / 2 - 6, y, kArmour[1]);
        img.Set(w / 2 + 5, y, kArmour[1]);
        if (y % 16 < 10) img.Set(w / 2, y, VeinPx(FlowStep(y, 32))), img.Set(w / 2 - 1, y, VeinPx(FlowStep(y, 32)));
    }
    for (int y = 8; y < h; y += 16) Bolt(img, 2, y), Bolt(img, w - 4, y + 8);
    return img;
}

// A reactor dome: a ring base, a dome with glowing slits, its shadow.
Image Dome(int size) {
    const double r = size / 2.0 - 8;
    Model m;
    m.Ellipse(-3, -3, r, r, kArmour, 0.6).Bias(-0.1);
    m.Ellipse(-3, -3, r * 0.8, r * 0.8, kBone, 1.3).Bias(-0.05);
    m.Ellipse(-3, -3, r * 0.25, r * 0.25, kArmour, 1.2).Bias(0.1);
    Image img = Shape(size, size, m);
    const double c = size / 2.0 - 3;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - c, dy = y + 0.5 - c, d = std::hypot(dx, dy);
            const double a = std::atan2(dy, dx) + kPi;
            if (d > r * 0.32 && d < r * 0.74 && int(a / (2 * kPi) * 12 + 0.25) % 2 == 0 && std::fmod(a / (2 * kPi) * 12, 1.0) < 0.22)
                img.Set(x, y, VeinPx(FlowStep(d, r)));
        }
    Outline(img);
    CastShadow(img, 7);
    return img;
}

// A bundle of pipes running across, with flanges and supports.
Image Pipes(int w, int h) {
    Model m;
    for (int k = 0; k < 3; ++k) {
        const double y = -h / 2.0 + 5 + 7 * k;
        m.Capsule({-w / 2.0 + 2, y}, {w / 2.0 - 2, y}, 3, kArmour).Bias(k == 1 ? 0.1 : -0.05);
        for (double x = -w / 2.0 + 12; x < w / 2.0 - 8; x += 36) m.Box(x, y, 1.5, 3.8, kArmour, 0.8).Bias(0.25);
    }
    Image img = Shape(w, h, m);
    Outline(img);
    return img;
}

// ---- The core chamber (4361 .. 4364) ----------------------------------------------------------

// The chamber round the core, 320 x 480, cut into four bands of 120 rows. It
// repeats every 480 rows, so everything in it wraps: the great spine down the
// middle, the buttressed walls at the sides, branch conduits every 120 rows
// (chevrons and straight arms by turns), vents and hatches between them.
constexpr int kChamberRows = 480;

Image Chamber(Context& ctx) {
    Image img(320, kChamberRows);
    auto wrap = [](int y) { return ((y % kChamberRows) + kChamberRows) % kChamberRows; };
    auto put = [&](const Image& src, int x, int y) {  // wrapped round the period
        for (int j = 0; j < src.h; ++j)
            for (int i = 0; i < src.w; ++i)
                if (src.Solid(i, j)) img.Set(x + i, wrap(y + j), src.At(i, j));
    };
    // Vents and hatches in the open floor between the branches.
    const Image& vent = ctx.Sprite(4348);
    const Image& hatch = ctx.Sprite(4349);
    for (int k = 0; k < 4; ++k) {
        const int y = 120 * k + 36;
        if (k % 2 == 0) {
            put(vent, 52, y);
            put(vent, 320 - 52 - vent.w, y);
        } else {
            put(hatch, 48, y - 8);
            put(hatch, 320 - 48 - hatch.w, y - 8);
        }
    }
    // Branch arms: from the spine out to the walls, 12 wide, the surge running outward.
    for (int k = 0; k < 4; ++k) {
        const int y = 120 * k + 100;
        const bool chevron = k % 2 == 0;
        for (int side = 0; side < 2; ++side)
            for (int x = 34; x < 128; ++x) {
                const int xx = side ? 319 - x : x;
                const int dy = chevron ? (128 - x) / 2 : 0;  // rising toward the spine
                for (int t = 0; t < 12; ++t) {
                    std::uint8_t c = t == 0 ? kArmour[3] : t < 3 ? kArmour[2] : t > 9 ? kArmour[0]
                                   : CablePx(t - 3, 7, FlowStep(128 - x, 48));
                    img.Set(xx, wrap(y - dy + t - 6), c);
                }
            }
    }
    // The walls: a continuous buttress down each side, ribbed every 60 rows, lamps on the ribs.
    for (int y = 0; y < kChamberRows; ++y) {
        for (int x = 0; x < 26; ++x) {
            const int e = 25 - x;  // distance from the wall's inner face
            std::uint8_t c = Tone(kArmour, 0.32 + (Bayer(x, y) - 0.5) * 0.1, x, y);
            if (e == 0) c = kArmour[0];
            if (e == 1) c = kArmour[3];
            img.Set(x, y, c);
            img.Set(319 - x, y, e == 0 ? kArmour[3] : e == 1 ? kArmour[0] : c);
        }
        const int rib = y % 60;
        if (rib < 8)
            for (int x = 26; x < 34; ++x) {
                std::uint8_t c = rib == 0 ? kArmour[3] : rib == 7 ? kArmour[0] : kArmour[2];
                img.Set(x, y, c);
                img.Set(319 - x, y, c);
            }
        if (rib == 3) Lamp(img, 8, y), Lamp(img, 310, y);
    }
    // The spine: a great conduit down the middle, 64 wide, clamped every 60 rows.
    for (int y = 0; y < kChamberRows; ++y)
        for (int x = 128; x < 192; ++x) {
            const int e = std::min(x - 128, 191 - x);
            std::uint8_t c;
            if (e < 12) c = Tone(kArmour, 0.42 + (Bayer(x, y) - 0.5) * 0.1, x, y);
            else if (e < 16) c = x < 160 ? kNavy0 : kNavy1;
            else c = CablePx(x - 144, 32, FlowStep(y, 60));
            if (x == 128) c = kArmour[3];
            if (x == 191) c = kArmour[0];
            if (x == 139) c = kArmour[0];
            if (x == 180) c = kArmour[3];
            img.Set(x, y, c);
        }
    for (int k = 0; k < kChamberRows / 60; ++k) {
        Slab(img, 126, 60 * k + 26, 193, 60 * k + 31, 0.5);
        Bolt(img, 131, 60 * k + 28), Bolt(img, 186, 60 * k + 28);
    }
    Outline(img);
    CastShadow(img, 3);
    return img;
}

// ---- The last boss ------------------------------------------------------------------------------

// The heart, 192 x 128, pointing down the screen: a crimson core behind a gold
// ring, under a carapace of bone armour in six plates, with the two great
// vessels rising from its top and violet vents on its flanks. Its rim lights
// use the light cycle, so a flare runs round it. It uses only the colours of
// the texts it shares with the ending (which shows it as a card).
Image Heart() {
    std::vector<Model> levels(3);
    Model& base = levels[0];
    // The hull under the carapace, reaching out to the launchers.
    base.Poly({{-92, -6}, {-70, -34}, {-40, -50}, {40, -50}, {70, -34}, {92, -6}, {88, 22}, {56, 44}, {0, 56}, {-56, 44},
               {-88, 22}}, kViolet, 5).Bias(-0.25);
    for (double s : {-1.0, 1.0}) {  // the great vessels, rising from the top
        base.Capsule({22 * s, -36}, {30 * s, -60}, 9, kCrimson).Bias(-0.05);
        base.Capsule({30 * s, -60}, {48 * s, -62}, 7.5, kCrimson).Bias(0.05);
    }
    Model& shell = levels[1];
    // Six bone plates round the core.
    for (double s : {-1.0, 1.0}) {
        shell.Poly({{8 * s, -44}, {46 * s, -40}, {66 * s, -20}, {40 * s, -10}, {18 * s, -24}}, kBone, 3).Bias(0.05);
        shell.Poly({{44 * s, -6}, {70 * s, -14}, {84 * s, 8}, {64 * s, 30}, {42 * s, 16}}, kBone, 3).Bias(-0.05);
        shell.Poly({{14 * s, 30}, {40 * s, 22}, {58 * s, 38}, {30 * s, 50}, {6 * s, 46}}, kBone, 3).Bias(-0.15);
        for (int k = 0; k < 3; ++k) shell.Box((74 + 5 * k) * s, 14 + 6 * k, 2, 1, kViolet).Flat(kViolet[4 + (k == 1)]);
    }
    shell.Ellipse(0, 2, 34, 34, kGold, 0.8).Bias(-0.05);  // the ring the core beats in
    Model& core = levels[2];
    core.Ellipse(0, 2, 27, 27, kCrimson, 1.4).Bias(0.05);
    core.Ellipse(-6, -4, 11, 11, kCrimson, 1.6).Bias(0.25);
    core.Ellipse(0, 2, 5, 5, kRed).Flat(kCycle);  // the hot centre, pulsing
    for (int k = 0; k < 12; ++k) {  // rim lights round the ring
        const double a = k * kPi / 6;
        core.Ellipse(31 * std::cos(a), 2 + 31 * std::sin(a), 1.5, 1.5, kRed).Flat(kLights + (16 * k / 12) % 16);
    }
    Image img(192, 128);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        Image part = Shape(192, 128, levels[i]);
        if (i > 0) {  // each level casts its shadow on the one below
            Image shade = part;
            Outline(shade);
            for (int y = 127; y >= 0; --y)
                for (int x = 191; x >= 0; --x)
                    if (shade.Solid(x, y) && !part.Solid(x + 2, y + 2) && img.Solid(x + 2, y + 2)) img.Set(x + 2, y + 2, kOutline);
        }
        Outline(part);
        Blit(img, part, 0, 0);
    }
    // Seams across the hull and bolts along the vessels.
    for (int x = 20; x < 172; x += 12)
        for (int y = 20; y < 110; ++y)
            if (img.At(x, y) == kViolet[2] || img.At(x, y) == kViolet[3]) img.Set(x, y, kViolet[1]);
    return img;
}

// A bomb launcher, 64 x 64: an armoured housing of bone and violet with a
// two-leaf hatch on top, shut, or open on the next bomb's glowing nose.
Image Launcher(bool open) {
    Model m;
    m.Poly({{-28, -20}, {-20, -28}, {20, -28}, {28, -20}, {28, 22}, {20, 28}, {-20, 28}, {-28, 22}}, kViolet, 4).Bias(-0.2);
    m.Box(0, 4, 22, 20, kBone, 3).Bias(-0.05);
    m.Box(0, -4, 15, 15, kCrimson, 2).Bias(-0.2);  // the hatch well
    if (open) {
        m.Box(0, -4, 11, 11, kCrimson).Flat(kOutline);
        m.Ellipse(0, -4, 6, 6, kGold, 1.3).Bias(0.1);
        m.Ellipse(0, -4, 2.5, 2.5, kRed).Flat(kCycle);
        for (double s : {-1.0, 1.0}) m.Box(19 * s, -4, 3, 11, kCrimson, 1).Bias(0.1);  // the leaves, slid aside
    } else {
        for (double s : {-1.0, 1.0}) m.Box(6 * s, -4, 5.5, 11, kCrimson, 1.2).Bias(0.1);
    }
    for (double s : {-1.0, 1.0}) m.Ellipse(22 * s, 20, 2, 2, kRed).Flat(kLights + (s > 0 ? 8 : 0));
    Image img = Shape(64, 64, m);
    Outline(img);
    return img;
}

// The bombs, pointing down the way they fall: 0..3 small (16 x 14), 4..7 heavy
// (28 x 24). The kind shows in colour and shape: crimson darts aim as they pass
// (6081), gold ones fire from the bottom edge (6082), bone ones fire when shot
// down (6083), violet ones burst into a ring (6084); a hot core pulses in each.
Image Bomb(int type) {
    const int kind = type % 4;
    const bool heavy = type >= 4;
    const double s = heavy ? 1.7 : 1.0;
    const Ramp* body[4] = {&kCrimson, &kGold, &kBone, &kViolet};
    Model m;
    const Ramp& r = *body[kind];
    // Fins (at the back, which is up), then the body.
    m.Poly({{-3 * s, -1 * s}, {-6.5 * s, -6 * s}, {-4 * s, -6.5 * s}, {-0.5 * s, -2 * s}}, r, 1).Bias(-0.15).MirrorX();
    switch (kind) {
        case 0: m.Poly({{0, 6.5 * s}, {-4.5 * s, -2 * s}, {0, -5 * s}, {4.5 * s, -2 * s}}, r, 1.5 * s); break;  // a dart
        case 1: m.Box(0, 0, 4.5 * s, 4.8 * s, r, 1.5 * s).Bias(0.05); break;                                     // a canister
        case 2: m.Ellipse(0, 0.5 * s, 5 * s, 5.8 * s, r, 1.1); break;                                            // an egg
        default:                                                                                                 // a spiked ball
            for (int k = 0; k < 4; ++k) {
                const double a = k * kPi / 2 + kPi / 4;
                m.Capsule({0, 0}, {6 * s * std::cos(a), 6 * s * std::sin(a)}, 1.2 * s, r).Bias(-0.1);
            }
            m.Ellipse(0, 0, 4.6 * s, 4.6 * s, r, 1.2);
    }
    m.Ellipse(0, 0.5 * s, 1.8 * s, 1.8 * s, kRed).Flat(kCycle + 4 * kind);
    const int w = heavy ? 28 : 16, h = heavy ? 24 : 14;
    Image img = Shape(w, h, m);
    Outline(img);
    return img;
}

// The lamp a stream entry shows at the edge while it has fighters to send:
// lit (ARG 0) and dim (ARG 1), blinking.
Image StreamLamp(bool lit) {
    Model m;
    m.Ellipse(0, 0, 4, 4, kArmour, 0.6).Bias(-0.2);
    m.Ellipse(0, 0, 2.8, 2.8, kCrimson, 1.4).Bias(lit ? 0.45 : -0.3);
    if (lit) m.Ellipse(-0.6, -0.6, 1, 1, kRed).Flat(kWhite);
    Image img = Shape(10, 10, m);
    Outline(img);
    return img;
}

// ---- The maker ------------------------------------------------------------------------------------

Image Check(const Entry& e, Image img) {
    if (img.w != e.w || img.h != e.h) {
        std::fprintf(stderr, "zenit-gen-art: sprite %d: stronghold picture is %dx%d, the catalogue says %dx%d\n", e.id,
                     img.w, img.h, e.w, e.h);
        std::exit(1);
    }
    return img;
}

Image Stronghold(const Entry& e, Context& ctx) {
    const std::string kind = ArgStr(e, 0);
    const int arg = ArgInt(e, 1);
    const std::map<std::string, std::function<Image()>> makers = {
        {"floor", [] { return FloorTile(); }},
        {"conduit_down", [&] { return ConduitDown(e.w, e.h); }},
        {"conduit_across", [&] { return ConduitAcross(e.w, e.h); }},
        {"hub", [&] { return Hub(e.w); }},
        {"vent", [&] { return Vent(e.w, e.h); }},
        {"hatch", [&] { return Hatch(e.w); }},
        {"turret_pad", [&] { return TurretPad(e.w); }},
        {"fortress_base", [&] { return FortressBase(e.w); }},
        {"walker_hangar", [&] { return WalkerHangar(e.w, e.h); }},
        {"bulkhead", [&] { return Bulkhead(e.w, e.h); }},
        {"pylon", [&] { return Pylon(e.w, e.h); }},
        {"fins", [&] { return Fins(e.w, e.h); }},
        {"deck", [&] { return Deck(e.w); }},
        {"trench", [&] { return Trench(e.w, e.h); }},
        {"dome", [&] { return Dome(e.w); }},
        {"pipes", [&] { return Pipes(e.w, e.h); }},
        {"stripes", [&] { Image img(e.w, e.h); Stripes(img, 0, 0, e.w - 1, e.h - 1, 4); Outline(img); return img; }},
        {"chamber", [&] { return Crop(Chamber(ctx), 0, 120 * arg, 320, 120); }},
        {"heart", [] { return Heart(); }},
        {"launcher", [&] { return Launcher(arg != 0); }},
        {"bomb", [&] { return Bomb(arg); }},
        {"lamp", [&] { return StreamLamp(arg == 0); }},
    };
    const auto it = makers.find(kind);
    if (it == makers.end()) {
        std::fprintf(stderr, "zenit-gen-art: sprite %d: unknown stronghold piece '%s'\n", e.id, kind.c_str());
        std::exit(1);
    }
    return Check(e, it->second());
}

MakerRegistrar reg("stronghold", Stronghold);

}  // namespace
}  // namespace art

// The large enemies' hulls (CEN013 frigate, CEN014 battleship, CEN015 tank
// carrier, CEN026 mothership), drawn whole at their composed size and cut
// into the pieces the stages compose again, and their own parts: the naval
// turrets, the deck hatch and the mothership's wings; and the two single
// hulls of the last stage, the gun fortress (CEN027) and the missile walker
// (CEN028).
//
// The frigate, the battleship and the tank carrier sail: the fleet of the
// sea stage and the naval base, each in its own bow wave, which trails back
// along its sides and thins out toward the stern; the mothership of the last
// stages flies. Every
// turret mount is drawn where the class's part table puts the part, read
// from the tables the game itself uses, and the pieces are cut along the
// stages' own piece tables, so picture, parts and composition cannot drift
// apart.
//
// A hull is drawn in levels: the deck, then what stands low on it (mounts,
// boats, vents), then the superstructure; each level casts its shadow down
// and to the right onto the ones below, as the light comes from the top left.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>

#include "game/enemies/en013_layout.h"
#include "game/enemies/en014_layout.h"
#include "game/enemies/en015_layout.h"
#include "game/enemies/en026_layout.h"
#include "game/stages/hull_sprites.h"
#include "model.h"

namespace art {
namespace {

// ---- Tones and drawing in hull coordinates -------------------------------------

// The pixel `steps` tones lighter (+) or darker (-) along its own ramp;
// pixels of no ramp stay as they are.
std::uint8_t Shade(std::uint8_t v, int steps) {
    for (const Ramp* r : {&kGrey, &kSteel, &kRust, &kOlive, &kPurple, &kGlass, &kRed, &kFire, &kBlue}) {
        const auto it = std::find(r->begin(), r->end(), v);
        if (it == r->end()) continue;
        const int j = std::clamp(int(it - r->begin()) + steps, 0, int(r->size()) - 1);
        return (*r)[std::size_t(j)];
    }
    return v;
}

bool InRamp(const Ramp& r, std::uint8_t v) { return std::find(r.begin(), r.end(), v) != r.end(); }

// A picture whose coordinates are the hull's: (0, 0) is the hull centre,
// which sits `origin` pixels from the picture's centre.
struct Canvas {
    Image img;
    Vec origin;
    int X(double x) const { return int(std::floor(x + img.w / 2.0 + origin.x)); }
    int Y(double y) const { return int(std::floor(y + img.h / 2.0 + origin.y)); }
    void ShadeAt(int x, int y, int steps, const Ramp* only = nullptr) {
        if (!img.Solid(x, y)) return;
        if (only && !InRamp(*only, img.At(x, y))) return;
        img.Set(x, y, Shade(img.At(x, y), steps));
    }
    void ShadeLine(Vec a, Vec b, int steps, const Ramp* only = nullptr) {
        const int n = int(std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y))) + 1;
        for (int i = 0; i <= n; ++i) {
            const double t = double(i) / n;
            ShadeAt(X(a.x + (b.x - a.x) * t), Y(a.y + (b.y - a.y) * t), steps, only);
        }
    }
    void Dot(double x, double y, std::uint8_t c) { img.Set(X(x), Y(y), c); }
};

// One level of a hull: its shapes, how far its shadow falls, and pixel
// details drawn after it is rendered.
struct Level {
    Model model;
    int shadow = 0;
    std::function<void(Canvas&)> detail = {};
};

Canvas DrawLevels(int w, int h, Vec origin, std::vector<Level>& levels) {
    Canvas c{Image(w, h), origin};
    for (Level& l : levels) {
        Canvas up{Render(w, h, {Layer{&l.model, 0, origin}}, {false, true}), origin};
        for (int y = h - 1; y >= 0; --y)
            for (int x = w - 1; x >= 0; --x)
                if (up.img.Solid(x, y))
                    for (int d = 1; d <= l.shadow; ++d)
                        if (!up.img.Solid(x + d, y + d)) c.ShadeAt(x + d, y + d, -2);
        if (l.detail) l.detail(up);
        Blit(c.img, up.img, 0, 0);
    }
    return c;
}

// ---- Shared shapes -----------------------------------------------------------------

// The ring a turret of this sprite series turns in, by the turret's size.
double MountRadius(int sprite_base) {
    switch (sprite_base) {
    case 4193: return 17.5;              // heavy triple
    case 4117: case 4170: return 13.5;   // big, twin
    case 4125: return 8;                 // small
    default: return 0;
    }
}

void Barbette(Model& m, double x, double y, double r) {
    m.Ellipse(x, y, r + 1.5, r + 1.5, kSteel, 0.7).Bias(-0.15);  // the armoured barbette
    m.Ellipse(x, y, r, r, kGrey, 0.4).Bias(-0.2);                   // its roof
    m.Ellipse(x, y, r - 1.5, r - 1.5, kGrey).Flat(kGrey[0]);        // the gap the turret turns in
}

void Mounts(Model& m, std::span<const LargePartDef> parts) {
    for (const LargePartDef& p : parts)
        if (const double r = MountRadius(p.sprite_base); r > 0) Barbette(m, p.dx, p.dy, r);
}

// The sea round a hull sailing bow down (see SeaFoam).
void Foam(Canvas& c, double bow_y, double stern_y) { SeaFoam(c.img, c.origin.y, bow_y, stern_y); }

// The outline from half-widths at given rows, mirrored about x = 0.
std::vector<Vec> Mirrored(std::initializer_list<Vec> half) {
    std::vector<Vec> pts(half.begin(), half.end());
    for (auto it = std::rbegin(half); it != std::rend(half); ++it)
        if (it->x > 0) pts.push_back({-it->x, it->y});
    return pts;
}

// Plate seams across a deck every `pitch` rows, butts staggered between.
void Plating(Canvas& c, const Ramp& deck, double x0, double x1, double y0, double y1, double pitch, double plate) {
    int row = 0;
    for (double y = y0; y <= y1; y += pitch, ++row) {
        c.ShadeLine({x0, y}, {x1, y}, -1, &deck);
        for (double x = x0 + (row % 2 ? plate / 2 : 0); x < x1; x += plate) c.ShadeLine({x, y + 1}, {x, y + pitch - 1}, -1, &deck);
    }
}

// Planks running fore and aft, every `pitch` columns, their ends staggered.
void Planks(Canvas& c, const Ramp& deck, double x0, double x1, double y0, double y1, double pitch, double length) {
    int col = 0;
    for (double x = x0; x <= x1; x += pitch, ++col) {
        c.ShadeLine({x, y0}, {x, y1}, -1, &deck);
        for (double y = y0 + std::fmod(col * 37.0, length); y < y1; y += length) c.ShadeLine({x + 1, y}, {x + pitch - 1, y}, -1, &deck);
    }
}

// Bolts every `step` along a line: lighter pixels on the given ramp.
void Rivets(Canvas& c, Vec a, Vec b, double step, const Ramp& on) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    for (double t = 0; t <= len; t += step) c.ShadeAt(c.X(a.x + (b.x - a.x) * t / len), c.Y(a.y + (b.y - a.y) * t / len), 2, &on);
}

// Lights along a line, cycling through the enemy light colours.
void Lights(Model& m, Vec a, Vec b, int n, int phase) {
    for (int i = 0; i < n; ++i) {
        const double t = n == 1 ? 0.5 : double(i) / (n - 1);
        m.Ellipse(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, 1.2, 1.2, kRed).Flat(kLights + (phase + 3 * i) % 16);
    }
}

// A bevelled deckhouse with a roof and, facing the bow (down), a row of windows.
void House(Model& m, double cx, double cy, double hw, double hh, const Ramp& r, double bias, bool windows) {
    m.Box(cx, cy, hw, hh, r, 2.5).Bias(bias);
    m.Box(cx, cy - 1, hw - 3, hh - 3, r, 1.2).Bias(bias + 0.15);
    if (windows) m.Box(cx, cy + hh - 2, hw - 3.5, 0.8, kGlass).Flat(kGlass[1]);
}

void Funnel(Model& m, double cx, double cy, double rx, double ry) {
    m.Ellipse(cx, cy, rx + 1.5, ry + 1.5, kSteel, 0.6).Bias(-0.25);
    m.Ellipse(cx, cy, rx, ry, kSteel, 1.2).Bias(0.1);
    m.Ellipse(cx, cy, rx - 1.5, ry - 1.5, kRust, 0.6).Bias(-0.1);  // the red cap band
    m.Ellipse(cx, cy - 0.5, rx * 0.55, ry * 0.55, kGrey).Flat(kOutline);
}

void Lifeboat(Model& m, double x, double y0, double y1) {
    m.Capsule({x, y0}, {x, y1}, 2.8, kOlive).Bias(0.05);
    m.Capsule({x, y0 + 1.5}, {x, y1 - 1.5}, 1.3, kOlive).Bias(-0.25);
}

// ---- CEN013, the frigate: 128 x 288, bow down ------------------------------------------

Canvas Frigate() {
    std::vector<Level> levels(4);
    Model& deck = levels[0].model;
    deck.Poly(Mirrored({{0, 143}, {24, 124}, {42, 96}, {50, 60}, {50, -104}, {44, -130}, {34, -143}}), kSteel, 4)
        .Bias(-0.1);
    const auto top = Mirrored({{0, 133}, {20, 117}, {36, 92}, {44, 60}, {44, -102}, {39, -125}, {30, -136}});
    deck.Poly(top, kGrey, 1.2).Bias(-0.22);
    deck.Poly(Mirrored({{0, 128}, {12, 116}, {18, 104}}), kGrey, 1).Bias(-0.05);  // the bow's raised peak
    deck.Box(0, -139, 22, 1.2, kRed).Flat(kCycle + 4);                              // stern lamps
    levels[0].detail = [top](Canvas& c) {
        Plating(c, kGrey, -44, 44, -126, 120, 16, 22);
        for (size_t i = 0; i + 1 < top.size(); ++i) Rivets(c, top[i], top[i + 1], 4, kSteel);
        for (double s : {-1.0, 1.0}) {
            c.Dot(12 * s, 122, kOutline);  // hawse pipes
            c.Dot(30 * s, -110, kGrey[5]), c.Dot(30 * s, 80, kGrey[5]);  // bollards
        }
    };

    Model& low = levels[1].model;
    levels[1].shadow = 1;
    Mounts(low, en013::kParts);
    for (double s : {-1.0, 1.0}) {
        Lifeboat(low, 28 * s, -56, -40);
        Lifeboat(low, 26 * s, 34, 44);
        low.Box(20 * s, -84, 3, 4, kSteel, 1).Bias(0.1);  // ventilators
        low.Box(20 * s, 76, 3, 3, kSteel, 1).Bias(0.1);
    }
    Lights(low, {-46, -100}, {-46, 56}, 6, 0);
    Lights(low, {46, -100}, {46, 56}, 6, 8);
    low.Ellipse(0, 112, 2.5, 2.5, kGrey, 1.2);  // capstan

    // The citadel amidships, its plated roof the base of the upper works.
    Model& citadel = levels[2].model;
    levels[2].shadow = 2;
    citadel.Poly(Mirrored({{14, 36}, {22, 28}, {22, -38}, {16, -44}}), kSteel, 2.5).Bias(-0.1);
    citadel.Poly(Mirrored({{12, 32}, {19, 26}, {19, -36}, {14, -40}}), kGrey, 1).Bias(-0.05);
    levels[2].detail = [](Canvas& c) { Plating(c, kGrey, -19, 19, -36, 30, 9, 12); };

    Model& high = levels[3].model;
    levels[3].shadow = 3;
    House(high, 0, 23, 17, 7, kSteel, 0.05, true);   // bridge, its wings out to the sides
    House(high, 0, 9, 12, 9, kSteel, 0.15, true);    // tower
    high.Capsule({-9, 4}, {9, 4}, 1.6, kGrey);        // rangefinder
    high.Ellipse(0, 8, 3.5, 3.5, kGlass, 1.3);
    Funnel(high, 0, -14, 7, 9);
    House(high, 0, -33, 9, 5, kSteel, 0.05, false);   // after deckhouse
    high.Ellipse(0, -34, 2.5, 2.5, kGlass, 1.4);      // searchlight
    high.Box(0, -1, 15, 0.8, kGrey).Flat(kGrey[1]);   // the yard of the mast
    Canvas c = DrawLevels(128, 288, {0, 0}, levels);
    Foam(c, 143, -143);
    return c;
}

// ---- CEN014, the battleship: 176 x 528, bow down, reaching 384 above its centre -------

Canvas Battleship() {
    const Vec origin{0, 120};  // the hull centre from the picture's centre
    std::vector<Level> levels(4);
    Model& deck = levels[0].model;
    deck.Poly(Mirrored({{0, 143}, {28, 122}, {52, 92}, {70, 56}, {78, 20}, {78, -340}, {70, -370}, {54, -384}}), kSteel, 5)
        .Bias(-0.15);
    // The secondary battery stands on sponsons out of the sides.
    for (const LargePartDef& p : en014::kParts)
        if (p.sprite_base == en014::kSmall) deck.Ellipse(p.dx, p.dy, 11, 11, kSteel, 0.6).Bias(-0.1);
    const auto top = Mirrored({{0, 132}, {24, 114}, {46, 88}, {62, 54}, {70, 20}, {70, -336}, {63, -364}, {49, -376}});
    deck.Poly(top, kRust, 1.2).Bias(-0.3);  // planked deck
    for (const HullShot& g : en014::kBeam.guns) {  // casemate guns out of the sides
        const double s = g.dx > 0 ? 1 : -1;
        deck.Box(g.dx - 3 * s, g.dy, 3.5, 4, kSteel, 1).Bias(0.1);
        deck.Capsule({g.dx - 2 * s, double(g.dy)}, {g.dx + 6 * s, double(g.dy)}, 1.3, kGrey);
    }
    deck.Box(0, -380, 30, 1.2, kRed).Flat(kCycle + 6);
    levels[0].detail = [top](Canvas& c) {
        Planks(c, kRust, -70, 70, -376, 132, 5, 46);
        for (size_t i = 0; i + 1 < top.size(); ++i) Rivets(c, top[i], top[i + 1], 4, kSteel);
    };

    Model& low = levels[1].model;
    levels[1].shadow = 1;
    Mounts(low, en014::kParts);
    for (double s : {-1.0, 1.0}) {
        low.Box(22 * s, 46, 4, 5, kSteel, 1).Bias(0.1);
        low.Box(22 * s, -270, 4, 5, kSteel, 1).Bias(0.1);
    }
    Lights(low, {-66, -320}, {-66, 40}, 10, 0);
    Lights(low, {66, -320}, {66, 40}, 10, 5);
    for (double s : {-1.0, 1.0}) low.Ellipse(14 * s, 124, 2.5, 2.5, kGrey, 1.2);  // capstans
    low.Ellipse(0, -364, 9, 9, kGrey, 0.3).Bias(-0.1);  // the aircraft pad at the stern
    low.Box(0, -364, 4.5, 0.8, kGrey).Flat(kWhite);

    // The citadel from the forward tower to the after deckhouse.
    Model& citadel = levels[2].model;
    levels[2].shadow = 2;
    citadel.Poly(Mirrored({{16, 40}, {26, 30}, {26, -256}, {18, -266}}), kSteel, 2.5).Bias(-0.1);
    citadel.Poly(Mirrored({{14, 36}, {23, 27}, {23, -253}, {16, -262}}), kGrey, 1).Bias(-0.05);
    for (double s : {-1.0, 1.0}) {
        for (double y : {-132.0, -206.0}) Lifeboat(citadel, 16 * s, y - 9, y + 9);
    }
    levels[2].detail = [](Canvas& c) { Plating(c, kGrey, -23, 23, -253, 34, 12, 16); };

    Model& high = levels[3].model;
    levels[3].shadow = 4;
    // Forward tower: bridge, conning tower, director.
    House(high, 0, 24, 22, 9, kSteel, 0.0, true);
    House(high, 0, 8, 17, 11, kSteel, 0.1, true);
    House(high, 0, -10, 12, 9, kSteel, 0.2, true);
    high.Capsule({-14, -16}, {14, -16}, 1.8, kGrey);
    high.Ellipse(0, -10, 4, 4, kGlass, 1.3);
    // Funnels, mainmast, after superstructure.
    Funnel(high, 0, -56, 10, 13);
    Funnel(high, 0, -100, 9, 12);
    high.Box(0, -168, 22, 0.8, kGrey).Flat(kGrey[1]);
    high.Ellipse(0, -168, 3, 3, kSteel, 1.2);
    House(high, 0, -208, 15, 13, kSteel, 0.05, true);
    House(high, 0, -236, 18, 9, kSteel, 0.1, false);
    high.Capsule({-10, -243}, {10, -243}, 1.6, kGrey);
    high.Ellipse(0, -224, 4, 4, kGlass, 1.3);
    Canvas c = DrawLevels(176, 528, origin, levels);
    Foam(c, 143, -384);
    return c;
}

// ---- CEN015, the tank carrier: 160 x 272, bow ramp down --------------------------------

Canvas Carrier() {
    std::vector<Level> levels(3);
    Model& deck = levels[0].model;
    deck.Poly(Mirrored({{58, 136}, {68, 124}, {68, -122}, {60, -136}}), kSteel, 5).Bias(-0.1);
    const auto top = Mirrored({{56, 124}, {62, 116}, {62, -118}, {55, -128}});
    deck.Poly(top, kGrey, 1.2).Bias(-0.25);
    deck.Box(0, 130, 40, 5, kGrey, 1.5).Bias(-0.05);  // the bow ramp, raised
    for (const LargePartDef& p : en015::kParts) {
        if (p.sprite_base == en015::kHatch) deck.Box(p.dx, p.dy, 17, 17, kGrey, 2.5).Bias(-0.45);  // hatch wells
    }
    levels[0].detail = [top](Canvas& c) {
        Plating(c, kGrey, -62, 62, -116, 124, 20, 28);
        for (double x = -38; x <= 38; x += 4) c.ShadeLine({x, 126}, {x, 134}, -1, &kGrey);  // ramp ribs
        // Hazard stripes down the deck edges, parking bays round the tanks.
        for (double s : {-1.0, 1.0})
            for (double y = -112; y < 120; y += 8)
                for (double d = 0; d < 3; ++d) c.Dot(58 * s, y + d, kFire[3]);
        for (const LargePartDef& p : en015::kParts) {
            if (p.sprite_base != en015::kTank) continue;
            for (double d : {-15.0, 15.0}) {
                for (double y = p.dy - 14; y <= p.dy + 14; y += 2) c.Dot(p.dx + d, y, kWhite);
            }
        }
        for (size_t i = 0; i + 1 < top.size(); ++i) Rivets(c, top[i], top[i + 1], 4, kSteel);
    };

    Model& low = levels[1].model;
    levels[1].shadow = 1;
    for (double s : {-1.0, 1.0}) {
        low.Box(64 * s, -60, 3, 6, kSteel, 1).Bias(0.1);  // side vents
        low.Box(64 * s, 40, 3, 6, kSteel, 1).Bias(0.1);
    }
    Lights(low, {-40, 128}, {40, 128}, 5, 2);

    Model& high = levels[2].model;
    levels[2].shadow = 3;
    House(high, 0, -121, 34, 9, kSteel, 0.05, true);  // the bridge across the stern
    House(high, -18, -124, 10, 6, kSteel, 0.2, false);
    Funnel(high, 20, -124, 6, 5);
    high.Ellipse(-18, -125, 2.5, 2.5, kGlass, 1.3);
    Canvas c = DrawLevels(160, 272, {0, 0}, levels);
    Foam(c, 136, -136);
    return c;
}

// ---- CEN026, the mothership: 144 x 224 hull, nose down, over wings 288 across --------

Canvas Mothership() {
    std::vector<Level> levels(3);
    Model& hull = levels[0].model;
    const auto outline = Mirrored({{10, 111}, {30, 94}, {46, 56}, {56, 10}, {56, -72}, {46, -100}, {28, -112}});
    hull.Poly(outline, kPurple, 6).Bias(-0.05);
    hull.Poly(Mirrored({{8, 100}, {24, 88}, {38, 54}, {48, 10}, {48, -70}, {40, -94}, {24, -104}}), kPurple, 2).Bias(0.1);
    hull.Box(0, -8, 16, 90, kSteel, 2).Bias(-0.1);  // the spine
    for (double y = -84; y <= 76; y += 32) hull.Box(0, y, 3, 5, kFire).Flat(kCycle + int(y + 84) / 32 * 3);  // spine vents
    levels[0].detail = [](Canvas& c) {
        Plating(c, kPurple, -48, 48, -100, 100, 26, 44);
        for (double y = -90; y <= 80; y += 8) c.ShadeLine({-15, y}, {15, y}, -1, &kSteel);  // spine ribs
    };

    Model& low = levels[1].model;
    levels[1].shadow = 1;
    Mounts(low, en026::kParts);
    for (double s : {-1.0, 1.0}) {
        low.Capsule({52 * s, -80}, {52 * s, -20}, 4, kSteel).Bias(0.1);  // side pods
        low.Ellipse(18 * s, -108, 7, 5, kSteel, 1.1).Bias(-0.1);                  // engine bells
        low.Ellipse(18 * s, -109, 4.5, 3, kFire).Flat(kCycle + 4);
    }
    Lights(low, {-40, 60}, {-20, 96}, 4, 0);
    Lights(low, {40, 60}, {20, 96}, 4, 8);

    Model& high = levels[2].model;
    levels[2].shadow = 3;
    high.Ellipse(0, -6, 14, 22, kPurple, 1.0).Bias(0.1);   // the command dome
    high.Ellipse(0, 0, 9, 12, kGlass, 1.3);
    high.Ellipse(0, 56, 7, 9, kGlass, 1.3);                  // forward canopy
    high.Ellipse(0, -62, 8, 8, kSteel, 1.1);                 // the reactor cap
    high.Ellipse(0, -62, 4, 4, kRed).Flat(kCycle + 8);
    return DrawLevels(144, 224, {0, 0}, levels);
}

// ---- Makers ---------------------------------------------------------------------------

struct HullArt {
    const char* name;
    const WorkSprite* work;
    Canvas (*draw)();
};

const HullArt kHulls[] = {
    {"frigate", &kFrigateHull, Frigate},
    {"battleship", &kBattleshipHull, Battleship},
    {"carrier", &kCarrierHull, Carrier},
    {"mothership", &kMothershipHull, Mothership},
};

// "warship NAME": the piece of that hull whose id this is.
Image Warship(const Entry& e, Context&) {
    static std::map<std::string, Image> made;
    const std::string name = ArgStr(e, 0);
    for (const HullArt& h : kHulls) {
        if (name != h.name) continue;
        if (!made.count(name)) made[name] = h.draw().img;
        for (const WorkPiece& p : h.work->pieces)
            if (p.sprite == e.id) return Crop(made[name], p.x, p.y, e.w, e.h);
        std::fprintf(stderr, "zenit-gen-art: sprite %d is no piece of the %s\n", e.id, h.name);
        std::exit(1);
    }
    std::fprintf(stderr, "zenit-gen-art: sprite %d: unknown hull '%s'\n", e.id, name.c_str());
    std::exit(1);
}

// "wings": the mothership's swept wings (4243), 288 x 96, drawn under its hull
// with their centre 8 rows above the hull centre.
Image Wings(const Entry& e, Context&) {
    const Vec at{0, 8};  // hull centre from the picture centre
    std::vector<Level> levels(2);
    Model& w = levels[0].model;
    w.Poly({{-40, 40}, {-138, -8}, {-146, -24}, {-142, -44}, {-128, -50}, {-40, -46}}, kSteel, 4).Bias(-0.05).MirrorX();
    w.Poly({{-44, 30}, {-128, -10}, {-136, -26}, {-130, -40}, {-44, -40}}, kSteel, 1.5).Bias(0.1).MirrorX();
    for (const LargePartDef& p : en026::kParts)
        if (std::abs(p.dx) > 60) w.Ellipse(p.dx, p.dy, 11, 11, kSteel, 0.7).Bias(-0.1);  // turret blisters
    for (double s : {-1.0, 1.0}) {
        w.Ellipse(70 * s, -40, 6, 4, kSteel, 1.1).Bias(-0.1);  // engines on the trailing edge
        w.Ellipse(70 * s, -41, 3.5, 2.2, kFire).Flat(kCycle + 2);
        w.Ellipse(96 * s, -40, 5, 3.5, kSteel, 1.1).Bias(-0.1);
        w.Ellipse(96 * s, -41, 3, 2, kFire).Flat(kCycle + 10);
    }
    levels[0].detail = [](Canvas& c) {
        for (double s : {-1.0, 1.0})
            for (double x = 56; x <= 128; x += 12) c.ShadeLine({x * s, 24 - (x - 48) * 0.45}, {x * s, -38}, -1, &kSteel);
    };
    Model& low = levels[1].model;
    levels[1].shadow = 1;
    for (const LargePartDef& p : en026::kParts)
        if (std::abs(p.dx) > 60) Barbette(low, p.dx, p.dy, MountRadius(p.sprite_base));
    Lights(low, {-138, -18}, {-60, 22}, 5, 0);
    Lights(low, {138, -18}, {60, 22}, 5, 8);
    Canvas c = DrawLevels(e.w, e.h, at, levels);
    return c.img;
}

// ---- The parts -------------------------------------------------------------------------

// "naval twin|triple HEADING": the turrets of the dreadnoughts, pointing right at heading 0.
Image Naval(const Entry& e, Context&) {
    const bool triple = ArgStr(e, 0) == "triple";
    const double r = triple ? 12.5 : 9.5, len = triple ? 19.5 : 15.5;
    Model m;
    const int barrels = triple ? 3 : 2;
    const double gap = triple ? 4.2 : 3.6;
    for (int b = 0; b < barrels; ++b) {
        const double y = (b - (barrels - 1) / 2.0) * gap;
        m.Capsule({r * 0.3, y}, {len, y}, triple ? 1.6 : 1.45, kGrey);
        m.Box(r * 0.8, y, 1.6, 1.7, kGrey, 0.6).Bias(-0.3);       // the blast bag where it leaves the house
        m.Ellipse(len - 0.4, y, 0.9, 0.9, kGrey).Flat(kOutline);  // muzzle
    }
    // The house: a sloped face toward the guns, a rounded back.
    std::vector<Vec> house;
    for (const Vec& v : std::initializer_list<Vec>{{0.75, 0.55}, {0.2, 0.95}, {-0.5, 0.9}, {-0.9, 0.5}, {-1, 0}})
        house.push_back({v.x * r, v.y * r});
    for (const Vec& v : std::initializer_list<Vec>{{-0.9, -0.5}, {-0.5, -0.9}, {0.2, -0.95}, {0.75, -0.55}})
        house.push_back({v.x * r, v.y * r});
    m.Poly(house, kSteel, 2.2).Bias(-0.12);
    std::vector<Vec> roof;
    for (const Vec& v : house) roof.push_back({v.x * 0.72 - r * 0.12, v.y * 0.72});
    m.Poly(roof, kSteel, 1.2).Bias(0.02);
    m.Capsule({-r * 0.78, -r * 0.62}, {-r * 0.78, r * 0.62}, 1.2, kGrey);         // rangefinder across the back
    m.Ellipse(-r * 0.3, -r * 0.42, 1.7, 1.7, kSteel, 1.3).Bias(0.25);             // cupola
    m.Ellipse(-r * 0.45, r * 0.35, 1.1, 1.1, kRed).Flat(kLights + 2);
    return Render(e.w, e.h, m, Heading8(ArgInt(e, 1)), {false, true});
}

// "deckhatch": the carrier's armoured mortar hatch (4201), seen from above.
Image DeckHatch(const Entry& e, Context&) {
    Model m;
    m.Box(0, 0, 15, 15, kSteel, 3).Bias(-0.05);
    m.Box(0, 0, 11, 11, kSteel, 1.5).Bias(0.1);
    m.Ellipse(0, 0, 8.5, 8.5, kGrey, 0.8).Bias(-0.1);
    m.Ellipse(0, 0, 6, 6, kGrey).Flat(kOutline);                     // the open barrel
    m.Ellipse(0, 0, 3.5, 3.5, kRed).Flat(kCycle + 8);                 // its glow
    for (double x : {-12.0, 12.0})
        for (double y : {-12.0, 12.0}) m.Ellipse(x, y, 1.2, 1.2, kGrey, 1.5).Bias(0.3);  // bolts
    Image img = Render(e.w, e.h, m, 0, {false, true});
    Canvas c{img, {0, 0}};
    for (double d = -13; d <= 13; d += 4) c.Dot(d, 14, kFire[3]), c.Dot(d + 1, 14, kFire[3]);  // hazard edge at the front
    return c.img;
}

// ---- The single hulls of the last stage ---------------------------------------------------

// "gunfort": the gun fortress (CEN027), 64 x 64; its turret (4125 + heading)
// turns in the ring 4 rows above the centre.
Image GunFort(const Entry& e, Context&) {
    std::vector<Level> levels(2);
    Model& base = levels[0].model;
    base.Poly({{-30, -18}, {-18, -30}, {18, -30}, {30, -18}, {30, 18}, {18, 30}, {-18, 30}, {-30, 18}}, kSteel, 6)
        .Bias(-0.15);
    base.Poly({{-22, -14}, {-14, -22}, {14, -22}, {22, -14}, {22, 14}, {14, 22}, {-14, 22}, {-22, 14}}, kGrey, 1.5)
        .Bias(-0.15);
    for (double x : {-24.0, 24.0})
        for (double y : {-24.0, 24.0}) base.Ellipse(x, y, 5, 5, kSteel, 1.1).Bias(0.05);  // corner buttresses
    levels[0].detail = [](Canvas& c) {
        Plating(c, kGrey, -21, 21, -20, 20, 10, 14);
        for (double x = -10; x <= 10; x += 5) c.ShadeLine({x, 25}, {x + 2, 25}, -3);  // firing slits in the front
    };
    Model& top = levels[1].model;
    levels[1].shadow = 2;
    top.Ellipse(0, -4, 12, 12, kSteel, 0.8).Bias(-0.05);  // the turret's armoured ring
    Barbette(top, 0, -4, MountRadius(4125));
    for (double x : {-24.0, 24.0})
        for (double y : {-24.0, 24.0}) top.Ellipse(x, y, 1.4, 1.4, kRed).Flat(kLights + int(4 * (x > 0) + 8 * (y > 0)));
    top.Box(0, 15, 7, 2.5, kSteel, 1).Bias(0.15);  // the vision block over the slits
    return DrawLevels(e.w, e.h, {0, 0}, levels).img;
}

// "strider STEP OPEN": the missile walker (CEN028), 64 x 64, striding down the
// screen in a four-step gait, its four launchers at the corners shut, or
// open and glowing just after a salvo.
Image Strider(const Entry& e, Context&) {
    const int step = ArgInt(e, 0);
    const bool open = ArgInt(e, 1) != 0;
    std::vector<Level> levels(2);
    Model& legs = levels[0].model;
    // Two legs a side, splayed fore and aft between the launchers; diagonal
    // pairs swing together, half a cycle apart.
    const double swing[4] = {0, 4, 0, -4};
    for (int k = 0; k < 4; ++k) {
        const double side = k % 2 ? 1 : -1, fore = k < 2 ? 1 : -1;
        const double phase = (k == 0 || k == 3) ? swing[step % 4] : -swing[step % 4];
        const Vec hip{11 * side, 6 * fore}, knee{23 * side, 9 * fore + phase * 0.5}, foot{29 * side, 11 * fore + phase};
        legs.Capsule(hip, knee, 3.2, kGrey).Bias(-0.1);
        legs.Capsule(knee, foot, 2.3, kGrey);
        legs.Ellipse(knee.x, knee.y, 2.6, 2.6, kSteel, 1.2);
        legs.Ellipse(foot.x, foot.y, 3.2, 2.8, kSteel, 1.1).Bias(-0.15);
    }
    Model& body = levels[1].model;
    levels[1].shadow = 2;
    body.Poly({{-10, -21}, {10, -21}, {16, -12}, {16, 12}, {10, 21}, {-10, 21}, {-16, 12}, {-16, -12}}, kRust, 3.5)
        .Bias(-0.15);
    body.Box(0, -1, 6, 13, kRust, 2).Bias(0.1);  // the spine
    for (double x : {-19.0, 19.0})
        for (double y : {-19.0, 19.0}) {
            body.Box(x, y, 7, 7, kSteel, 2).Bias(-0.05);  // launcher pod
            if (open) {
                body.Box(x, y, 4, 4, kGrey).Flat(kOutline);
                body.Ellipse(x, y, 2.2, 2.2, kFire).Flat(kCycle + 6);
            } else {
                body.Box(x, y, 4.5, 4.5, kSteel, 1.2).Bias(0.2);  // its hatch
            }
        }
    body.Ellipse(0, 15, 4, 3.5, kGlass, 1.3);                        // the sensor eye, facing its way
    body.Ellipse(0, -15, 1.6, 1.6, kRed).Flat(kLights + 4 * (step % 4));
    return DrawLevels(e.w, e.h, {0, 0}, levels).img;
}

MakerRegistrar r1("warship", Warship);
MakerRegistrar r2("wings", Wings);
MakerRegistrar r3("naval", Naval);
MakerRegistrar r4("deckhatch", DeckHatch);
MakerRegistrar r5("gunfort", GunFort);
MakerRegistrar r6("strider", Strider);

}  // namespace
}  // namespace art

// Stage 6, the naval base: its yard cells, quay walls and overlays, the
// warehouse roofs, the harbour furniture the map paints or places (cranes,
// fuel tanks, containers, boats, lights, the dock gate, the submarine pens'
// roof), foam and buoys for the open sea, and the boss, a flying carrier.
//
// Colours: text 107 at 181 keeps the map stages' layout: 181..196 the
// harbour water (rolled), 197..202 the yard's dark asphalt, 203..207 red
// roof paint, 208..212 granite, 213..217 naval grey, 218..222 concrete,
// 223..226 crane yellow, 227..229 marks. Only the map cells (1127..1152) use
// them; the furniture, the sea picture and the boss are numbered sprites
// outside the cells and keep to the colours every stage loads (1..47,
// 51..89 and the water 181..196).
#include "model.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

// The terrain ramps under the names they have in this stage (map cells only).
const Ramp &kAsphalt = kGround, &kRoofPaint = kGround2, &kGranite = kRock, &kNavalGrey = kVeg;
// The shared ramps the furniture and the boss are painted in.
const Ramp &kCraneYellow = kFire, &kHullGrey = kGrey;

double Inside(int x, int y, int size) {  // 0 on the border, 1 six pixels in
    double ex = std::fmin(x, size - 1 - x), ey = std::fmin(y, size - 1 - y);
    return std::fmin(1.0, std::fmin(ex, ey) / 6.0);
}

// A picture standing on the ground: the body at the top left of a w x h
// sprite, its checkerboard shadow laid under it `shadow` pixels down and right.
Image OnGround(const Image& body, int w, int h, int shadow) {
    Image out(w, h);
    Blit(out, ShadowOf(body), shadow, shadow);
    Blit(out, body, 0, 0);
    return out;
}

// ---- Yard cells ----------------------------------------------------------------------------

// Dark asphalt: fine grain in the lower middle of the ramp, light chips of
// aggregate. Variant 0 is the plain fill; the others add, inside the border
// ring, a tar repair, a worn lighter track, cracks, an oil spot or old paint.
Image Yard(const Entry& e, Context&) {
    const int v = ArgInt(e, 0);
    Image img(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            double fine = TileNoise(x, y, 2, 32, 601) - 0.5, mid = TileNoise(x, y, 8, 32, 602) - 0.5;
            double t = 0.42 + fine * 0.3 + mid * 0.12;
            if (v > 0) {
                double w = Inside(x, y, 32);
                double patch = Fbm(x, y, 32, 610 + std::uint32_t(v) * 7, 2) - 0.5;
                if (v % 3 == 1 && patch > 0.02) t -= 0.08 * w;           // tar repair
                if (v % 3 == 2) t += std::fmax(0.0, patch) * 0.35 * w;   // worn track
            }
            img.Set(x, y, Tone(kAsphalt, t, x, y));
        }
    for (int k = 0; k < 18; ++k) {  // aggregate chips, the same in every variant
        std::uint32_t h = Hash(620, std::uint32_t(k));
        int x = 1 + int(h % 30), y = 1 + int((h >> 8) % 30);
        img.Set(x, y, kAsphalt[4]);
        img.Set(x + 1, y + 1, kAsphalt[1]);
    }
    if (v > 0 && v % 3 == 0) {  // a crack wandering across the middle
        std::uint32_t h = Hash(630, std::uint32_t(v));
        int x = 8 + int(h % 6), y = 7;
        for (; y < 25; ++y) {
            img.Set(x, y, kAsphalt[0]);
            if (Hash(631, std::uint32_t(v), std::uint32_t(y)) % 3 == 0) x += (h >> (y % 16)) & 1 ? 1 : -1;
            x = std::max(7, std::min(24, x));
        }
    }
    if (v == 5 || v == 8) {  // oil spot with a dull sheen
        for (int y = 12; y < 20; ++y)
            for (int x = 11; x < 21; ++x) {
                double d = std::hypot((x - 15.5) / 4.0, (y - 15.5) / 3.0) + (TileNoise(x, y, 4, 32, 640 + v) - 0.5) * 0.5;
                if (d < 1) img.Set(x, y, d > 0.7 ? kNavalGrey[1] : (x + y) % 2 ? kAsphalt[1] : kAsphalt[0]);
            }
    }
    if (v == 7) {  // flakes of old yellow paint
        for (int k = 0; k < 6; ++k) {
            std::uint32_t h = Hash(650, std::uint32_t(k));
            img.Set(8 + int(h % 16), 8 + int((h >> 8) % 16), kMarkYellow);
        }
    }
    return img;
}

// ---- Quay walls ------------------------------------------------------------------------------

// The edge of a quay where it drops into the water or a dock, along side s
// (0 top, 1 right, 2 bottom, 3 left): granite coping, lit on the sides that
// face the light, a dark lip at the drop, and a fender (an old tyre) hanging
// over the water in the middle of each cell; a bollard stands behind it.
Image QuayWall(const Entry& e, Context&) {
    const int side = ArgInt(e, 0);
    const bool lit = side == 0 || side == 3;
    Image img(32, 32);
    auto put = [&](int along, int depth, std::uint8_t c) {  // depth 0 at the drop
        int x = side == 0 || side == 2 ? along : side == 1 ? 31 - depth : depth;
        int y = side == 1 || side == 3 ? along : side == 0 ? depth : 31 - depth;
        img.Set(x, y, c);
    };
    for (int a = 0; a < 32; ++a) {
        put(a, 0, kOutline);
        put(a, 1, lit ? kGranite[1] : kGranite[0]);
        for (int d = 2; d < 5; ++d) put(a, d, Tone(kGranite, (lit ? 0.75 : 0.45) - (d - 2) * 0.08 + ((a / 4) % 2) * 0.06, a, d));
        put(a, 5, kGranite[1]);  // the joint to the paving
        if (a % 8 == 0) put(a, 3, kGranite[1]);  // blocks of the coping
    }
    for (int a = 13; a <= 18; ++a)  // fender over the drop
        for (int d = 0; d < 2; ++d) put(a, d, a == 13 || a == 18 ? kOutline : kGrey[0]);
    // Bollard: a short iron post with a lit cap.
    for (int a = 14; a <= 17; ++a)
        for (int d = 7; d <= 10; ++d) put(a, d, (a == 14 || d == 10) ? kOutline : kGrey[1]);
    put(15, 8, kGrey[4]);
    put(15, 9, kGrey[2]);
    put(16, 8, kGrey[2]);
    return img;
}

// ---- Yard overlays ---------------------------------------------------------------------------

void Rail(Image& img, bool ns) {  // a track of two rails on sleepers, across the cell
    auto put = [&](int along, int across, std::uint8_t c) { ns ? img.Set(across, along, c) : img.Set(along, across, c); };
    for (int a = 0; a < 32; ++a) {
        if (a % 4 != 3)
            for (int c = 7; c <= 24; ++c) put(a, c, a % 4 == 0 ? kRoofPaint[1] : kRoofPaint[0]);  // sleepers
        for (int c : {10, 21}) {
            put(a, c - 1, kOutline);
            put(a, c, kGrey[4]);
            put(a, c + 1, kGrey[1]);
        }
    }
}

Image YardOverlay(const Entry& e, Context&) {
    const int kind = ArgInt(e, 0);
    Image img(32, 32);
    switch (kind) {
        case 0: Rail(img, true); break;
        case 1: Rail(img, false); break;
        case 2:  // the floor of a dry dock: wet slabs, darker than the yard, and a drain channel
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    double n = TileNoise(x, y, 4, 32, 603) - 0.5;
                    std::uint8_t c = Tone(kAsphalt, 0.26 + n * 0.25 + (y / 16 + x / 16) % 2 * 0.05, x, y);
                    if (y % 16 == 0 || x % 16 == 0) c = kAsphalt[1];
                    img.Set(x, y, c);
                }
            break;
        case 3:  // keel blocks down the dock's middle, each with its shadow
            for (int k = 0; k < 2; ++k) {
                int y0 = 3 + 16 * k;
                FillRect(img, 11, y0 + 2, 22, y0 + 9, kShadow);
                FillRect(img, 9, y0, 20, y0 + 7, kOutline);
                FillRect(img, 10, y0 + 1, 19, y0 + 6, kRoofPaint[2]);
                for (int x = 10; x <= 19; ++x) img.Set(x, y0 + 1, kRoofPaint[3]);
                for (int x = 10; x <= 19; x += 3) img.Set(x, y0 + 4, kRoofPaint[1]);
            }
            break;
        case 4:  // drain grating and a manhole
            FillRect(img, 5, 6, 18, 13, kOutline);
            for (int x = 6; x <= 17; ++x)
                for (int y = 7; y <= 12; ++y) img.Set(x, y, x % 2 ? kGrey[2] : kAsphalt[0]);
            for (int y = 18; y < 29; ++y)
                for (int x = 15; x < 28; ++x) {
                    double d = std::hypot(x - 21, y - 23.5);
                    if (d < 5.5) img.Set(x, y, d > 4.5 ? kOutline : Tone(kGrey, 0.45 + ((x + y) % 3 == 0) * 0.2 - (x + y - 44) * 0.03, x, y));
                }
            break;
        case 5:  // a crane's rail down the middle, set in a groove, on tie plates
            for (int y = 0; y < 32; ++y) {
                if (y % 8 == 2) FillRect(img, 11, y, 20, y + 1, kGrey[1]);
                img.Set(13, y, kOutline);
                img.Set(14, y, kGrey[1]);
                img.Set(15, y, kGrey[5]);
                img.Set(16, y, kGrey[3]);
                img.Set(17, y, kGrey[2]);
                img.Set(18, y, kOutline);
            }
            break;
        case 6:  // hazard stripes across the cell, where the yard meets a dock
            for (int y = 11; y <= 20; ++y)
                for (int x = 0; x < 32; ++x)
                    img.Set(x, y, y == 11 || y == 20 ? kOutline : ((x + y) / 4) % 2 ? kMarkYellow : kAsphalt[0]);
            break;
        default:  // soot from a fire
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    double n = TileNoise(x, y, 4, 32, 660);
                    double d = std::hypot((x - 15.5) / 12, (y - 15.5) / 10) + (n - 0.5) * 0.5;
                    if (d < 1 && Bayer(x, y) < 1.2 - d) img.Set(x, y, d < 0.5 ? kSmoke[0] : kShadow);
                }
            break;
    }
    return img;
}

// ---- Warehouse roofs --------------------------------------------------------------------------

// Corrugated steel in red paint with the ridge east-west: the north slope
// in the light, the south slope in shade, ribs running down both; dark
// eaves; the end pieces show the gable; piece 2 carries a ventilator. The
// checkerboard shadow falls along the south and east.
Image Roof(const Entry& e, Context&) {
    const int p = ArgInt(e, 0);  // 0 west end, 1 middle, 2 middle with vent, 3 east end
    Image body(32, 32);
    const int x0 = p == 0 ? 2 : 0, x1 = p == 3 ? 27 : 31, y0 = 2, y1 = 26, ridge = 13;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double t = y <= ridge ? 0.78 - (y - y0) * 0.012 : 0.38 - (y - ridge) * 0.01;
            if (x % 3 == 0) t -= 0.22;  // ribs
            std::uint8_t c = Tone(kRoofPaint, t, x, y, false);
            if (y == ridge) c = kRoofPaint[4];
            if (y == ridge + 1) c = kRoofPaint[1];
            if (y == y0) c = kRoofPaint[3];
            if (y == y1) c = kOutline;
            if ((p == 0 && x == x0) || (p == 3 && x == x1)) c = kOutline;
            body.Set(x, y, c);
        }
    if (p == 2) {  // ventilator on the ridge
        FillRect(body, 12, 9, 19, 17, kOutline);
        FillRect(body, 13, 10, 18, 16, kGrey[2]);
        for (int x = 13; x <= 18; ++x) body.Set(x, 10, kGrey[4]);
        for (int y = 11; y <= 16; y += 2) FillRect(body, 14, y, 17, y, kGrey[0]);
    }
    if (p == 1) FillRect(body, 6, 5, 9, 7, kGlass[1]), FillRect(body, 6, 5, 9, 5, kGlass[2]);  // skylight
    Image img(32, 32);
    for (int y = y1 + 1; y < 32; ++y)  // the shadow of the south eave
        for (int x = x0 + 3; x <= std::min(31, x1 + 3); ++x)
            if ((x + y) % 2 == 0) img.Set(x, y, kShadow);
    if (p == 3)
        for (int y = y0 + 3; y < 32; ++y)
            for (int x = x1 + 1; x < 32; ++x)
                if ((x + y) % 2 == 0) img.Set(x, y, kShadow);
    Blit(img, body, 0, 0);
    return img;
}

// ---- Harbour furniture --------------------------------------------------------------------------

// A gantry crane straddling its rails (SPAN pixels apart), seen from above:
// two yellow girders on legs at each end, the crab with its operator's cab
// between them, hazard stripes on the leg bases, the cable drum dark.
Image Gantry(const Entry& e, Context&) {
    Model m;
    const double legs = ArgInt(e, 0) / 2.0, hw = legs + 6;
    for (double y : {-10.0, 10.0}) m.Box(0, y, hw, 3.2, kCraneYellow, 1.2).Bias(0.05);  // girders
    for (double x : {-legs, legs}) {
        m.Box(x, 0, 4.5, 15, kCraneYellow, 1.5).Bias(-0.12);  // leg frames
        m.Box(x, 0, 2.5, 11, kCraneYellow).Flat(kOutline);
    }
    m.Box(-6, 0, 10, 8, kGrey, 1.5).Bias(0.05);  // crab
    m.Ellipse(-8, 0, 4, 4, kGrey, 1.2).Bias(-0.2);  // cable drum
    m.Box(8, 5, 4, 4, kGlass, 1).Bias(0.05);         // cab
    m.Box(8, 2, 4, 0.6, kGlass).Flat(kGlass[2]);
    Image body = Render(e.w - 8, e.h - 8, m, 0);
    for (int y = 0; y < body.h; ++y)  // hazard stripes on the legs' ends
        for (int x = 0; x < body.w; ++x)
            if (body.At(x, y) == kOutline && (std::abs(y - body.h / 2) > 9) && (x + y) % 4 < 2 &&
                (x < 16 || x > body.w - 17))
                body.Set(x, y, kFire[4]);
    return OnGround(body, e.w, e.h, 8);
}

// A fuel tank: a low conical roof in grey with a rim walkway, a stair
// running round the wall, a vent, and its shadow.
Image FuelTank(const Entry& e, Context&) {
    Model m;
    const double r = e.w / 2.0 - 6;
    m.Ellipse(0, 0, r, r, kGrey, 0.35).Bias(0.05);
    m.Ellipse(0, 0, r - 3, r - 3, kGrey, 0.6).Bias(0.12);
    m.Ellipse(0, 0, 3, 3, kGrey, 1).Bias(-0.2);  // the roof's vent
    m.Box(-r + 6, 3, 2.2, 1, kRed).Flat(kRed[2]);
    Image body = Render(e.w - 6, e.h - 6, m, 0);
    for (int k = 0; k < 12; ++k) {  // the stair's treads on the rim
        double a = 2.2 + k * 0.12;
        int x = int(body.w / 2.0 + std::cos(a) * (r - 1)), y = int(body.h / 2.0 + std::sin(a) * (r - 1));
        body.Set(x, y, kOutline);
    }
    for (int k = 0; k < 24; ++k) {  // rim rail
        double a = k * 2 * kPi / 24;
        body.Set(int(body.w / 2.0 + std::cos(a) * (r - 2.5)), int(body.h / 2.0 + std::sin(a) * (r - 2.5)), kGrey[5]);
    }
    return OnGround(body, e.w, e.h, 6);
}

// Containers stacked two rows deep, in four paints, with ribs and door ends.
Image Containers(const Entry& e, Context&) {
    Model m;
    const Ramp* paints[] = {&kRed, &kBlue, &kGreen, &kRust, &kSteel, &kRed};
    for (int k = 0; k < 6; ++k) {
        double x = -18 + (k % 3) * 18, y = k < 3 ? -8 : 8;
        m.Box(x, y, 8, 7, *paints[k], 1.2).Bias(-0.05 - (k % 2) * 0.08);
    }
    Image body = Render(e.w - 8, e.h - 8, m, 0);
    for (int y = 0; y < body.h; ++y)
        for (int x = 0; x < body.w; ++x)
            if (body.Solid(x, y) && body.At(x, y) != kOutline && x % 3 == 0) body.Set(x, y, kOutline);  // ribs
    return OnGround(body, e.w, e.h, 5);
}

// A patrol boat at its moorings, bow north: naval grey hull with a light
// deck, bridge with windows, a gun on the foredeck, its wake at rest.
Image Boat(const Entry& e, Context&) {
    Model m;
    const double hl = e.h / 2.0 - 3, hb = e.w / 2.0 - 3;
    m.Poly({{0, -hl}, {hb, -hl + 12}, {hb, hl - 4}, {hb - 2, hl}, {-hb + 2, hl}, {-hb, hl - 4}, {-hb, -hl + 12}}, kHullGrey, 2)
        .Bias(-0.05);
    m.Box(0, 4, hb - 3, 9, kHullGrey, 1.5).Bias(0.15);  // bridge
    m.Box(0, -1, hb - 4, 1.2, kGlass).Flat(kGlass[1]);
    m.Ellipse(0, -hl + 12, 3, 3, kGrey, 1.2);             // gun
    m.Capsule({0, -hl + 12}, {0, -hl + 4}, 0.9, kGrey).Flat(kGrey[1]);
    m.Ellipse(0, hl - 8, 2, 2, kGrey).Flat(kLights + 6);  // stern light
    return Render(e.w, e.h, m, 0);
}

// A destroyer at its moorings, bow north, 56 x 224 in two halves: naval
// grey hull with a lighter deck, two gun houses forward, the bridge and
// mast, a funnel with its black cap, torpedo tubes, an after gun and the
// helicopter deck at the stern.
Image DestroyerWhole() {
    Model m;
    m.Poly({{0, -110}, {14, -80}, {24, -30}, {25, 60}, {22, 100}, {14, 110}, {-14, 110}, {-22, 100}, {-25, 60},
            {-24, -30}, {-14, -80}}, kHullGrey, 3).Bias(-0.1);
    m.Poly({{0, -100}, {10, -78}, {18, -30}, {19, 60}, {16, 96}, {-16, 96}, {-19, 60}, {-18, -30}, {-10, -78}}, kHullGrey, 1)
        .Bias(0.12);
    for (double y : {-62.0, -40.0}) {  // forward guns
        m.Ellipse(0, y, 8, 8, kHullGrey, 0.8).Bias(-0.2);
        m.Box(0, y + 1, 6, 6, kHullGrey, 1.5).Bias(0.2);
        m.Capsule({0, y - 4}, {0, y - 16}, 1.1, kGrey).Flat(kGrey[1]);
    }
    m.Box(0, -14, 13, 12, kHullGrey, 2).Bias(0.22);  // bridge
    m.Box(0, -22, 11, 1.3, kGlass).Flat(kGlass[1]);
    m.Ellipse(0, -6, 3, 3, kGrey, 1.2);               // mast
    m.Capsule({-9, -6}, {9, -6}, 0.7, kGrey).Flat(kOutline);
    m.Box(0, 14, 8, 12, kHullGrey, 2).Bias(0.05);    // funnel
    m.Box(0, 10, 6, 5, kGrey).Flat(kOutline);
    for (double x : {-15.0, 15.0}) m.Box(x, 34, 3, 9, kGrey, 1).Bias(-0.05);  // torpedo tubes
    m.Ellipse(0, 52, 7, 7, kHullGrey, 0.8).Bias(-0.2);  // after gun
    m.Box(0, 53, 5, 5, kHullGrey, 1.5).Bias(0.2);
    m.Capsule({0, 58}, {0, 68}, 1.1, kGrey).Flat(kGrey[1]);
    m.Box(0, 84, 15, 11, kHullGrey, 1).Bias(-0.15);   // helicopter deck
    m.Box(0, 84, 6, 0.8, kHullGrey).Flat(kWhite);
    m.Box(-5, 84, 0.8, 5, kHullGrey).Flat(kWhite);
    m.Box(5, 84, 0.8, 5, kHullGrey).Flat(kWhite);
    m.Ellipse(0, -96, 1.5, 1.5, kRed).Flat(kLights + 3);
    return Render(56, 224, m, 0, {true, true});
}

Image Destroyer(const Entry& e, Context&) {
    static const Image whole = DestroyerWhole();
    return Crop(whole, 0, ArgInt(e, 0) * 112, 56, 112);
}

// A submarine alongside: a long dark hull awash, the fin with its
// periscopes, the hydroplanes, the casing's hatch lines.
Image Submarine(const Entry& e, Context&) {
    Model m;
    const double hl = e.h / 2.0 - 3;
    m.Capsule({0, -hl + 9}, {0, hl - 9}, 8, kGrey).Bias(-0.1);
    m.Box(0, 0, 3, hl - 16, kGrey).Flat(kGrey[1]);  // casing
    m.Ellipse(0, -18, 4, 11, kGrey, 1.2).Bias(0.15);  // fin
    m.Box(-6, -24, 4, 1.2, kGrey, 0.5).Bias(0.1).MirrorX();  // planes on the fin
    m.Ellipse(0, -24, 1, 1, kGrey).Flat(kGrey[4]);
    m.Box(-9, hl - 12, 4, 1.5, kGrey, 0.5).MirrorX();       // stern planes
    return Render(e.w, e.h, m, 0);
}

// The light on a breakwater's head: a round white tower with a red band, its
// lantern in the glow cycle so that it flashes as the colours roll.
Image Lighthouse(const Entry& e, Context&) {
    Model m;
    m.Ellipse(0, 0, 11, 11, kGrey, 0.9).Bias(0.2);
    m.Ellipse(0, 0, 8, 8, kRed, 0.8).Bias(0.05);
    m.Ellipse(0, 0, 5, 5, kGrey, 1.2).Bias(0.3);
    m.Ellipse(0, 0, 2.5, 2.5, kFire).Flat(kCycle);
    Image body = Render(e.w - 4, e.h - 4, m, 0);
    return OnGround(body, e.w, e.h, 4);
}

// A dock gate (caisson): a steel box girder across the dock mouth, a
// walkway with rails, pump houses at the ends and bollards.
Image Caisson(const Entry& e, Context&) {
    Model m;
    const double hw = e.w / 2.0 - 1;
    m.Box(0, 0, hw, e.h / 2.0 - 3, kSteel, 2).Bias(-0.1);
    m.Box(0, -1, hw - 4, 3, kGrey, 1).Bias(0.05);  // walkway
    for (double x : {-hw + 10, hw - 10}) m.Box(x, 0, 7, e.h / 2.0 - 4, kSteel, 1.5).Bias(0.15);
    for (int k = 0; k < 8; ++k) m.Ellipse(-hw + 24 + k * (2 * hw - 48) / 7, 5, 1.6, 1.6, kGrey, 1.2).Bias(-0.1);
    return Render(e.w, e.h, m, 0);
}

// The submarine pens' roof: a massive slab of reinforced concrete over four
// bays, its beams showing as ribs, vents and a flak platform, the bays'
// mouths dark along the south edge where the channel runs in.
Image PenRoof(const Entry& e, Context&) {
    Model m;
    const double hw = e.w / 2.0 - 6, hh = e.h / 2.0 - 6;
    // Weathered mid-grey, darker than the bullets' white cores that cross it.
    m.Box(0, 0, hw, hh, kGrey, 4).Bias(-0.3);
    for (int k = 0; k < 5; ++k) m.Box(-hw + 8 + k * (2 * hw - 16) / 4, -2, 3, hh - 6, kGrey, 1.2).Bias(-0.15);  // beams
    for (int k = 0; k < 4; ++k) {
        double x = -hw + 8 + (k + 0.5) * (2 * hw - 16) / 4;
        m.Box(x, hh - 4, 14, 5, kGrey).Flat(kOutline);            // bay mouths
        m.Box(x, -hh + 14, 5, 4, kGrey, 1).Bias(-0.1);                 // vents
        m.Box(x, -hh + 14, 4, 0.6, kGrey).Flat(kOutline);
    }
    m.Ellipse(-hw + 26, 10, 10, 10, kGrey, 0.5).Bias(-0.15);  // flak platform
    m.Ellipse(-hw + 26, 10, 6, 6, kGrey, 0.8);
    m.Box(hw - 30, 14, 14, 10, kGrey, 1.5).Bias(0.05);        // bunker stair house
    Image body = Render(e.w - 6, e.h - 6, m, 0, {true, true});
    for (int y = 0; y < body.h; ++y)  // camouflage stains
        for (int x = 0; x < body.w; ++x) {
            std::uint8_t c = body.At(x, y);
            if (c < kGrey.front() || c > kGrey.back()) continue;
            double n = Fbm(x, y, 64, 670, 3);
            if (n > 0.58) body.Set(x, y, Tone(kSteel, 0.25 + (c - kGrey.front()) * 0.1, x, y));
            else if (n < 0.36) body.Set(x, y, Tone(kSmoke, 0.3 + (c - kGrey.front()) * 0.12, x, y));
        }
    return OnGround(body, e.w, e.h, 6);
}

// The open sea beyond the harbour mouth, 320 x 240 in two halves of 120
// rows: long swells running in from the north in the rolling water colours
// (a roll moves them down the screen, toward the shore), with whitecaps in
// fixed colours where a crest breaks. Everything repeats after 240 rows (the slope falls by 128,
// eight whole colour cycles), so the picture laid end to end shows no seam.
Image OpenSeaWhole() {
    Image img(320, 240);
    auto phase = [](double x, double y) {
        double swell = 3.5 * std::sin(x * 2 * kPi / 160 + y * 2 * kPi / 240) + 1.5 * std::sin(x * 2 * kPi / 64 - y * 4 * kPi / 240);
        return -y * 8.0 / 15.0 + swell + (Fbm(x, y, 240, 680, 3) - 0.5) * 6;
    };
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) img.Set(x, y, std::uint8_t(kWater + (int(std::floor(phase(x, y))) & 15)));
    for (int k = 0; k < 28; ++k) {  // whitecaps: ragged flecks of foam, brightest in the middle
        std::uint32_t h = Hash(690, std::uint32_t(k));
        const int cx = int(h % 320), cy = int((h >> 9) % 240), len = 4 + int((h >> 18) % 5);
        for (int i = -len; i <= len; ++i)
            for (int j = -1; j <= 1; ++j) {
                const int x = cx + i, y = (cy + j + (i * i) / (2 * len) + 240) % 240;
                const double d = std::fabs(double(i)) / len + std::fabs(double(j)) * 0.5;
                if (x < 0 || x >= 320 || Bayer(x, y) < d * 0.6) continue;
                img.Set(x, y, d < 0.3 ? kWhite : d < 0.6 ? kGrey[5] : kGrey[3]);
            }
    }
    return img;
}

Image OpenSea(const Entry& e, Context&) {
    static const Image whole = OpenSeaWhole();
    return Crop(whole, 0, ArgInt(e, 0) * 120, 320, 120);
}

// One float of the boom across the harbour mouth (the map lays them end to
// end): a dark float banded in orange on a heavy cable. No white and no round
// glow, so a line of them is never taken for a wall of bullets.
Image Boom(const Entry& e, Context&) {
    Model m;
    m.Capsule({-e.w / 2.0, 0}, {e.w / 2.0, 0}, 1.1, kGrey).Flat(kGrey[0]);
    m.Box(0, 0, 3.2, 2.4, kGrey, 1.2).Bias(-0.25);
    Image img = Render(e.w, e.h, m, 0, {false, false});
    for (int y = 0; y < e.h; ++y)
        for (int x = 3; x < e.w - 3; ++x)
            if (img.Solid(x, y) && img.At(x, y) != kGrey[0] && x % 4 == 1) img.Set(x, y, kFire[1]);
    return img;
}

Image Buoy(const Entry& e, Context&) {
    const bool green = ArgInt(e, 0) != 0;
    Model m;
    m.Ellipse(0, 0, 3.6, 3.6, green ? kGreen : kRed, 1.2);
    m.Ellipse(-0.5, -0.5, 1.2, 1.2, kRed).Flat(green ? kLights + 8 : kLights);
    return Render(e.w, e.h, m, 0);
}

// ---- The boss: a flying carrier, 160 x 128, bow down -----------------------------------------

struct BossGun {
    double x, y;
};

// Its centre is the picture's; the guns (-34, 30), (34, 30) and the
// catapults at (-52, 18), (52, 18) are where the boss fires and launches.
Image Carrier6Whole() {
    Model m;
    for (double sx : {-1.0, 1.0}) {
        // The wing that carries each flight deck out from the hull.
        m.Poly({{sx * 22, -46}, {sx * 60, -52}, {sx * 79, -42}, {sx * 79, 36}, {sx * 70, 50}, {sx * 38, 48}, {sx * 22, 34}},
               kGrey, 4).Bias(-0.12);
        // The deck: dark, its runway dashed in white, edge lines, an elevator.
        m.Poly({{sx * 42, -47}, {sx * 73, -39}, {sx * 73, 34}, {sx * 66, 43}, {sx * 42, 41}}, kGrey, 1).Bias(-0.36);
        for (int k = 0; k < 8; ++k) m.Box(sx * 58, -36 + k * 10, 0.6, 2.5, kGrey).Flat(kWhite);
        m.Box(sx * 44, -2, 0.5, 40, kGrey).Flat(kFire[3]);
        m.Box(sx * 71, -2, 0.5, 34, kGrey).Flat(kFire[3]);
        m.Box(sx * 58, -22, 8, 6, kSteel, 1).Bias(-0.15);
        m.Box(sx * 58, -22, 8, 0.5, kSteel).Flat(kOutline);
        // The catapult the interceptors leave from, its launch light in the glow.
        m.Box(sx * 52, 20, 2.2, 9, kGrey, 0.8).Bias(0.25);
        m.Box(sx * 52, 30, 2.5, 1.2, kGrey).Flat(kCycle + 4);
        m.Ellipse(sx * 77, -36, 1.8, 1.8, kRed).Flat(sx < 0 ? kRed[3] : kGreen[2]);  // wingtip lights
        // Engine pods at the stern (the top), flames in the glow cycle.
        m.Capsule({sx * 50, -58}, {sx * 50, -46}, 6.5, kSteel).Bias(-0.05);
        m.Box(sx * 50, -52, 6.5, 0.5, kSteel).Flat(kOutline);
        m.Ellipse(sx * 50, -63, 4.5, 2.2, kFire).Flat(kCycle + 6);
        m.Ellipse(sx * 50, -63, 2, 1, kFire).Flat(kWhite);
    }
    // The hull: long and armoured, its bow at the bottom.
    m.Poly({{-24, -62}, {24, -62}, {32, -30}, {32, 26}, {20, 52}, {0, 64}, {-20, 52}, {-32, 26}, {-32, -30}}, kGrey, 5)
        .Bias(0.04);
    m.Poly({{-20, -54}, {20, -54}, {25, -28}, {25, 24}, {15, 44}, {-15, 44}, {-25, 24}, {-25, -28}}, kSteel, 2)
        .Bias(-0.08);
    for (double y : {-40.0, -26.0, 12.0, 26.0}) m.Box(0, y, 24, 0.5, kSteel).Flat(kSteel[0]);  // plate seams
    m.Box(0, -8, 0.5, 34, kSteel).Flat(kSteel[0]);
    // The reactor under its glass dome, amidships.
    m.Ellipse(0, -8, 12, 12, kGrey, 0.6).Bias(-0.35);
    m.Ellipse(0, -8, 9.5, 9.5, kGlass, 1.3);
    m.Ellipse(0, -8, 5, 5, kRed).Flat(kCycle + 8);
    m.Ellipse(0, -8, 2.5, 2.5, kRed).Flat(kWhite);
    // The stern's main engines.
    m.Box(0, -58, 15, 5, kGrey, 1.5).Bias(-0.2);
    for (int k = 0; k < 3; ++k) m.Ellipse(-10 + 10 * k, -64, 3.5, 2.2, kFire).Flat(kCycle + 2 * k);
    // The island, offset to starboard, with its radar.
    m.Box(17, -34, 5, 11, kGrey, 1.5).Bias(0.15);
    m.Box(17, -40, 4, 1.3, kGlass).Flat(kGlass[1]);
    m.Ellipse(17, -28, 2.5, 2.5, kGrey, 1.2).Bias(0.2);
    m.Capsule({13, -28}, {21, -28}, 0.6, kGrey).Flat(kOutline);
    // Twin gun houses, their barrels down toward the ship.
    for (BossGun g : {BossGun{-34, 30}, BossGun{34, 30}}) {
        m.Ellipse(g.x, g.y, 7.5, 7.5, kGrey, 0.5).Bias(-0.35);
        m.Ellipse(g.x, g.y - 1, 5.5, 5, kSteel, 1.4).Bias(0.1);
        m.Ellipse(g.x - 1.5, g.y - 2.5, 1.2, 1.2, kSteel).Flat(kSteel[4]);
        for (double bx : {-2.2, 2.2}) m.Capsule({g.x + bx, g.y + 3}, {g.x + bx, g.y + 11}, 1.1, kGrey).Bias(0.2);
    }
    // The bridge on the bow.
    m.Box(0, 38, 7, 5, kGrey, 1.5).Bias(0.1);
    m.Box(0, 36, 6, 1.2, kGlass).Flat(kGlass[2]);
    m.Ellipse(0, 45, 1.5, 1.5, kRed).Flat(kLights + 4);
    return Render(160, 128, m, 0, {true, true});
}

Image Carrier6(const Entry& e, Context&) {
    static const Image whole = Carrier6Whole();
    return Crop(whole, 0, ArgInt(e, 0) * 64, 160, 64);
}

MakerRegistrar r1("yard", Yard);
MakerRegistrar r2("quaywall", QuayWall);
MakerRegistrar r3("yardover", YardOverlay);
MakerRegistrar r4("roof6", Roof);
MakerRegistrar r5("gantry", Gantry);
MakerRegistrar r6("fueltank", FuelTank);
MakerRegistrar r7("containers", Containers);
MakerRegistrar r8("boat", Boat);
MakerRegistrar r9("lighthouse", Lighthouse);
MakerRegistrar r10("caisson", Caisson);
MakerRegistrar r11("penroof", PenRoof);
MakerRegistrar r12("opensea", OpenSea);
MakerRegistrar r15("boom", Boom);
MakerRegistrar r16("destroyer", Destroyer);
MakerRegistrar r17("submarine", Submarine);
MakerRegistrar r13("buoy", Buoy);
MakerRegistrar r14("carrier6", Carrier6);

}  // namespace
}  // namespace art

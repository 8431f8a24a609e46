// Ground enemies, the hulls of the ground cruiser and the bosses (drawn whole,
// then cut into the pieces the stages compose again) and the stage-1 boss.
// The other large enemies' hulls are in warships.cpp.
#include "model.h"

#include <cmath>

namespace art {
namespace {

// Ground units stand out from the ground by value, not by outline alone: sand
// (rust ramp) and light grey on the dark meadow, lit tops, dark tracks and sides.

// ---- tanks: body heading b, turret heading t (8-way each) ----
Image Tank(const Entry& e, Context&) {
    static Model body, turret;
    if (body.prims.empty()) {
        body.Box(0, -6.8, 9.8, 2.3, kGrey, 1.0).Bias(0.1).MirrorY();   // tracks
        for (int k = 0; k < 7; ++k) body.Box(-8.4 + 2.8 * k, -6.8, 0.45, 2.3, kGrey).Flat(kGrey[1]).MirrorY();  // treads
        body.Box(0.3, 0, 9.0, 4.8, kRust, 1.6).Bias(0.55);
        body.Box(-7, 0, 1.6, 3.2, kRust, 1).Bias(-0.15);                   // engine grille
        body.Box(-7, 0, 1.6, 0.4, kGrey).Flat(kRust[1]);
        body.Box(8.4, 0, 0.9, 3.8, kRust).Bias(0.5);                       // glacis
        turret.Capsule({2, 0}, {11, 0}, 1.25, kGrey).Bias(0.3);
        turret.Capsule({10.2, 0}, {11.6, 0}, 1.5, kGrey).Bias(-0.1);        // muzzle brake
        turret.Ellipse(-0.8, 0, 4.8, 4.2, kGrey, 1.5).Bias(0.45);
        turret.Ellipse(-2.2, -1.5, 1.3, 1.2, kGrey).Flat(kGrey[1]);        // hatch
    }
    return Render(e.w, e.h, {Layer{&body, Heading8(ArgInt(e, 0))}, Layer{&turret, Heading8(ArgInt(e, 1))}});
}

// ---- armoured carrier: travel direction v (right, down, left, up), gun heading h ----
Image Apc(const Entry& e, Context&) {
    static Model body, gun;
    if (body.prims.empty()) {
        for (int k = 0; k < 3; ++k) body.Ellipse(-12 + 12 * k, -13, 4, 2.5, kGrey, 0.8).MirrorY();
        body.Box(0, 0, 21, 12, kRust, 2.5);
        body.Box(12, 0, 7, 9, kRust, 2).Bias(0.1);
        body.Box(-10, 0, 6, 8, kRust, 1.5).Bias(-0.15);
        body.Ellipse(17, -8, 1.4, 1.4, kRed).Flat(kLights).MirrorY();
        gun.Capsule({0, 0}, {13, 0}, 1.8, kGrey);
        gun.Ellipse(0, 0, 5.5, 5.5, kRust, 1.3).Bias(0.2);
    }
    int v = ArgInt(e, 0);
    static const Vec mount[4] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
    return Render(e.w, e.h, {Layer{&body, v * kPi / 2}, Layer{&gun, Heading8(ArgInt(e, 1)), mount[v]}});
}

// ---- crawler: an armoured six-legged walker, 24 images of its gait ----
Image Crawler(const Entry& e, Context&) {
    int f = ArgInt(e, 0);
    double shift = -3 + f * 0.25;  // the hull inches forward (down) through the cycle
    double phase = f * 2 * kPi / 24;
    Model m;
    for (int k = 0; k < 3; ++k) {  // legs, alternate pairs in step
        double y = shift - 8 + 8 * k, swing = 3.5 * std::sin(phase + k * kPi);
        m.Capsule({-9, y}, {-17, y + swing}, 2.2, kGrey).Bias(0.05);
        m.Capsule({9, y}, {17, y - swing}, 2.2, kGrey).Bias(0.05);
        m.Ellipse(-17, y + swing, 2.7, 2.7, kRust).Bias(0.1);
        m.Ellipse(17, y - swing, 2.7, 2.7, kRust).Bias(0.1);
    }
    m.Ellipse(0, shift, 13, 14, kGrey, 1.0).Bias(0.25);
    m.Box(0, shift - 3, 8, 6, kRust, 2).Bias(0.5);                            // armoured back
    for (int k = 0; k < 2; ++k) m.Box(0, shift - 6 + 5 * k, 7, 0.4, kRust).Flat(kRust[1]);  // plate seams
    m.Box(0, shift + 10, 9, 3, kGrey, 1.5).Bias(-0.1);
    for (int k = -2; k <= 2; ++k) m.Capsule({k * 3.5, shift + 11}, {k * 4.5, shift + 16}, 1.1, kGrey).Bias(0.2);  // the fan of guns
    m.Ellipse(0, shift - 9, 1.8, 1.8, kRed).Flat(kLights + (f % 16));
    return Render(40, 40, m, 0);
}

Image Launcher(const Entry& e, Context&) {
    int open = ArgInt(e, 0);
    Model m;
    m.Box(0, 0, 23, 47, kOlive, 3);
    m.Box(0, -32, 16, 10, kOlive, 2).Bias(0.1);
    for (int k = 0; k < 4; ++k) {
        double y = -12 + 12 * k;
        m.Box(-9, y, 6, 4.5, kGrey, 1).Flat(kOutline);
        m.Box(9, y, 6, 4.5, kGrey, 1).Flat(kOutline);
        if (!open || k % 2) {
            m.Capsule({-9, y - 3}, {-9, y + 3}, 2.4, kRust);
            m.Capsule({9, y - 3}, {9, y + 3}, 2.4, kRust);
        }
    }
    m.Ellipse(0, 38, 2, 2, kRed).Flat(kLights);
    return Render(48, 96, m, 0, {false, true});
}

Image Bunker(const Entry& e, Context&) {
    bool closed = ArgInt(e, 0);
    Model m;
    m.Poly({{-30, -18}, {-18, -30}, {18, -30}, {30, -18}, {30, 18}, {18, 30}, {-18, 30}, {-30, 18}}, kOlive, 6);
    m.Ellipse(0, 0, 16, 16, kOlive, 1.1).Bias(0.05);
    if (closed) m.Box(0, 0, 10, 10, kGrey, 2);
    else {
        m.Ellipse(0, 0, 9, 9, kGrey).Flat(kOutline);
        m.Capsule({-4, 6}, {-4, 20}, 2.4, kGrey);
        m.Capsule({4, 6}, {4, 20}, 2.4, kGrey);
    }
    return Render(64, 64, m, 0);
}

Image Dome(const Entry& e, Context&) {
    bool lit = ArgInt(e, 0);
    Model m;
    m.Ellipse(0, 0, 23, 23, kSteel, 0.5).Bias(-0.1);
    m.Ellipse(0, 0, 18, 18, kGlass, 1.3);
    if (lit) m.Ellipse(-5, -5, 5, 5, kGlass).Flat(kCycle + 2);
    for (int k = 0; k < 4; ++k) {
        double a = k * kPi / 2 + kPi / 4;
        m.Ellipse(21 * std::cos(a), 21 * std::sin(a), 1.5, 1.5, kRed).Flat(kLights + 4 * k);
    }
    return Render(48, 48, m, 0);
}

// ---- large hulls, drawn whole at their composed size ----
struct HullDef {
    int w, h;        // composed size
    int pw, ph;      // piece size (pieces run left to right, then down)
    Model (*build)();
};

// Ground cruiser (84x246): turret mounts where the ship's parts sit. An armoured
// hull with sloped sides in shade, a raised deck of riveted plates, a central
// superstructure, walkways along the rails and hatches between the mounts.
Model Cruiser() {
    Model m;
    m.Poly({{0, -123}, {30, -96}, {40, -50}, {40, 80}, {30, 112}, {0, 122}, {-30, 112}, {-40, 80}, {-40, -50}, {-30, -96}}, kOlive, 7).Bias(-0.1);
    m.Poly({{0, -112}, {24, -90}, {32, -48}, {32, 78}, {24, 104}, {0, 112}, {-24, 104}, {-32, 78}, {-32, -48}, {-24, -90}}, kOlive, 1.5).Bias(0.12);
    m.Box(0, 0, 14, 96, kOlive, 2.5).Bias(0.22);                                         // superstructure
    m.Box(0, 0, 9, 30, kSteel, 2).Bias(0.05);                                             // bridge block
    for (double y : {-18.0, -6.0, 6.0, 18.0}) m.Box(0, y, 6, 1.2, kSteel).Flat(kSteel[0]);  // bridge windows
    for (double y : {-80.0, 72.0}) m.Box(0, y, 8, 5, kGrey, 1.5).Bias(0.1);               // hatches
    for (double y : {-80.0, 72.0}) m.Box(0, y, 8, 0.5, kGrey).Flat(kOutline);
    for (double y : {-52.0, 52.0}) {                                                       // big mounts: a ring in a pit
        m.Ellipse(0, y, 15, 15, kOlive, 0.4).Bias(-0.3);
        m.Ellipse(0, y, 12, 12, kGrey, 0.3).Bias(-0.05);
    }
    for (double y : {-30.0, 30.0}) {
        m.Ellipse(19, y, 7, 7, kOlive, 0.4).Bias(-0.3).MirrorX();
        m.Ellipse(19, y, 5, 5, kGrey, 0.3).Bias(-0.05).MirrorX();
    }
    for (double y : {-49.0, -26.0, 0.0, 26.0, 49.0}) m.Box(35, y, 3, 4, kGrey, 1).Bias(0.1).MirrorX();  // broadside guns
    for (int k = 0; k < 6; ++k) m.Ellipse(-30 + 12 * k, 100, 1.4, 1.4, kRed).Flat(kLights + 3 * k);
    return m;
}

// Plate seams and rivets over the cruiser's deck (pixels still in the olive ramp).
void PlateDeck(Image& img) {
    auto olive = [](std::uint8_t c) { return c >= kOlive.front() && c <= kOlive.back(); };
    for (int y = 1; y < img.h - 1; ++y)
        for (int x = 1; x < img.w - 1; ++x) {
            std::uint8_t c = img.At(x, y);
            if (!olive(c) || !olive(img.At(x - 2, y)) || !olive(img.At(x + 2, y)) || !olive(img.At(x, y - 2)) ||
                !olive(img.At(x, y + 2)))
                continue;
            const int dx = x - 42;
            const bool seam_h = (y + 5) % 16 == 0, seam_v = dx == -24 || dx == 23 || dx == -9 || dx == 8;
            if (seam_h || seam_v) img.Set(x, y, kOlive[1]);
            if (seam_h && !seam_v && (x % 6 == 0)) img.Set(x, y - 1, kOlive[4]);  // rivet heads catch the light
            if (seam_h && seam_v) img.Set(x, y, kOlive[0]);
        }
}
Model Crab() {  // 176 x 128: the stage-3 boss
    Model m;
    m.Capsule({-30, 10}, {-80, 50}, 8, kRust).MirrorX();
    m.Capsule({-40, -10}, {-84, -40}, 7, kRust).MirrorX();
    m.Ellipse(0, 0, 70, 44, kRust, 0.9);
    m.Ellipse(0, -6, 40, 26, kRust, 1.2).Bias(0.1);
    m.Ellipse(0, -26, 10, 8, kGrey, 1.2);
    m.Ellipse(-16, 20, 5, 4, kRed).Flat(kLights).MirrorX();
    return m;
}
Model Saucer() {  // 160 x 128: the stage-6 boss
    Model m;
    m.Ellipse(0, 0, 78, 62, kSteel, 0.6);
    m.Ellipse(0, 0, 56, 44, kSteel, 0.9).Bias(0.05);
    m.Ellipse(0, -4, 24, 20, kGlass, 1.2);
    for (int k = 0; k < 12; ++k) {
        double a = k * kPi / 6;
        m.Ellipse(68 * std::cos(a), 54 * std::sin(a), 2, 2, kRed).Flat(kLights + k);
    }
    return m;
}
Model FortressBlock() {  // 264 x 264
    Model m;
    m.Box(0, 0, 128, 128, kOlive, 8);
    m.Box(0, 0, 80, 80, kOlive, 4).Bias(0.1);
    for (int k = 0; k < 4; ++k) m.Ellipse(k % 2 ? 100 : -100, k / 2 ? 100 : -100, 22, 22, kOlive, 1.1);
    m.Ellipse(0, 0, 34, 34, kGrey, 1.1);
    return m;
}

const std::map<std::string, HullDef>& Hulls() {
    static const std::map<std::string, HullDef> hulls = {
        {"cruiser", {84, 246, 84, 123, Cruiser}}, {"crab", {176, 128, 176, 64, Crab}},
        {"saucer", {160, 128, 160, 64, Saucer}},  {"fortress", {264, 264, 88, 88, FortressBlock}},
    };
    return hulls;
}

Image Hull(const Entry& e, Context&) {
    static std::map<std::string, Image> made;
    std::string name = ArgStr(e, 0);
    const HullDef& d = Hulls().at(name);
    if (!made.count(name)) {
        Model m = d.build();
        made[name] = Render(d.w, d.h, m, 0, {false, true});
        if (name == "cruiser") PlateDeck(made[name]);
    }
    int p = ArgInt(e, 1), cols = d.w / d.pw;
    return Crop(made[name], (p % cols) * d.pw, (p / cols) * d.ph, d.pw, d.ph);
}

// ---- the stage-1 boss, 240 x 100 in three bands (40, 40, 20 rows) ----
Image Boss1Whole() {
    // Boss centre at (120, 36) in the composed picture; parts as the boss places its hit boxes.
    // A gunmetal airframe with steel armour panels, not a toy: dark values carry most of it,
    // highlights stay small, and the shading is dithered like the rest of the big craft.
    Model m;
    m.Poly({{-120, -20}, {-40, -30}, {40, -30}, {120, -20}, {118, 8}, {40, 2}, {-40, 2}, {-118, 8}}, kGrey, 5).Bias(-0.1);  // wing
    for (double x : {-96.0, -80.0, 80.0, 96.0}) m.Box(x, -11, 7, 9, kSteel, 1.2).Bias(-0.05);                 // armour panels
    for (double x : {-104.0, -88.0, -72.0, 72.0, 88.0, 104.0}) m.Box(x, -9, 0.5, 13, kGrey).Flat(kGrey[0]);   // wing ribs
    m.Box(-80, -25, 38, 1, kGrey).Flat(kGrey[4]);                                                               // leading edges
    m.Box(80, -25, 38, 1, kGrey).Flat(kGrey[4]);
    for (double x : {-96.0, -80.0, 80.0, 96.0}) m.Box(x, 3, 7, 2, kGrey, 1).Bias(-0.35);                       // flaps
    for (double x : {-114.0, -111.0, 111.0, 114.0}) m.Box(x, -6, 0.8, 10, kRed).Flat(kRed[2]);                // tip stripes
    for (double x : {-108.0, -92.0, 92.0, 108.0}) m.Box(x, 4, 2.5, 5, kGrey, 1).Bias(0.1);                    // under-wing guns
    for (double x : {-100.0, 100.0}) {                                                                           // wing-tip guns
        m.Ellipse(x, -15, 7.5, 7.5, kGrey, 0.5).Bias(-0.3);
        m.Ellipse(x, -15, 6, 6, kSteel, 1.2);
        m.Ellipse(x, -15, 2, 2, kRed).Flat(kLights + 4);
    }
    for (double x : {-59.0, 59.0}) {                                                                             // engine pods
        m.Capsule({x, -17}, {x, 43}, 17, kGrey);
        m.Ellipse(x, -22, 11, 7, kGrey, 0.5).Bias(-0.45);                                                       // intake
        m.Box(x, -20, 9, 0.6, kGrey).Flat(kGrey[3]);                                                            // intake vanes
        m.Box(x, -23, 9, 0.6, kGrey).Flat(kGrey[3]);
        m.Box(x, 14, 12, 22, kSteel, 2.5).Bias(-0.05);                                                           // armour plate
        for (double y : {0.0, 14.0, 28.0}) m.Box(x, y, 12, 0.5, kSteel).Flat(kSteel[0]);
        for (double y : {-5.0, 33.0}) m.Ellipse(x - 9, y, 1, 1, kGrey).Flat(kGrey[5]).Reflect(-1, 1);          // rivets
        m.Ellipse(x, -8, 6, 6, kGrey, 1.2);
        m.Box(x, -8, 1.2, 9, kGrey).Flat(kOutline);
        m.Box(x, 50, 10, 3, kGrey, 1).Bias(-0.3);                                                               // nozzle
        m.Ellipse(x, 57, 7, 3, kFire).Flat(kCycle + 6);
        m.Ellipse(x, 57, 3.5, 1.5, kFire).Flat(kWhite);
    }
    m.Poly({{-34, -10}, {-22, -30}, {22, -30}, {34, -10}, {30, 40}, {-30, 40}}, kSteel, 4).Bias(-0.15);       // hull frame
    m.Ellipse(0, 12, 28, 44, kPurple, 0.8).Bias(-0.12);                                                          // hull
    for (int k = 0; k < 4; ++k)                                                                                  // armour scales
        m.Ellipse(0, -14 + 13 * k, 22 - 2 * k, 9, kPurple, 1.4).Bias(0.05 - 0.04 * k);
    m.Box(0, 6, 1, 32, kPurple).Flat(kPurple[0]);                                                                // spine
    for (double y : {-2.0, 16.0, 32.0}) m.Box(24, y, 2.5, 1.5, kGrey).Flat(kOutline).MirrorX();                // vents
    m.Ellipse(0, -22, 8, 5, kGlass, 1.4);                                                                        // bridge
    for (double x : {-13.0, 13.0}) m.Box(x, -25, 3, 5, kGrey, 1);
    m.Box(0, 59, 24, 4.5, kGrey, 1.5);                                                                           // tail
    m.Ellipse(0, 43, 13.5, 14, kGrey, 0.6).Bias(-0.3);                                                           // the core's collar
    m.Ellipse(0, 43, 11, 11.5, kRed, 1.2);                                                                       // core
    m.Ellipse(0, 43, 6, 6, kRed).Flat(kCycle + 8);
    m.Ellipse(0, 43, 3, 3, kRed).Flat(kCycle);
    for (int k = 0; k < 6; ++k) m.Ellipse(-90 + 36 * k, -24, 1.5, 1.5, kRed).Flat(kLights + 3 * k);
    Image img = Render(240, 100, {Layer{&m, 0, {0, -14}}}, {true, true});
    return img;
}

Image Boss1(const Entry& e, Context&) {
    static const Image whole = Boss1Whole();
    int band = ArgInt(e, 0);
    return Crop(whole, 0, band * 40, 240, band == 2 ? 20 : 40);
}

// Spare ground structures for the later stages: roofs, tanks, pads, dishes.
Image Block(const Entry& e, Context&) {
    int p = ArgInt(e, 0);
    std::uint32_t h = Hash(std::uint32_t(p), 31);
    const Ramp* ramps[4] = {&kOlive, &kSteel, &kRust, &kGrey};
    const Ramp& r = *ramps[h % 4];
    Model m;
    switch (p % 6) {
        case 0:  // roof with vents
            m.Box(0, 0, 40, 36, r, 4);
            for (int k = 0; k < 4; ++k) m.Ellipse(-20 + 13 * k, -18, 4, 4, kGrey, 1.2);
            m.Box(10, 12, 16, 12, r, 2).Bias(0.1);
            break;
        case 1:  // tank farm
            for (int k = 0; k < 4; ++k) m.Ellipse(k % 2 ? 20 : -20, k / 2 ? 20 : -20, 17, 17, r, 1.0);
            break;
        case 2:  // helipad
            m.Box(0, 0, 40, 40, kGrey, 3);
            m.Ellipse(0, 0, 30, 30, kGrey, 0.3).Bias(-0.1);
            m.Box(-8, 0, 3, 14, kGrey).Flat(kWhite);
            m.Box(8, 0, 3, 14, kGrey).Flat(kWhite);
            m.Box(0, 0, 8, 2.5, kGrey).Flat(kWhite);
            break;
        case 3:  // radar dish
            m.Box(0, 8, 30, 30, r, 4);
            m.Ellipse(-4, -6, 26, 20, kSteel, 0.8).Bias(0.1);
            m.Ellipse(-4, -6, 4, 4, kRed).Flat(kLights + p % 16);
            break;
        case 4:  // pipes
            for (int k = 0; k < 4; ++k) m.Capsule({-40, -24 + 16.0 * k}, {40, -24 + 16.0 * k}, 5, r);
            m.Box(0, 0, 10, 40, kGrey, 2);
            break;
        default:  // hangar
            m.Box(0, 0, 40, 34, r, 4);
            m.Capsule({-36, 0}, {36, 0}, 18, r);
            m.Box(0, 30, 30, 5, kGrey, 1).Flat(kOutline);
            break;
    }
    bool turn = p % 6 != 2 && (h >> 8) % 2 == 0;  // helipads keep their H upright
    return Render(88, 88, m, turn ? kPi / 2 : 0, {false, true});
}

MakerRegistrar r1("tank", Tank);
MakerRegistrar r2("apc", Apc);
MakerRegistrar r3("crawler", Crawler);
MakerRegistrar r4("launcher", Launcher);
MakerRegistrar r5("bunker", Bunker);
MakerRegistrar r6("dome", Dome);
MakerRegistrar r7("hull", Hull);
MakerRegistrar r8("boss1", Boss1);
MakerRegistrar r9("block", Block);

}  // namespace
}  // namespace art

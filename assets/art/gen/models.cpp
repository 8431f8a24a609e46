// Craft, turrets, bullets and bosses built from shaded primitives (model.h).
// "model NAME ARG": for a turning series ARG is the heading (8 or 16 steps,
// 0 = right, clockwise); for the others it picks a variant.
#include "model.h"

#include <cmath>

namespace art {
namespace {

struct ModelDef {
    int steps;                      // 8 or 16 headings; 0 = a fixed picture
    Model (*build)(int variant);
    double angle = kPi / 2;         // fixed pictures point down the screen (the way enemies fly)
    RenderOptions opt{};
};


// ---- player weapons ----
// The player's fire has a colour family of its own: white cores in cyan bodies
// rimmed in dark blue, long and straight. Enemy bullets are round and warm
// (pink, orange, yellow), so the two are never mistaken for each other.
constexpr int kFireRim = 9;  // kBlue[1]
Model ShotMain(int) {
    Model m;
    for (double y : {-2.5, 2.5}) {
        m.Capsule({-11, y}, {-3, y}, 1.0, kBlue).Flat(kBlue[3]);  // the tail thins out
        m.Capsule({-6, y}, {10, y}, 1.6, kGlass).Flat(kGlass[1]);
        m.Capsule({-4, y}, {10.5, y}, 0.75, kGlass).Flat(kWhite);
    }
    return m;
}
Model ShotSide(int) {
    Model m;
    m.Capsule({-11, 0}, {-2, 0}, 1.4, kBlue).Flat(kBlue[3]);
    m.Capsule({-7, 0}, {9, 0}, 2.9, kGlass).Flat(kGlass[1]);
    m.Capsule({-5, 0}, {10, 0}, 1.8, kGlass).Flat(kGlass[2]);
    m.Capsule({-3, 0}, {10.5, 0}, 0.8, kGlass).Flat(kWhite);
    return m;
}
Model ShotRear(int) {
    Model m;
    m.Capsule({-11, 0}, {-3, 0}, 1.3, kBlue).Flat(kBlue[3]);
    m.Capsule({-7, 0}, {9, 0}, 2.2, kGlass).Flat(kGlass[1]);
    m.Capsule({-4, 0}, {10, 0}, 1.0, kGlass).Flat(kWhite);
    return m;
}
Model Missile(int) {
    Model m;
    m.Capsule({-6.5, 0}, {-4.5, 0}, 1.4, kFire).Flat(kCycle + 2);
    m.Poly({{-4.5, 0}, {-5, -3.5}, {-2.5, -3.5}, {-1, 0}}, kBlue).MirrorY();
    m.Capsule({-4, 0}, {3, 0}, 1.7, kGrey).Bias(0.15);
    m.Ellipse(3.6, 0, 2, 1.6, kGlass);
    return m;
}
Model Splinter(int) {
    Model m;
    m.Capsule({-3, 0}, {2.5, 0}, 1.5, kGlass).Flat(kGlass[1]);
    m.Capsule({-1, 0}, {3, 0}, 0.7, kGlass).Flat(kWhite);
    return m;
}

// ---- enemy bullets (the round ones are pixel maps): a pulsing ring and a core half a cycle apart ----
Model Needle(int) {
    Model m;
    m.Poly({{-4.8, 0}, {0, -2.4}, {4.8, 0}, {0, 2.4}}, kRed).Flat(kCycle + 8);
    m.Capsule({-2.5, 0}, {3, 0}, 0.7, kRed).Flat(kCycle);
    return m;
}
Model BigBullet(int reflected) {
    Model m;
    if (reflected) {
        m.Ellipse(0, 0, 14, 14, kBlue);
        m.Ellipse(0, 0, 9, 9, kBlue).Flat(kBlue[4]);
        m.Ellipse(0, 0, 5, 5, kBlue).Flat(kWhite);
    } else {
        m.Ellipse(0, 0, 10.5, 10.5, kRed);
        m.Ellipse(0, 0, 7.5, 7.5, kRed).Flat(kCycle + 8);
        m.Ellipse(0, 0, 4, 4, kRed).Flat(kCycle);
    }
    return m;
}
Model Shell(int size) {
    double r = size == 0 ? 4 : size == 1 ? 8.5 : 17.5;
    Model m;
    m.Ellipse(0, 0, r, r, kRust, 1.2);
    m.Ellipse(-r * 0.15, -r * 0.15, r * 0.55, r * 0.55, kRust, 1.5).Bias(0.15);
    m.Ellipse(0, 0, r * 0.28, r * 0.28, kRed).Flat(kLights);
    return m;
}
Model Orb(int) {
    Model m;
    m.Capsule({-6, 0}, {0, 0}, 2.2, kPurple).Flat(kCycle + 6);
    m.Ellipse(0.5, 0, 4.6, 4.6, kPurple, 1.3);
    m.Ellipse(0.5, 0, 1.6, 1.6, kPurple).Flat(kCycle);
    return m;
}
Model Flare(int) {
    Model m;
    m.Ellipse(0, 0, 11, 7, kFire).Flat(kCycle + 10);
    m.Ellipse(0, 0, 7, 5, kFire).Flat(kCycle + 5);
    m.Ellipse(0, 0, 3.5, 3, kFire).Flat(kWhite);
    return m;
}

// ---- air enemies (pointing right) ----
Model FighterB(int) {
    Model m;
    m.Poly({{6, -2}, {-4, -13}, {-9, -13}, {-6, -2}}, kRust).MirrorY();
    m.Poly({{-6, -2}, {-11, -6}, {-12, -6}, {-10, -1}}, kRust).MirrorY();
    m.Capsule({-9, 0}, {10, 0}, 3.3, kRust);
    m.Ellipse(4.5, 0, 3.2, 2, kGlass, 1.4);
    m.Ellipse(-5, -8, 1.1, 1.1, kRed).Flat(kLights + 4);
    m.Ellipse(-5, 8, 1.1, 1.1, kRed).Flat(kLights + 12);
    m.Capsule({-12.5, 0}, {-10.5, 0}, 1.5, kFire).Flat(kCycle + 4);
    return m;
}
Model Interceptor(int) {
    Model m;
    m.Poly({{9, 0}, {-6, -13}, {-10, -12}, {-5, 0}}, kPurple).MirrorY();
    m.Capsule({-8, 0}, {8, 0}, 3, kPurple);
    m.Ellipse(3, 0, 3, 1.8, kGlass, 1.4);
    m.Capsule({-11, -3}, {-9, -3}, 1.2, kFire).Flat(kCycle + 2);
    m.Capsule({-11, 3}, {-9, 3}, 1.2, kFire).Flat(kCycle + 10);
    return m;
}
Model Escort(int) {
    Model m;
    m.Ellipse(0, 0, 17, 17, kSteel, 0.8);
    m.Ellipse(0, 0, 11, 11, kSteel, 1.2).Bias(0.1);
    m.Ellipse(0, 0, 5, 5, kGlass, 1.4);
    for (int k = 0; k < 4; ++k) {
        double a = k * kPi / 2 + kPi / 4;
        m.Ellipse(14 * std::cos(a), 14 * std::sin(a), 1.6, 1.6, kRed).Flat(kLights + 4 * k);
    }
    return m;
}
Model Homing(int) {
    Model m;
    m.Poly({{-6, 0}, {-7, -5}, {-4, -5}, {-2, 0}}, kRust).MirrorY();
    m.Capsule({-5, 0}, {4, 0}, 2.2, kGrey);
    m.Ellipse(4.5, 0, 2.6, 2.1, kRed);
    m.Capsule({-8, 0}, {-6, 0}, 1.4, kFire).Flat(kCycle + 6);
    return m;
}
Model Rocket(int) {
    Model m;
    m.Poly({{-5, 0}, {-8, -5.5}, {-5, -5.5}, {-2, 0}}, kOlive).MirrorY();
    m.Capsule({-7, 0}, {6, 0}, 2.6, kOlive);
    m.Ellipse(7, 0, 3, 2.5, kRed);
    m.Capsule({-11, 0}, {-8, 0}, 1.6, kFire).Flat(kCycle + 3);
    return m;
}
Model Gunship(int) {  // a flying wing 128 across, drawn pointing right (down on screen)
    Model m;
    m.Poly({{16, 0}, {4, -62}, {-10, -62}, {-14, -20}, {-20, 0}}, kSteel, 2.5).MirrorY();
    m.Box(-2, -40, 10, 6, kSteel, 2).MirrorY();
    m.Capsule({-14, 0}, {20, 0}, 8, kSteel);
    m.Ellipse(10, 0, 6, 4, kGlass, 1.4);
    m.Capsule({-20, -40}, {-12, -40}, 3, kFire).Flat(kCycle + 4).MirrorY();
    for (int k = 0; k < 3; ++k) m.Ellipse(6 - k * 2, -20 - k * 14, 1.4, 1.4, kRed).Flat(kLights + 5 * k).MirrorY();
    return m;
}
Model Bomber(int) {  // 96 long, 48 across
    Model m;
    m.Poly({{10, 0}, {-10, -23}, {-24, -23}, {-18, 0}}, kPurple, 2).MirrorY();
    m.Poly({{-30, 0}, {-40, -12}, {-46, -12}, {-42, 0}}, kPurple, 2).MirrorY();
    m.Capsule({-44, 0}, {40, 0}, 9, kPurple);
    m.Capsule({-6, -14}, {14, -14}, 4, kGrey).MirrorY();
    m.Ellipse(28, 0, 8, 5, kGlass, 1.4);
    m.Ellipse(-20, 0, 2, 2, kRed).Flat(kLights);
    return m;
}
// ---- ground turrets and fixed emplacements ----
Model Turret(const Ramp& base, double r, int barrels, double len, double bw) {
    Model m;
    m.Ellipse(0, 0, r, r, base, 0.7).Bias(-0.1);
    double spread = barrels == 1 ? 0 : bw * 2.2;
    for (int b = 0; b < barrels; ++b) {
        double y = barrels == 1 ? 0 : -spread / 2 + spread * b / (barrels - 1);
        m.Capsule({0, y}, {len, y}, bw, kGrey);
    }
    m.Ellipse(-r * 0.1, 0, r * 0.6, r * 0.6, base, 1.3).Bias(0.1);
    m.Ellipse(-r * 0.35, 0, r * 0.15, r * 0.15, kRed).Flat(kLights + 2);
    return m;
}
Model TurretS(int) {  // the stage-1 gun: a light concrete ring and a sand-coloured dome
    Model m;
    m.Ellipse(0, 0, 8.5, 8.5, kGrey, 0.6).Bias(0.3);
    m.Ellipse(0, 0, 7.2, 7.2, kGrey, 0.2).Bias(-0.05);  // the ring's pit
    m.Capsule({0, 0}, {11, 0}, 1.8, kGrey).Bias(0.35);
    m.Capsule({9.5, 0}, {11.2, 0}, 2.0, kGrey).Bias(-0.25);
    m.Ellipse(-0.8, 0, 5.2, 5.2, kRust, 1.4).Bias(0.5);
    m.Ellipse(-3, 0, 1.3, 1.3, kRed).Flat(kLights + 2);
    return m;
}
Model TurretBig(int) { return Turret(kSteel, 12, 2, 15, 2); }
Model TurretSmall(int) { return Turret(kRust, 5.5, 1, 7.5, 1.3); }
Model TurretQuad(int) { return Turret(kSteel, 15, 4, 18, 1.8); }
Model Pillbox(int) {
    Model m;
    m.Poly({{-18, -8}, {-8, -18}, {8, -18}, {18, -8}, {18, 8}, {8, 18}, {-8, 18}, {-18, 8}}, kOlive, 4);
    m.Box(0, 0, 9, 9, kOlive, 3).Bias(0.1);
    m.Box(10, 0, 5, 2, kGrey, 1).Flat(kOutline);
    return m;
}
Model Hatch(int frame) {  // frame 0: the big deck hatch; 1..4 a small hatch opening
    Model m;
    if (frame == 0) {
        m.Box(0, 0, 30, 30, kSteel, 4);
        m.Box(0, 0, 20, 20, kSteel, 2).Bias(-0.2);
        m.Box(0, 0, 12, 12, kGrey, 1).Flat(kOutline);
        for (int k = 0; k < 4; ++k) m.Ellipse(-24 + 16 * k, -26, 1.3, 1.3, kRed).Flat(kLights + 4 * k);
        return m;
    }
    m.Box(0, 0, 15, 15, kSteel, 3);
    double open = frame * 3.2;
    m.Box(0, 0, 10, 10, kSteel, 1).Flat(kOutline);
    m.Box(0, -5 - open * 0.5, 10, 5 - open * 0.4, kSteel, 1.5);
    m.Box(0, 5 + open * 0.5, 10, 5 - open * 0.4, kSteel, 1.5);
    return m;
}
Model CarrierS(int frame) {
    Model m;
    m.Box(0, 0, 22, 16, kOlive, 3);
    m.Box(-16, -17, 5, 5, kGrey, 2).MirrorY();
    m.Box(14, -17, 5, 5, kGrey, 2).MirrorY();
    m.Box(0, 0, 10, 10, kOlive, 1).Flat(kOutline);
    double open = frame * 3;
    m.Box(-5 - open * 0.6, 0, 5 - open * 0.5, 10, kOlive, 1.5);
    m.Box(5 + open * 0.6, 0, 5 - open * 0.5, 10, kOlive, 1.5);
    return m;
}
Model Fortress(int open) {  // 160 x 112; drawn pointing right, so 112 long and 160 across
    Model m;
    m.Poly({{52, -40}, {30, -78}, {-30, -78}, {-52, -40}, {-52, 40}, {-30, 78}, {30, 78}, {52, 40}}, kOlive, 5);
    m.Box(0, 0, 36, 54, kOlive, 4).Bias(0.1);
    m.Box(0, 0, 20, 20, kSteel, 3);
    for (int k = 0; k < 4; ++k) {
        double x = k < 2 ? -28 : 28, y = k % 2 ? 56 : -56;
        m.Box(x, y, 10, 10, kSteel, 2);
        m.Box(x, y, 6, 6, kSteel, 1).Flat(open ? kOutline : kSteel[3]);
    }
    for (int k = 0; k < 6; ++k) m.Ellipse(-40 + 16 * k, 70, 1.6, 1.6, kRed).Flat(kLights + 3 * k).MirrorY();
    return m;
}
Model Gunboat(int) {  // 128 x 96: a hovering gunboat with three gun pods
    Model m;
    m.Poly({{44, 0}, {20, -60}, {-30, -60}, {-44, -30}, {-44, 30}, {-30, 60}, {20, 60}}, kSteel, 5);
    m.Box(-6, 0, 22, 30, kSteel, 3).Bias(0.1);
    m.Ellipse(24, 0, 9, 9, kPurple, 1.2);
    m.Ellipse(-10, -42, 9, 9, kPurple, 1.2).MirrorY();
    m.Capsule({-40, -22}, {-30, -22}, 4, kFire).Flat(kCycle + 5).MirrorY();
    return m;
}
Model Gunpod(int firing) {
    Model m;
    m.Ellipse(0, 0, 17, 17, kPurple, 1.0);
    m.Ellipse(0, 0, 10, 10, kPurple, 1.3).Bias(0.1);
    m.Ellipse(0, 0, 4.5, 4.5, kRed).Flat(firing ? kCycle : kOutline);
    return m;
}
Model Warship(int) {  // 96 x 128: long hull pointing down
    Model m;
    m.Poly({{62, 0}, {36, -22}, {-50, -40}, {-62, -30}, {-62, 30}, {-50, 40}, {36, 22}}, kPurple, 5);
    m.Capsule({-44, -30}, {30, -14}, 5, kPurple).MirrorY();
    m.Box(-10, 0, 24, 14, kPurple, 3).Bias(0.15);
    m.Box(-4, 0, 3, 43, kGrey, 1).Bias(-0.1);
    m.Ellipse(20, 0, 7, 6, kGlass, 1.4);
    for (int k = 0; k < 5; ++k) m.Ellipse(-52 + 12 * k, -34 + 2 * k, 1.6, 1.6, kRed).Flat(kLights + 3 * k).MirrorY();
    return m;
}
const std::map<std::string, ModelDef>& Defs() {
    static const std::map<std::string, ModelDef> defs = {
        {"shot_main", {16, ShotMain, 0, {false, true, kFireRim}}},
        {"shot_side", {16, ShotSide, 0, {false, true, kFireRim}}},
        {"shot_rear", {16, ShotRear, 0, {false, true, kFireRim}}},
        {"missile", {16, Missile}},
        {"splinter", {16, Splinter, 0, {false, true, kFireRim}}},
        {"needle", {16, Needle}},
        {"bigbullet", {0, BigBullet, 0}},
        {"shell", {0, Shell, 0}},
        {"orb", {16, Orb}},
        {"flare", {0, Flare, kPi / 2, {false, false}}},
        {"fighter_b", {8, FighterB}},
        {"interceptor", {8, Interceptor}},
        {"escort", {0, Escort}},
        {"homing", {16, Homing}},
        {"rocket", {8, Rocket}},
        {"gunship", {0, Gunship, kPi / 2, {false, true}}},
        {"bomber", {0, Bomber, kPi / 2, {false, true}}},
        {"turret_s", {8, TurretS}},
        {"turret_big", {8, TurretBig}},
        {"turret_small", {8, TurretSmall}},
        {"turret_quad", {8, TurretQuad}},
        {"pillbox", {0, Pillbox}},
        {"hatch", {0, Hatch}},
        {"carrier_s", {0, CarrierS}},
        {"fortress", {0, Fortress, kPi / 2, {false, true}}},
        {"gunboat", {0, Gunboat, kPi / 2, {false, true}}},
        {"gunpod", {0, Gunpod}},
        {"warship", {0, Warship, kPi / 2, {false, true}}},
    };
    return defs;
}

Image MakeModel(const Entry& e, Context&) {
    auto it = Defs().find(ArgStr(e, 0));
    if (it == Defs().end()) {
        std::fprintf(stderr, "zenit-gen-art: sprite %d: unknown model '%s'\n", e.id, ArgStr(e, 0).c_str());
        std::exit(1);
    }
    const ModelDef& d = it->second;
    int arg = ArgInt(e, 1);
    Model m = d.build(d.steps ? 0 : arg);
    double angle = d.steps == 16 ? Heading16(arg) : d.steps == 8 ? Heading8(arg) : d.angle;
    return Render(e.w, e.h, m, angle, d.opt);
}

MakerRegistrar reg("model", MakeModel);

}  // namespace
}  // namespace art

// The ground units and emplacements of the enemies of stages 2 to 8: the
// armoured carrier (CEN007), the missile launcher (CEN008), the ground targets
// and their ruins (CEN010), the quad turret (CEN022), the pillbox (CEN023) and
// the turret carrier (CEN024). All in the shared colours (grey, olive, steel,
// rust, the glow and light cycles), so one picture reads on the sand of stages
// 2 and 3, the plates of stage 4, the snow of stage 6 and the floor of stage 8.
// Lit from the top left like every model; dark outline all round.
#include "model.h"

#include <cmath>

namespace art {
namespace {

// ---- armoured carrier: travel v (right, down, left, up), gun heading h ----

// A six-wheeled carrier pointing right: dark running gear under an olive hull
// with a sloped nose, an engine grille at the back and a roof hatch.
const Model& CarrierHull() {
    static Model m;
    if (!m.prims.empty()) return m;
    for (int k = 0; k < 3; ++k) m.Ellipse(-12 + 12 * k, -12.5, 4.2, 2.6, kGrey, 0.9).Bias(-0.35).MirrorY();  // wheels
    m.Poly({{21, -7}, {16, -12}, {-20, -12}, {-22, -10}, {-22, 10}, {-20, 12}, {16, 12}, {21, 7}}, kOlive, 2.5)
        .Bias(-0.1);
    m.Poly({{21, -7}, {15, -9}, {15, 9}, {21, 7}}, kOlive, 1.2).Bias(0.25);  // glacis, catching the light
    for (int k = 0; k < 4; ++k) m.Box(-19, -4.5 + 3 * k, 1.8, 0.5, kGrey).Flat(kOutline);  // engine grille
    m.Box(-10, 0, 5, 6.5, kOlive, 1.2).Bias(-0.2);                                          // rear deck
    m.Box(2, -10, 9, 1.6, kOlive, 0.8).Bias(-0.3).MirrorY();                                // stowage boxes
    m.Box(-3.5, 0, 0.5, 9, kOlive).Flat(kOlive[0]);                                         // the deck's seam
    m.Box(-10, -4, 2.5, 1.5, kOlive, 0.8).Bias(0.2);                                        // roof hatch
    m.Ellipse(18.5, -9, 1.3, 1.3, kRed).Flat(kLights).MirrorY();                             // head lights
    return m;
}

const Model& CarrierGun() {
    static Model m;
    if (!m.prims.empty()) return m;
    m.Capsule({2, 0}, {15, 0}, 1.6, kGrey).Bias(-0.1);
    m.Box(15, 0, 1.5, 2.2, kGrey, 0.8);  // muzzle brake
    m.Ellipse(0, 0, 6, 5.5, kOlive, 1.4).Bias(0.15);
    m.Ellipse(-1.5, -1.5, 1.6, 1.6, kOlive).Flat(kOlive[4]);
    return m;
}

Image ArmouredCarrier(const Entry& e, Context&) {
    const int v = ArgInt(e, 0);
    return Render(e.w, e.h, {Layer{&CarrierHull(), v * kPi / 2}, Layer{&CarrierGun(), Heading8(ArgInt(e, 1))}});
}

// ---- missile launcher, 48 x 96; arg 1: the hatches open ----

Image MissileLauncher(const Entry& e, Context&) {
    const bool open = ArgInt(e, 0) != 0;
    Model m;
    m.Box(-20, 0, 3.5, 46, kGrey, 1.5).Bias(-0.3).MirrorX();  // tracks
    for (int k = 0; k < 15; ++k) m.Box(-20, -42 + 6 * k, 3.5, 0.5, kGrey).Flat(kOutline).MirrorX();
    m.Box(0, 0, 17, 45, kOlive, 3).Bias(-0.05);               // hull
    m.Box(0, -33, 13, 9, kOlive, 2).Bias(0.15);               // engine deck at the rear (top)
    for (int k = 0; k < 5; ++k) m.Box(-6 + 3 * k, -33, 0.6, 6, kOlive).Flat(kOutline);
    m.Ellipse(9, -39, 2, 2, kGrey, 1.2);                      // antenna mount
    // The rack: two columns of four tubes; closed caps, or open mouths with the warheads inside.
    for (int k = 0; k < 4; ++k) {
        const double y = -15 + 11 * k;
        m.Box(-7, y, 5.5, 4.5, kGrey, 1).Flat(kOutline).MirrorX();
        if (open) {
            m.Ellipse(-7, y, 2.6, 2.6, kRed, 1.3).MirrorX();
        } else {
            m.Box(-7, y, 4.5, 3.5, kOlive, 1).Bias(0.1).MirrorX();
            m.Box(-7, y, 3, 0.5, kOlive).Flat(kOlive[1]).MirrorX();
        }
    }
    m.Box(0, 33, 9, 2, kGrey).Flat(kFire[2]);  // warning stripe at the exit
    for (int k = 0; k < 4; ++k) m.Box(-6 + 4 * k, 33, 0.8, 2, kGrey).Flat(kOutline);
    m.Ellipse(-12, 40, 1.6, 1.6, kRed).Flat(kLights).MirrorX();
    return Render(e.w, e.h, m, 0, {false, true});
}

// ---- ground targets, 32 x 32: 0 fuel tanks, 1 blockhouse, 2 radar, 3 command post ----

Model TargetModel(int kind) {
    Model m;
    switch (kind) {
        case 0:  // two fuel tanks on a pad, a pipe between them
            m.Box(0, 1, 14, 11, kGrey, 1.5).Bias(-0.25);
            m.Capsule({-6, 1}, {6, 1}, 1.2, kGrey);
            m.Ellipse(-6.5, 0, 6.5, 6.5, kOlive, 1.3).MirrorX();
            m.Box(-6.5, 0, 6.5, 1, kOlive).Flat(kRed[2]).MirrorX();  // warning bands
            m.Ellipse(-8, -2, 1.6, 1.6, kOlive).Flat(kOlive[4]).MirrorX();
            break;
        case 1:  // concrete blockhouse with a camouflaged roof
            m.Box(0, 1, 14, 13, kGrey, 3).Bias(-0.1);
            m.Box(-1, 0, 10, 9, kOlive, 2);
            m.Poly({{-9, -7}, {-2, -9}, {0, -3}, {-6, 0}}, kOlive).Bias(0.25);
            m.Poly({{2, 2}, {8, 0}, {9, 6}, {3, 8}}, kOlive).Bias(-0.25);
            m.Box(0, 12, 6, 1, kGrey).Flat(kOutline);  // firing slit
            m.Ellipse(9, -9, 1.4, 1.4, kRed).Flat(kLights + 6);
            break;
        case 2:  // radar: a dish on a small hut
            m.Box(2, 6, 10, 7, kGrey, 1.5).Bias(-0.15);
            m.Box(2, 6, 6, 4, kOlive, 1);
            m.Capsule({-2, -1}, {-6, -8}, 1.1, kGrey);
            m.Ellipse(-4, -6, 9, 6, kSteel, 0.7).Bias(0.1);
            m.Ellipse(-5, -7, 3, 2, kSteel, 1.2).Bias(0.3);
            m.Ellipse(-3, -5, 1.3, 1.3, kRed).Flat(kLights + 10);
            break;
        default:  // command post: a sandbag ring round a bunker and its mast
            m.Poly({{-14, -6}, {-6, -14}, {6, -14}, {14, -6}, {14, 6}, {6, 14}, {-6, 14}, {-14, 6}}, kRust, 2.5)
                .Bias(-0.1);
            for (int k = 0; k < 8; ++k) {
                const double a = k * kPi / 4 + kPi / 8;
                m.Ellipse(12 * std::cos(a), 12 * std::sin(a), 2.6, 2.6, kRust, 1.2).Bias(0.1);
            }
            m.Box(0, 0, 8, 8, kGrey, 2);
            m.Box(0, 0, 4.5, 4.5, kOlive, 1.5).Bias(0.1);
            m.Ellipse(0, 0, 1.5, 1.5, kRed).Flat(kLights + 2);
            break;
    }
    return m;
}

Image GroundTarget(const Entry& e, Context&) {
    Model m = TargetModel(ArgInt(e, 0));
    return Render(e.w, e.h, m, 0);
}

// ---- ruins of the targets, 32 x 32: 0 light, 1 heavy ----

// A burnt patch thinning out at its edge, the target's broken walls on it and
// a few embers; drawn low, so no outline round the patch itself.
Image TargetRuin(const Entry& e, Context&) {
    const int v = ArgInt(e, 0);
    const std::uint32_t seed = 800 + std::uint32_t(v);
    Image img(e.w, e.h);
    const double c = e.w / 2.0;
    for (int y = 0; y < e.h; ++y)
        for (int x = 0; x < e.w; ++x) {
            const double n = Fbm(x, y, 32, seed, 3);
            const double d = std::hypot((x + 0.5 - c) / c, (y + 0.5 - c) / c) + (n - 0.5) * 0.55;
            if (d < 0.62) img.Set(x, y, d < 0.42 ? kShadow : kSmoke[0]);
            else if (d < 0.98 && Bayer(x, y) > (d - 0.62) / 0.36) img.Set(x, y, kSmoke[d < 0.8 ? 1 : 0]);
        }
    Model m;
    // Standing wall stubs, then fallen slabs and (heavy) a bent beam.
    m.Poly({{-11, -9}, {-3, -11}, {-2, -7}, {-10, -5}}, kGrey, 1.5).Bias(0.1);
    m.Poly({{5, -10}, {11, -6}, {9, -3}, {4, -7}}, v ? kOlive : kGrey, 1.2);
    m.Poly({{-9, 3}, {-3, 1}, {-1, 6}, {-7, 9}}, kOlive, 1.2).Bias(-0.2);
    m.Poly({{3, 5}, {10, 4}, {11, 9}, {5, 10}}, kGrey, 1.2).Bias(-0.3);
    if (v) {
        m.Capsule({-12, -1}, {2, -3}, 1.1, kRust).Bias(-0.1);
        m.Capsule({2, -3}, {8, 2}, 1.1, kRust).Bias(-0.2);
        m.Poly({{-4, 10}, {1, 9}, {2, 13}, {-3, 13}}, kGrey, 1).Bias(-0.1);
    }
    Blit(img, Render(e.w, e.h, m, 0), 0, 0);
    const int embers = v ? 7 : 4;
    for (int k = 0; k < embers; ++k) {
        const std::uint32_t h = Hash(seed, std::uint32_t(k));
        const int x = 8 + int(h % 16u), y = 8 + int((h >> 8) % 16u);
        if (img.At(x, y) == kShadow || img.At(x, y) == kSmoke[0]) img.Set(x, y, k % 2 ? kFire[2] : kCycle + 4 * (k % 4));
    }
    return img;
}

// ---- quad turret, 40 x 40: a fixed armoured ring, the turret turned to heading h ----

Image QuadTurret(const Entry& e, Context&) {
    static Model ring, gun;
    if (ring.prims.empty()) {
        ring.Poly({{-19, -8}, {-8, -19}, {8, -19}, {19, -8}, {19, 8}, {8, 19}, {-8, 19}, {-19, 8}}, kOlive, 3).Bias(-0.3);
        ring.Ellipse(0, 0, 13, 13, kGrey, 0.4).Bias(-0.35);  // the well the turret turns in
        for (int k = 0; k < 4; ++k) {
            const double a = k * kPi / 2 + kPi / 4;
            ring.Ellipse(16 * std::cos(a), 16 * std::sin(a), 1.3, 1.3, kGrey, 1.5).Bias(0.2);  // bolts
        }
        for (double y : {-7.5, -4.0, 4.0, 7.5}) gun.Capsule({4, y}, {19, y}, 1.35, kGrey).Bias(0.05);
        gun.Box(2, -5.75, 4, 3.5, kSteel, 1).MirrorY();  // the two cradles
        gun.Ellipse(-1, 0, 9.5, 9, kSteel, 1.2).Bias(0.1);
        gun.Box(-7, 0, 2.5, 4, kSteel, 1).Bias(-0.2);
        gun.Ellipse(-3, -3, 2.2, 2.2, kSteel).Flat(kSteel[4]);
        gun.Ellipse(-4, 3.5, 1.4, 1.4, kRed).Flat(kLights + 4);
    }
    return Render(e.w, e.h, {Layer{&ring, 0}, Layer{&gun, Heading8(ArgInt(e, 0))}});
}

// ---- pillbox, 40 x 40: octagonal concrete with firing slits and the turret ring ----

Image Pillbox(const Entry& e, Context&) {
    Model m;
    m.Poly({{-19, -8}, {-8, -19}, {8, -19}, {19, -8}, {19, 8}, {8, 19}, {-8, 19}, {-19, 8}}, kOlive, 4).Bias(-0.1);
    m.Poly({{-15, -6}, {-6, -15}, {6, -15}, {15, -6}, {15, 6}, {6, 15}, {-6, 15}, {-15, 6}}, kGrey, 2).Bias(0.05);
    for (int k = 0; k < 4; ++k) {  // a firing slit on each diagonal face
        const double a = k * kPi / 2 + kPi / 4, c = std::cos(a), s = std::sin(a);
        m.Poly({{13.5 * c - 3 * s, 13.5 * s + 3 * c}, {13.5 * c + 3 * s, 13.5 * s - 3 * c},
                {11.5 * c + 3 * s, 11.5 * s - 3 * c}, {11.5 * c - 3 * s, 11.5 * s + 3 * c}},
               kGrey).Flat(kOutline);
    }
    m.Ellipse(0, 0, 9, 9, kGrey, 0.5).Bias(-0.3);  // the ring the turret turns on
    m.Ellipse(0, 0, 7, 7, kGrey).Flat(kOutline);
    return Render(e.w, e.h, m, 0);
}

// ---- turret carrier, 48 x 48: tracked, a bay in the middle whose doors open
// over frames 1..3 to show the turret it is about to set down ----

Image TurretCarrier(const Entry& e, Context&) {
    const int frame = ArgInt(e, 0);
    Model m;
    m.Box(-19, 0, 4, 21, kGrey, 1.5).Bias(-0.3).MirrorX();  // tracks
    for (int k = 0; k < 8; ++k) m.Box(-19, -18 + 5.15 * k, 4, 0.5, kGrey).Flat(kOutline).MirrorX();
    m.Box(0, 0, 15, 22, kOlive, 2.5).Bias(-0.05);
    m.Box(0, -17, 12, 4, kOlive, 1.5).Bias(0.2);  // cab at the front (top)
    m.Box(-5, -17, 3, 1.5, kGlass, 0.8).MirrorX();
    m.Box(0, 3, 11, 12, kOlive, 1).Flat(kOutline);  // the bay
    if (frame == 3) {
        m.Ellipse(0, 3, 7, 7, kSteel, 1.2).Bias(-0.1);  // the turret waiting inside
        m.Capsule({0, 3}, {0, 12}, 1.1, kGrey).Bias(-0.2);
    }
    const double open = frame * 3.5;  // each door slides this far aside
    m.Box(-5.5 - open, 3, 5.5, 12, kOlive, 1.2).Bias(0.05);
    m.Box(5.5 + open, 3, 5.5, 12, kOlive, 1.2).Bias(0.05);
    m.Box(-5.5 - open, 3, 0.5, 10, kOlive).Flat(kOlive[1]);
    m.Box(5.5 + open, 3, 0.5, 10, kOlive).Flat(kOlive[1]);
    m.Ellipse(-12, 19, 1.3, 1.3, kRed).Flat(kLights + (frame ? 8 : 0)).MirrorX();
    return Render(e.w, e.h, m, 0);
}

MakerRegistrar r1("carrier_apc", ArmouredCarrier);
MakerRegistrar r2("launcher_rack", MissileLauncher);
MakerRegistrar r3("target", GroundTarget);
MakerRegistrar r4("target_ruin", TargetRuin);
MakerRegistrar r5("turret_quad", QuadTurret);
MakerRegistrar r6("pillbox_ring", Pillbox);
MakerRegistrar r7("turret_carrier", TurretCarrier);

}  // namespace
}  // namespace art

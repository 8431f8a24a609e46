// The sea stage's own pictures: the foam every ship sails in, the armoured
// cruiser afloat (stage 3 composes its sprite 98 from these halves instead of
// the ground cruiser's) and the boss, the mortar monitor.
#include "model.h"

#include <algorithm>
#include <cmath>

namespace art {

void SeaFoam(Image& img, double origin_y, double bow_y, double stern_y) {
    const Image hull = img;
    constexpr int kReach = 9;
    for (int y = 0; y < hull.h; ++y)
        for (int x = 0; x < hull.w; ++x) {
            if (hull.Solid(x, y)) continue;
            double d = kReach + 1;
            for (int dy = -kReach; dy <= kReach; ++dy)
                for (int dx = -kReach; dx <= kReach; ++dx)
                    if (hull.Solid(x + dx, y + dy)) d = std::min(d, std::hypot(double(dx), double(dy)));
            const double row = y - hull.h / 2.0 - origin_y;
            const double along = std::clamp((row - stern_y) / (bow_y - stern_y), 0.0, 1.0);  // 0 stern, 1 bow
            const double width = 1.6 + 7.4 * std::pow(along, 1.5);
            if (d > width) continue;
            const double n = TileNoise(x, y, 3, 96, 57) + 0.4 * (Bayer(x, y) - 0.5);
            const double f = d / width;  // 0 at the hull, 1 at the band's edge
            if (d < 1.5 || (f < 0.45 && n > 0.38)) img.Set(x, y, kWhite);
            else if (f < 0.75 && n > 0.45) img.Set(x, y, kGrey[5]);
            else if (n > 0.6) img.Set(x, y, kGlass[2]);
        }
}

namespace {

// "seacruiser HALF": the armoured cruiser (4115 over 4116, 84 x 246) in its
// bow wave, on a picture eight pixels wider either side; the hull's centre
// stays the picture's.
Image SeaCruiser(const Entry& e, Context& ctx) {
    static Image whole;
    if (whole.w == 0) {
        const Image& top = ctx.Sprite(4115);
        const Image& bottom = ctx.Sprite(4116);
        whole = Image(e.w, top.h + bottom.h);
        const int x = (e.w - top.w) / 2;
        Blit(whole, top, x, 0);
        Blit(whole, bottom, x, top.h);
        SeaFoam(whole, 0, whole.h / 2.0, -whole.h / 2.0);
    }
    return Crop(whole, 0, ArgInt(e, 0) * e.h, e.w, e.h);
}

// "monitor HALF": the stage-3 boss, 208 x 128, bow down: an armoured
// hovercraft on a skirt ringed with spray, its mortar battery amidships
// (the muzzles 26 rows above the centre, where its shells leave), gun
// sponsons on its flanks and the bridge forward.
Image MonitorWhole() {
    Model m;
    // The skirt and the hull on it.
    m.Ellipse(0, 4, 98, 54, kGrey, 0.6).Bias(-0.45);
    m.Poly({{-84, -30}, {-62, -50}, {62, -50}, {84, -30}, {90, 10}, {70, 44}, {30, 58}, {-30, 58}, {-70, 44}, {-90, 10}},
           kSteel, 4)
        .Bias(-0.1);
    m.Poly({{-74, -28}, {-56, -43}, {56, -43}, {74, -28}, {80, 8}, {62, 38}, {26, 50}, {-26, 50}, {-62, 38}, {-80, 8}},
           kSteel, 1.5)
        .Bias(0.05);
    // Lift fans at the four corners.
    for (double sx : {-1.0, 1.0})
        for (double sy : {-1.0, 1.0}) {
            m.Ellipse(sx * 62, sy * 22 + 2, 12, 11, kGrey, 0.6).Bias(-0.2);
            m.Ellipse(sx * 62, sy * 22 + 2, 9, 8, kGrey).Flat(kOutline);
            m.Capsule({sx * 62 - 7, sy * 22 + 2}, {sx * 62 + 7, sy * 22 + 2}, 1.2, kGrey);
            m.Capsule({sx * 62, sy * 22 - 5}, {sx * 62, sy * 22 + 9}, 1.2, kGrey);
        }
    // The mortar battery: a casemate with its nine tubes, muzzles at (-2, -26).
    m.Box(-2, -24, 30, 18, kRust, 3).Bias(0.05);
    m.Box(-2, -24, 24, 13, kRust, 1).Bias(-0.15);
    for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j) {
            m.Ellipse(-2 + 13 * i, -26 + 8 * j, 4, 3.4, kGrey, 1.3).Bias(0.1);
            m.Ellipse(-2 + 13 * i, -26 + 8 * j, 2.2, 1.8, kGrey).Flat(kOutline);
        }
    // Gun sponsons on the flanks and the bridge forward.
    for (double s : {-1.0, 1.0}) {
        m.Ellipse(s * 40, 18, 9, 9, kSteel, 1.2).Bias(0.1);
        m.Capsule({s * 40, 18}, {s * 40, 30}, 1.8, kGrey);
        m.Ellipse(s * 22, -4, 1.6, 1.6, kRed).Flat(kLights + (s > 0 ? 8 : 0));
    }
    m.Box(0, 26, 20, 11, kSteel, 2.5).Bias(0.15);
    m.Box(0, 33, 16, 2, kGlass).Flat(kGlass[1]);
    m.Ellipse(0, 22, 5, 5, kGrey, 1.5);  // the radar
    m.Capsule({-7, 22}, {7, 22}, 1.3, kGrey);
    Image img = Render(208, 128, m, 0, {true, true});
    SeaFoam(img, 0, 64, -64);
    return img;
}

Image Monitor(const Entry& e, Context&) {
    static const Image whole = MonitorWhole();
    return Crop(whole, 0, ArgInt(e, 0) * e.h, e.w, e.h);
}

MakerRegistrar r1("seacruiser", SeaCruiser);
MakerRegistrar r2("monitor", Monitor);

}  // namespace
}  // namespace art

// The sea stage's own pictures: the foam every ship sails in, the armoured
// cruiser afloat (stage 3 composes its sprite 98 from these halves instead of
// the ground cruiser's) and the boss, the mortar monitor.
#include "model.h"

#include <algorithm>
#include <cmath>
#include <vector>

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
    // The skirt, the armoured hull on it and the deck.
    m.Ellipse(0, 4, 99, 55, kGrey, 0.6).Bias(-0.5);
    const std::vector<Vec> hull = {{-84, -30}, {-62, -50}, {62, -50}, {84, -30}, {90, 10}, {70, 44}, {30, 58}, {-30, 58}, {-70, 44}, {-90, 10}};
    m.Poly(hull, kOlive, 5).Bias(-0.12);
    std::vector<Vec> deck;
    for (const Vec& v : hull) deck.push_back({v.x * 0.88, v.y * 0.86});
    m.Poly(deck, kOlive, 1.2).Bias(0.02);
    // Lift fans at the four corners, each in its armoured duct.
    for (double sx : {-1.0, 1.0})
        for (double sy : {-1.0, 1.0}) {
            const double fx = sx * 62, fy = sy * 22 + 2;
            m.Ellipse(fx, fy, 13, 12, kOlive, 0.9).Bias(0.08);
            m.Ellipse(fx, fy, 10, 9, kGrey).Flat(kOutline);
            for (int b = 0; b < 3; ++b) {
                const double a = b * kPi / 3 + (sx * sy > 0 ? 0.3 : -0.3);
                m.Capsule({fx - std::cos(a) * 8, fy - std::sin(a) * 7}, {fx + std::cos(a) * 8, fy + std::sin(a) * 7}, 1.3, kGrey);
            }
            m.Ellipse(fx, fy, 2.5, 2.5, kGrey, 1.3);
        }
    // The mortar battery: an armoured casemate with nine tubes (muzzles round
    // (-2, -26)), ammunition hoists either side.
    m.Box(-2, -24, 31, 19, kRust, 3.5).Bias(0.05);
    m.Box(-2, -24, 25, 14, kRust, 1).Bias(-0.18);
    for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j) {
            m.Ellipse(-2 + 13 * i, -26 + 8 * j, 4.2, 3.6, kGrey, 1.4).Bias(0.12);
            m.Ellipse(-2 + 13 * i, -26 + 8 * j, 2.3, 1.9, kGrey).Flat(kOutline);
        }
    for (double s : {-1.0, 1.0}) {
        m.Box(-2 + s * 38, -24, 5, 9, kGrey, 1.5).Bias(0.1);
        m.Box(-2 + s * 38, -24, 2.5, 5, kGrey).Flat(kOutline);
    }
    // Gun sponsons on the flanks, lights, the bridge and its radar forward.
    for (double s : {-1.0, 1.0}) {
        m.Ellipse(s * 40, 20, 9.5, 9.5, kOlive, 1.1).Bias(0.12);
        m.Ellipse(s * 40, 20, 6, 6, kGrey, 1.3);
        m.Capsule({s * 38, 22}, {s * 38, 33}, 1.6, kGrey);
        m.Capsule({s * 42, 22}, {s * 42, 33}, 1.6, kGrey);
        m.Ellipse(s * 22, -4, 1.6, 1.6, kRed).Flat(kLights + (s > 0 ? 8 : 0));
        m.Ellipse(s * 80, 6, 1.6, 1.6, kRed).Flat(kLights + (s > 0 ? 4 : 12));
    }
    m.Box(0, 27, 21, 12, kOlive, 3).Bias(0.2);
    m.Box(0, 24, 14, 6, kOlive, 1.2).Bias(0.3);
    m.Box(0, 35, 17, 1.6, kGlass).Flat(kGlass[1]);
    m.Ellipse(0, 22, 5, 5, kGrey, 1.5);
    m.Capsule({-8, 22}, {8, 22}, 1.4, kGrey);
    m.Capsule({0, -2}, {0, 10}, 0.8, kGrey);  // the mast, its pennant
    m.Box(3, -1, 3, 1, kRed).Flat(kRed[3]);
    Image img = Render(208, 128, m, 0, {true, true});
    // Plate seams across the deck, rivets along them.
    for (int y = 10; y < 120; y += 11)
        for (int x = 10; x < 198; ++x) {
            const std::uint8_t v = img.At(x, y);
            const auto it = std::find(kOlive.begin(), kOlive.end(), v);
            if (it == kOlive.end() || it == kOlive.begin()) continue;
            img.Set(x, y, *(it - 1));
            if (x % 5 == 0) img.Set(x, y + 1, kOlive[4]);
        }
    SeaFoam(img, 0, 64, -64);
    return img;
}

Image Monitor(const Entry& e, Context&) {
    static const Image whole = MonitorWhole();
    return Crop(whole, 0, ArgInt(e, 0) * e.h, e.w, e.h);
}

// "mortarshell SIZE": the monitor's shells falling down their columns, nose
// down: 0 (10 x 10) a glowing round, which is also the bullet of their bursts;
// 1 (20 x 20) and 2 (40 x 40) finned bombs with a glowing band, lit fuse
// forward. Warm and rimmed like every enemy bullet, so they read on the sea.
Image MortarShell(const Entry& e, Context&) {
    const int size = ArgInt(e, 0);
    Model m;
    if (size == 0) {
        m.Ellipse(0, 0, 4.2, 4.2, kRed, 1.2);
        m.Ellipse(-0.6, -0.6, 2.6, 2.6, kRed).Flat(kCycle + 4);
        m.Ellipse(-0.8, -0.8, 1.1, 1.1, kRed).Flat(kCycle);
        return Render(e.w, e.h, m, 0);
    }
    const double k = size == 1 ? 1.0 : 2.0;  // the large bomb is the medium one twice over
    for (double s : {-1.0, 1.0}) m.Poly({{s * 2 * k, -4 * k}, {s * 8 * k, -9 * k}, {s * 8 * k, -5 * k}, {s * 3 * k, -1 * k}}, kGrey, 1);
    m.Box(0, -7 * k, 1.2 * k, 2.5 * k, kGrey, 0.8);  // the tail's middle fin, seen edge on
    m.Ellipse(0, 1 * k, 5.5 * k, 7.5 * k, kGrey, 1.3).Bias(-0.05);
    m.Box(0, 1 * k, 5.2 * k, 1.3 * k, kRed).Flat(kCycle + 8);  // the glowing band
    m.Ellipse(0, 6.5 * k, 2.4 * k, 2 * k, kRed, 1.2);               // the fuse
    m.Ellipse(0, 7 * k, 1.1 * k, 1 * k, kRed).Flat(kCycle);
    return Render(e.w, e.h, m, 0);
}

MakerRegistrar r1("seacruiser", SeaCruiser);
MakerRegistrar r3("mortarshell", MortarShell);
MakerRegistrar r2("monitor", Monitor);

}  // namespace
}  // namespace art

// The palette texts 101..112 and the ramps sprites are drawn with.
//
// Index plan (text -> start index, per loader):
//   101 (47) / 111 (50) at 1:  1 outline, 2..7 grey, 8..12 blue, 13..17 red, 18..22 fire,
//                              23..26 green, 27..29 smoke, 30..45 glow cycle, 46 shadow, 47 white
//                              (111: the same, a shade darker and bluer, plus 48..50 night blues)
//   103 (39) / 109 (60) at 51: 51..66 light cycle, 67..71 olive, 72..76 steel, 77..81 rust,
//                              82..86 purple, 87..89 glass (109: darker, plus 90..110
//                              crimson, gold, bone, violet for the last boss and its bombs)
//   102 / 104 / 107 / 112 at 181:       181..196 water cycle, 197..202 ground, 203..207 second
//                              ground, 208..212 rock, 213..217 trees, 218..222 metal/road,
//                              223..226 sand, 227..229 yellow/red/white marks, then extras.
//                              The same layout in every map stage, so the shared ground
//                              tiles read as ground in each stage's own colours.
//   105 (32) at 181: stage 4's steady colours (see Mesa)
//   106 (96) at 101: six cycling ranges of 16 (stage 5: sea, glitter, sea in shadow, cloud shade,
//                              cloud, drifting cloud)
//   108 (132) at 101: four cycling ranges of 33 (stage-7 corridor: floor, walls, rims, lights; see stage7.cpp)
//   110 (121) at 111: two cycling ranges of 60 (stage-8 energy floor) and one steady colour
#include "art.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace art {
namespace {

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb Scale(Rgb a, double k, Rgb tint = {1, 1, 1}) { return {a.r * k * tint.r, a.g * k * tint.g, a.b * k * tint.b}; }

// Colour value 0x00BBGGRR of the palette texts.
long Value(Rgb c) {
    auto q = [](double v) { return long(std::lround(std::fmin(255.0, std::fmax(0.0, v)))); };
    return q(c.r) | (q(c.g) << 8) | (q(c.b) << 16);
}

using Colours = std::vector<Rgb>;

// n tones from dark through mid to light.
void AddRamp(Colours& out, int n, Rgb dark, Rgb mid, Rgb light) {
    for (int i = 0; i < n; ++i) {
        double t = n == 1 ? 0.5 : double(i) / (n - 1);
        out.push_back(t < 0.5 ? Mix(dark, mid, t * 2) : Mix(mid, light, (t - 0.5) * 2));
    }
}

// A loop of n colours: position p in [0, 1) around the loop -> colour.
template <typename F>
void AddLoop(Colours& out, int n, F f) {
    for (int i = 0; i < n; ++i) out.push_back(f(double(i) / n));
}

double Wave(double p) { return 0.5 + 0.5 * std::cos(p * 2 * M_PI); }

Colours Shared(bool night) {
    Colours c;
    c.push_back({14, 12, 24});                                                  // 1 outline
    AddRamp(c, 6, {44, 48, 62}, {122, 130, 148}, {236, 240, 248});              // 2..7 grey
    AddRamp(c, 5, {18, 30, 96}, {48, 100, 210}, {176, 214, 255});               // 8..12 blue
    AddRamp(c, 5, {80, 10, 18}, {214, 46, 34}, {255, 170, 130});                // 13..17 red
    AddRamp(c, 5, {150, 54, 0}, {246, 158, 24}, {255, 248, 184});               // 18..22 fire
    AddRamp(c, 4, {14, 70, 40}, {50, 160, 76}, {184, 248, 170});                // 23..26 green
    AddRamp(c, 3, {50, 44, 42}, {94, 84, 78}, {150, 138, 128});                 // 27..29 smoke
    // 30..45: white -> yellow -> orange -> hot pink and back; bright on every ground.
    AddLoop(c, 16, [](double p) {
        double a = Wave(p);
        Rgb pink{255, 56, 150}, orange{255, 140, 40}, yellow{255, 236, 110}, white{255, 255, 255};
        if (a > 0.66) return Mix(yellow, white, (a - 0.66) / 0.34);
        if (a > 0.33) return Mix(orange, yellow, (a - 0.33) / 0.33);
        return Mix(pink, orange, a / 0.33);
    });
    c.push_back({16, 20, 28});     // 46 shadow
    c.push_back({252, 252, 255});  // 47 white
    if (night) {
        for (Rgb& x : c) x = Scale(x, 0.86, {0.94, 0.97, 1.08});
        c[0] = {10, 8, 20};
        c[45] = {10, 12, 22};
        c[46] = {240, 242, 255};
        AddRamp(c, 3, {8, 10, 40}, {24, 30, 80}, {50, 60, 130});  // 48..50 night blues
    }
    return c;
}

Colours Enemy(bool dark) {
    Colours c;
    // 51..66: a light that flares once per turn of the cycle.
    AddLoop(c, 16, [](double p) {
        double d = std::fmin(p, 1 - p) * 16;  // distance from the flare in entries
        double a = std::fmax(0.0, 1 - d / 4);
        return a > 0.5 ? Mix({230, 40, 30}, {255, 250, 220}, (a - 0.5) * 2) : Mix({70, 10, 24}, {230, 40, 30}, a * 2);
    });
    AddRamp(c, 5, {34, 44, 20}, {108, 128, 56}, {206, 222, 150});   // 67..71 olive
    AddRamp(c, 5, {22, 42, 52}, {70, 122, 132}, {176, 226, 222});   // 72..76 steel (teal)
    AddRamp(c, 5, {60, 24, 12}, {164, 84, 38}, {246, 190, 120});    // 77..81 rust
    AddRamp(c, 5, {40, 14, 56}, {128, 56, 160}, {232, 170, 250});   // 82..86 purple
    AddRamp(c, 3, {20, 80, 120}, {60, 200, 240}, {210, 255, 255});  // 87..89 glass
    if (dark) {
        for (std::size_t i = 16; i < c.size(); ++i) c[i] = Scale(c[i], 0.86, {0.96, 0.96, 1.06});
        AddRamp(c, 5, {60, 0, 20}, {180, 20, 50}, {255, 140, 150});     // 90..94 crimson
        AddRamp(c, 5, {80, 50, 0}, {210, 160, 30}, {255, 246, 170});    // 95..99 gold
        AddRamp(c, 5, {60, 56, 60}, {170, 164, 160}, {250, 246, 236});  // 100..104 bone
        AddRamp(c, 6, {24, 8, 50}, {100, 40, 180}, {210, 170, 255});    // 105..110 violet
    }
    return c;
}

// Colours of a map stage (layout at 181).
struct Terrain {
    Rgb deep, shallow, foam;             // water
    Rgb g0, g1, g2;                      // ground
    Rgb h0, h1, h2;                      // second ground
    Rgb r0, r1, r2;                      // rock
    Rgb v0, v1, v2;                      // trees
    Rgb m0, m1, m2;                      // metal / road
    Rgb s0, s1, s2;                      // sand
};

Colours MapStage(const Terrain& t, int count, const Colours& extra) {
    Colours c;
    AddLoop(c, 16, [&](double p) {
        double a = Wave(p);
        return a > 0.85 ? Mix(t.shallow, t.foam, (a - 0.85) / 0.15) : Mix(t.deep, t.shallow, a / 0.85);
    });
    AddRamp(c, 6, t.g0, t.g1, t.g2);
    AddRamp(c, 5, t.h0, t.h1, t.h2);
    AddRamp(c, 5, t.r0, t.r1, t.r2);
    AddRamp(c, 5, t.v0, t.v1, t.v2);
    AddRamp(c, 5, t.m0, t.m1, t.m2);
    AddRamp(c, 4, t.s0, t.s1, t.s2);
    c.push_back({250, 210, 40});   // 227 yellow marks
    c.push_back({220, 40, 36});    // 228 red marks
    c.push_back({240, 240, 232});  // 229 white marks
    for (const Rgb& x : extra) c.push_back(x);
    while (int(c.size()) < count) c.push_back(Scale(t.r1, 0.5 + 0.5 * (c.size() % 5) / 4.0));
    c.resize(count);
    return c;
}

// Stage 1: a deep, saturated meadow (ground luminance about 0.1) so that light-topped ground
// units, the player's fire and the enemy bullets all stand well above it; trees bluer and darker
// than the grass, with sunlit crowns; earth, rock and concrete warm to cool.
const Terrain kMeadow{{10, 28, 84}, {34, 96, 180}, {196, 238, 255}, {14, 32, 14}, {50, 94, 34}, {136, 172, 66},
                      {52, 34, 20}, {118, 84, 46}, {204, 168, 104}, {40, 40, 42}, {110, 106, 98}, {206, 200, 184},
                      {4, 22, 18}, {22, 74, 42}, {112, 174, 78}, {34, 36, 44}, {106, 108, 116}, {210, 212, 216},
                      {120, 100, 54}, {190, 168, 104}, {238, 224, 168}};
// Stages 2 and 3 share text 104 and differ by the ranges their pictures use. Stage 3's sea is the
// shared ground cells seen through it: their ramp (197..202) is deep water (mean luminance about
// 0.07), their lit tufts wave crests, their stones (208..212) whitecaps and their flowers (227,
// 229) glints of the sun. Stage 2's desert city draws with the rest: its water (181..196, an
// oasis green-blue), sandstone (203..207), palms and scrub (213..217), concrete (218..222), dusky
// ochre sand (230, 231, 223..226, 232), terracotta (233..237) and whitewash (238..241).
const Terrain kDesertAndSea{{10, 50, 62}, {28, 118, 128}, {190, 246, 230}, {6, 18, 46}, {22, 64, 116}, {118, 186, 226},
                            {66, 40, 26}, {160, 112, 70}, {236, 204, 150}, {8, 26, 56}, {62, 126, 172}, {226, 246, 252},
                            {20, 36, 14}, {66, 104, 38}, {168, 196, 96}, {36, 34, 34}, {92, 86, 80}, {186, 180, 168},
                            {94, 56, 28}, {148, 98, 52}, {228, 182, 116}};
Colours DesertAndSea() {
    Colours extra;
    extra.push_back({36, 20, 12});   // 230, 231: the sand's shade
    extra.push_back({62, 36, 18});
    extra.push_back({250, 224, 170});  // 232: its sunlit grain
    AddRamp(extra, 5, {72, 26, 16}, {172, 76, 44}, {240, 156, 104});   // 233..237 terracotta
    AddRamp(extra, 4, {104, 98, 92}, {190, 180, 160}, {250, 246, 232});  // 238..241 whitewash
    Colours c = MapStage(kDesertAndSea, 61, extra);
    c[227 - 181] = {250, 226, 130};  // pale gold: line paint on concrete, the sun's glint on the sea
    return c;
}

// Stage 6, the naval base: harbour water dark and oily, the yard's asphalt a deep
// slate (luminance about 0.07), red roof paint, granite, naval grey, concrete kept dark
// enough that the ground units stand above it, crane yellow.
const Terrain kHarbour{{4, 16, 28}, {14, 44, 62}, {84, 128, 146}, {14, 18, 26}, {60, 70, 82}, {146, 156, 166},
                       {44, 18, 16}, {126, 56, 40}, {214, 146, 104}, {30, 30, 34}, {96, 96, 100}, {190, 188, 180},
                       {24, 34, 44}, {86, 102, 116}, {186, 200, 212}, {40, 38, 34}, {112, 106, 94}, {204, 198, 178},
                       {96, 66, 8}, {204, 152, 28}, {252, 224, 112}};
// 230..234 navy (the boss, the boats' lights), 235..237 signal green.
Colours HarbourExtras() {
    Colours c;
    AddRamp(c, 5, {14, 20, 36}, {48, 62, 90}, {156, 176, 204});
    AddRamp(c, 3, {8, 56, 28}, {40, 176, 84}, {176, 252, 196});
    return c;
}
// The ending: a warm late afternoon over the home valley, then the sunset.
const Terrain kHomeward{{18, 58, 104}, {46, 124, 166}, {226, 246, 248}, {30, 66, 24}, {90, 148, 50}, {196, 222, 118},
                        {64, 42, 22}, {140, 98, 52}, {214, 178, 116}, {58, 52, 50}, {128, 118, 104}, {214, 204, 184},
                        {12, 38, 20}, {38, 100, 40}, {136, 194, 84}, {56, 50, 54}, {124, 116, 112}, {214, 206, 192},
                        {136, 108, 58}, {206, 180, 116}, {248, 234, 184}};
// 230..254: roofs, plaster, the evening sky, the sun and the dark coast.
Colours HomewardExtras() {
    Colours c;
    AddRamp(c, 6, {72, 22, 20}, {180, 72, 42}, {246, 156, 100});   // 230..235 roof tiles
    AddRamp(c, 5, {112, 92, 72}, {204, 180, 142}, {252, 240, 212}); // 236..240 plaster
    for (Rgb sky : {Rgb{38, 28, 84}, Rgb{78, 40, 108}, Rgb{140, 60, 120}, Rgb{206, 90, 110}, Rgb{240, 136, 92},
                    Rgb{252, 188, 110}, Rgb{255, 228, 160}})
        c.push_back(sky);                                          // 241..247 sky, zenith to horizon
    AddRamp(c, 4, {255, 164, 56}, {255, 214, 110}, {255, 252, 232}); // 248..251 the sun
    AddRamp(c, 3, {22, 18, 40}, {42, 32, 62}, {72, 52, 86});        // 252..254 coast at dusk
    return c;
}

// Stage 4, the red mesa: no range cycles, so all 32 are steady colours.
//   181..186 drifted sand, 187..192 bronze gone green, 193..196 the cool shade of
//   the joints, 197..202 the floor's red stone, 203..207 the citadel's pale
//   sandstone, 208..212 the mesa's raw rock.
Colours Mesa() {
    Colours c;
    AddRamp(c, 6, {70, 40, 24}, {170, 118, 66}, {240, 208, 150});    // 181..186 sand
    AddRamp(c, 6, {18, 40, 36}, {62, 124, 104}, {170, 226, 196});    // 187..192 verdigris
    AddRamp(c, 4, {14, 10, 18}, {40, 32, 42}, {86, 74, 84});         // 193..196 joint shade
    AddRamp(c, 6, {26, 12, 12}, {104, 56, 42}, {222, 156, 112});     // 197..202 floor stone
    AddRamp(c, 5, {46, 34, 30}, {136, 110, 86}, {226, 206, 170});    // 203..207 sandstone
    AddRamp(c, 5, {50, 18, 10}, {156, 70, 38}, {238, 158, 100});     // 208..212 raw rock
    return c;
}

// Stage 5, high above the clouds: six loops of 16. The sea far below (a
// swell, its glitter, and the same swell in the shadows the deck casts),
// the cloud deck's shaded and lit flanks (a faint billow), and the lit
// crests of the clouds that drift past under the ship. Hazy and cool; the
// lit cloud stays below the white of the bullets' cores.
Colours Sky() {
    Colours c;
    AddLoop(c, 16, [](double p) { return Mix({26, 62, 118}, {36, 78, 138}, Wave(p)); });
    AddLoop(c, 16, [](double p) { return Mix({36, 78, 138}, {196, 224, 250}, std::pow(Wave(p), 8)); });
    AddLoop(c, 16, [](double p) { return Mix({16, 38, 80}, {22, 48, 94}, Wave(p)); });
    AddLoop(c, 16, [](double p) { return Mix({104, 120, 158}, {120, 136, 172}, Wave(p)); });
    AddLoop(c, 16, [](double p) { return Mix({178, 190, 214}, {198, 208, 228}, Wave(p)); });
    AddLoop(c, 16, [](double p) { return Mix({196, 206, 226}, {226, 232, 244}, Wave(p)); });
    return c;
}

// Stage 8: the stronghold's floor. Two loops of 60 that roll in beats of 15
// steps, so each is four copies of one 15-step cycle and a beat takes every
// pixel once round it: phases 1..12 are the floor at rest, 13 and 14 the surge
// passing, 0 its afterglow. A pixel's phase decides when in the beat it lights
// up, so the phases drawn along a vein or across a plate make the surge run.
//   111..170 veins: dim green conduit light; the surge white-green
//   171..230 plates: gunmetal; the surge's glow on them, faint
//   231      steady: the dark seams between plates
Colours Core() {
    Colours c;
    auto beat = [&](Rgb rest, Rgb crest, Rgb peak, Rgb after) {
        for (int g = 0; g < 4; ++g)
            for (int q = 0; q < 15; ++q) c.push_back(q == 0 ? after : q == 13 ? crest : q == 14 ? peak : rest);
    };
    beat({22, 84, 58}, {96, 226, 150}, {214, 255, 214}, {46, 150, 98});
    beat({68, 74, 94}, {76, 96, 106}, {86, 116, 118}, {72, 84, 100});
    c.push_back({16, 16, 26});
    return c;
}

std::string Text(const Colours& c) {
    std::string s = "42428010/" + std::to_string(c.size()) + "/";
    for (const Rgb& x : c) s += std::to_string(Value(x)) + "/";
    return s;
}

Ramp Seq(int from, int n) {
    Ramp r;
    for (int i = 0; i < n; ++i) r.push_back(std::uint8_t(from + i));
    return r;
}

}  // namespace

const Ramp kGrey = Seq(2, 6), kBlue = Seq(8, 5), kRed = Seq(13, 5), kFire = Seq(18, 5), kGreen = Seq(23, 4),
           kSmoke = Seq(27, 3);
const Ramp kOlive = Seq(67, 5), kSteel = Seq(72, 5), kRust = Seq(77, 5), kPurple = Seq(82, 5), kGlass = Seq(87, 3);
const Ramp kCrimson = Seq(90, 5), kGold = Seq(95, 5), kBone = Seq(100, 5), kViolet = Seq(105, 6);
const Ramp kGround = Seq(197, 6), kGround2 = Seq(203, 5), kRock = Seq(208, 5), kVeg = Seq(213, 5), kMetal = Seq(218, 5),
           kSand = Seq(223, 4);

const Ramp& RampByName(const std::string& name) {
    static const std::map<std::string, const Ramp*> ramps = {
        {"grey", &kGrey},     {"blue", &kBlue},       {"red", &kRed},       {"fire", &kFire},     {"green", &kGreen},
        {"smoke", &kSmoke},   {"olive", &kOlive},     {"steel", &kSteel},   {"rust", &kRust},     {"purple", &kPurple},
        {"glass", &kGlass},   {"crimson", &kCrimson}, {"gold", &kGold},     {"bone", &kBone},     {"violet", &kViolet},
        {"ground", &kGround}, {"ground2", &kGround2}, {"rock", &kRock},     {"veg", &kVeg},       {"metal", &kMetal},
        {"sand", &kSand}};
    auto it = ramps.find(name);
    if (it == ramps.end()) {
        std::fprintf(stderr, "zenit-gen-art: unknown ramp '%s'\n", name.c_str());
        std::exit(1);
    }
    return *it->second;
}

std::vector<std::pair<int, std::string>> PaletteTexts() {
    Colours none;
    return {
        {101, Text(Shared(false))},
        {102, Text(MapStage(kMeadow, 52, {{170, 60, 40}, {220, 110, 70}, {250, 180, 130}}))},
        {103, Text(Enemy(false))},
        {104, Text(DesertAndSea())},
        {105, Text(Mesa())},
        {106, Text(Sky())},
        {107, Text(MapStage(kHarbour, 57, HarbourExtras()))},
        {108, Stage7PaletteText()},
        {109, Text(Enemy(true))},
        {110, Text(Core())},
        {111, Text(Shared(true))},
        {112, Text(MapStage(kHomeward, 74, HomewardExtras()))},
    };
}

}  // namespace art

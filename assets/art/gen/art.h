// Shared pieces of the art generator: images of palette indices, the palette
// index plan every sprite is drawn with, and the registry of sprite makers.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace art {

constexpr std::uint8_t kClear = 255;  // transparent pixel of a sprite

// ---- Palette index plan -------------------------------------------------
// 1..47   shared by every stage (texts 101 / 111): ship, weapons, UI, effects.
// 51..89  shared enemy ramps (texts 103 / 109; 109 adds 90..110 for the last stage and the ending).
// 101.. / 111.. / 181..  the stage's own terrain text.
// A ramp lists its indices from dark to light.
using Ramp = std::vector<std::uint8_t>;

constexpr std::uint8_t kOutline = 1;
constexpr std::uint8_t kShadow = 46;
constexpr std::uint8_t kWhite = 47;
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kCycle = 30;   // 30..45: bullet and engine glow, rolled by every stage
constexpr std::uint8_t kLights = 51;  // 51..66: enemy lights, rolled by every stage
constexpr std::uint8_t kWater = 181;  // 181..196: water, rolled by the map backgrounds

extern const Ramp kGrey, kBlue, kRed, kFire, kGreen, kSmoke;       // shared
extern const Ramp kOlive, kSteel, kRust, kPurple, kGlass;          // enemies
extern const Ramp kCrimson, kGold, kBone, kViolet;                 // enemies, last stage and ending only
extern const Ramp kGround, kGround2, kRock, kVeg, kMetal, kSand;   // terrain (stage text at 181)
constexpr std::uint8_t kMarkYellow = 227, kMarkRed = 228, kMarkWhite = 229;

const Ramp& RampByName(const std::string& name);  // "grey", "olive", ... ; aborts on an unknown name

// The palette texts 101..112 as stored in the string resources.
std::vector<std::pair<int, std::string>> PaletteTexts();
// Text 108, the stage-7 corridor's colours (made with its picture, stage7.cpp).
std::string Stage7PaletteText();

// ---- Images --------------------------------------------------------------
struct Image {
    int w = 0, h = 0;
    std::vector<std::uint8_t> px;
    Image() = default;
    Image(int width, int height, std::uint8_t fill = kClear) : w(width), h(height), px(std::size_t(width) * height, fill) {}
    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    std::uint8_t At(int x, int y) const { return In(x, y) ? px[std::size_t(y) * w + x] : kClear; }
    void Set(int x, int y, std::uint8_t v) { if (In(x, y)) px[std::size_t(y) * w + x] = v; }
    bool Solid(int x, int y) const { return At(x, y) != kClear; }
};

// Copies src onto dst with its top-left at (x, y), skipping transparent pixels.
void Blit(Image& dst, const Image& src, int x, int y);
Image Crop(const Image& src, int x, int y, int w, int h);
// Draws a one-pixel outline (colour c) around every opaque area, inside the image bounds.
void Outline(Image& img, std::uint8_t c = kOutline);
// A shadow: the silhouette in the shadow colour on a checkerboard, so the ground shows through.
Image ShadowOf(const Image& src);
void FillRect(Image& img, int x0, int y0, int x1, int y1, std::uint8_t c);  // inclusive corners
void Line(Image& img, int x0, int y0, int x1, int y1, std::uint8_t c);
// Bayer 4x4 threshold in [0, 1): used to blend two ramp tones without banding.
double Bayer(int x, int y);
// Picks a tone of the ramp for a light value t in [0, 1], dithered at (x, y).
std::uint8_t Tone(const Ramp& r, double t, int x, int y, bool dither = true);

// ---- Noise -------------------------------------------------------------
// Value noise that repeats every `period` pixels in x and y (period a multiple of cell).
double TileNoise(double x, double y, int cell, int period, std::uint32_t seed);
double Fbm(double x, double y, int period, std::uint32_t seed, int octaves = 4);
std::uint32_t Hash(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);

// ---- Text --------------------------------------------------------------
// The 5x7 font from font.txt. Returns false for a character it does not have.
bool Glyph(char ch, std::array<std::uint8_t, 7>& rows);
int TextWidth(const std::string& text, int scale);
// Draws text with its top-left at (x, y); each font pixel is scale x scale.
void DrawText(Image& img, const std::string& text, int x, int y, int scale, const Ramp& ramp, bool shade);

// ---- Sprite makers -----------------------------------------------------
struct Entry {
    int id = 0, w = 0, h = 0;
    std::string maker;              // generator name
    std::vector<std::string> args;  // its arguments
    std::string role;
};

class Context;
using Maker = std::function<Image(const Entry&, Context&)>;

class Context {
public:
    std::string src_dir;
    std::map<int, Entry> catalogue;
    // Pixel maps read from maps/*.txt, by name.
    std::map<std::string, Image> maps;
    // The image of another sprite (made on first use).
    const Image& Sprite(int id);
    Image Make(const Entry& e);
private:
    std::map<int, Image> made_;
};

void RegisterMaker(const std::string& name, Maker m);
struct MakerRegistrar {
    MakerRegistrar(const std::string& name, Maker m) { RegisterMaker(name, std::move(m)); }
};
int ArgInt(const Entry& e, std::size_t i, int fallback = 0);
std::string ArgStr(const Entry& e, std::size_t i, const std::string& fallback = "");

// Reads maps/*.txt into ctx.maps; exits with a message on a malformed map.
void LoadPixelMaps(Context& ctx);
void LoadFont(const std::string& path);

}  // namespace art

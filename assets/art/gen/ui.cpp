// Sprites made from other sprites or from the font: pixel maps,
// shadows, digits, labels, banners and the status bar.
#include "art.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace art {
namespace {

constexpr std::uint8_t kPanel = 2;       // status bar background (darkest grey)
constexpr std::uint8_t kPanelEdge = 1;   // its bottom border

const Ramp kBannerRamp = {13, 14, 15, 19, 20, 21, 22, 47};
const Ramp kTitleRamp = {8, 9, 10, 11, 12, 47};
const Ramp kLabelRamp = {4, 5, 6, 7, 47};
const Ramp kScoreRamp = {20, 21, 22, 47};
const Ramp kLivesRamp = {24, 25, 26, 47};
const Ramp kDimRamp = {4, 5};

std::string Spaced(std::string s) {
    for (char& c : s)
        if (c == '_') c = ' ';
    return s;
}

Image FromMap(const Entry& e, Context& ctx) {
    auto it = ctx.maps.find(ArgStr(e, 0));
    if (it == ctx.maps.end()) {
        std::fprintf(stderr, "zenit-gen-art: sprite %d: no pixel map '%s'\n", e.id, ArgStr(e, 0).c_str());
        std::exit(1);
    }
    return it->second;
}

// The shadow of one sprite, or of several stacked top to bottom (a boss drawn in bands),
// centred in the entry's size.
Image Shadow(const Entry& e, Context& ctx) {
    if (e.args.empty()) {
        std::fprintf(stderr, "zenit-gen-art: sprite %d: a shadow needs the sprite it falls from\n", e.id);
        std::exit(1);
    }
    std::vector<const Image*> parts;
    int w = 0, h = 0;
    for (const std::string& id : e.args) {
        const Image& part = ctx.Sprite(std::atoi(id.c_str()));
        parts.push_back(&part);
        w = std::max(w, part.w);
        h += part.h;
    }
    Image whole(w, h);
    for (int y = 0; const Image* part : parts) {
        Blit(whole, *part, 0, y);
        y += part->h;
    }
    Image s = ShadowOf(whole);
    if (s.w == e.w && s.h == e.h) return s;
    Image out(e.w, e.h);
    Blit(out, s, (e.w - s.w) / 2, (e.h - s.h) / 2);
    return out;
}

Image Fill(const Entry& e, Context&) { return Image(e.w, e.h, std::uint8_t(ArgInt(e, 0))); }

// An 8x10 character cell of the status line, drawn opaque: it carries the bar's background.
Image MakeGlyph(const Entry& e, Context&) {
    std::string s = ArgStr(e, 0);
    char ch = s == "_" ? ' ' : s[0];
    Image cell(e.w, e.h, kPanel);
    Image ink(e.w, e.h);
    DrawText(ink, std::string(1, ch), 1, 1, 1, ArgStr(e, 1) == "lives" ? kLivesRamp : kScoreRamp, true);
    Outline(ink);
    Blit(cell, ink, 0, 0);
    for (int x = 0; x < e.w; ++x) cell.Set(x, e.h - 1, kPanelEdge);
    return cell;
}

// Centred (or left-aligned) text with an outline, on a transparent ground.
Image TextImage(int w, int h, const std::string& text, int scale, const Ramp& ramp, bool left = false) {
    Image img(w, h);
    int tw = TextWidth(text, scale), th = 7 * scale;
    DrawText(img, text, left ? 1 : (w - tw) / 2, (h - th) / 2, scale, ramp, true);
    Outline(img);
    return img;
}

Image Label(const Entry& e, Context&) {
    return TextImage(e.w, e.h, Spaced(ArgStr(e, 0)), 1, kLabelRamp, e.id >= 248 && e.id <= 251);
}

int FitScale(const Entry& e, const std::string& text, int most) {
    for (int s = most; s > 1; --s)
        if (TextWidth(text, s) + 2 <= e.w && 7 * s + 2 <= e.h) return s;
    return 1;
}

Image Banner(const Entry& e, Context&) {
    std::string text = Spaced(ArgStr(e, 0));
    return TextImage(e.w, e.h, text, FitScale(e, text, 3), kBannerRamp);
}

Image Title(const Entry& e, Context&) {
    std::string text = Spaced(ArgStr(e, 0));
    return TextImage(e.w, e.h, text, FitScale(e, text, 2), kTitleRamp);
}

// Shop slot label, 48x12, opaque: dim inside the bar, lit when the cursor is on it.
Image ShopLabel(int slot, bool lit) {
    static const char* names[5] = {"SHOT", "OPTION", "LASER", "MISSILE", "1UP"};
    Image img(48, 12, kPanel);
    std::uint8_t frame = lit ? 11 : 3, fill = lit ? 9 : kPanel;
    FillRect(img, 1, 1, 46, 10, fill);
    for (int x = 1; x < 47; ++x) img.Set(x, 0, frame), img.Set(x, 11, lit ? 8 : kPanel);
    for (int y = 1; y < 11; ++y) img.Set(0, y, frame), img.Set(47, y, lit ? 8 : kPanel);
    Image ink(48, 12);
    std::string name = names[slot];
    DrawText(ink, name, (48 - TextWidth(name, 1)) / 2, 3, 1, lit ? kScoreRamp : kDimRamp, lit);
    Blit(img, ink, 0, -1);
    return img;
}

Image MakeShopLabel(const Entry& e, Context&) { return ShopLabel(ArgInt(e, 0), ArgStr(e, 1) == "lit"); }

// Sound volume indicator, 10x11, opaque: a speaker and 1..3 bars.
Image Volume(const Entry& e, Context&) {
    int level = ArgInt(e, 0);
    Image img(e.w, e.h, kPanel);
    FillRect(img, 0, 4, 1, 6, 6);
    FillRect(img, 2, 3, 2, 7, 6);
    FillRect(img, 3, 2, 3, 8, 6);
    for (int b = 0; b < 3; ++b) {
        std::uint8_t c = b < level ? std::uint8_t(24 + b) : 3;
        FillRect(img, 5 + b * 2, 6 - b * 2, 5 + b * 2, 8, c);
    }
    return img;
}

Image StatusBar(const Entry& e, Context&) {
    Image img(e.w, e.h, kPanel);
    for (int x = 0; x < e.w; ++x) img.Set(x, e.h - 1, kPanelEdge), img.Set(x, 11, 3);
    for (int s = 0; s < 5; ++s) Blit(img, ShopLabel(s, false), 17 + 50 * s, 0);
    Image ink(e.w, e.h);
    DrawText(ink, "SCORE", 104, 13, 1, kDimRamp, false);
    DrawText(ink, "SHIP", 264, 13, 1, kDimRamp, false);
    DrawText(ink, "RATE", 58, 13, 1, kDimRamp, false);
    Blit(img, ink, 0, 0);
    // the volume indicator's place at (5, 0)
    FillRect(img, 5, 0, 14, 10, kPanel);
    return img;
}

MakerRegistrar r1("map", FromMap);
MakerRegistrar r3("shadow", Shadow);
MakerRegistrar r4("fill", Fill);
MakerRegistrar r5("glyph", MakeGlyph);
MakerRegistrar r6("label", Label);
MakerRegistrar r7("banner", Banner);
MakerRegistrar r8("title", Title);
MakerRegistrar r9("shoplabel", MakeShopLabel);
MakerRegistrar r10("volume", Volume);
MakerRegistrar r11("statusbar", StatusBar);

}  // namespace
}  // namespace art

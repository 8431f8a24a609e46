// Text pixel maps (maps/*.txt) and the 5x7 font (font.txt).
#include "art.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace art {
namespace {

std::map<char, std::array<std::uint8_t, 7>> g_font;

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    std::fprintf(stderr, "zenit-gen-art: %s: %s\n", where.c_str(), what.c_str());
    std::exit(1);
}

// Reads "X index" (a character and its palette index) into the legend; false on a malformed entry.
bool ReadLegend(std::istream& in, std::map<char, int>& legend) {
    std::string ch;
    int index = -1;
    in >> ch >> index;
    if (ch.size() != 1 || index < 0 || index > 255) return false;
    legend[ch[0]] = index;
    return true;
}

}  // namespace

void LoadFont(const std::string& path) {
    std::ifstream in(path);
    if (!in) Fail(path, "cannot read");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("char ", 0) != 0) continue;
        std::string name = line.substr(5);
        char ch = name == "space" ? ' ' : name[0];
        std::array<std::uint8_t, 7> rows{};
        for (int r = 0; r < 7; ++r) {
            if (!std::getline(in, line) || line.size() != 5) Fail(path, "glyph " + name + " needs seven rows of five");
            for (int c = 0; c < 5; ++c)
                if (line[std::size_t(c)] == '#') rows[std::size_t(r)] |= std::uint8_t(0x10 >> c);
        }
        g_font[ch] = rows;
    }
}

bool Glyph(char ch, std::array<std::uint8_t, 7>& rows) {
    auto it = g_font.find(ch);
    if (it == g_font.end()) return false;
    rows = it->second;
    return true;
}

int TextWidth(const std::string& text, int scale) { return text.empty() ? 0 : int(text.size()) * 6 * scale - scale; }

void DrawText(Image& img, const std::string& text, int x, int y, int scale, const Ramp& ramp, bool shade) {
    for (std::size_t k = 0; k < text.size(); ++k) {
        std::array<std::uint8_t, 7> rows{};
        if (!Glyph(text[k], rows)) Fail("font", std::string("no glyph for '") + text[k] + "'");
        int gx = x + int(k) * 6 * scale;
        for (int r = 0; r < 7 * scale; ++r)
            for (int c = 0; c < 5 * scale; ++c) {
                if (!(rows[std::size_t(r / scale)] & (0x10 >> (c / scale)))) continue;
                // Light from the top: the upper rows take the light tones.
                double t = shade ? 1.0 - double(r) / (7 * scale - 1) * 0.85 : 1.0;
                img.Set(gx + c, y + r, Tone(ramp, t, gx + c, y + r, false));
            }
    }
}

void LoadPixelMaps(Context& ctx) {
    namespace fs = std::filesystem;
    fs::path dir = fs::path(ctx.src_dir) / "maps";
    std::map<char, int> legend;
    {
        std::ifstream in(dir / "legend.txt");
        if (!in) Fail((dir / "legend.txt").string(), "cannot read");
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream ls(line);
            if (!ReadLegend(ls, legend)) Fail("legend.txt", "bad line '" + line + "'");
        }
    }
    std::vector<fs::path> files;
    for (const auto& f : fs::directory_iterator(dir))
        if (f.path().extension() == ".txt" && f.path().filename() != "legend.txt") files.push_back(f.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file);
        std::map<char, int> local = legend;
        std::string line;
        int lineno = 0;
        while (std::getline(in, line)) {
            ++lineno;
            if (line.empty() || line[0] == '#') continue;
            std::istringstream ls(line);
            std::string word;
            ls >> word;
            if (word == "legend") {  // a colour just for this file: legend X index
                if (!ReadLegend(ls, local)) Fail(file.string(), "bad legend at line " + std::to_string(lineno));
            } else if (word == "map") {
                std::string name;
                int w = 0, h = 0;
                ls >> name >> w >> h;
                if (name.empty() || w <= 0 || h <= 0) Fail(file.string(), "bad map header at line " + std::to_string(lineno));
                Image img(w, h);
                for (int y = 0; y < h; ++y) {
                    ++lineno;
                    if (!std::getline(in, line) || int(line.size()) < w)
                        Fail(file.string(), "map " + name + " row " + std::to_string(y) + " is short (line " + std::to_string(lineno) + ")");
                    for (int x = 0; x < w; ++x) {
                        auto it = local.find(line[std::size_t(x)]);
                        if (it == local.end())
                            Fail(file.string(), std::string("unknown colour '") + line[std::size_t(x)] + "' at line " + std::to_string(lineno));
                        img.Set(x, y, std::uint8_t(it->second));
                    }
                }
                ctx.maps[name] = img;
            } else {
                Fail(file.string(), "unknown word '" + word + "' at line " + std::to_string(lineno));
            }
        }
    }
}

}  // namespace art

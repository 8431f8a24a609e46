// Exporters for the game art: every sprite resource as sprite/<id>.res (the
// resource format, written back by the sprite pack) and sprite/<id>.png, a
// contact sheet per id range (sheet/<first>-<last>.png) and the palette texts
// (palette/<id>.txt).
//
// The PNGs use one stage's palette, as that stage loads it: stage 1 unless
// ZENIT_ART_STAGE names another (1..8, or 9 for the ending). With
// ZENIT_ART_STAGE=all the contact sheets are made once per palette
// (sheet/<first>-<last>-s<stage>.png), since the stage ranges of the ground
// sprites only read right in their own stage. Transparent pixels show as a
// grey checkerboard.
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/resource_pack.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "stage_palettes.h"
#include "tool.h"

namespace fs = std::filesystem;

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

bool WritePng(const fs::path& path, int w, int h, const std::vector<Rgb>& pixels) {
    FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(&pixels[std::size_t(y) * std::size_t(w)]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

std::string Text(std::span<const std::uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

std::vector<Rgb> StagePalette(int stage) {
    CQ7Palette256 pal;
    pal.Clear();
    for (const PaletteLoad& l : StagePaletteLoads(stage))
        if (auto t = FindResource("STRING", l.text)) pal.SetUpText(Text(*t), l.first);
    std::vector<Rgb> out(256);
    for (int i = 0; i < 256; ++i) {
        std::int32_t c = pal.GetColor32(i);
        out[std::size_t(i)] = {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16)};
    }
    return out;
}

Rgb Checker(int x, int y) { return ((x / 4 + y / 4) % 2) ? Rgb{70, 70, 80} : Rgb{100, 100, 112}; }

std::vector<int> SpriteIds() {
    std::vector<int> ids;
    for (const ResourceRef& r : ListResources())
        if (r.type == "CUSTOM") ids.push_back(std::atoi(std::string(r.name).c_str()));
    std::sort(ids.begin(), ids.end());
    return ids;
}

int ExportPalettes(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir / "palette", ec);
    int status = 0;
    for (int id = 101; id <= 112; ++id) {
        auto t = FindResource("STRING", id);
        FILE* f = t ? std::fopen((dir / "palette" / (std::to_string(id) + ".txt")).string().c_str(), "wb") : nullptr;
        if (!f) {
            std::fprintf(stderr, "export: palette text %d missing or not writable\n", id);
            status = 1;
            continue;
        }
        bool ok = std::fwrite(t->data(), 1, t->size(), f) == t->size() && std::fputc('\n', f) != EOF;
        if (std::fclose(f) != 0 || !ok) {
            std::fprintf(stderr, "export: palette text %d could not be written\n", id);
            status = 1;
        }
    }
    return status;
}

// Contact sheets: sprites on shelves, twice their size, 4 pixels apart.
int WriteSheets(const fs::path& dir, const std::vector<int>& ids, const std::vector<Rgb>& pal, const std::string& suffix) {
    int status = 0;
    const int ranges[4][2] = {{101, 254}, {1001, 1221}, {4001, 4368}, {6001, 6088}};
    for (const auto& range : ranges) {
        const int scale = 2, width = 1296, gap = 4;
        struct Place {
            int id, x, y;
        };
        std::vector<Place> places;
        int x = 0, y = 0, shelf = 0;
        for (int id : ids) {
            if (id < range[0] || id > range[1]) continue;
            const CQ7Spritedata& dt = g_DDBPack.GetSprite(id).DT;
            int w = dt.Width() * scale + gap, h = dt.Height() * scale + gap;
            if (x + w > width) x = 0, y += shelf, shelf = 0;
            places.push_back({id, x, y});
            x += w;
            shelf = std::max(shelf, h);
        }
        int height = std::max(1, y + shelf);
        std::vector<Rgb> sheet(std::size_t(width) * std::size_t(height), Rgb{36, 0, 44});
        for (const Place& p : places) {
            const CQ7Spritedata& dt = g_DDBPack.GetSprite(p.id).DT;
            for (int sy = 0; sy < dt.Height() * scale; ++sy)
                for (int sx = 0; sx < dt.Width() * scale; ++sx) {
                    int v = dt.GetPixelData(sx / scale, sy / scale);
                    sheet[std::size_t(p.y + gap / 2 + sy) * std::size_t(width) + std::size_t(p.x + gap / 2 + sx)] =
                        v == 255 ? Checker(sx / scale, sy / scale) : pal[std::size_t(v)];
                }
        }
        std::string name = std::to_string(range[0]) + "-" + std::to_string(range[1]) + suffix + ".png";
        if (!WritePng(dir / "sheet" / name, width, height, sheet)) status = 1;
    }
    return status;
}

int ExportSprites(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir / "sprite", ec);
    fs::create_directories(dir / "sheet", ec);
    const char* env = std::getenv("ZENIT_ART_STAGE");
    int stage = env && std::atoi(env) > 0 ? std::clamp(std::atoi(env), 1, 9) : 1;
    std::vector<Rgb> pal = StagePalette(stage);
    std::vector<int> ids = SpriteIds();
    int status = 0;
    for (int id : ids) {
        if (g_DDBPack.LoadRES(id, id, "CUSTOM") != 0) {
            std::fprintf(stderr, "export: sprite %d does not load\n", id);
            status = 1;
            continue;
        }
        const CQ7Spritedata& dt = g_DDBPack.GetSprite(id).DT;
        if (!g_DDBPack.SaveRES(id, (dir / "sprite" / (std::to_string(id) + ".res")).string())) status = 1;
        std::vector<Rgb> px(std::size_t(dt.Width()) * std::size_t(dt.Height()));
        for (int y = 0; y < dt.Height(); ++y)
            for (int x = 0; x < dt.Width(); ++x) {
                int v = dt.GetPixelData(x, y);
                px[std::size_t(y) * std::size_t(dt.Width()) + std::size_t(x)] = v == 255 ? Checker(x, y) : pal[std::size_t(v)];
            }
        if (!WritePng(dir / "sprite" / (std::to_string(id) + ".png"), dt.Width(), dt.Height(), px)) status = 1;
    }
    if (env && std::string(env) == "all")
        for (int st = 1; st <= 9; ++st) status |= WriteSheets(dir, ids, StagePalette(st), "-s" + std::to_string(st));
    else
        status |= WriteSheets(dir, ids, pal, "");
    std::printf("export: %zu sprites with the palette of %s %d\n", ids.size(), stage == 9 ? "the ending, stage" : "stage", stage);
    return status;
}

const ExporterRegistrar kPalettes({"palettes", ExportPalettes});
const ExporterRegistrar kSprites({"sprites", ExportSprites});

}  // namespace

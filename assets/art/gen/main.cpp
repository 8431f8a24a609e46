// zenit-gen-art SRC_DIR RES_DIR: makes every sprite listed in SRC_DIR/catalogue.tsv
// (RES_DIR/CUSTOM/<id>: big-endian u16 width and height, then one palette index per
// pixel, 255 transparent) and the palette texts (RES_DIR/STRING/101..112).
// Everything is drawn from the sources in SRC_DIR with fixed seeds, so a build
// always produces the same bytes.
#include "art.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace art {
namespace {

std::map<std::string, Maker>& Makers() {
    static std::map<std::string, Maker> makers;
    return makers;
}

std::map<int, Entry> ReadCatalogue(const fs::path& path) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "zenit-gen-art: cannot read %s\n", path.string().c_str());
        std::exit(1);
    }
    std::map<int, Entry> out;
    std::string line;
    int lineno = 0;
    while (std::getline(in, line)) {
        ++lineno;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> cols;
        std::stringstream ss(line);
        std::string col;
        while (std::getline(ss, col, '\t')) cols.push_back(col);
        Entry e;
        if (cols.size() == 5) {
            e.id = std::atoi(cols[0].c_str());
            e.w = std::atoi(cols[1].c_str());
            e.h = std::atoi(cols[2].c_str());
            std::istringstream ms(cols[3]);
            ms >> e.maker;
            for (std::string a; ms >> a;) e.args.push_back(a);
            e.role = cols[4];
        }
        if (e.id <= 0 || e.w <= 0 || e.h <= 0 || e.w > 320 || e.h > 128 || e.maker.empty() || out.count(e.id)) {
            std::fprintf(stderr, "zenit-gen-art: %s:%d: bad catalogue row\n", path.string().c_str(), lineno);
            std::exit(1);
        }
        out[e.id] = e;
    }
    return out;
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "zenit-gen-art: cannot write %s\n", path.string().c_str());
        std::exit(1);
    }
}

}  // namespace

void RegisterMaker(const std::string& name, Maker m) { Makers()[name] = std::move(m); }

Image Context::Make(const Entry& e) {
    auto it = Makers().find(e.maker);
    if (it == Makers().end()) {
        std::fprintf(stderr, "zenit-gen-art: sprite %d: unknown maker '%s'\n", e.id, e.maker.c_str());
        std::exit(1);
    }
    Image img = it->second(e, *this);
    if (img.w != e.w || img.h != e.h) {
        std::fprintf(stderr, "zenit-gen-art: sprite %d (%s) came out %dx%d, the catalogue says %dx%d\n", e.id,
                     e.maker.c_str(), img.w, img.h, e.w, e.h);
        std::exit(1);
    }
    return img;
}

const Image& Context::Sprite(int id) {
    auto it = made_.find(id);
    if (it != made_.end()) return it->second;
    auto ce = catalogue.find(id);
    if (ce == catalogue.end()) {
        std::fprintf(stderr, "zenit-gen-art: sprite %d is not in the catalogue\n", id);
        std::exit(1);
    }
    return made_[id] = Make(ce->second);
}

}  // namespace art

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zenit-gen-art SRC_DIR RES_DIR\n");
        return 2;
    }
    art::Context ctx;
    ctx.src_dir = argv[1];
    fs::path res = argv[2];
    ctx.catalogue = art::ReadCatalogue(fs::path(argv[1]) / "catalogue.tsv");
    art::LoadFont((fs::path(argv[1]) / "font.txt").string());
    art::LoadPixelMaps(ctx);
    for (const char* type : {"CUSTOM", "STRING"}) {
        fs::remove_all(res / type);
        fs::create_directories(res / type);
    }
    // ZENIT_ART_TIMING=1 prints the time each generator took (to keep the build fast).
    const bool timing = std::getenv("ZENIT_ART_TIMING") != nullptr;
    std::map<std::string, double> spent;
    for (const auto& [id, e] : ctx.catalogue) {
        auto t0 = std::chrono::steady_clock::now();
        const art::Image& img = ctx.Sprite(id);
        spent[e.maker] += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::vector<std::uint8_t> bytes(4 + img.px.size());
        bytes[0] = std::uint8_t(img.w >> 8), bytes[1] = std::uint8_t(img.w);
        bytes[2] = std::uint8_t(img.h >> 8), bytes[3] = std::uint8_t(img.h);
        std::copy(img.px.begin(), img.px.end(), bytes.begin() + 4);
        art::WriteFile(res / "CUSTOM" / std::to_string(id), bytes);
    }
    if (timing)
        for (const auto& [maker, seconds] : spent) std::fprintf(stderr, "%-10s %.3f s\n", maker.c_str(), seconds);
    for (const auto& [id, text] : art::PaletteTexts())
        art::WriteFile(res / "STRING" / std::to_string(id), std::vector<std::uint8_t>(text.begin(), text.end()));
    return 0;
}

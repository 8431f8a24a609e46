// zenit-pack RES_DIR OUT_FILE: packs every file RES_DIR/<TYPE>/<name> into one
// resource pack (format in src/core/resource_pack.h), sorted by type and name.
#include "core/resource_pack.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zenit-pack RES_DIR OUT_FILE\n");
        return 2;
    }
    std::vector<ResourceEntry> entries;
    std::error_code ec;
    if (fs::is_directory(argv[1], ec)) {
        for (const auto& type_dir : fs::directory_iterator(argv[1])) {
            if (!type_dir.is_directory()) continue;
            for (const auto& file : fs::directory_iterator(type_dir.path())) {
                if (!file.is_regular_file()) continue;
                std::ifstream in(file.path(), std::ios::binary);
                ResourceEntry e;
                e.type = type_dir.path().filename().string();
                e.name = file.path().filename().string();
                e.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
                entries.push_back(std::move(e));
            }
        }
    }
    auto numeric_then_text = [](const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;
    };
    std::sort(entries.begin(), entries.end(), [&](const ResourceEntry& a, const ResourceEntry& b) {
        if (a.type != b.type) return a.type < b.type;
        return numeric_then_text(a.name, b.name);
    });
    std::vector<std::uint8_t> pack = BuildResourcePack(entries);
    std::string tmp = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary);
        out.write(reinterpret_cast<const char*>(pack.data()), static_cast<std::streamsize>(pack.size()));
        if (!out) {
            std::fprintf(stderr, "zenit-pack: cannot write %s\n", tmp.c_str());
            return 1;
        }
    }
    fs::rename(tmp, argv[2]);
    std::printf("zenit-pack: %zu resources, %zu bytes\n", entries.size(), pack.size());
    return 0;
}

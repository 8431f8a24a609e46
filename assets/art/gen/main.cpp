// zenit-gen-art SRC_DIR RES_DIR: writes the sprite resources (RES_DIR/CUSTOM/<id>)
// and the palette texts (RES_DIR/STRING/<id>).
// Placeholder until the art generators land: one test sprite and one palette text.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zenit-gen-art SRC_DIR RES_DIR\n");
        return 2;
    }
    fs::path res = argv[2];
    for (const char* type : {"CUSTOM", "STRING"}) {
        fs::remove_all(res / type);
        fs::create_directories(res / type);
    }
    std::vector<unsigned char> sprite = {0, 16, 0, 16};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) sprite.push_back((x + y) % 3 == 0 ? 255 : 1 + (x ^ y) % 40);
    std::ofstream(res / "CUSTOM" / "101", std::ios::binary)
        .write(reinterpret_cast<const char*>(sprite.data()), static_cast<std::streamsize>(sprite.size()));
    std::ofstream(res / "STRING" / "101", std::ios::binary) << "42428010/2/255/65280/";
    return 0;
}

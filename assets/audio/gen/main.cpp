// zenit-gen-audio SRC_DIR RES_DIR: writes the sound effects (RES_DIR/WAVE/<n>)
// and the music (RES_DIR/DMSEG/<n>).
// Placeholder until the audio generators land: empty folders.
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zenit-gen-audio SRC_DIR RES_DIR\n");
        return 2;
    }
    fs::path res = argv[2];
    for (const char* type : {"WAVE", "DMSEG"}) {
        fs::remove_all(res / type);
        fs::create_directories(res / type);
    }
    return 0;
}

// zenit-gen-audio SRC_DIR RES_DIR: renders the sound effects SRC_DIR/sfx/<n>.sfx
// to RES_DIR/WAVE/<n> (n = 1..13) and compiles the music SRC_DIR/music/<n>.mml
// to RES_DIR/DMSEG/<n> (n = 1..9).
//
// zenit-gen-audio --sfx FILE OUT   renders one effect to a .wav file
// zenit-gen-audio --mml FILE OUT   compiles one song to a .mid file
//
// A fault in a source text stops it with "file:line:col: message" and exit code 1.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "mml.h"
#include "sfx_preset.h"
#include "source_error.h"
#include "wave_file.h"

namespace fs = std::filesystem;

namespace {

constexpr int kEffectCount = 13;
constexpr int kSongCount = 9;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path.string() + ": cannot read");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error(path.string() + ": cannot write");
}

std::vector<std::uint8_t> BuildEffect(const fs::path& source) {
    return EncodeWave(RenderSfx(ParseSfxPreset(ReadText(source), source.string())), kSfxRate);
}


std::vector<std::uint8_t> BuildSong(const fs::path& source) {
    return CompileMml(ReadText(source), source.string());
}

void BuildAll(const fs::path& src, const fs::path& res) {
    for (const char* type : {"WAVE", "DMSEG"}) {
        fs::remove_all(res / type);
        fs::create_directories(res / type);
    }
    for (int n = 1; n <= kEffectCount; ++n)
        WriteBytes(res / "WAVE" / std::to_string(n), BuildEffect(src / "sfx" / (std::to_string(n) + ".sfx")));
    for (int n = 1; n <= kSongCount; ++n)
        WriteBytes(res / "DMSEG" / std::to_string(n), BuildSong(src / "music" / (std::to_string(n) + ".mml")));
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && std::string(argv[1]) == "--sfx") {
            WriteBytes(argv[3], BuildEffect(argv[2]));
        } else if (argc == 4 && std::string(argv[1]) == "--mml") {
            WriteBytes(argv[3], BuildSong(argv[2]));
        } else if (argc == 3) {
            BuildAll(argv[1], argv[2]);
        } else {
            std::fprintf(stderr,
                         "usage: zenit-gen-audio SRC_DIR RES_DIR\n"
                         "       zenit-gen-audio --sfx FILE.sfx OUT.wav\n"
                         "       zenit-gen-audio --mml FILE.mml OUT.mid\n");
            return 2;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

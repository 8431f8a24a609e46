// Writes the game's fixed random sequences as constant data.
//
//   zenit-gen-tables OUT.cpp
//
// Each sequence has 1001 entries in 0..N-1 and opens with the sixteen values
// the game's enemy patterns were tuned with. The rest is a shuffled pool in
// which every value occurs floor(1001/N) or ceil(1001/N) times overall, so
// the whole sequence is evenly spread. Run once; the output is committed and
// never regenerated at build time, so every build replays the same stages.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kEntries = 1001;

struct Sequence {
    const char* name;
    int n;
    std::vector<int> head;  // the opening entries
};

// SplitMix64: small and fully specified, so the tables do not depend on the
// standard library's generators.
struct SplitMix64 {
    std::uint64_t state;
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }
};

template <class T>
void Shuffle(std::vector<T>& v, SplitMix64& rng) {
    for (int i = static_cast<int>(v.size()) - 1; i > 0; --i) std::swap(v[i], v[rng.Below(i + 1)]);
}

std::vector<int> Build(const Sequence& s, SplitMix64& rng) {
    // Which values get the one extra occurrence is itself drawn at random.
    std::vector<int> values(s.n);
    for (int v = 0; v < s.n; ++v) values[v] = v;
    Shuffle(values, rng);
    std::vector<int> want(s.n, kEntries / s.n);
    for (int i = 0; i < kEntries % s.n; ++i) ++want[values[i]];

    std::vector<int> out = s.head;
    for (int v : s.head) --want[v];
    std::vector<int> pool;
    for (int v = 0; v < s.n; ++v) {
        if (want[v] < 0) {
            std::fprintf(stderr, "%s: value %d occurs too often in the opening entries\n", s.name, v);
            std::exit(1);
        }
        pool.insert(pool.end(), want[v], v);
    }
    Shuffle(pool, rng);
    out.insert(out.end(), pool.begin(), pool.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.cpp\n", argv[0]);
        return 2;
    }
    const Sequence sequences[] = {
        {"kRnd8", 8, {7, 0, 4, 2, 1, 3, 6, 4, 2, 0, 5, 2, 3, 7, 6, 7}},
        {"kRnd10", 10, {}},  // ours entirely
        {"kRnd16", 16, {7, 1, 8, 11, 3, 6, 11, 13, 8, 2, 14, 4, 9, 13, 4, 12}},
        {"kRnd32", 32, {9, 1, 15, 5, 28, 15, 6, 28, 31, 11, 1, 17, 30, 30, 20, 4}},
        {"kRnd240", 240, {200, 106, 58, 138, 206, 69, 202, 129, 228, 137, 170, 97, 193, 15, 46, 81}},
        {"kRnd256", 256, {64, 147, 157, 106, 202, 1, 162, 145, 138, 96, 72, 217, 186, 11, 244, 89}},
        {"kRnd320", 320, {36, 264, 74, 96, 85, 98, 268, 282, 5, 160, 298, 161, 147, 89, 222, 268}},
    };
    FILE* f = std::fopen(argv[1], "w");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(f,
                 "// Fixed random sequences of the game (1001 entries each).\n"
                 "// Written by tools/gen_tables (zenit-gen-tables); do not edit by hand.\n"
                 "#include \"core/q7_angle_tables.h\"\n");
    SplitMix64 rng{0x5A454E4954ull};  // "ZENIT"
    for (const Sequence& s : sequences) {
        std::vector<int> t = Build(s, rng);
        std::fprintf(f, "\nconst std::int32_t %s[kRndEntries] = {", s.name);
        for (int i = 0; i < kEntries; ++i) {
            std::fprintf(f, "%s%d,", i % 20 == 0 ? "\n    " : " ", t[i]);
        }
        std::fprintf(f, "\n};\n");
    }
    return std::fclose(f) == 0 ? 0 : 1;
}

// The embedded art: every sprite of the catalogue loads through the sprite
// pack at the catalogue's size, the sizes the game logic relies on hold, every
// sprite uses only colours that the stages showing it load, and the palette
// texts have their exact counts.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "core/resource_pack.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

struct Size {
    int w, h;
};

std::map<int, Size> Catalogue() {
    std::ifstream in(std::string(ZENIT_SOURCE_DIR) + "/assets/art/catalogue.tsv");
    std::map<int, Size> out;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream ls(line);
        int id = 0, w = 0, h = 0;
        ls >> id >> w >> h;
        out[id] = {w, h};
    }
    return out;
}

std::set<int> ResourceIds() {
    std::set<int> ids;
    for (const ResourceRef& r : ListResources())
        if (r.type == "CUSTOM") ids.insert(std::stoi(std::string(r.name)));
    return ids;
}

Size Loaded(int id) {
    const CQ7Spritedata& dt = g_DDBPack.GetSprite(id).DT;
    return {dt.Width(), dt.Height()};
}

TEST(ArtData, EveryCatalogueSpriteLoadsAtItsSize) {
    std::map<int, Size> cat = Catalogue();
    std::set<int> expected;
    for (int a : {101, 1001, 4001, 6001})
        for (int id = a; id <= (a == 101 ? 254 : a == 1001 ? 1221 : a == 4001 ? 4368 : 6088); ++id) expected.insert(id);
    ASSERT_EQ(expected.size(), 831u);
    std::set<int> listed;
    for (const auto& [id, s] : cat) listed.insert(id);
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(ResourceIds(), expected);
    for (const auto& [id, s] : cat) {
        ASSERT_EQ(g_DDBPack.LoadRES(id, id, "CUSTOM"), 0) << "sprite " << id;
        Size got = Loaded(id);
        EXPECT_EQ(got.w, s.w) << "sprite " << id;
        EXPECT_EQ(got.h, s.h) << "sprite " << id;
        EXPECT_LE(got.w, 320) << "sprite " << id;
        EXPECT_LE(got.h, 128) << "sprite " << id;
    }
}

// Sizes the game's code depends on.
TEST(ArtData, SizesTheGameReliesOn) {
    std::map<int, Size> cat = Catalogue();
    struct Fixed {
        int first, last, w, h;
        const char* why;
    };
    const Fixed fixed[] = {
        {224, 224, 320, 1, "wipe line: one full-width row"},
        // Spare ships are at most three: 155..159 are free (stage 5's marker, stage 7's lamps).
        {140, 154, 8, 10, "status digits at 8-pixel pitch in the 10-row digit line"},
        {6072, 6077, 204, 48, "ending title strips (two 204x144 composites)"},
        {4115, 4116, 84, 123, "halves of the 84x246 ground cruiser"},
        {1062, 1068, 320, 32, "strips of the 320x196 stage-1 base"},
        {1001, 1011, 32, 32, "ground cells"},
        {1153, 1153, 40, 40, "stage-4 tile"},
        {1154, 1168, 320, 32, "stage-5 loop strips"},
        {1174, 1185, 320, 30, "stage-7 strips placed every 30 rows"},
        {1186, 1186, 32, 32, "stage-8 tile of a 7200-row map"},
        {1187, 1201, 320, 32, "ending picture strips"},
        {1207, 1221, 320, 32, "ending picture strips"},
        {6001, 6002, 240, 40, "stage-1 boss bands at rows 0 and 40"},
        {6003, 6003, 240, 20, "last stage-1 boss band at row 80 of 100"},
    };
    for (const Fixed& f : fixed)
        for (int id = f.first; id <= f.last; ++id) {
            EXPECT_EQ(cat[id].w, f.w) << id << ": " << f.why;
            EXPECT_EQ(cat[id].h, f.h) << id << ": " << f.why;
        }
    EXPECT_EQ(cat[160].w, 320);
    EXPECT_LE(cat[160].h, 22) << "the status bar fits its 22 rows";
    for (int id = 135; id <= 139; ++id) {  // shop slots at x = 17 + 50 * slot, above the digit line
        EXPECT_LE(cat[id].h, 12);
        EXPECT_LE(cat[id].w, 50);
    }
    for (int id = 240; id <= 242; ++id) EXPECT_LE(5 + cat[id].w, 17) << "volume indicator left of the first slot";
    EXPECT_EQ(cat.count(100), 0u) << "the loading panel is made at run time";
    // Series whose frames or headings share one rectangle (the objects copy it once).
    const std::pair<int, int> series[] = {{106, 121}, {161, 167}, {175, 181}, {182, 189}, {190, 197}, {201, 216},
                                          {4003, 4010}, {4011, 4034}, {4035, 4050}, {4051, 4114}, {4117, 4124},
                                          {4125, 4132}, {4133, 4164}, {4170, 4177}, {4193, 4200}, {4215, 4222},
                                          {4224, 4239}, {6005, 6020}, {6034, 6049}, {6055, 6070}, {6081, 6084},
                                          {6085, 6088}, {1084, 1091}, {1093, 1100}};
    for (auto [a, b] : series)
        for (int id = a + 1; id <= b; ++id) {
            EXPECT_EQ(cat[id].w, cat[a].w) << id;
            EXPECT_EQ(cat[id].h, cat[a].h) << id;
        }
}

// Indices each palette text fills, as the stages load them.
std::set<int> Filled(std::initializer_list<std::pair<int, int>> loads) {
    std::set<int> s = {0, 255};
    for (auto [text, start] : loads) {
        auto t = FindResource("STRING", text);
        if (!t) continue;
        std::string str(t->begin(), t->end());
        int n = std::stoi(str.substr(9));
        for (int i = 0; i < n; ++i) s.insert(start + i);
    }
    return s;
}

TEST(ArtData, PaletteTextsHaveTheirCounts) {
    const std::map<int, int> counts = {{101, 47}, {102, 52}, {103, 39}, {104, 61},  {105, 32},  {106, 96},
                                       {107, 57}, {108, 132}, {109, 60}, {110, 121}, {111, 50}, {112, 74}};
    for (auto [id, n] : counts) {
        auto t = FindResource("STRING", id);
        ASSERT_TRUE(t) << id;
        std::string s(t->begin(), t->end());
        ASSERT_EQ(s.substr(0, 9), "42428010/") << id;
        EXPECT_EQ(std::stoi(s.substr(9)), n) << id;
        int fields = 0;
        for (char c : s) fields += c == '/';
        EXPECT_EQ(fields, n + 2) << id << ": tag, count and every colour end with '/'";
        EXPECT_EQ(s.back(), '/') << id;
        // Every colour value is 0x00BBGGRR: the top byte stays clear.
        std::istringstream in(s.substr(9));
        std::string field;
        std::getline(in, field, '/');
        while (std::getline(in, field, '/')) EXPECT_LE(std::stol(field), 0xFFFFFFL) << id;
    }
    // Loaded the way a stage does, nothing reaches 0 or 255.
    CQ7Palette256 pal;
    pal.Clear();
    for (int id : {101, 102, 103}) pal.SetUpText(std::string(FindResource("STRING", id)->begin(), FindResource("STRING", id)->end()), id == 101 ? 1 : id == 102 ? 181 : 51);
    EXPECT_EQ(pal.GetColor32(0), 0);
    EXPECT_EQ(pal.GetColor32(255), 0xFFFFFF);
}

// A sprite shown in a stage must only use indices that stage's texts fill,
// or it shows the placeholder colour.
TEST(ArtData, SpritesUseOnlyColoursTheirStagesLoad) {
    const std::set<int> s1 = Filled({{101, 1}, {102, 181}, {103, 51}}), s2 = Filled({{101, 1}, {104, 181}, {103, 51}}),
                        s4 = Filled({{101, 1}, {105, 181}, {103, 51}}), s5 = Filled({{101, 1}, {106, 101}, {103, 51}}),
                        s6 = Filled({{101, 1}, {107, 181}, {103, 51}}), s7 = Filled({{101, 1}, {108, 101}, {103, 51}}),
                        s8 = Filled({{111, 1}, {110, 111}, {109, 51}}), end = Filled({{111, 1}, {109, 51}, {112, 181}});
    auto all = [](std::initializer_list<const std::set<int>*> sets) {
        std::set<int> both = **sets.begin();
        for (const std::set<int>* s : sets) {
            std::set<int> keep;
            for (int i : both)
                if (s->count(i)) keep.insert(i);
            both = keep;
        }
        return both;
    };
    const std::set<int> everywhere = all({&s1, &s2, &s4, &s5, &s6, &s7, &s8, &end});
    const std::set<int> maps = all({&s1, &s2, &s6, &end});  // stages whose maps use the shared ground cells
    const std::set<int> last = all({&s8, &end});
    struct Rule {
        int first, last;
        const std::set<int>* allowed;
    };
    const Rule rules[] = {
        {101, 204, &everywhere},   {205, 208, &s4},           {209, 212, &everywhere}, {213, 214, &s8},
        {215, 226, &everywhere},   {227, 229, &maps},         {230, 254, &everywhere}, {1001, 1100, &maps},
        {1101, 1122, &s2},         {1123, 1152, &maps},       {1153, 1153, &s4},       {1154, 1172, &s5},
        {1173, 1185, &s7},         {1186, 1186, &s8},         {1187, 1201, &end},      {1202, 1205, &everywhere},
        {1206, 1221, &end},        {4001, 4278, &everywhere}, {4279, 4302, &s2},       {4303, 4314, &s4},
        {4315, 4344, &everywhere}, {4345, 4355, &s8},         {4356, 4358, &end},      {4359, 4368, &s8},
        {6001, 6029, &everywhere}, {6030, 6033, &s4},         {6034, 6071, &everywhere}, {6072, 6077, &end},
        {6078, 6088, &last},
    };
    for (const Rule& r : rules)
        for (int id = r.first; id <= r.last; ++id) {
            auto res = FindResource("CUSTOM", id);
            ASSERT_TRUE(res) << id;
            std::set<int> bad;
            for (std::size_t i = 4; i < res->size(); ++i)
                if (!r.allowed->count((*res)[i])) bad.insert((*res)[i]);
            EXPECT_TRUE(bad.empty()) << "sprite " << id << " uses index " << (bad.empty() ? 0 : *bad.begin());
        }
}

std::vector<std::uint8_t> Pixels(int id, int x0, int y0, int w, int h) {
    auto res = FindResource("CUSTOM", id);
    int width = (*res)[0] << 8 | (*res)[1];
    std::vector<std::uint8_t> out;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) out.push_back((*res)[4 + std::size_t(y * width + x)]);
    return out;
}

// Maps place ground cells of random variants side by side and quarter cells
// inside them: their borders must agree or every cell edge shows.
TEST(ArtData, GroundCellsJoinWithoutSeams) {
    for (auto [first, last] : {std::pair{1001, 1010}, std::pair{1101, 1110}, std::pair{1127, 1136}}) {
        auto ring = [](int id) {
            std::vector<std::uint8_t> r;
            for (auto part : {Pixels(id, 0, 0, 32, 1), Pixels(id, 0, 31, 32, 1), Pixels(id, 0, 0, 1, 32), Pixels(id, 31, 0, 1, 32)})
                r.insert(r.end(), part.begin(), part.end());
            return r;
        };
        for (int id = first + 1; id <= last; ++id) EXPECT_EQ(ring(id), ring(first)) << "cell " << id << " against " << first;
    }
    // Water repeats every 16 pixels: the water quarter cell matches every quarter of the water cell.
    for (int q = 0; q < 4; ++q)
        EXPECT_EQ(Pixels(229, 0, 0, 16, 16), Pixels(1069, (q % 2) * 16, (q / 2) * 16, 16, 16)) << "quarter " << q;
}

}  // namespace

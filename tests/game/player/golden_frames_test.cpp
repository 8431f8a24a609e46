// Golden frames: the back screen at chosen frames of scripted runs, hashed.
// They guard how the ship, its options, shadows, weapons, the status line,
// banners and the screen wipe are placed and stacked.
//
// The sprites the player draws are repainted with a fixed pattern per id
// (their sizes stay those of the game data), and the 8-bit back screen is
// hashed before the palette, so the hashes follow positions and drawing
// order, not the art. They change when those change, or when a sprite's size
// changes. To look at the frames, set ZENIT_GOLDEN_PGM to a folder: each is
// written there as <name>.pgm (palette indices as grey levels). After checking a change on purpose,
// regenerate the file with
//   ZENIT_UPDATE_GOLDEN=1 build/tests/zenit_game_tests --gtest_filter='PlayerGolden*'
// and commit tests/game/player/golden_frames.txt.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/zenit02.h"
#include "gfx/q7_ddbpack256.h"
#include "player_fixture.h"

namespace {

const std::string kGoldenFile = std::string(ZENIT_SOURCE_DIR) + "/tests/game/player/golden_frames.txt";

// Every sprite 101..254 becomes stripes of its own colour with a transparent
// diagonal, so masking shows in the picture too. The wipe line (224) stays
// the plain black row it is.
void RepaintPlayerSprites() {
    for (int id = 101; id <= 254; ++id) {
        if (id == 224) continue;
        CQ7Spritedata& dt = g_DDBPack.GetSprite(id).DT;
        if (!dt.IsSet()) continue;
        for (int y = 0; y < dt.Height(); ++y)
            for (int x = 0; x < dt.Width(); ++x)
                dt.SetPixelData(x, y, (x + y) % 5 == 0 ? 255 : (id * 7 + (y / 2) % 2) % 250 + 1);
    }
}

std::uint64_t BackScreenHash() {
    const CQ7Spritedata& screen = g_DDBPack.GetSprite(0).DT;
    std::uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < screen.Height(); ++y)
        for (int x = 0; x < screen.Width(); ++x) {
            h ^= static_cast<std::uint8_t>(screen.GetPixelData(x, y));
            h *= 1099511628211ull;
        }
    return h;
}

// The back screen's palette indices as a grey picture.
void WritePgm(const std::string& path) {
    const CQ7Spritedata& screen = g_DDBPack.GetSprite(0).DT;
    std::ofstream out(path, std::ios::binary);
    out << "P5\n" << screen.Width() << ' ' << screen.Height() << "\n255\n";
    for (int y = 0; y < screen.Height(); ++y)
        for (int x = 0; x < screen.Width(); ++x) out.put(static_cast<char>(screen.GetPixelData(x, y)));
}

std::map<std::string, std::uint64_t> ReadGolden() {
    std::map<std::string, std::uint64_t> out;
    std::ifstream in(kGoldenFile);
    std::string name;
    std::uint64_t hash;
    while (in >> name >> std::hex >> hash) out[name] = hash;
    return out;
}

class PlayerGolden : public PlayerTest {
protected:
    // Steps to `frame` (the ship's frame count) presenting each frame, and
    // records the back screen there under `name`.
    void ShootAt(int frame, const std::string& name) {
        while (steps_ < frame) {
            g_DDBPack.Cls(false);  // there is no background to cover the last frame
            game.Step(1, true);
            ++steps_;
        }
        got_[name] = BackScreenHash();
        if (const char* dir = std::getenv("ZENIT_GOLDEN_PGM")) WritePgm(std::string(dir) + "/" + name + ".pgm");
    }
    void Start(int lives) {
        StartWithShip(lives, false);
        RepaintPlayerSprites();
        g_ShadowsOn = true;
        steps_ = 0;
    }

    void TearDown() override {
        if (std::getenv("ZENIT_UPDATE_GOLDEN")) {
            auto all = ReadGolden();
            for (auto& [name, hash] : got_) all[name] = hash;
            std::ofstream out(kGoldenFile);
            for (auto& [name, hash] : all) out << name << ' ' << std::hex << hash << '\n';
            return;
        }
        const auto want = ReadGolden();
        for (auto& [name, hash] : got_) {
            auto it = want.find(name);
            if (it == want.end()) {
                ADD_FAILURE() << name << " has no golden hash; see the header of this file to regenerate";
                continue;
            }
            EXPECT_EQ(hash, it->second) << name << " differs from its golden frame";
        }
    }

    int steps_ = 0;
    std::map<std::string, std::uint64_t> got_;
};

}  // namespace

TEST_F(PlayerGolden, IntroFlightAndHit) {
    Start(2);
    ShootAt(20, "intro_wipe");
    ShootAt(120, "intro_title");
    // Flying right and up with every weapon at level 3 and the shop open.
    g_PowerLv0 = g_PowerLv1 = g_PowerLv2 = g_PowerLv3 = 3;
    g_Score = 25000;
    g_ScoreRate = 10.5;
    game.SetPad(Pad(false, true, true, false, {0}));
    ShootAt(272, "flight");
    per_frame = [] { g_HitList2.Add(g_MyShipPos, 1); };
    ShootAt(273, "hit_flash");
    per_frame = nullptr;
    ShootAt(290, "shield_blink");
}

TEST_F(PlayerGolden, GameOverAndStageClear) {
    Start(1);
    ShootAt(252, "flying");
    per_frame = [] { g_HitList2.Add(g_MyShipPos, 1); };
    ShootAt(253, "fatal_hit");
    per_frame = nullptr;
    ShootAt(253 + 150, "wreck_drifting");
    ShootAt(253 + 350, "wreck_banner");
    ShootAt(253 + 510, "wreck_leaving");
    ShootAt(253 + 690, "game_over_wipe");

    Start(1);
    ShootAt(252, "clear_start");
    g_ClearTimer = 1;
    ShootAt(252 + 200, "clear_banner");
    ShootAt(252 + 415, "clear_leaving");
    ShootAt(252 + 580, "clear_wipe");
}

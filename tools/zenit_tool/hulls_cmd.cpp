// zenit-tool hulls DIR: contact sheets of the large enemies, drawn by the
// game itself. Each class is placed on a plain stretch of its stage's
// ground (a back screen large enough for the whole ship), its turrets given
// time to turn toward a ship below it, and shown twice: whole, and once every
// part but the core is wrecked and smokes on its firing step (the single
// hulls: after they fired).
// Writes DIR/large-enemies.png at 1x and DIR/<class>-x3.png at 3x.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "core/resource_pack.h"
#include "game/enemies/en013.h"
#include "game/enemies/en014.h"
#include "game/enemies/en015.h"
#include "game/enemies/en026.h"
#include "game/enemies/en027.h"
#include "game/enemies/en028.h"
#include "game/stages/hull_sprites.h"
#include "game/stages/stage_base.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "tool.h"

namespace {

struct Picture {
    int w = 0, h = 0;
    std::vector<std::uint32_t> rgb;  // 0xRRGGBB
};

struct Scene {
    const char* name;
    int stage;           // whose palette
    int ground;          // palette index of the plain ground
    int w, h;            // back screen
    int x, y;            // where the enemy is placed
    std::function<int()> spawn;  // creates it; returns the slot
    bool large;          // a part-table class: wreck its parts for the second picture
};

template <class T>
std::function<int()> Spawner() {
    return [] { return g_ObjectPack.Spawn<T>(3, VB_TRUE); };
}

const Scene kScenes[] = {
    {"CEN013", 3, 199, 200, 320, 100, 160, Spawner<CEN013>(), true},
    {"CEN014", 3, 199, 240, 560, 120, 400, Spawner<CEN014>(), true},
    {"CEN015", 3, 199, 200, 300, 100, 150, Spawner<CEN015>(), true},
    {"CEN026", 7, 0, 320, 260, 160, 130, Spawner<CEN026>(), true},
    {"CEN027", 8, 175, 120, 120, 60, 60, Spawner<CEN027>(), false},
    {"CEN028", 8, 175, 160, 160, 80, 80, Spawner<CEN028>(), false},
};

std::vector<std::uint32_t> StagePalette(int stage) {
    struct Load {
        int text, start;
    };
    const std::vector<Load> loads = stage == 8   ? std::vector<Load>{{111, 1}, {110, 111}, {109, 51}}
                                    : stage == 7 ? std::vector<Load>{{101, 1}, {108, 101}, {103, 51}}
                                    : stage == 6 ? std::vector<Load>{{101, 1}, {107, 181}, {103, 51}}
                                                 : std::vector<Load>{{101, 1}, {104, 181}, {103, 51}};
    CQ7Palette256 pal;
    pal.Clear();
    for (const Load& l : loads)
        if (auto t = FindResource("STRING", l.text)) pal.SetUpText(std::string(t->begin(), t->end()), l.start);
    std::vector<std::uint32_t> out(256);
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = static_cast<std::uint32_t>(pal.GetColor32(i));  // 0x00BBGGRR
        out[std::size_t(i)] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    return out;
}

// One frame of the game on the large back screen, kept as a picture.
Picture Frame(const Scene& s, const std::vector<std::uint32_t>& pal) {
    CQ7Sprite256& screen = g_DDBPack.GetSprite(0);
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) screen.DT.SetPixelData(x, y, s.ground);
    g_DDBPack.Blt();
    Picture p{s.w, s.h, std::vector<std::uint32_t>(std::size_t(s.w) * s.h)};
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) p.rgb[std::size_t(y) * s.w + x] = pal[std::size_t(screen.DT.GetPixelData(x, y))];
    return p;
}

void Step(int frames) {
    for (int i = 0; i < frames; ++i) {
        g_DDBPack.BltClear(-1);
        for (CQ7PosList* list : {&g_HitList1, &g_HitList2, &g_EnemyBulletList, &g_MissileTargets, &g_ObstacleList})
            list->Clear();
        g_ObjectPack.Call_Events();
        g_PlayerAttackList.Clear();
        ++g_FrameCount;
    }
}

// The scene before and after, side by side.
std::pair<Picture, Picture> Shoot(const Scene& s) {
    g_ObjectPack.Call_Initial();
    g_DDBPack.GetSprite(0).SetUP(s.w, s.h, 0);
    g_DDBPack.GetSprite(1).SetUP(1, 1, 0);  // the ground stands still
    g_DDBPack.GetSprite(1).Pos.Move(0, 0);
    g_Rank = 0;
    SetRankValues();
    g_MyShipPos.ReSize(8, 8);
    g_MyShipPos.Move(s.x, s.h + 40);  // below it: every turret turns to face down
    g_EnemyParam = EnemyParam();
    g_EnemyParam.X = s.x;
    g_EnemyParam.Y = s.y;
    g_EnemyParamEx = EnemyParamEx();
    g_EnemyParamEx.TurnInterval = 10;
    g_EnemyParamEx.Heading = 2;
    g_EnemyParamEx.FirstShot = 80;  // just after the first picture
    g_EnemyParamEx.ShotInterval = 1000;
    g_EnemyParamEx.FireLimitY = 240;
    const int slot = s.spawn();
    const std::vector<std::uint32_t> pal = StagePalette(s.stage);
    Step(79);
    Picture before = Frame(s, pal);
    if (auto* ship = dynamic_cast<CLargeEnemy*>(g_ObjectPack.GetCQ7Object(slot).Ob.get())) {
        // Every part but the last, then the last (off the keel in every table):
        // the blows on the keel's turrets would reach the core once it opens.
        const std::size_t last = ship->PartCount() - 1;
        auto hit = [ship](std::size_t i) {
            CQ7Pos at;
            at.ReSize(2, 2);
            at.Move(ship->PartHitPos(i).CenterX(), ship->PartHitPos(i).CenterY());
            g_PlayerAttackList.Add(at, 100000);
        };
        for (std::size_t i = 1; i < last; ++i) hit(i);
        Step(1);
        hit(last);
        Step(1);
    }
    // The parts' explosions are over and a wreck smokes on its firing step;
    // a single hull's shot is on its way.
    Step(s.large ? 35 : 12);
    return {before, Frame(s, pal)};
}

bool Write(const std::filesystem::path& file, const Picture& p, int scale) {
    std::vector<std::uint8_t> rgb(std::size_t(p.w) * p.h * scale * scale * 3);
    for (int y = 0; y < p.h * scale; ++y)
        for (int x = 0; x < p.w * scale; ++x) {
            const std::uint32_t c = p.rgb[std::size_t(y / scale) * p.w + x / scale];
            std::uint8_t* o = &rgb[(std::size_t(y) * p.w * scale + x) * 3];
            o[0] = std::uint8_t(c >> 16), o[1] = std::uint8_t(c >> 8), o[2] = std::uint8_t(c);
        }
    return stbi_write_png(file.string().c_str(), p.w * scale, p.h * scale, 3, rgb.data(), p.w * scale * 3) != 0;
}

// Pictures in one row with a gap, on a dark background.
Picture Row(const std::vector<const Picture*>& pics, int gap) {
    Picture out;
    for (const Picture* p : pics) out.w += p->w + gap, out.h = std::max(out.h, p->h + 2 * gap);
    out.w += gap;
    out.rgb.assign(std::size_t(out.w) * out.h, 0x202028);
    int x0 = gap;
    for (const Picture* p : pics) {
        for (int y = 0; y < p->h; ++y)
            for (int x = 0; x < p->w; ++x) out.rgb[std::size_t(y + gap) * out.w + x0 + x] = p->rgb[std::size_t(y) * p->w + x];
        x0 += p->w + gap;
    }
    return out;
}

int RunHulls(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zenit-tool hulls DIR\n");
        return 2;
    }
    const std::filesystem::path dir = args[0];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    ResetGlobalState();
    LoadGraphics();
    g_DDBPack.SetBuffer(600 * 600);  // the largest back screen below
    for (const WorkSprite& hull : {kFrigateHull, kBattleshipHull, kCarrierHull, kMothershipHull}) ComposeWorkSprite(hull);
    std::vector<std::pair<Picture, Picture>> shots;
    int status = 0;
    for (const Scene& s : kScenes) {
        shots.push_back(Shoot(s));
        const Picture pair = Row({&shots.back().first, &shots.back().second}, 4);
        if (!Write(dir / (std::string(s.name) + "-x3.png"), pair, 3)) status = 1;
    }
    std::vector<const Picture*> all;
    for (const auto& [before, after] : shots) all.insert(all.end(), {&before, &after});
    if (!Write(dir / "large-enemies.png", Row(all, 4), 1)) status = 1;
    g_ObjectPack.Call_Initial();
    std::printf("hulls: %zu classes in %s\n", shots.size(), dir.string().c_str());
    return status;
}

const ToolCommandRegistrar kRegister({"hulls", "hulls DIR    contact sheets of the large enemies, whole and wrecked",
                                      RunHulls});

}  // namespace

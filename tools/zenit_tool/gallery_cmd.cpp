// zenit-tool gallery: runs one gallery scene (gallery.h) headless and writes
// its frames as a contact sheet (and, on request, one PNG each).
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/stage_factory.h"
#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "game/enemies/enemy.h"
#include "game/enemies/large_enemy.h"
#include "gallery.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "sim_run.h"
#include "stage_palettes.h"
#include "tool.h"

namespace {

// ---- The preview ground --------------------------------------------------------

// The stage's terrain pieces: tiles scattered at random, or strips in order.
struct GroundPieces {
    std::int32_t first, count;
    bool in_order;
    std::int32_t roll_first, roll_count;  // colour cycle of the water; count 0: none
};

const GroundPieces& PiecesOf(std::int32_t stage) {
    static const GroundPieces kPieces[8] = {
        {1001, 10, false, 181, 16}, {1101, 10, false, 181, 16}, {1001, 10, false, 181, 16}, {1153, 1, false, 0, 0},
        {1154, 15, true, 0, 0},     {1127, 10, false, 181, 16}, {1174, 12, true, 0, 0},     {1186, 1, false, 0, 0},
    };
    return kPieces[std::clamp(stage, 1, 8) - 1];
}

const GalleryScene* g_scene = nullptr;  // the scene being run

// Sprite 1, 320 x kMapRows, tiled from the pieces, scrolling at the scene's
// speed so that ground enemies ride it. It starts with its bottom on row 239
// and repeats its top rows once it has scrolled through.
class CPreviewGround final : public GameObject {
public:
    static constexpr std::int32_t kMapRows = 2400;
    static constexpr std::int32_t kRepeat = 480;

    void Call_Initial(int&) override {
        const GroundPieces& p = PiecesOf(g_StageNo);
        CQ7Sprite256& map = g_DDBPack.GetSprite(1);
        map.SetUP(320, kMapRows, 0);
        map.Pos.SetCenter_Base(VB_FALSE);
        const CQ7Pos& first = g_DDBPack.GetSprite(p.first).Pos;
        const std::int32_t w = std::max(1, first.Width()), h = std::max(1, first.Height());
        // Painted piece by piece: far more pieces than one layer of the draw queue holds.
        for (std::int32_t row = 0; row * h < kMapRows; ++row)
            for (std::int32_t col = 0; col * w < 320; ++col) {
                // Rows repeat every kRepeat pixels, so the wrap does not show.
                const std::int32_t r = row % std::max(1, kRepeat / h);
                const std::int32_t k = p.in_order ? r % p.count : Scatter(col, r) % p.count;
                CQ7Sprite256& piece = g_DDBPack.GetSprite(p.first + k);
                const CQ7Pos keep = piece.Pos;
                piece.Pos.SetLeft(col * w);
                piece.Pos.SetTop(row * h);
                piece.SpritePaint(map);
                piece.Pos = keep;
            }
        map.DT.ALL_Paint();  // drawn opaque, every pixel its own
        map.Pos.SetTop(start_top_ = 240 - kMapRows);
        g_ScrollSpeed = g_scene ? g_scene->scroll : 0.4;
    }

    bool Call_Events() override {
        const GroundPieces& p = PiecesOf(g_StageNo);
        if (p.roll_count > 0 && (frame_++ & 3) == 3) g_Palette.Roll_UP(p.roll_first, p.roll_count, -1);
        scroll_ += g_ScrollSpeed;
        std::int32_t top = start_top_ + RoundHalfEven(scroll_);
        if (top >= 0) {
            top -= kRepeat;
            scroll_ -= kRepeat;
        }
        CQ7Sprite256& map = g_DDBPack.GetSprite(1);
        map.Pos.SetTop(top);
        g_DDBPack.AddBlt(map.Pos, 1, 0, 0, 1);
        return false;
    }

private:
    static std::uint32_t Scatter(std::int32_t col, std::int32_t row) {
        std::uint32_t h = std::uint32_t(col) * 73856093u ^ std::uint32_t(row) * 19349663u;
        h ^= h >> 13;
        h *= 0x5bd1e995u;
        return h ^ (h >> 15);
    }

    std::int32_t start_top_ = 0;
    std::int32_t frame_ = 0;
    double scroll_ = 0;
};

std::int32_t MakePreviewGround() { return MakeStageObject<CPreviewGround>(); }

// ---- The scene's stage ---------------------------------------------------------------

StageDef SceneStage(const GalleryScene& scene, std::int32_t stage) {
    return {
        .stage_no = stage,
        .palettes = StagePaletteLoads(stage),
        .work_sprites = scene.work_sprites,
        .background = scene.background ? scene.background : MakePreviewGround,
        .shadows = stage != 5 && stage != 7,
        .gate = SoundGate::Always,
        .rank = {},  // a new game; --rank sets another
        .music = {.segment = stage, .start_count = 0},  // loaded, never started
        .last_scripted_frame = scene.frames,
        .script = scene.script,
    };
}

// ---- The contact sheet -------------------------------------------------------------

// The frames at 1x, four to a row, 4 pixels apart on a dark ground.
HeadlessFrame Sheet(const std::vector<HeadlessFrame>& frames) {
    constexpr int kColumns = 4, kGap = 4;
    HeadlessFrame sheet;
    if (frames.empty()) return sheet;
    const int fw = frames[0].width, fh = frames[0].height;
    const int cols = std::min<int>(kColumns, static_cast<int>(frames.size()));
    const int rows = (static_cast<int>(frames.size()) + kColumns - 1) / kColumns;
    sheet.width = cols * (fw + kGap) + kGap;
    sheet.height = rows * (fh + kGap) + kGap;
    sheet.rgb.assign(std::size_t(sheet.width) * std::size_t(sheet.height), 0x202028);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const int x0 = kGap + static_cast<int>(i % kColumns) * (fw + kGap);
        const int y0 = kGap + static_cast<int>(i / kColumns) * (fh + kGap);
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x)
                sheet.rgb[std::size_t(y0 + y) * std::size_t(sheet.width) + std::size_t(x0 + x)] =
                    frames[i].rgb[std::size_t(y) * std::size_t(fw) + std::size_t(x)];
    }
    return sheet;
}

// ---- The command ------------------------------------------------------------------------

// Enemies (small and large) alive in the pack right now.
int LiveEnemies() {
    int n = 0;
    for (int slot = CQ7ObjectPack::kMarkers; slot < CQ7ObjectPack::kSlots; ++slot) {
        if (!g_ObjectPack.IsOccupied(slot)) continue;
        const GameObject* ob = g_ObjectPack.GetCQ7Object(slot).Ob.get();
        if (dynamic_cast<const CEnemy*>(ob) || dynamic_cast<const CLargeEnemy*>(ob)) ++n;
    }
    return n;
}

const GalleryScene* FindScene(const std::string& name) {
    for (const GalleryScene& s : GalleryScenes())
        if (name == s.name) return &s;
    return nullptr;
}

int ListScenes(FILE* out) {
    std::fprintf(out, "gallery scenes:\n");
    for (const GalleryScene& s : GalleryScenes()) std::fprintf(out, "  %-8s stage %d  %s\n", s.name, s.stage, s.about);
    return out == stderr ? 2 : 0;
}

int RunGallery(const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "--list") return ListScenes(args.empty() ? stderr : stdout);
    const GalleryScene* scene = FindScene(args[0]);
    if (!scene) {
        std::fprintf(stderr, "gallery: no scene '%s'\n", args[0].c_str());
        return ListScenes(stderr);
    }
    // --sheet FILE is the gallery's own; the rest are sim's options.
    std::string sheet_path = std::string("gallery-") + scene->name + ".png";
    std::vector<std::string> sim_args = {"--stage", std::to_string(scene->stage), "--frames",
                                         std::to_string(scene->frames), "--every", std::to_string(scene->every),
                                         "--invincible"};
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--sheet" && i + 1 < args.size()) {
            sheet_path = args[++i];
            continue;
        }
        sim_args.push_back(args[i]);
    }
    std::optional<SimOptions> options = ParseSimOptionsOrExplain(sim_args, "gallery");
    if (!options) return 2;

    static StageDef def;
    def = SceneStage(*scene, options->stage);
    g_scene = scene;
    SetStageFactoryOverride([](int stage_no) -> std::unique_ptr<GameObject> {
        if (stage_no != def.stage_no) return nullptr;
        return std::make_unique<CStageBase>(def);
    });
    std::vector<HeadlessFrame> frames;
    int most = 0;  // enemies on a picture, at the most
    // The stage's first frame is still dark: the sheet starts one interval in.
    options->frame_sink = [&, first = true](const HeadlessFrame& f) mutable {
        if (!first) frames.push_back(f);
        first = false;
        most = std::max(most, LiveEnemies());
    };
    SimResult result;
    const int code = RunSim(*options, result);
    SetStageFactoryOverride({});
    if (code == 2) return code;
    if (!WriteFramePng(sheet_path, Sheet(frames))) {
        std::fprintf(stderr, "gallery: cannot write %s\n", sheet_path.c_str());
        return 1;
    }
    std::printf("gallery: %s, %zu frames of stage %d, up to %d enemies at once -> %s\n", scene->name, frames.size(),
                def.stage_no, most, sheet_path.c_str());
    return code;
}

const ToolCommandRegistrar kRegister(
    {"gallery", "gallery SCENE [--sheet FILE] [sim options]  a scene of enemy classes as a contact sheet "
                "(gallery --list: the scenes)",
     RunGallery});

}  // namespace

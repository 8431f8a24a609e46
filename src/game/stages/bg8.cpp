#include "game/stages/bg8.h"

#include <span>
#include <vector>

#include "app/zenit02.h"
#include "game/stages/enemy_spawns.h"
#include "game/stages/large_spawns.h"
#include "game/stages/map_painter.h"
#include "game/stages/stage8.h"
#include "game/stages/stage8_map.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

constexpr std::int32_t kMapSprite = 1, kFloorTile = 1186;
constexpr std::int32_t kMasked = 0, kOpaque = 1;

// ---- Pads under the script's ground units ---------------------------------------------

struct PadOf {
    ScriptRoutine routine;
    std::int32_t sprite;
    std::int32_t dy;  // the pad's centre below the unit's
};
constexpr PadOf kPads[] = {
    {spawns::EN022, stage8_map::kTurretPad, 0},
    {spawns::EN023, stage8_map::kTurretPad, 0},
    {large_spawns::EN027, stage8_map::kFortressBase, 0},
    {large_spawns::EN028, stage8_map::kWalkerHangar, -8},
};

// The map's Top after the background's step of every Count up to `last`,
// with the scroll speeds the script writes (the background's step of a Count
// comes after the script of that Count).
std::vector<std::int32_t> TopsUpTo(std::span<const ScriptEntry> script, std::int32_t last) {
    std::vector<ScriptEntry> speeds;
    for (const ScriptEntry& e : script)
        if (e.kind == ScriptEntry::Kind::Setting && e.target == &g_ScrollSpeed) speeds.push_back(e);
    const double kept = g_ScrollSpeed;
    g_ScrollSpeed = CBG8::kStartSpeed10 / 10.0;
    std::vector<std::int32_t> tops(std::size_t(last) + 1, CBG8::kStartTop);
    double pos = 0;
    for (std::int32_t n = 1; n <= last; ++n) {
        RunScript(speeds, n);
        pos += g_ScrollSpeed;
        tops[std::size_t(n)] = CBG8::kStartTop + RoundHalfEven(pos);
    }
    g_ScrollSpeed = kept;
    return tops;
}

// Queues a sprite with its top-left at (x, y) of the map; when a layer is
// full, draws what is queued first.
class Composer {
public:
    void Put(std::int32_t sprite, std::int32_t x, std::int32_t y, std::int32_t mode = kMasked) {
        const CQ7Pos& size = g_DDBPack.GetSprite(sprite).Pos;
        CQ7Pos at;
        at.SetCenter_Base(VB_FALSE);
        at.ReSize(size.Width(), size.Height());
        at.Move(x, y);
        if (!g_DDBPack.AddBlt(at, sprite, 1, kMapSprite, mode)) {
            Flush();
            if (!g_DDBPack.AddBlt(at, sprite, 1, kMapSprite, mode)) ++lost_;
        }
    }
    void PutCentred(std::int32_t sprite, std::int32_t cx, std::int32_t cy) {
        const CQ7Pos& size = g_DDBPack.GetSprite(sprite).Pos;
        Put(sprite, cx - size.Width() / 2, cy - size.Height() / 2);
    }
    void Flush() {
        g_DDBPack.Blt();
        g_DDBPack.BltClear(-1);
    }
    std::int32_t Lost() const { return lost_; }

private:
    std::int32_t lost_ = 0;
};

}  // namespace

bool CBG8::RollsOn(std::int32_t n) {
    if (n < 9000) return n % 500 >= 421 && n % 500 <= 480 && n % 4 == 0;
    if (n < 10000) return n % 200 >= 161 && n % 200 <= 190 && n % 2 == 0;
    return n % 100 >= 85 && n % 100 <= 99;
}

void CBG8::Call_Initial(int&) {
    BuildMap();
    frame_ = 0;
    scroll_pos_ = 0;
    g_ScrollSpeed = kStartSpeed10 / 10.0;
}

void CBG8::BuildMap() {
    // The floor tile over the whole map, then the stronghold on it.
    CQ7Sprite256& map = map_paint::LayFill(kMapHeight, kFloorTile);

    // The stronghold's structures, drawn into the map itself (placed from its top-left).
    map.Pos.Move(0, 0);
    Composer put;
    for (const stage8_map::Piece& p : stage8_map::Pieces()) put.Put(p.sprite, p.x, p.y);

    // A pad under every ground unit, on the row it will ride on.
    const std::span<const ScriptEntry> script = kStage8.script;
    const std::vector<std::int32_t> tops = TopsUpTo(script, kStage8.last_scripted_frame);
    for (const ScriptEntry& e : script) {
        if (e.kind != ScriptEntry::Kind::Frame) continue;
        for (const PadOf& pad : kPads) {
            if (e.routine != pad.routine) continue;
            const std::int32_t row = RoundHalfEven(e.args[1]) - tops[std::size_t(e.first - 1)];
            put.PutCentred(pad.sprite, RoundHalfEven(e.args[0]), row + pad.dy);
        }
    }
    put.Flush();
    lost_draws_ = put.Lost();

    map.Pos.Move(0, kStartTop);
    top_ = map.Pos.Top();
    map.DT.ALL_Paint();
}

bool CBG8::Call_Events() {
    ++frame_;
    if (RollsOn(frame_)) {
        g_Palette.Roll_UP(kVeins, kLoop, -1);
        g_Palette.Roll_UP(kPlates, kLoop, -1);
    }

    top_ = map_paint::ScrollMap(scroll_pos_, kStartTop, kWrap, 1);  // wraps once the top passes row 0
    return false;
}

// CShot (main, side and rear shots), CGun (the rear shot's splinters) and
// the position-and-rectangles part every moving weapon shares.
#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "game/player/weapon_common.h"
#include "game/player/weapons.h"

using player::OnScreen;

namespace {

struct Splinter {
    std::int32_t dir;     // 16-step direction, all pointing up
    std::int32_t sprite;
    std::int32_t layer;   // group of NewObject
};

// What a rear shot leaves behind at the bottom edge, by its power level.
constexpr Splinter kSplintersLv2[] = {{10, 126, 7}, {14, 124, 7}};
constexpr Splinter kSplintersLv3[] = {{10, 126, 7}, {14, 124, 6}, {11, 122, 6}, {13, 122, 6}};

template <std::size_t N>
void SpawnSplinters(const Splinter (&list)[N], double x) {
    for (const auto& s : list) {
        g_SpawnParam.X = x;
        g_SpawnParam.Y = 240;
        g_SpawnParam.DX = g_Angle.GetDX16(s.dir);
        g_SpawnParam.DY = g_Angle.GetDY16(s.dir);
        g_SpawnParam.Sprite = s.sprite;
        player::SpawnOrDie<CGun>(s.layer, "");
    }
}

}  // namespace

void CShot::Call_Initial(int&) {
    const SpawnParam& p = g_SpawnParam;
    dx_ = p.DX;
    dy_ = p.DY;
    sprite_ = p.Sprite;
    level_ = p.Level;
    side_ = p.Side;
    // A side shot fanned out to one side sweeps a wider strip.
    Start(sprite_, sprite_ == 103 && dx_ != 0 ? 72 : 40, 32);
    frame_ = 0;
}

bool CShot::Call_Events() {
    ++frame_;
    // Point blank hits hardest; after that the shot weakens by 5 a frame
    // (it can go negative on a very long flight).
    if (frame_ == 1)
        attack_ = side_ != 0 ? 200 : 300;
    else if (frame_ == 2)
        attack_ = 100;
    else
        attack_ -= 5;

    x_ += dx_;
    y_ += dy_;
    Place();
    g_PlayerAttackList.Add(hit_, attack_);

    if (OnScreen(draw_)) {
        g_DDBPack.AddBlt(draw_, sprite_, 26, 0, 0);
        return false;
    }
    if (level_ == 2) SpawnSplinters(kSplintersLv2, x_);
    if (level_ == 3) SpawnSplinters(kSplintersLv3, x_);
    return true;
}

void CGun::Call_Initial(int&) {
    step_x_ = g_SpawnParam.DX * 6;
    step_y_ = g_SpawnParam.DY * 6;
    sprite_ = g_SpawnParam.Sprite;
    Start(sprite_, 1, 1);
}

bool CGun::Call_Events() {
    x_ += step_x_;
    y_ += step_y_;
    Place();
    // A splinter hurts only what it actually strikes, once, and is spent.
    if (g_HitList1.GetDamage1(hit_) == 1 || g_HitList2.GetDamage1(hit_) == 1) {
        g_PlayerAttackList.Add(hit_, 60);
        return true;
    }
    if (!OnScreen(draw_)) return true;
    g_DDBPack.AddBlt(draw_, sprite_, 27, 0, 0);
    return false;
}

void PlayerWeapon::Start(std::int32_t sprite, std::int32_t w, std::int32_t h) {
    x_ = g_SpawnParam.X;
    y_ = g_SpawnParam.Y;
    draw_ = player::SpriteRect(sprite);
    hit_.ReSize(w, h);
    Place();
}

void PlayerWeapon::Place() {
    player::MoveTo(draw_, x_, y_);
    player::MoveTo(hit_, x_, y_);
}

// The laser: CLaser1 emits a fan of diagonal segments (CLaser2) for 12
// frames from the spot where the ship fired; each segment that reaches the
// bottom edge sends up one vertical segment (CLaser3).
#include "app/zenit02.h"
#include "game/player/weapon_common.h"
#include "game/player/weapons.h"

namespace {

// One diagonal segment kind. Its vertical follow-up rises at
//   bottom-x = X + sign * (240 - Y) * num / den + offset
// (the steeper pairs cross over, so their follow-ups rise on the far side).
struct SegmentKind {
    std::int32_t min_level;
    std::int32_t sprite;
    double dx, dy;
    double sign, num, den, offset;
};

constexpr SegmentKind kSegments[] = {
    {1, 133, -11, 11, -1, 1, 1, -1},
    {1, 127, 11, 11, +1, 1, 1, +1},
    {2, 132, -7, 14, +1, 8, 14, -1},
    {2, 128, 7, 14, -1, 8, 14, +1},
    {3, 131, -3, 18, +1, 3, 18, 0},
    {3, 129, 3, 18, -1, 3, 18, 0},
};

constexpr int kEmitFrames = 12;
constexpr int kLaserAttack = 13;

}  // namespace

void CLaser1::Call_Initial(int&) {
    x_ = g_SpawnParam.X;
    y_ = g_SpawnParam.Y;
    level_ = g_SpawnParam.Level;
    frame_ = 0;
}

bool CLaser1::Call_Events() {
    if (++frame_ > kEmitFrames) return true;
    const double drop = 240 - y_;
    for (const SegmentKind& k : kSegments) {
        if (level_ < k.min_level) continue;
        g_SpawnParam.X = x_;
        g_SpawnParam.Y = y_;
        g_SpawnParam.DX = k.dx;
        g_SpawnParam.DY = k.dy;
        g_SpawnParam.Sprite = k.sprite;
        g_SpawnParam.Level = RoundHalfEven(x_ + k.sign * (drop * k.num / k.den) + k.offset);
        player::SpawnOrDie<CLaser2>(6, "");
    }
    return false;
}

void CLaser2::Call_Initial(int&) {
    const SpawnParam& p = g_SpawnParam;
    dx_ = p.DX;
    dy_ = p.DY;
    sprite_ = p.Sprite;
    bottom_x_ = p.Level;
    // The segment hangs from the firing point on the side it flies away from.
    draw_ = player::SpriteRect(sprite_);
    if (dx_ > 0)
        draw_.SetLeft(RoundHalfEven(p.X));
    else
        draw_.SetRight(RoundHalfEven(p.X));
    draw_.SetTop(RoundHalfEven(p.Y));
    x_ = draw_.CenterX();
    y_ = draw_.CenterY();
    draw_.Copy(hit_);
    hit_.ReSize(draw_.Width() + 4, draw_.Height() + 4);
    frame_ = 0;
    split_ = false;
}

bool CLaser2::Call_Events() {
    if (++frame_ >= 2) {
        x_ += dx_;
        y_ += dy_;
    }
    Place();
    if (!split_ && draw_.Bottom() > 239) {
        split_ = true;
        if (bottom_x_ >= -10 && bottom_x_ <= 330) {
            g_SpawnParam.X = bottom_x_;
            g_SpawnParam.Y = 570 - draw_.Bottom();
            g_SpawnParam.DY = -20;
            g_SpawnParam.Sprite = 130;
            player::SpawnOrDie<CLaser3>(6, "");
        }
    }
    if (draw_.Top() >= 241) return true;
    g_DDBPack.AddBlt(draw_, sprite_, 26, 0, 0);
    g_PlayerAttackList.Add(hit_, kLaserAttack);
    return false;
}

void CLaser3::Call_Initial(int&) {
    dy_ = g_SpawnParam.DY;
    sprite_ = g_SpawnParam.Sprite;
    Start(sprite_, 24, 20);
}

bool CLaser3::Call_Events() {
    y_ += dy_;
    Place();
    if (draw_.Bottom() <= 21) return true;
    g_DDBPack.AddBlt(draw_, sprite_, 26, 0, 0);
    g_PlayerAttackList.Add(hit_, kLaserAttack);
    return false;
}

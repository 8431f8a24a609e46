#include "game/enemies/tama2.h"

#include "core/q7_angle.h"
#include "gfx/q7_ddbpack256.h"

void CTama2::Call_Initial(int&) {
    param_ = g_TamaParam;
    if (param_.DrawEvery < 1) param_.DrawEvery = 1;  // 0 would divide by zero
    life_.hit_points = param_.Attack + 100 * g_Rank;
    g_DDBPack.GetSprite(param_.Sprite).Pos.Copy(draw_);
    hit_.ReSize(param_.HitW, param_.HitH);
    x_ = param_.X;
    y_ = param_.Y;
    hit_.Move(RoundHalfEven(x_), RoundHalfEven(y_));
    draw_.Move(RoundHalfEven(x_), RoundHalfEven(y_));
}

bool CTama2::Call_Events() {
    ++frame_;
    life_.Tick();
    x_ += g_Angle.GetDX16(param_.Dir) * param_.Speed;
    y_ += g_Angle.GetDY16(param_.Dir) * param_.Speed;
    const std::int32_t ix = RoundHalfEven(x_), iy = RoundHalfEven(y_);
    hit_.Move(ix, iy);
    draw_.Move(ix, iy);
    if (!g_DDBPack.GetSprite(0).Pos.GetClipOn(hit_)) return true;
    if (life_.TakeDamage(hit_)) {
        Shootable::Explode(x_, y_, false);
        return true;
    }
    if (frame_ % param_.DrawEvery == 0) g_DDBPack.AddBlt(draw_, param_.Sprite, param_.DrawLayer, 0, life_.DrawMode());
    Shootable::Register(hit_);
    return false;
}

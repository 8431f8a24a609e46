#include "game/enemies/directed_tama.h"

#include "core/q7_angle.h"
#include "gfx/q7_ddbpack256.h"

void CDirectedTama::Load() {
    param_ = g_TamaParam;
    // DrawEvery 0 would divide by zero; such a bullet is drawn every frame.
    if (param_.DrawEvery < 1) param_.DrawEvery = 1;
    x_ = param_.X;
    y_ = param_.Y;
}

void CDirectedTama::Shape(std::int32_t sprite, std::int32_t hit_w, std::int32_t hit_h) {
    g_DDBPack.GetSprite(sprite).Pos.Copy(draw_);
    hit_.ReSize(hit_w, hit_h);
    Place();
}

void CDirectedTama::Advance() {
    x_ += g_Angle.GetDX16(param_.Dir) * param_.Speed;
    y_ += g_Angle.GetDY16(param_.Dir) * param_.Speed;
    Place();
}

void CDirectedTama::Place() {
    const std::int32_t ix = RoundHalfEven(x_), iy = RoundHalfEven(y_);
    hit_.Move(ix, iy);
    draw_.Move(ix, iy);
}

void SetTamaParam(double X, double Y, std::int32_t dir, double speed, std::int32_t attack, std::int32_t sprite,
                  std::int32_t layer, std::int32_t hit_size) {
    g_TamaParam.X = X;
    g_TamaParam.Y = Y;
    g_TamaParam.Speed = speed;
    g_TamaParam.Dir = dir;
    g_TamaParam.Attack = attack;
    g_TamaParam.Sprite = sprite;
    g_TamaParam.DrawLayer = layer;
    g_TamaParam.DrawEvery = 1;
    g_TamaParam.HitW = hit_size;
    g_TamaParam.HitH = hit_size;
}

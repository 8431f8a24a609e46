#include "game/enemies/smoke.h"

#include "gfx/q7_ddbpack256.h"

void CSmoke::Call_Initial(int&) {
    param_ = g_SpawnParam;
    // A step of 0 frames would divide by zero; such a smoke shows one frame per image.
    if (param_.Level < 1) param_.Level = 1;
    g_DDBPack.GetSprite(param_.Sprite).Pos.Copy(pos_);
    x_ = param_.X;
    y_ = param_.Y;
    counter_ = 0;
}

bool CSmoke::Call_Events() {
    std::int32_t image = counter_ / param_.Level;
    if (image >= kImages) return true;
    x_ += param_.DX;
    y_ += param_.DY;
    pos_.Move(RoundHalfEven(x_), RoundHalfEven(y_));
    if (!g_DDBPack.GetSprite(0).Pos.GetClipOn(pos_)) return true;
    g_DDBPack.AddBlt(pos_, param_.Sprite + image, param_.Side, 0, 0);
    ++counter_;
    return false;
}

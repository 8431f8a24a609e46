#include "game/enemies/tama.h"

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "gfx/q7_ddbpack256.h"

void CTama::Call_Initial(int&) {
    param_ = g_TamaParam;
    // DrawEvery 0 would divide by zero; such a bullet is drawn every frame.
    if (param_.DrawEvery < 1) param_.DrawEvery = 1;
    const bool reflected = param_.Reflected != 0;
    sprite_ = reflected ? param_.Sprite + 1 : param_.Sprite;
    g_DDBPack.GetSprite(sprite_).Pos.Copy(draw_);
    x_ = param_.X;
    y_ = param_.Y;
    if (reflected)
        hit_.ReSize(param_.HitW + 4, param_.HitH + 4);
    else
        hit_.ReSize(param_.HitW, param_.HitH);
    damage_.ReSize(2 * param_.HitW, 2 * param_.HitH);
    hit_.Move(RoundHalfEven(x_), RoundHalfEven(y_));
    draw_.Move(RoundHalfEven(x_), RoundHalfEven(y_));
}

bool CTama::Call_Events() {
    ++frame_;
    x_ += g_Angle.GetDX16(param_.Dir) * param_.Speed;
    y_ += g_Angle.GetDY16(param_.Dir) * param_.Speed;
    const std::int32_t ix = RoundHalfEven(x_), iy = RoundHalfEven(y_);
    hit_.Move(ix, iy);
    draw_.Move(ix, iy);
    if (!g_DDBPack.GetSprite(0).Pos.GetClipOn(draw_)) return true;
    return param_.Reflected != 0 ? ReflectedStep() : EnemyStep();
}

bool CTama::EnemyStep() {
    // All enemy bullets vanish in the frame after the ship is hit.
    if (g_HitFlash == 1 || g_BulletsOff) return true;
    if (param_.Reflectable != 0 && g_MyShipList.GetDamage1(hit_) == 1) {
        param_.X = x_;
        param_.Y = y_;
        param_.Dir = (param_.Dir + 8) % 16;
        param_.Reflected = VB_TRUE;
        g_TamaParam = param_;
        g_ObjectPack.Spawn<CTama>(7, VB_TRUE);
        return true;
    }
    if (DrawThisFrame()) g_DDBPack.AddBlt(draw_, sprite_, param_.DrawLayer, 0, 0);
    g_EnemyBulletList.Add(hit_, 1);
    return false;
}

bool CTama::ReflectedStep() {
    if (g_BulletsOff) return true;
    if (DrawThisFrame()) g_DDBPack.AddBlt(draw_, sprite_, kReflectedLayer, 0, 0);
    std::int32_t r = g_HitList1.GetDamage1(hit_);
    if (r == 0) r = g_HitList2.GetDamage1(hit_);
    if (r == 1) {
        damage_.Move(RoundHalfEven(x_), RoundHalfEven(y_));
        g_PlayerAttackList.Add(damage_, param_.Attack);
        return true;
    }
    return false;
}

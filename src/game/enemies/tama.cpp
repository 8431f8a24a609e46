#include "game/enemies/tama.h"

#include "core/q7_objectpack.h"
#include "gfx/q7_ddbpack256.h"

void CTama::Call_Initial(int&) {
    Load();
    const bool reflected = Reflected();
    sprite_ = reflected ? param_.Sprite + 1 : param_.Sprite;
    const std::int32_t grow = reflected ? 4 : 0;
    Shape(sprite_, param_.HitW + grow, param_.HitH + grow);
    damage_.ReSize(2 * param_.HitW, 2 * param_.HitH);
}

bool CTama::Call_Events() {
    ++frame_;
    Advance();
    if (!g_DDBPack.GetSprite(0).Pos.GetClipOn(draw_)) return true;
    return Reflected() ? ReflectedStep() : EnemyStep();
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

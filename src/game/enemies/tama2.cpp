#include "game/enemies/tama2.h"

#include "gfx/q7_ddbpack256.h"

void CTama2::Call_Initial(int&) {
    Load();
    life_.hit_points = param_.Attack + 100 * g_Rank;
    Shape(param_.Sprite, param_.HitW, param_.HitH);
}

bool CTama2::Call_Events() {
    ++frame_;
    life_.Tick();
    Advance();
    if (!g_DDBPack.GetSprite(0).Pos.GetClipOn(hit_)) return true;
    if (life_.TakeDamage(hit_)) {
        Shootable::Explode(x_, y_, false);
        return true;
    }
    if (DrawThisFrame()) g_DDBPack.AddBlt(draw_, param_.Sprite, param_.DrawLayer, 0, life_.DrawMode());
    Shootable::Register(hit_);
    return false;
}

#include "game/enemies/shootable.h"

#include "app/zenit02.h"

bool Shootable::TakeDamage(const CQ7Pos& hit) {
    std::int32_t d = g_PlayerAttackList.GetDamage(hit);
    if (g_HitFlash == 1) d += 1000;
    if (g_BulletsOff) d = hit_points;
    if (d <= 0) return false;
    hit_points -= d;
    if (flash == 0) flash = 4;
    if (hit_points > 0) {
        g_SeReq7 = true;
        return false;
    }
    return true;
}

void Shootable::Register(const CQ7Pos& hit) {
    g_HitList2.Add(hit, 1);
    g_MissileTargets.Add(hit, 1);
}

void Shootable::Explode(double x, double y, bool large) {
    g_SeReq5 = true;
    MakeSmoke(RoundHalfEven(x), RoundHalfEven(y), 0, 0, large, large ? 3 : 2, 25);
}

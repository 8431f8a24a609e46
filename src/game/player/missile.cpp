// CMissile (homing missile) and CBomber (its explosion).
#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "game/player/weapon_common.h"
#include "game/player/weapons.h"

namespace {

constexpr double kMissileSpeed = 5;
constexpr int kMissileLife = 179;      // explodes on the frame after this
constexpr int kMissileVisible = 60;    // drawn even off screen up to this frame
constexpr int kMissileSteerFrom = 8;   // flies straight for this many frames
constexpr int kBurstDistance2 = 100;    // squared distance: target centre within 10 px
constexpr int kBomberFrames = 70;

}  // namespace

void CMissile::Call_Initial(int&) {
    dir_ = g_SpawnParam.Dir;
    index_ = g_SpawnParam.Level;
    vx_ = g_Angle.GetDX16(dir_) * kMissileSpeed;
    vy_ = g_Angle.GetDY16(dir_) * kMissileSpeed;
    // The missile images all share one size; its own image places it and
    // decides when it has left the screen.
    Start(106 + dir_, 12, 12);
    frame_ = 0;
}

void CMissile::Explode() {
    g_SpawnParam.X = x_;
    g_SpawnParam.Y = y_;
    player::SpawnOrDie<CBomber>(7, "");
}

bool CMissile::Call_Events() {
    ++frame_;
    if (g_HitList2.GetDamage1(hit_) == 1 || frame_ > kMissileLife) {
        Explode();
        return true;
    }
    // The missiles of one volley look for targets on different frames.
    if (frame_ > kMissileSteerFrom && frame_ % 4 == index_) {
        std::int32_t length2 = 0;
        const std::int32_t d = g_MissileTargets.GetTarget16(hit_, length2);
        if (d >= 0) {
            dir_ = d;
            if (length2 < kBurstDistance2) {
                Explode();
                return true;
            }
            vx_ = g_Angle.GetDX16(dir_) * kMissileSpeed;
            vy_ = g_Angle.GetDY16(dir_) * kMissileSpeed;
        }
    }
    x_ += vx_;
    y_ += vy_;
    Place();
    if (frame_ > kMissileVisible && !player::OnScreen(draw_)) return true;
    g_DDBPack.AddBlt(draw_, 106 + dir_, 27, 0, 0);
    return false;
}

void CBomber::Call_Initial(int&) {
    Start(134, 24, 24);  // placed once, at the rounded spot
    frame_ = 0;
}

bool CBomber::Call_Events() {
    if (++frame_ > kBomberFrames) return true;
    g_PlayerAttackList.Add(hit_, frame_ == 1 ? 30 : 5);
    if (frame_ % 4 == 1) g_DDBPack.AddBlt(draw_, 134, 25, 0, 0);
    return false;
}

#include "game/enemies/boss.h"

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/directed_tama.h"
#include "game/enemies/enemy.h"
#include "game/enemies/tama2.h"
#include "game/enemies/tama_velocity.h"
#include "gfx/q7_ddbpack256.h"
#include "platform/q7_directx7.h"

namespace {

constexpr DescentStep kDescent[] = {
    {100, 1.6}, {110, 1.2}, {120, 0.9}, {130, 0.7}, {140, 0.5}, {150, 0.3}, {160, 0.2},
    {170, 0.1}, {180, 0.0}, {190, -0.1}, {200, -0.2}, {210, -0.1}, {220, 0.0}, {230, 0.1},
};

}  // namespace

const std::span<const DescentStep> kBossDescent = kDescent;

// ---- Set-up -----------------------------------------------------------------------------

void CBoss::Call_Initial(int&) {
    x_ = base_x_ = profile_.start_x;
    y_ = base_y_ = profile_.start_y;
    hit_points_ = StartHitPoints();
    next_attack_ = profile_.first_attack;
    countdown_ = 0;
    main_.ReSize(profile_.main.w, profile_.main.h);
    g_DDBPack.GetSprite(profile_.body_sprite).Pos.Copy(body_);
    if (profile_.shadow_sprite != 0) g_DDBPack.GetSprite(profile_.shadow_sprite).Pos.Copy(shadow_);
    parts_.assign(profile_.parts.size(), CQ7Pos{});
    for (std::size_t i = 0; i < parts_.size(); ++i) parts_[i].ReSize(profile_.parts[i].w, profile_.parts[i].h);
    SetUp();
}

// ---- The frame ------------------------------------------------------------------------

bool CBoss::Call_Events() {
    // Dormant up to and including the wake frame, so that t = 1 on the
    // first frame awake.
    if (++frame_ <= profile_.wake_frame) return false;

    if (countdown_ > 0) {
        if (--countdown_ == 1) {
            g_ClearTimer = 1;
            return true;
        }
        return false;
    }

    if (flash_ > 0) --flash_;
    const std::int32_t t = frame_ - profile_.wake_frame;

    if (t <= profile_.entry_frames) {
        EntryMove(t);
        PlaceDrawRegister();
        return false;
    }

    if (const std::int32_t d = Damage(); d >= 1) {
        hit_points_ -= d;
        if (hit_points_ <= 0) {
            Defeat();
            return false;
        }
        if (flash_ == 0) flash_ = 4;
        g_SeReq7 = true;
    }

    if (t == next_attack_) {
        next_attack_ += profile_.attack_interval;
        Attack(t);
    }
    FightMove(t);
    PlaceDrawRegister();
    return false;
}

std::int32_t CBoss::Damage() const { return g_PlayerAttackList.GetDamage(main_); }

void CBoss::Descend(std::span<const DescentStep> table, std::int32_t t) {
    for (const DescentStep& step : table) {
        if (t <= step.until) {
            y_ += step.speed;
            base_y_ += step.speed;
            return;
        }
    }
}

void CBoss::PlaceDrawRegister() {
    const std::int32_t x = RoundX(), y = RoundY();
    const BossProfile& p = profile_;
    main_.Move(x + p.main.dx, y + p.main.dy);
    body_.Move(x + p.body_offset.dx, y + p.body_offset.dy);
    for (std::size_t i = 0; i < parts_.size(); ++i) parts_[i].Move(x + p.parts[i].dx, y + p.parts[i].dy);

    const std::int32_t mode = DrawMode();
    g_DDBPack.AddBlt(body_, BodySprite(), p.body_layer, 0, mode);
    DrawOnBody(x, y, mode);
    if (p.shadow_sprite != 0 && g_FrameCount % 2 == 0) {
        shadow_.Move(x + p.shadow_offset.dx, y + p.shadow_offset.dy);
        g_DDBPack.AddBlt(shadow_, p.shadow_sprite, kShadowLayer, 0, 0);
    }

    for (const CQ7Pos& part : parts_) Register(part);
    Register(main_);
}

void CBoss::Register(const CQ7Pos& rect) const {
    if (hit_points_ <= 0) return;
    if (profile_.ground) {
        g_HitList1.Add(rect, 1);
        g_ObstacleList.Add(rect, 1);
    } else {
        g_HitList2.Add(rect, 1);
    }
}

void CBoss::Defeat() {
    const BossProfile& p = profile_;
    AddScore(p.score, true);
    if (p.stops_music)
        g_DX7.DM_Stop(-1);
    else
        g_DX7.DS_Play(12, 0);
    g_NoDamage = true;
    countdown_ = kDefeatCountdown;
    g_BulletsOff = true;
    const std::int32_t x = RoundX(), y = RoundY();
    for (const BossOffset& o : p.defeat_smokes) MakeSmoke(x + o.dx, y + o.dy, 0, 0, true, 4, kSmokeLayer);
    if (p.wreck_sprite != 0) enemy_fx::LeaveWreck(x, y, p.wreck_sprite, p.wreck_layer);
    OnDefeat();
}

// ---- Shots ----------------------------------------------------------------------------

namespace boss_fire {

void LargeTama(double x, double y, std::int32_t dir, double speed_add) {
    g_TamaParam.Reflectable = VB_TRUE;
    g_TamaParam.Reflected = VB_FALSE;
    SetTamaParam(x, y, dir, g_BulletSpeed + speed_add, 500, 6005 + dir, 24, 12);
    g_ObjectPack.Spawn<CTama2>(4, VB_TRUE);
}

void BigTama(double x, double y, std::int32_t dir) {
    const double speed = g_BulletSpeed - 0.5;
    g_SpawnParam.X = x;
    g_SpawnParam.Y = y;
    g_SpawnParam.DX = g_Angle.GetDX16(dir) * speed;
    g_SpawnParam.DY = g_Angle.GetDY16(dir) * speed;
    g_SpawnParam.Sprite = CTama6::kEnemySprite;
    g_ObjectPack.Spawn<CTama6>(4, VB_TRUE);
}

}  // namespace boss_fire

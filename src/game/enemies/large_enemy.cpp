#include "game/enemies/large_enemy.h"

#include "core/q7_angle.h"
#include "gfx/q7_ddbpack256.h"

namespace {
std::int32_t GroundTop() { return g_DDBPack.GetSprite(1).Pos.Top(); }
}  // namespace

void CLargeEnemy::Call_Initial(int&) {
    ep_ = g_EnemyParam;
    ex_ = g_EnemyParamEx;
    x_ = ep_.X;
    anchor_ = RoundHalfEven(ep_.Y) - GroundTop();
    travel_ = 0;
    speed_ = ep_.Mode / 10.0;
    fire_interval_ = (300 - 25 * g_Rank) / 10;
    next_fire_ = ex_.FirstShot;
    fire_step_ = 0;
    parts_.clear();
    parts_.reserve(layout_.parts.size());
    for (const LargePartDef& def : layout_.parts) {
        Part p;
        p.def = &def;
        p.hit_points = def.hit_points;
        p.heading = def.start_heading;
        p.hit.ReSize(def.w, def.h);
        if (def.sprite_base != 0) g_DDBPack.GetSprite(def.sprite_base).Pos.Copy(p.sprite);
        parts_.push_back(p);
    }
    g_DDBPack.GetSprite(layout_.body_sprite).Pos.Copy(body_);
    y_ = anchor_ + GroundTop() + travel_;
    PlaceParts();
}

void CLargeEnemy::PlaceParts() {
    const std::int32_t ix = RoundX(), iy = RoundY();
    body_.Move(ix, iy);
    for (Part& p : parts_) {
        p.hit.Move(ix + p.def->dx, iy + p.def->dy);
        p.sprite.Move(ix + p.def->dx, iy + p.def->dy);
    }
}

bool CLargeEnemy::Call_Events() {
    ++frame_;
    for (Part& p : parts_)
        if (p.flash > 0) --p.flash;

    travel_ += speed_;
    y_ = anchor_ + GroundTop() + travel_;
    PlaceParts();
    if (!g_DDBPack.GetSprite(0).Pos.GetClipOn(body_)) return true;

    const std::int32_t extra = g_HitFlash == 1 ? 1000 : 0;
    for (std::size_t i = 1; i < parts_.size(); ++i) {
        Part& p = parts_[i];
        if (p.hit_points > 0 && DamagePart(p, extra)) {
            AddScore(p.def->score, true);
            g_SeReq6 = true;
            MakeSmoke(p.hit.CenterX(), p.hit.CenterY(), 0, 0, true, 4, 7);
        }
    }
    // The core is locked while any turret lives; damage meanwhile is lost.
    Part& core = parts_[0];
    if (TurretHitPoints() < 1 && DamagePart(core, extra)) {
        AddScore(core.def->score, true);
        g_SeReq8 = true;
        for (const HullShot& s : layout_.death_smokes) MakeSmoke(RoundX() + s.dx, RoundY() + s.dy, 0, 0, true, 4, 7);
        return true;
    }

    Turn();
    FireCycle();
    Draw();
    Register();
    return false;
}

bool CLargeEnemy::DamagePart(Part& part, std::int32_t extra) {
    if (part.hit.CenterY() <= kStatusBarY) return false;
    const std::int32_t d = g_PlayerAttackList.GetDamage(part.hit) + extra;
    if (d <= 0) return false;
    if (part.flash == 0) part.flash = 4;
    part.hit_points -= d;
    if (part.hit_points > 0) {
        g_SeReq7 = true;
        return false;
    }
    part.hit_points = 0;  // clamped, so the turrets' sum for the core's lock never goes negative
    return true;
}

std::int32_t CLargeEnemy::TurretHitPoints() const {
    std::int32_t sum = 0;
    for (std::size_t i = 1; i < parts_.size(); ++i) sum += parts_[i].hit_points;
    return sum;
}

void CLargeEnemy::Turn() {
    if (ex_.TurnInterval <= 0 || frame_ % ex_.TurnInterval != 0) return;
    // Wrecked turrets turn as well.
    for (std::size_t i = 1; i < parts_.size(); ++i) {
        Part& p = parts_[i];
        p.heading = g_Angle.GetGK8(p.hit.KAKUDO8(g_MyShipPos), p.heading);
    }
}

void CLargeEnemy::FireCycle() {
    if (frame_ != next_fire_ || layout_.cycle.empty()) return;
    next_fire_ += fire_interval_;
    fire_step_ = fire_step_ % static_cast<std::int32_t>(layout_.cycle.size()) + 1;
    const FireStep& step = layout_.cycle[fire_step_ - 1];
    const std::int32_t ix = RoundX(), iy = RoundY();
    if (step.part < 0) {
        for (const HullShot& s : step.hull) FireTama(ix + s.dx, iy + s.dy, s.dir, step.offset, step.speed_add);
        return;
    }
    const Part& p = parts_[step.part];
    if (p.hit_points <= 0) {
        // A wrecked turret smokes in the rhythm of the cycle instead.
        MakeSmoke(p.hit.CenterX(), p.hit.CenterY(), 0, 0, p.def->large_smoke, 4, 7);
        return;
    }
    for (std::int32_t s : step.spread)
        FireTama(p.hit.CenterX(), p.hit.CenterY(), (2 * p.heading + s + 16) % 16, step.offset, step.speed_add);
}

void CLargeEnemy::Draw() {
    g_DDBPack.AddBlt(body_, layout_.body_sprite, layout_.body_layer, 0, parts_[0].flash == 4 ? 2 : 0);
    for (std::size_t i = 1; i < parts_.size(); ++i) {
        const Part& p = parts_[i];
        g_DDBPack.AddBlt(p.sprite, p.def->sprite_base + p.heading, layout_.turret_layer, 0, p.flash == 4 ? 2 : 0);
    }
}

void CLargeEnemy::Register() const {
    for (const Part& p : parts_) {
        if (p.hit_points <= 0) continue;
        g_HitList1.Add(p.hit, 1);
        g_MissileTargets.Add(p.hit, 1);
    }
}

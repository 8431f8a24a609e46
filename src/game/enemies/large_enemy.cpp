#include "game/enemies/large_enemy.h"

#include <algorithm>

#include "core/q7_angle.h"
#include "game/enemies/en_missile.h"
#include "game/enemies/enemy.h"
#include "game/enemies/tama_velocity.h"
#include "gfx/q7_ddbpack256.h"

namespace {
std::int32_t GroundTop() { return g_DDBPack.GetSprite(1).Pos.Top(); }

void CopySpriteRect(std::int32_t sprite, CQ7Pos& rect) { g_DDBPack.GetSprite(sprite).Pos.Copy(rect); }
}  // namespace

void CLargeEnemy::Call_Initial(int&) {
    ep_ = g_EnemyParam;
    ex_ = g_EnemyParamEx;
    if (layout_.record_schedule) AdjustScheduleForRank(ex_);
    x_ = ep_.X;
    anchor_ = RoundHalfEven(ep_.Y) - GroundTop();
    travel_ = 0;
    speed_ = ep_.Mode / 10.0;
    const FireClock* defs[2] = {&layout_.cycle, &layout_.second};
    for (int i = 0; i < 2; ++i) {
        const FireClock& d = *defs[i];
        // Never less than a frame, whatever the rank.
        clocks_[i] = {.def = &d, .interval = std::max(1, (d.base - d.per_rank * g_Rank) / d.divisor), .next = ex_.FirstShot};
    }
    if (layout_.record_schedule) clocks_[0].interval = ex_.ShotInterval;
    parts_.clear();
    parts_.reserve(layout_.parts.size());
    for (const LargePartDef& def : layout_.parts) {
        Part p;
        p.def = &def;
        p.hit_points = def.hit_points;
        p.heading = def.start_heading;
        p.hit.ReSize(def.w, def.h);
        if (def.sprite_base != 0) CopySpriteRect(def.sprite_base, p.sprite);
        parts_.push_back(p);
    }
    extra_hull_.assign(layout_.extra_hull.size(), CQ7Pos());
    for (std::size_t i = 0; i < extra_hull_.size(); ++i) extra_hull_[i].ReSize(layout_.extra_hull[i].w, layout_.extra_hull[i].h);
    decor_.assign(layout_.decor.size(), CQ7Pos());
    for (std::size_t i = 0; i < decor_.size(); ++i) CopySpriteRect(layout_.decor[i].sprite, decor_[i]);
    CopySpriteRect(layout_.body_sprite, body_);
    y_ = anchor_ + GroundTop() + travel_;
    PlaceParts();
}

void CLargeEnemy::PlaceParts() {
    const std::int32_t ix = RoundX(), iy = RoundY();
    body_.Move(ix + layout_.body_dx, iy + layout_.body_dy);
    for (std::size_t i = 0; i < decor_.size(); ++i) decor_[i].Move(ix + layout_.decor[i].dx, iy + layout_.decor[i].dy);
    for (std::size_t i = 0; i < extra_hull_.size(); ++i)
        extra_hull_[i].Move(ix + layout_.extra_hull[i].dx, iy + layout_.extra_hull[i].dy);
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
    // The core is locked while any other part lives; damage meanwhile is lost.
    Part& core = parts_[0];
    if (TurretHitPoints() < 1 && DamagePart(core, extra)) {
        AddScore(core.def->score, true);
        g_SeReq8 = true;
        for (const HullShot& s : layout_.death_smokes) MakeSmoke(RoundX() + s.dx, RoundY() + s.dy, 0, 0, true, 4, 7);
        return true;
    }

    Turn();
    for (Clock& c : clocks_) RunClock(c);
    Draw();
    Register();
    return false;
}

std::int32_t CLargeEnemy::DamageTo(const Part& part) const {
    std::int32_t d = g_PlayerAttackList.GetDamage(part.hit);
    if (&part == &parts_[0])
        for (const CQ7Pos& r : extra_hull_) d += g_PlayerAttackList.GetDamage(r);
    return d;
}

bool CLargeEnemy::DamagePart(Part& part, std::int32_t extra) {
    if (part.hit.CenterY() <= kStatusBarY) return false;
    const std::int32_t d = DamageTo(part) + extra;
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
        if (p.def->fixed) continue;
        p.heading = g_Angle.GetGK8(p.hit.KAKUDO8(g_MyShipPos), p.heading);
    }
}

void CLargeEnemy::RunClock(Clock& clock) {
    const std::span<const FireStep> steps = clock.def->steps;
    if (frame_ != clock.next || steps.empty()) return;
    clock.next += clock.interval;
    clock.step = clock.step % static_cast<std::int32_t>(steps.size()) + 1;
    if (layout_.record_schedule && y_ > ex_.FireLimitY) return;
    const FireStep& step = steps[clock.step - 1];
    if (step.part < 0) {
        const std::int32_t ix = RoundX(), iy = RoundY();
        for (const HullShot& s : step.hull) Shoot(step.kind, ix + s.dx, iy + s.dy, s.dir, step.offset, step.speed_add);
        return;
    }
    FirePart(step, step.part);
    if (step.pair >= 0) FirePart(step, step.pair);
}

void CLargeEnemy::FirePart(const FireStep& step, std::int32_t index) {
    const Part& p = parts_[index];
    const std::int32_t x = p.hit.CenterX(), y = p.hit.CenterY();
    if (p.hit_points <= 0) {
        // A wrecked part smokes in the rhythm of the cycle instead.
        MakeSmoke(x, y, 0, 0, p.def->large_smoke, 4, 7);
        return;
    }
    if (step.kind != ShotKind::Tama) {
        Shoot(step.kind, x, y, 2 * p.heading, step.offset, step.speed_add);
        return;
    }
    for (std::int32_t s : step.spread) Shoot(step.kind, x, y, (2 * p.heading + s + 16) % 16, step.offset, step.speed_add);
}

void CLargeEnemy::Shoot(ShotKind kind, std::int32_t x, std::int32_t y, std::int32_t dir, double offset,
                        double speed_add) const {
    switch (kind) {
    case ShotKind::Tama: FireTama(x, y, dir, offset, speed_add); break;
    case ShotKind::AimedTama5: FireAimedTama5(x, y); break;
    case ShotKind::AimedTama6: FireAimedTama6(x, y); break;
    case ShotKind::Missile:
        LaunchMissile(x + g_Angle.GetDX16(dir) * offset, y + g_Angle.GetDY16(dir) * offset, dir);
        break;
    }
}

void CLargeEnemy::Draw() {
    const std::int32_t hull_mode = parts_[0].flash == 4 ? 2 : 0;
    for (std::size_t i = 0; i < decor_.size(); ++i)
        g_DDBPack.AddBlt(decor_[i], layout_.decor[i].sprite, layout_.decor[i].layer, 0, hull_mode);
    g_DDBPack.AddBlt(body_, layout_.body_sprite, layout_.body_layer, 0, hull_mode);
    for (std::size_t i = 1; i < parts_.size(); ++i) {
        const Part& p = parts_[i];
        const LargePartDef& d = *p.def;
        if (p.hit_points <= 0 && d.wreck_sprite != 0) {
            g_DDBPack.AddBlt(p.sprite, d.wreck_sprite, layout_.turret_layer, 0, 0);
            continue;
        }
        const std::int32_t sprite = d.sprite_base + (d.fixed ? 0 : p.heading);
        g_DDBPack.AddBlt(p.sprite, sprite, layout_.turret_layer, 0, p.flash == 4 ? 2 : 0);
    }
}

void CLargeEnemy::Register() const {
    for (const Part& p : parts_) {
        if (p.hit_points <= 0) continue;
        g_HitList1.Add(p.hit, 1);
        g_MissileTargets.Add(p.hit, 1);
    }
    // The core's further rectangles while it lives (the core is never 0 here).
    for (const CQ7Pos& r : extra_hull_) {
        g_HitList1.Add(r, 1);
        g_MissileTargets.Add(r, 1);
    }
}

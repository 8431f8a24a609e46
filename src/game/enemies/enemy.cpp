#include "game/enemies/enemy.h"

#include <algorithm>

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/stages/bg_object.h"
#include "gfx/q7_ddbpack256.h"

// ---- Set-up ---------------------------------------------------------------------

void CEnemy::Call_Initial(int&) {
    ep_ = g_EnemyParam;
    ex_ = g_EnemyParamEx;
    AdjustForRank();
    x_ = ep_.X;
    y_ = ep_.Y;
    hit_points_ = profile_.hit_points + profile_.hit_points_per_rank * g_Rank;
    heading_ = ex_.Heading;
    next_shot_ = ex_.FirstShot;
    never_hidden_ = ep_.Param9 != 0;
    layer_ = ep_.DrawLayer;
    SetAnchorFromY();
    SetUp();
    PlaceRects();
}

void CEnemy::AdjustForRank() { AdjustScheduleForRank(ex_, profile_.shot_rank); }

void AdjustScheduleForRank(EnemyParamEx& ex, const ShotRankRule& rule) {
    ex.ShotInterval = std::max(rule.floor, ex.ShotInterval - rule.per_rank * g_Rank) / rule.divisor;
    ex.FireLimitY = std::min(240, ex.FireLimitY + 20 * g_Rank);
}

void CEnemy::CopySpriteRect(std::int32_t sprite, CQ7Pos& rect) { g_DDBPack.GetSprite(sprite).Pos.Copy(rect); }

double CEnemy::GroundY() const { return anchor_ + g_DDBPack.GetSprite(1).Pos.Top(); }

void CEnemy::SetAnchorFromY() { anchor_ = y_ - g_DDBPack.GetSprite(1).Pos.Top(); }

// ---- The frame ------------------------------------------------------------------

bool CEnemy::Call_Events() {
    ++frame_;
    if (flash_ > 0) --flash_;
    if (profile_.ends_when_bullets_off && g_BulletsOff) {
        Destroy(false);
        return true;
    }
    hidden_ = IsHidden();
    if (frame_ > ep_.EntryFrames) {
        if (TakeDamage()) {
            Destroy();
            return true;
        }
        if (OffScreen()) return true;
    }
    Move();
    PlaceRects();
    if (profile_.turns) Turn();
    Shoot();
    Draw();
    Register();
    return false;
}

bool CEnemy::IsHidden() const { return IsGround() && !never_hidden_ && g_ObstacleList.GetDamage1(hit_) == 1; }

bool CEnemy::TakeDamage() {
    if (hidden_) return false;
    if (profile_.hit_points == 0) return g_PlayerAttackList.GetDamage1(hit_) == 1 || g_HitFlash == 1;
    std::int32_t d = g_PlayerAttackList.GetDamage(hit_);
    if (g_HitFlash == 1) d += profile_.flash_bonus;
    if (d <= 0) return false;
    if (flash_ == 0) flash_ = 4;
    hit_points_ -= d;
    if (hit_points_ < 1) return true;
    if (profile_.hit_sound_during_flash || g_HitFlash == 0) g_SeReq7 = true;
    return false;
}

void CEnemy::Destroy(bool scored) {
    if (scored) AddScore(profile_.score, true);
    const Explosion& e = profile_.explosion;
    if (e.sound) *e.sound = true;
    const std::int32_t ix = RoundHalfEven(x_), iy = RoundHalfEven(y_);
    if (e.wreck_sprite != 0) enemy_fx::LeaveWreck(ix, iy, e.wreck_sprite, e.wreck_layer < 0 ? DrawLayer() - 1 : e.wreck_layer);
    switch (e.pattern) {
    case Explosion::Pattern::Single: MakeSmoke(ix, iy, 0, 0, e.large, e.step, e.layer); break;
    case Explosion::Pattern::Heavy: enemy_fx::HeavySmokes(ix, iy, e.step, e.layer); break;
    case Explosion::Pattern::None: break;
    }
    OnDestroyed();
}

bool CEnemy::OffScreen() const {
    const CQ7Pos& bound = g_DDBPack.GetSprite(profile_.bound_sprite).Pos;
    if (bound.GetClipOn(sprite_pos_)) return false;
    // While its shadow is still in view an air enemy lives on.
    if (g_ShadowsOn && shadow_sprite_ != 0 && bound.GetClipOn(shadow_)) return false;
    return true;
}

void CEnemy::PlaceRects() {
    const std::int32_t ix = RoundHalfEven(x_), iy = RoundHalfEven(y_);
    hit_.Move(ix, iy);
    sprite_pos_.Move(ix, iy);
    shadow_.Move(ix + kShadowDX, iy + kShadowDY);
}

void CEnemy::Turn() {
    // TurnInterval 0 would divide by zero: such an enemy never turns.
    if (ex_.TurnInterval <= 0 || frame_ % ex_.TurnInterval != 0) return;
    heading_ = g_Angle.GetGK8(hit_.KAKUDO8(g_MyShipPos), heading_);
    sprite_ = sprite_base_ + heading_;
}

void CEnemy::Shoot() {
    if (frame_ != next_shot_) return;
    next_shot_ += ex_.ShotInterval;
    if (!hit_.GetClipOn(g_DDBPack.GetSprite(100).Pos)) return;
    if (y_ > ex_.FireLimitY) return;
    if (hidden_ && !FiresWhileHidden()) return;
    if (profile_.distance_rule && hit_.Length2(g_MyShipPos) < g_MinFireDist2) return;
    Fire();
}

void CEnemy::FireHeading(double offset, double speed_add) const {
    FireTama(x_, y_, heading_ * 2, offset, speed_add);
}

void CEnemy::Draw() {
    g_DDBPack.AddBlt(sprite_pos_, sprite_, layer_, 0, DrawMode());
    if (g_ShadowsOn && shadow_sprite_ != 0 && g_FrameCount % 2 == 0)
        g_DDBPack.AddBlt(shadow_, shadow_sprite_, kShadowLayer, 0, 0);
}

void CEnemy::Register() const {
    if (hidden_) return;
    // A one-hit air enemy cannot be touched before its entry time is over.
    if (profile_.hit_points == 0 && !IsGround() && frame_ <= ep_.EntryFrames) return;
    (IsGround() ? g_HitList1 : g_HitList2).Add(hit_, 1);
    g_MissileTargets.Add(hit_, 1);
}

// ---- Shared effects ---------------------------------------------------------------

namespace enemy_fx {

void HeavySmokes(std::int32_t x, std::int32_t y, std::int32_t step, std::int32_t layer) {
    static constexpr std::int32_t kOffsets[5][2] = {{-16, -30}, {12, -16}, {-2, -2}, {-10, 16}, {16, 30}};
    for (const auto& o : kOffsets) MakeSmoke(x + o[0], y + o[1], 0, 0, true, step, layer);
}

void LeaveWreck(std::int32_t x, std::int32_t y, std::int32_t sprite, std::int32_t layer) {
    SpawnBGObject(x, y, sprite, layer);
}

void PaintIntoGround(std::int32_t x, std::int32_t y, std::int32_t sprite) {
    CQ7Sprite256& s = g_DDBPack.GetSprite(sprite);
    const CQ7Pos keep = s.Pos;
    s.Pos.Move(x, y);
    s.SpriteBlt(g_DDBPack.GetSprite(1));
    s.Pos = keep;
}

}  // namespace enemy_fx

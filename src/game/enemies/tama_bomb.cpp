#include "game/enemies/tama_bomb.h"

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/tama2.h"
#include "game/enemies/tama_velocity.h"
#include "gfx/q7_ddbpack256.h"

// ---- The two-phase flight ------------------------------------------------------

void CBombTama::Call_Initial(int&) {
    param_ = g_SpawnParam;
    kind_ = KindOf(Type());
    life_.hit_points = kind_.hit_points;
    g_DDBPack.GetSprite(Type()).Pos.Copy(draw_);
    draw_.Move(Column(), 0);
    hit_.ReSize(kind_.hit_w, kind_.hit_h);
    hit_.Move(Column(), 0);
    x_ = param_.X;
    y_ = param_.Y;
    g_DDBPack.GetSprite(LaunchSprite()).Pos.Copy(launch_);
    launch_.Move(RoundHalfEven(x_), RoundHalfEven(y_));
    AfterInitial();
}

bool CBombTama::Call_Events() {
    if (Vanishes()) return true;
    ++frame_;
    if (frame_ <= kRiseFrames) {
        if (ExplodesWhileRising()) {
            MakeSmoke(RoundHalfEven(x_), RoundHalfEven(y_), 0, 0, false, 2, 25);
            return true;
        }
        if (!RiseStopsAtTop() || y_ >= 12) {
            y_ -= 5.5;
            x_ += param_.DX;
        }
        launch_.Move(RoundHalfEven(x_), RoundHalfEven(y_));
        if (Visible()) g_DDBPack.AddBlt(launch_, LaunchSprite(), kLaunchLayer, 0, 0);
        return false;
    }
    if (frame_ == kRiseFrames + 1) {
        x_ = Column();
        Reappear();
        return false;
    }
    life_.Tick();
    y_ += param_.DY;
    const std::int32_t iy = RoundHalfEven(y_);
    hit_.SetCenterY(iy);
    draw_.SetCenterY(iy);
    return Fall();
}

void CBombTama::DrawFalling() const {
    if (Visible()) g_DDBPack.AddBlt(draw_, Type(), kind_.layer, 0, life_.DrawMode());
}

// ---- CTama3 ------------------------------------------------------------------------

CBombTama::Kind CTama3::KindOf(std::int32_t type) const {
    switch (type) {
    case 238: return {20, 20, 32, 300 + 25 * g_Rank};
    case 239: return {40, 40, 31, 225 + 25 * g_Rank};
    default: return {8, 8, 33, 400 + 25 * g_Rank};
    }
}

bool CTama3::ExplodesWhileRising() const { return g_HitFlash == 1 || g_BulletsOff; }

void CTama3::Reappear() {
    y_ = 0;
    draw_.Move(Column(), 0);
    hit_.Move(Column(), 0);
}

bool CTama3::Fall() {
    if (!g_DDBPack.GetSprite(0).Pos.GetClipOn(draw_)) return true;
    if (life_.TakeDamage(hit_)) {
        Smoke(Type() == 239);
        return true;
    }
    if (y_ > param_.Side) {
        Burst();
        return true;
    }
    DrawFalling();
    Shootable::Register(hit_);
    return false;
}

void CTama3::Burst() const {
    for (std::int32_t dir = 0; dir < 16; ++dir) {
        SetTamaParam(x_ + g_Angle.GetDX16(dir), y_ + g_Angle.GetDY16(dir), dir, param_.DY + 1, 400, 237, 33, 8);
        g_ObjectPack.Spawn<CTama2>(4, VB_TRUE);
    }
}

// ---- CTama7 ------------------------------------------------------------------------

namespace {
// Small types 6081..6084 and large types 6085..6088 differ in size and toughness;
// within each half the last digit picks the firing rule.
enum class Fires { NearRing = 1, AtBottom = 2, WhenDestroyed = 3, Ring = 4 };
Fires RuleOf(std::int32_t type) { return static_cast<Fires>((type - 6081) % 4 + 1); }
}  // namespace

CBombTama::Kind CTama7::KindOf(std::int32_t type) const {
    const bool large = type > 6084;
    const bool weak = RuleOf(type) == Fires::WhenDestroyed;
    if (large) return {24, 20, 31, weak ? 600 : 1900};
    return {12, 10, 32, weak ? 200 : 800};
}

std::int32_t CTama7::LaunchSprite() const { return Type() < 6085 ? Type() : Type() - 4; }

void CTama7::AfterInitial() {
    // Only the ring types draw a trigger height, so the others leave the
    // shared random sequence alone.
    if (RuleOf(Type()) == Fires::Ring) trigger_y_ = 70 + 10 * g_Angle.Rnd16(-1);
}

void CTama7::Reappear() {
    draw_.Move(Column(), 0);
    draw_.SetBottom(22);
    y_ = draw_.CenterY();
    hit_.Move(Column(), RoundHalfEven(y_));
}

void CTama7::FireAimed(double x, double y) const {
    if (Large())
        FireAimedTama6(x, y);
    else
        FireAimedTama5(x, y);
}

// The ring leaves from the bomb itself at the plain bullet speed.
void CTama7::FireRing() const {
    const std::int32_t step = Large() ? 1 : 2;
    for (std::int32_t dir = 0; dir < 16; dir += step) FireTama(x_, y_, dir, 0, 0);
}

bool CTama7::Fall() {
    const std::int32_t dist2 = hit_.Length2(g_MyShipPos);
    if (life_.TakeDamage(hit_)) {
        Smoke(Large());
        if (RuleOf(Type()) == Fires::WhenDestroyed && g_HitFlash == 0 && dist2 > 14400) FireAimed(x_, y_);
        return true;
    }
    switch (RuleOf(Type())) {
    case Fires::NearRing:
        if (dist2 >= 22500 && dist2 <= 25600) {
            FireAimed(x_, y_);
            return true;
        }
        break;
    case Fires::AtBottom:
        if (y_ > 239) {
            CQ7Pos from;
            from.Move(RoundHalfEven(x_), 239);
            if (from.Length2(g_MyShipPos) > 14400) FireAimed(x_, 239);
            return true;
        }
        break;
    case Fires::Ring:
        // Fires on the frame it passes its trigger height, if the ship is not too close.
        if (y_ > trigger_y_ && y_ - param_.DY <= trigger_y_ && dist2 > 14399) {
            FireRing();
            return true;
        }
        break;
    case Fires::WhenDestroyed: break;
    }
    if (draw_.Top() > 240) return true;
    DrawFalling();
    Shootable::Register(hit_);
    return false;
}

// ---- CTama8 ------------------------------------------------------------------------

CBombTama::Kind CTama8::KindOf(std::int32_t type) const {
    if (type > 6084) return {24, 20, 28, 0};
    return {12, 10, 27, 0};
}

void CTama8::Reappear() {
    draw_.Move(Column(), 0);
    draw_.SetBottom(0);
    y_ = draw_.CenterY();
}

bool CTama8::Fall() {
    if (draw_.Top() > 156) return true;
    DrawFalling();
    return false;
}

#include "game/enemies/tama_velocity.h"

#include "gfx/q7_ddbpack256.h"

// ---- Shared pieces ----------------------------------------------------------

void CVelocityTama::Call_Initial(int&) {
    param_ = g_SpawnParam;
    x_ = param_.X;
    y_ = param_.Y;
    dx_ = param_.DX;
    dy_ = param_.DY;
    g_DDBPack.GetSprite(param_.Sprite).Pos.Copy(draw_);
}

void CVelocityTama::SetUpRects(std::int32_t hit_size, std::int32_t damage_size) {
    hit_.ReSize(hit_size, hit_size);
    damage_.ReSize(damage_size, damage_size);
    PlaceRects();
}

bool CVelocityTama::Advance() {
    x_ += dx_;
    y_ += dy_;
    return !g_DDBPack.GetSprite(100).Pos.GetClipOn(draw_);
}

void CVelocityTama::PlaceRects() {
    const std::int32_t ix = RoundHalfEven(x_), iy = RoundHalfEven(y_);
    hit_.Move(ix, iy);
    draw_.Move(ix, iy);
    damage_.Move(ix, iy);
}

bool CVelocityTama::StrikeEnemy(std::int32_t attack) {
    std::int32_t r = g_HitList1.GetDamage1(hit_);
    if (r == 0) r = g_HitList2.GetDamage1(hit_);
    if (r != 1) return false;
    g_PlayerAttackList.Add(damage_, attack);
    return true;
}

void CVelocityTama::Draw(std::int32_t layer, std::int32_t mode) {
    g_DDBPack.AddBlt(draw_, param_.Sprite, layer, 0, mode);
}

// ---- CTama4, CTama5 -----------------------------------------------------------

void CSmallVelocityTama::Call_Initial(int& slot) {
    CVelocityTama::Call_Initial(slot);
    SetUpRects(8, 16);
}

bool CSmallVelocityTama::Call_Events() {
    ++frame_;
    if (Reflected()) {
        if (g_BulletsOff) return true;
        if (StrikeEnemy(500)) return true;
        if (Move()) return true;
        PlaceRects();
        Draw(27, 0);
        return false;
    }
    if (g_HitFlash == 1 || g_BulletsOff) return true;
    if (g_MyShipList.GetDamage1(hit_) == 1) {
        SpawnReflected();
        return true;
    }
    if (Move()) return true;
    // The list gets last frame's place: the rectangles move only after it.
    g_EnemyBulletList.Add(hit_, 1);
    PlaceRects();
    Draw(32, 0);
    return false;
}

void CTama4::Call_Initial(int& slot) {
    CSmallVelocityTama::Call_Initial(slot);
    bounce_frames_ = 500 - 10 * g_Rank;
    if (Reflected()) bounce_frames_ *= 2;
}

bool CTama4::Move() {
    // Bounces during its first bounce_frames_ frames, and is never lost off
    // screen meanwhile; afterwards it flies straight out.
    if (frame_ > bounce_frames_) return Advance();
    const double nx = x_ + dx_;
    if (nx > 320) {
        x_ = 640 - nx;
        dx_ = -dx_;
    } else if (nx < 0) {
        x_ = -nx;
        dx_ = -dx_;
    } else {
        x_ = nx;
    }
    const double ny = y_ + dy_;
    if (ny > 240) {
        y_ = 480 - ny;
        dy_ = -dy_;
    } else if (ny < 22) {
        y_ = 44 - ny;
        dy_ = -dy_;
    } else {
        y_ = ny;
    }
    return false;
}

// ---- CTama6 ---------------------------------------------------------------------

void CTama6::Call_Initial(int& slot) {
    CVelocityTama::Call_Initial(slot);
    const std::int32_t list_size = Reflected() ? 40 : 20;
    SetUpRects(24, list_size);
}

bool CTama6::Call_Events() {
    ++frame_;
    const bool even_frame = g_FrameCount % 2 == 0;
    if (Reflected()) {
        if (g_BulletsOff) return true;
        if (Advance()) return true;
        PlaceRects();
        // It is not used up: it hurts everything it passes, every frame.
        g_PlayerAttackList.Add(damage_, 20);
        if (even_frame) Draw(26, 0);
        return false;
    }
    if (g_HitFlash == 1 || g_BulletsOff) return true;
    // Several options touching it in one frame count together.
    const std::int32_t g = g_MyShipList.GetDamage(hit_);
    if (g >= 1) {
        flash_ = 4;
        toughness_ -= g;
        if (toughness_ <= 0) {
            SpawnReflection<CTama6>(kReflectedSprite);
            return true;
        }
    }
    // A bullet that absorbed a contact keeps flying (and flashing): it is
    // replaced only once its toughness is used up.
    if (Advance()) return true;
    PlaceRects();
    g_EnemyBulletList.Add(damage_, 1);
    if (even_frame) {
        Draw(23, flash_ == 4 ? 2 : 0);
    } else if (flash_ == 4) {
        flash_ = 5;  // the flash shows on one drawn frame only
    }
    return false;
}

// ---- Aimed shots -----------------------------------------------------------------

namespace {
template <class T>
void FireAimed(double x, double y, double speed, std::int32_t sprite) {
    CQ7Pos from;
    from.Move(RoundHalfEven(x), RoundHalfEven(y));
    const double a = from.GetKAKUDO(g_MyShipPos);
    g_SpawnParam.X = x;
    g_SpawnParam.Y = y;
    g_SpawnParam.DX = CQ7Pos::GetCos(a) * speed;
    g_SpawnParam.DY = CQ7Pos::GetSin(a) * speed;
    g_SpawnParam.Sprite = sprite;
    g_ObjectPack.Spawn<T>(4, VB_TRUE);
}
}  // namespace

void FireAimedTama5(double x, double y) { FireAimed<CTama5>(x, y, g_BulletSpeed, CTama5::kEnemySprite); }
void FireAimedTama6(double x, double y) { FireAimed<CTama6>(x, y, g_BulletSpeed - 1, CTama6::kEnemySprite); }

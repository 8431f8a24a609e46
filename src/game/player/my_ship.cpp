#include "game/player/my_ship.h"

#include <algorithm>
#include <string>

#include "app/zenit02.h"
#include "gfx/q7_ddbpack256.h"
#include "game/player/weapon_common.h"
#include "platform/q7_directx7.h"

using player::MoveTo;
using player::SpriteRect;

namespace {

// The play field the ship may reach (centre of its hit box).
constexpr double kMinX = 8, kMaxX = 314, kMinY = 32, kMaxY = 232;
constexpr double kSlowSpeed = 2.5, kFastSpeed = 7.5;

constexpr int kIntroFrames = 250;
constexpr int kCursorPeriod = 180;
constexpr int kPurchaseCooldown = 60;
constexpr int kPauseCooldown = 60;
constexpr int kPrice = 10000;
constexpr int kMaxLives = 4;
constexpr int kLifeSlot = 4;

// Draw layers.
constexpr int kShadowLayer = 15;
constexpr int kShipLayer = 28;
constexpr int kStatusLayer = 37;
constexpr int kWipeLayer = 38;
constexpr int kFlashLayer = 39;
constexpr int kMasked = 0, kOpaque = 1, kFlash = 2;

// The orbiting options by g_PowerLv1 (level 0 has none).
struct OptionRing {
    int count;
    double radius;
    int turn;  // degrees per frame
    int offsets[6];
};
constexpr OptionRing kRings[] = {
    {0, 0, 0, {}},
    {2, 40, 5, {0, 180}},
    {4, 50, 4, {0, 180, 90, 270}},
    {6, 60, 3, {0, 60, 120, 180, 240, 300}},
};
const OptionRing& Ring() { return kRings[std::clamp(g_PowerLv1, 0, 3)]; }

// Shop slots 0..3 raise these; slot 4 is an extra ship.
int* const kPowerLevels[] = {&g_PowerLv0, &g_PowerLv1, &g_PowerLv2, &g_PowerLv3};

bool Pressed(int button) { return button >= 0 && button < 32 && g_PadButtons[button] == 1; }

// The whole status line is placed through one corner-keeping rectangle.
void Put(std::int32_t sprite, std::int32_t x, std::int32_t y, std::int32_t mode) {
    CQ7Pos r;
    r.SetCenter_Base(VB_FALSE);
    r.Move(x, y);
    g_DDBPack.AddBlt(r, sprite, kStatusLayer, 0, mode);
}

void PutCentred(std::int32_t sprite, std::int32_t x, std::int32_t y, std::int32_t layer) {
    CQ7Pos r;
    r.Move(x, y);
    g_DDBPack.AddBlt(r, sprite, layer, 0, kMasked);
}

// Decimal text drawn with a row of digit sprites, the first character at x0 + 8.
// Returns the number of characters.
int PutNumber(long long value, std::int32_t x0, std::int32_t first_digit_sprite) {
    const std::string text = std::to_string(value);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            Put(first_digit_sprite + (text[i] - '0'), x0 + 8 * static_cast<std::int32_t>(i + 1), 12, kOpaque);
    }
    return static_cast<int>(text.size());
}

}  // namespace

void CMyShip::SetWeponSelect() { cursor_countdown_ = kCursorPeriod; }

void CMyShip::Call_Initial(int&) {
    body_sprite_ = 101;
    shadow_sprite_ = 219;
    body_ = SpriteRect(101);
    shadow_ = body_;
    hit_.ReSize(8, 8);
    x_ = 160;
    y_ = 280;  // below the play field; the intro flies it in
    option_ = SpriteRect(105);
    option_.SetWidth(option_.Width() + 8);
    option_.SetHeight(option_.Height() + 8);
    // The score carried over from the last stage is paid back when the intro ends.
    saved_score_ = g_Score;
    g_Paused = false;
    g_Score = 0;
    g_HitFlash = 0;
}

bool CMyShip::Call_Events() {
    ++frame_;
    g_PlayerAttackList.Clear();
    g_MyShipList.Clear();
    if (frame_ <= kIntroFrames)
        Intro();
    else if (g_ClearTimer >= 1)
        StageClear();
    else if (g_Lives <= 0)
        GameOver();
    else
        Fly();
    return false;
}

void CMyShip::Fly() {
    std::int32_t left = 0, right = 0, up = 0, down = 0;
    g_DX7.GetPadButton(left, right, up, down);
    const bool shot = Pressed(g_ShotButton);
    const bool buy = Pressed(g_PowerUpButton);
    const bool pause = Pressed(g_PauseButton);
    const double speed = Pressed(g_SpeedUpButton) ? kFastSpeed : kSlowSpeed;

    if (left != 0) {
        x_ -= speed;
        body_sprite_ = 217;
        shadow_sprite_ = 222;
    } else if (right != 0) {
        x_ += speed;
        body_sprite_ = 218;
        shadow_sprite_ = 223;
    } else {
        body_sprite_ = 101;
        shadow_sprite_ = 219;
    }
    if (up != 0)
        y_ -= speed;
    else if (down != 0)
        y_ += speed;
    x_ = std::clamp(x_, kMinX, kMaxX);
    y_ = std::clamp(y_, kMinY, kMaxY);

    for (std::int32_t* c : {&cooldowns_.shot, &cooldowns_.laser, &cooldowns_.missile, &MTC, &purchase_cooldown_})
        *c = std::max(*c - 1, 0);

    option_angle_ = Ring().count == 0 ? 0 : (option_angle_ + Ring().turn) % 360;
    MoveTo(hit_, x_, y_);

    if (MTC == 0) {
        // Invulnerable ships do not even look at the lists.
        std::int32_t r = g_HitList2.GetDamage1(hit_);
        if (r == 0) r = g_EnemyBulletList.GetDamage1(hit_);
        if (g_NoDamage) r = 0;
        if (r == 1 && TakeHit()) return;
    }

    Options();
    if (shot) FireWeapons(x_, y_, left != 0, right != 0, cooldowns_);

    if (--cursor_countdown_ <= 0) {
        cursor_countdown_ = kCursorPeriod;
        ++g_PowerUpCursor;
    }
    if (purchase_cooldown_ == 0) Shop(buy);

    pause_cooldown_ = std::max(pause_cooldown_ - 1, 0);
    if (pause && pause_cooldown_ == 0) {
        g_Paused = true;
        pause_cooldown_ = kPauseCooldown;
    }

    Draw();
    hit_.Copy(g_MyShipPos);  // enemies aim here
}

bool CMyShip::TakeHit() {
    if (--g_Lives <= 0) {
        // The wreck drifts to the middle of the screen over 200 frames.
        g_DX7.DS_Play(10, 0);
        drift_x_ = (160 - x_) / 200;
        drift_y_ = (140 - y_) / 200;
        g_GameOverTimer = 0;
        body_.Copy(hit_);
        banner_sprite_ = 168;
        banner_ = SpriteRect(banner_sprite_);
        banner_.Move(160, 100);
        return true;
    }
    g_HitFlash = 2;
    g_DX7.DS_Play(3, 0);
    MTC = g_ShieldHit;
    for (int* level : kPowerLevels) *level = std::max(*level - 1, 0);
    return false;
}

void CMyShip::Options() {
    const OptionRing& ring = Ring();
    for (int k = 0; k < ring.count; ++k) {
        const double a = (option_angle_ + ring.offsets[k]) % 360;
        MoveTo(option_, x_ + ring.radius * CQ7Pos::GetCos(a), y_ + ring.radius * CQ7Pos::GetSin(a));
        g_DDBPack.AddBlt(option_, 105, kShipLayer, 0, kMasked);
        g_PlayerAttackList.Add(option_, (g_PowerLv1 == 1 && k == 0) ? 1 : 10);
        g_MyShipList.Add(option_, 1);  // options stop enemy bullets
    }
}

void CMyShip::Shop(bool buy) {
    if (g_PowerUpCursor > kLifeSlot) g_PowerUpCursor = 0;
    // Slots already at level 3 are passed over, each onto the next; the
    // extra ship is always on offer.
    for (int slot = 0; slot < 4; ++slot) {
        if (g_PowerUpCursor == slot && *kPowerLevels[slot] >= 3) g_PowerUpCursor = slot + 1;
    }
    if (!buy || g_Score < kPrice) return;

    g_Score -= kPrice;
    g_DX7.DS_Play(2, 0);
    if (g_PowerUpCursor == kLifeSlot) {
        if (++g_Lives > kMaxLives) {
            // A ship that cannot be kept is paid out as a flash and a shield.
            g_Lives = kMaxLives;
            g_HitFlash = 2;
            MTC = std::max(MTC, g_ShieldLifeMax);
        }
    } else if (g_PowerUpCursor >= 0 && g_PowerUpCursor < kLifeSlot) {
        ++*kPowerLevels[g_PowerUpCursor];
    }
    MTC = std::max(MTC, g_ShieldPowerUp);
    purchase_cooldown_ = kPurchaseCooldown;
    cursor_countdown_ = kCursorPeriod;
}

void CMyShip::Intro() {
    // The screen opens from black: full for 9 frames, then one line of
    // every 8-line band on each 4th frame up to frame 38.
    if (frame_ <= 9)
        wipe_depth_ = 8;
    else if (frame_ <= 38 && frame_ % 4 == 0)
        --wipe_depth_;
    wipe_depth_ = std::clamp(wipe_depth_, 0, 8);
    if (frame_ <= 38) DrawWipe();

    if (frame_ == 5) g_DX7.DS_Play(13, 0);
    if (frame_ <= 129) y_ -= 1;
    if (frame_ >= 31 && frame_ <= 249) {
        PutCentred(181 + g_StageNo, 160, 60, kStatusLayer);
        PutCentred(189 + g_StageNo, 160, 80, kStatusLayer);
    }
    if (frame_ == kIntroFrames) AddScore(saved_score_, false);
    Draw();
}

void CMyShip::StageClear() {
    body_sprite_ = 101;
    shadow_sprite_ = 219;
    MTC = 0;
    if (g_ClearTimer == 400) {
        g_DX7.DM_Stop(-1);
        g_DX7.DS_Play(11, 0);
    }
    const int t = ++g_ClearTimer;
    if (t >= 551) {
        if (t % 4 == 0) wipe_depth_ = std::min(wipe_depth_ + 1, 8);
        DrawWipe();
    }

    if (t == 2) {
        drift_x_ = (160 - x_) / 100;
        drift_y_ = (140 - y_) / 100;
        banner_sprite_ = g_StageNo == 8 ? 170 : 169;
        banner_ = SpriteRect(banner_sprite_);
        banner_.Move(160, 100);
    }
    if (t >= 3 && t <= 101) {
        x_ += drift_x_;
        y_ += drift_y_;
    }
    if (t >= 102 && t <= 402) g_DDBPack.AddBlt(banner_, banner_sprite_, kStatusLayer, 0, kMasked);
    if (t == 402) {
        hit_ = SpriteRect(174);
        MoveTo(hit_, x_, y_);
    }
    if (t >= 403 && t <= 429) {
        // The ship leaves upward on its afterburner.
        y_ -= 6;
        MoveTo(body_, x_, y_);
        g_DDBPack.AddBlt(body_, 172, 24, 0, kMasked);
        DrawTrail(y_);
    }
    if (t >= 430 && t <= 599) DrawTrail(0);
    if (t == 600) {
        g_ClearTimer = 0;
        ++g_StageNo;
        g_StageEnd = true;
        g_DX7.DM_UnLoad(-1);
    }
    Draw();
}

void CMyShip::GameOver() {
    MTC = 2;  // hides the normal ship image
    int& t = g_GameOverTimer;
    if (t == 10) g_DX7.DS_Play(9, 1);
    if (t == 500) {
        g_DX7.DM_Stop(-1);
        g_DX7.DS_Stop(9);
        g_DX7.DS_Play(11, 0);
    }
    ++t;
    if (t >= 651) {
        if (t % 4 == 0) wipe_depth_ = std::min(wipe_depth_ + 1, 8);
        DrawWipe();
    }

    const bool shadows = g_ShadowsOn && frame_ % 2 == 0;
    if (t <= 299) {
        // The wreck drifts to the centre, then hangs there.
        if (t <= 199) {
            x_ += drift_x_;
            y_ += drift_y_;
        } else {
            x_ = 160;
            y_ = 140;
        }
        MoveTo(body_, x_, y_);
        MoveTo(hit_, x_, y_);
        g_DDBPack.AddBlt(body_, 172, 29, 0, kMasked);
        g_DDBPack.AddBlt(hit_, 173, 30, 0, kMasked);
        if (shadows) DrawShadow(219, x_ + 24, y_ + 20, t <= 199 ? kShadowLayer : 25);
    } else if (t <= 499) {
        // The booster falls away while the banner shows.
        hit_.SetCenterY(hit_.CenterY() + 1);
        MoveTo(body_, x_, y_);
        g_DDBPack.AddBlt(body_, 172, 29, 0, kMasked);
        g_DDBPack.AddBlt(hit_, 173, 30, 0, kMasked);
        g_DDBPack.AddBlt(banner_, 168, kStatusLayer, 0, kMasked);
        if (shadows) {
            DrawShadow(220, x_ + 24, y_ + 20, kShadowLayer);
            DrawShadow(221, x_ + 24, hit_.CenterY() + 20, kShadowLayer);
        }
    } else if (t == 500) {
        hit_ = SpriteRect(174);
        MoveTo(hit_, x_, y_);
        MoveTo(body_, x_, y_);
        g_DDBPack.AddBlt(body_, 172, 29, 0, kMasked);
        g_DDBPack.AddBlt(banner_, 168, kStatusLayer, 0, kMasked);
        if (shadows) DrawShadow(220, x_ + 24, y_ + 20, kShadowLayer);
    } else if (t <= 523) {
        y_ -= 6;
        body_.SetCenterY(RoundHalfEven(y_));
        g_DDBPack.AddBlt(body_, 172, 29, 0, kMasked);
        DrawTrail(y_);
        if (shadows) DrawShadow(220, x_ + 24, y_ + 20, kShadowLayer);
    } else if (t <= 699) {
        DrawTrail(0);
    } else if (t == 700) {
        t = 0;
        g_StageNo = 10;  // no continue: the program ends
        g_DX7.DM_UnLoad(-1);
        g_StageEnd = true;
    }
    if (frame_ % 8 == 0) MakeSmoke(RoundHalfEven(x_), hit_.CenterY() + 4, 0, 8, true, 2, 31);
    Draw();
}

void CMyShip::Draw() {
    if (g_HitFlash > 0) {
        --g_HitFlash;
        const CQ7Pos& panel = g_DDBPack.GetSprite(100).Pos;
        g_DDBPack.AddBlt(panel, 100, kFlashLayer, 0, kOpaque);
    }
    // Two frames on, two off while invulnerable.
    if (MTC % 4 == 0 || MTC % 4 == 1) {
        MoveTo(body_, x_, y_);
        g_DDBPack.AddBlt(body_, body_sprite_, kShipLayer, 0, kMasked);
    }
    if (g_ShadowsOn && g_FrameCount % 2 == 0 && g_Lives > 0) DrawShadow(shadow_sprite_, x_ + 24, y_ + 20, kShadowLayer);
    DrawStatusLine();
}

void CMyShip::DrawStatusLine() {
    Put(160, 0, 0, kMasked);
    if (g_Score > 9999 && g_GameOverTimer == 0 && g_ClearTimer == 0 && frame_ > kIntroFrames)
        Put(135 + g_PowerUpCursor, g_PowerUpCursor * 50 + 17, 0, purchase_cooldown_ % 2 == 1 ? kFlash : kOpaque);
    PutNumber(g_Score, 132, 140);
    PutNumber(std::max(g_Lives - 1, 0), 286, 150);
    const int n = PutNumber(RoundHalfEven(g_ScoreRate * 100), 2, 140);
    Put(236, 12 + 8 * n, 12, kOpaque);
    if (g_Paused) PutCentred(171, 160, 120, kStatusLayer);
    Put(239 + g_SeVolLevel, 5, 0, kOpaque);
}

void CMyShip::DrawWipe() { DrawBlindWipe(wipe_depth_); }

void DrawBlindWipe(std::int32_t rows) {
    CQ7Pos line;
    line.SetCenter_Base(VB_FALSE);
    for (int band = 0; band < 30; ++band) {
        for (int i = 0; i < rows; ++i) {
            line.Move(0, band * 8 + i);
            // A closed wipe is 240 lines, more than one layer holds in a
            // frame; the rest go on the layer above so the screen is all black.
            if (!g_DDBPack.AddBlt(line, 224, kWipeLayer, 0, kOpaque)) g_DDBPack.AddBlt(line, 224, kFlashLayer, 0, kOpaque);
        }
    }
}

void CMyShip::DrawTrail(double from_y) {
    for (double y = from_y; y <= 250; y += 20) {
        MoveTo(hit_, x_, y);
        g_DDBPack.AddBlt(hit_, 174, kShipLayer, 0, kMasked);
    }
}

void CMyShip::DrawShadow(std::int32_t sprite, double x, double y, std::int32_t layer) {
    MoveTo(shadow_, x, y);
    g_DDBPack.AddBlt(shadow_, sprite, layer, 0, kMasked);
}

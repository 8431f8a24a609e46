// The player's ship: movement, weapons, options, shop, life and the three
// scripted sequences (stage intro, stage clear, game over), plus the status line.
//
// The ship is the object that empties g_PlayerAttackList and g_MyShipList
// each frame, so it must be stepped before anything that adds to them (the
// stage creates it with NewObject(5, False); its weapons come after it).
#pragma once

#include <cstdint>

#include "core/game_object.h"
#include "core/q7_pos.h"
#include "game/player/weapons.h"

class CMyShip : public GameObject {
public:
    bool Call_Events() override;
    void Call_Initial(int& slot) override;
    // Restarts the shop cursor's full period (the score just reached 10000).
    void SetWeponSelect();

    // Frames of invulnerability left; hits are only tested at 0 and the ship
    // blinks while it is non-zero. UpdateScoreRate reads it.
    int MTC = 0;

private:
    void Fly();
    bool TakeHit();  // true when this hit was the last ship's
    void Options();
    void Shop(bool buy);
    void Intro();
    void StageClear();
    void GameOver();

    void Draw();
    void DrawStatusLine();
    void DrawWipe();
    void DrawTrail(double from_y);
    void DrawShadow(std::int32_t sprite, double x, double y, std::int32_t layer);

    double x_ = 0, y_ = 0;
    CQ7Pos hit_;     // 8x8 hit box; reused for the wreck's debris and the trail
    CQ7Pos body_;    // the ship's image
    CQ7Pos shadow_;  // shadows get their own rectangle so the body stays put
    CQ7Pos option_;
    CQ7Pos banner_;
    std::int32_t body_sprite_ = 101;
    std::int32_t shadow_sprite_ = 219;
    std::int32_t banner_sprite_ = 168;
    WeaponCooldowns cooldowns_;
    std::int32_t option_angle_ = 0;
    std::int32_t cursor_countdown_ = 0;
    std::int32_t purchase_cooldown_ = 0;
    std::int32_t pause_cooldown_ = 0;
    std::int32_t frame_ = 0;
    double drift_x_ = 0, drift_y_ = 0;
    std::int32_t saved_score_ = 0;
    std::int32_t wipe_depth_ = 0;
};

// The blind wipe over the whole screen: in each 8-row band the first `rows`
// rows (0..8) are covered in black on layer 38, which the hit flash leaves.
void DrawBlindWipe(std::int32_t rows);

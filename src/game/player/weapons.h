// The player's weapons: short-lived objects the ship fires while the shot
// button is held, and the objects those create in turn.
//
// Each one copies g_SpawnParam in Call_Initial (fields the creator did not
// write keep the previous spawn's values), moves by itself, adds its attack
// boxes to g_PlayerAttackList and asks to be removed when it is done. None of
// them tests an enemy directly: the enemies add up what touches them.
//
//   CShot     main (up), side (up, fanned by the pad) and rear (down) shots
//   CGun      rear-shot splinters flying back up from the bottom edge
//   CLaser1   invisible emitter: 12 frames of laser segments from one spot
//   CLaser2   diagonal laser segment flying down to the bottom edge
//   CLaser3   vertical laser segment flying up from below the screen
//   CMissile  homing missile
//   CBomber   a missile's explosion, hurting for 70 frames
#pragma once

#include <cstdint>

#include "core/game_object.h"
#include "core/q7_pos.h"

// What the moving weapons share: a position and the draw and hit rectangles
// that follow it.
class PlayerWeapon : public GameObject {
protected:
    // Starts at g_SpawnParam's (X, Y) with the draw rectangle of `sprite` and
    // a centred w x h hit box, both placed there.
    void Start(std::int32_t sprite, std::int32_t w, std::int32_t h);
    // Moves both rectangles to the position, rounded.
    void Place();

    double x_ = 0, y_ = 0;
    CQ7Pos draw_, hit_;
};

class CShot final : public PlayerWeapon {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

private:
    double dx_ = 0, dy_ = 0;
    std::int32_t sprite_ = 0;
    std::int32_t level_ = 0;  // 2 or 3: a rear shot that splinters at the bottom edge
    std::int32_t side_ = 0;   // side shots hit less hard on their first frame
    std::int32_t frame_ = 0;
    std::int32_t attack_ = 0;
};

class CGun final : public PlayerWeapon {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

private:
    double step_x_ = 0, step_y_ = 0;
    std::int32_t sprite_ = 0;
};

class CLaser1 final : public GameObject {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

private:
    double x_ = 0, y_ = 0;  // where the ship was when it fired
    std::int32_t level_ = 0;
    std::int32_t frame_ = 0;
};

class CLaser2 final : public PlayerWeapon {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

private:
    double dx_ = 0, dy_ = 0;
    std::int32_t sprite_ = 0;
    std::int32_t bottom_x_ = 0;  // where this segment's vertical follow-up rises
    std::int32_t frame_ = 0;
    bool split_ = false;
};

class CLaser3 final : public PlayerWeapon {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

private:
    double dy_ = 0;
    std::int32_t sprite_ = 0;
};

class CMissile final : public PlayerWeapon {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

private:
    void Explode();

    double vx_ = 0, vy_ = 0;
    std::int32_t dir_ = 0;
    std::int32_t index_ = 0;  // 0..3 within its volley: the frame (mod 4) it steers on
    std::int32_t frame_ = 0;
};

class CBomber final : public PlayerWeapon {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

private:
    std::int32_t frame_ = 0;
};

// The firing schedule: called by the ship on every frame the shot button is
// held, with its position, the pad's left/right state and its three
// cooldowns (the ship counts them down).
struct WeaponCooldowns {
    std::int32_t shot = 0;
    std::int32_t laser = 0;
    std::int32_t missile = 0;
};
void FireWeapons(double X, double Y, bool left, bool right, WeaponCooldowns& cooldowns);

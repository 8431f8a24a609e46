// The velocity bullets, created from g_SpawnParam (X, Y, DX, DY, Sprite):
//
//   CTama5  flies straight; sprite 199 enemy side, 200 reflected.
//   CTama4  bounces off the play-field edges for 500 - 10 x rank frames
//           (twice that once reflected), then flies straight; 199 / 200.
//   CTama6  the large bullet: withstands 20 option contacts before it turns
//           back; 230 enemy side, 231 reflected.
//
// An option touching an enemy-side bullet replaces it by a new bullet of the
// same class at the same place with the velocity negated and the reflected
// sprite; that one hurts enemies instead of the ship.
#pragma once

#include <cstdint>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_objectpack.h"
#include "core/q7_pos.h"

class CVelocityTama : public GameObject {
public:
    void Call_Initial(int& slot) override;

    // Read-outs for tests.
    std::int32_t Sprite() const { return param_.Sprite; }
    double X() const { return x_; }
    double Y() const { return y_; }
    double DX() const { return dx_; }
    double DY() const { return dy_; }

protected:
    // Sizes the rectangles and places them at the start position.
    void SetUpRects(std::int32_t hit_size, std::int32_t damage_size);
    // Position += velocity; true when the bullet is off the play area
    // (sprite 100 against the drawing rectangle, which still holds last
    // frame's place).
    bool Advance();
    void PlaceRects();
    // Reflected side: the first enemy touched (ground, then air) takes
    // `attack` from the damage rectangle; true when that happened.
    bool StrikeEnemy(std::int32_t attack);
    // Replaces this bullet by its reflection: same place, velocity negated.
    template <class T>
    void SpawnReflection(std::int32_t sprite) {
        SpawnParam p = param_;
        p.X = x_;
        p.Y = y_;
        p.DX = -dx_;
        p.DY = -dy_;
        p.Sprite = sprite;
        g_SpawnParam = p;
        g_ObjectPack.Spawn<T>(7, VB_TRUE);
    }
    void Draw(std::int32_t layer, std::int32_t mode);

    SpawnParam param_;
    std::int32_t frame_ = 0;
    double x_ = 0, y_ = 0, dx_ = 0, dy_ = 0;
    CQ7Pos draw_, hit_;
    CQ7Pos damage_;  // what goes into the lists (CTama6: 20x20 enemy side, 40x40 reflected)
};

// CTama4 and CTama5 share everything but their movement.
class CSmallVelocityTama : public CVelocityTama {
public:
    static constexpr std::int32_t kEnemySprite = 199;
    static constexpr std::int32_t kReflectedSprite = 200;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

protected:
    bool Reflected() const { return param_.Sprite == kReflectedSprite; }
    // Moves the bullet; true when it is to be deleted.
    virtual bool Move() = 0;
    virtual void SpawnReflected() = 0;
};

class CTama5 final : public CSmallVelocityTama {
protected:
    bool Move() override { return Advance(); }
    void SpawnReflected() override { SpawnReflection<CTama5>(kReflectedSprite); }
};

class CTama4 final : public CSmallVelocityTama {
public:
    void Call_Initial(int& slot) override;
    std::int32_t BounceFrames() const { return bounce_frames_; }

protected:
    bool Move() override;
    void SpawnReflected() override { SpawnReflection<CTama4>(kReflectedSprite); }

private:
    std::int32_t bounce_frames_ = 0;
};

class CTama6 final : public CVelocityTama {
public:
    static constexpr std::int32_t kEnemySprite = 230;
    static constexpr std::int32_t kReflectedSprite = 231;
    static constexpr std::int32_t kToughness = 20;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

private:
    bool Reflected() const { return param_.Sprite == kReflectedSprite; }
    std::int32_t toughness_ = kToughness;
    std::int32_t flash_ = 0;
};

// An aimed velocity bullet from (x, y) toward g_MyShipPos: CTama5 at the
// bullet speed, or CTama6 one pixel per frame slower.
void FireAimedTama5(double x, double y);
void FireAimedTama6(double x, double y);

// The bombs: a projectile rises from its launcher for 59 frames, then the
// bomb reappears at the top of its column and falls.
//
// From g_SpawnParam: X, Y start of the rise; DX sideways drift while rising;
// DY fall speed; Sprite the type; the seventh field the column (x of the
// fall); for CTama3 the eighth field the burst height.
//
//   CTama3  boss 3's bomb (types 237..239): shootable; bursts into 16 CTama2
//           once below its burst height.
//   CTama7  boss 8's bomb (types 6081..6088): shootable; each type fires once
//           by its own rule (aimed CTama5 or CTama6, or a ring of CTama) and
//           vanishes.
//   CTama8  the ending's harmless look-alike of CTama7, drawn only in the
//           ending's scenery mode.
#pragma once

#include <cstdint>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"
#include "game/enemies/shootable.h"

class CBombTama : public GameObject {
public:
    static constexpr std::int32_t kRiseFrames = 59;
    static constexpr std::int32_t kLaunchLayer = 10;

    void Call_Initial(int& slot) final;
    bool Call_Events() final;

    std::int32_t HitPoints() const { return life_.hit_points; }
    double X() const { return x_; }
    double Y() const { return y_; }

protected:
    struct Kind {
        std::int32_t hit_w, hit_h, layer, hit_points;
    };
    std::int32_t Type() const { return param_.Sprite; }
    std::int32_t Column() const { return param_.Level; }

    virtual Kind KindOf(std::int32_t type) const = 0;
    virtual std::int32_t LaunchSprite() const = 0;
    virtual bool RiseStopsAtTop() const { return false; }
    // Checked first every frame: true deletes the bomb without a trace.
    virtual bool Vanishes() const { return false; }
    // While rising: true makes the projectile explode at once.
    virtual bool ExplodesWhileRising() const { return false; }
    virtual bool Visible() const { return true; }
    // Frame 60: puts the bomb at the top of its column (sets y_).
    virtual void Reappear() = 0;
    // One falling frame after the move; true deletes the bomb.
    virtual bool Fall() = 0;
    virtual void AfterInitial() {}

    // The falling bomb's drawing, in flash mode while the flash timer runs.
    void DrawFalling() const;
    void Smoke(bool large) const { Shootable::Explode(x_, y_, large); }

    SpawnParam param_;
    Kind kind_{};
    Shootable life_;
    std::int32_t frame_ = 0;
    double x_ = 0, y_ = 0;
    CQ7Pos draw_, hit_, launch_;
};

class CTama3 final : public CBombTama {
protected:
    Kind KindOf(std::int32_t type) const override;
    std::int32_t LaunchSprite() const override { return 237; }
    bool RiseStopsAtTop() const override { return true; }
    bool ExplodesWhileRising() const override;
    void Reappear() override;
    bool Fall() override;

private:
    void Burst() const;
};

class CTama7 final : public CBombTama {
protected:
    Kind KindOf(std::int32_t type) const override;
    std::int32_t LaunchSprite() const override;
    bool Vanishes() const override { return g_BulletsOff; }
    bool ExplodesWhileRising() const override { return g_HitFlash == 1; }
    void Reappear() override;
    bool Fall() override;
    void AfterInitial() override;

private:
    bool Large() const { return Type() > 6084; }
    void FireAimed(double x, double y) const;
    // Ring of FireTama bullets: 8 for the small type, 16 for the large one.
    void FireRing() const;
    std::int32_t trigger_y_ = 0;
};

class CTama8 final : public CBombTama {
public:
    static constexpr std::int32_t kEndingMode = 5;

protected:
    Kind KindOf(std::int32_t type) const override;
    std::int32_t LaunchSprite() const override { return Type() < 6085 ? Type() : Type() - 4; }
    bool Visible() const override { return g_BgMode == kEndingMode; }
    void Reappear() override;
    bool Fall() override;
};

// CBoss: the model every stage boss follows, written once.
//
// A boss is created at the stage start and sleeps until its wake frame.
// Awake, it enters on a scripted path without taking damage, then fights:
// it takes damage through its main rectangle, attacks on a schedule and
// moves. Its defeat gives the score, plays sound effect 12 (or stops the
// music), switches off all enemy fire (g_BulletsOff), protects the ship
// (g_NoDamage), bursts into smoke and hides; 399 frames later it removes
// itself and sets g_ClearTimer = 1, which starts the ship's clear sequence.
//
// A boss class is a BossProfile (start, hit points, body, shadow and
// collision parts, smokes of its defeat) plus its entry path, its movement
// and its attack. Each frame, in this order:
//
//    1. frame counter + 1; dormant up to the wake frame (nothing drawn)
//    2. defeat countdown: hidden; at 1 it sets g_ClearTimer and leaves
//    3. flash counter - 1, t = frames since waking (1 on the first)
//    4. entry (t up to the entry length): move, draw, register; no damage
//    5. damage; the hit that empties the hit points is the defeat
//    6. attack when t reaches the next attack frame, move, draw, register
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"

// A rectangle placed relative to the boss's rounded centre.
struct BossRect {
    std::int32_t w = 0, h = 0;
    std::int32_t dx = 0, dy = 0;
};

struct BossOffset {
    std::int32_t dx = 0, dy = 0;
};

// One row of an entry speed table: pixels per frame for t up to `until`.
struct DescentStep {
    std::int32_t until = 0;
    double speed = 0;
};

struct BossProfile {
    std::int32_t wake_frame = 0;
    std::int32_t entry_frames = 600;
    std::int32_t score = 0;
    double start_x = 160, start_y = -40;
    std::int32_t first_attack = 0;   // t of the first attack
    std::int32_t attack_interval = 0;
    BossRect main = {};              // the rectangle that takes damage
    std::int32_t body_sprite = 0;
    BossOffset body_offset = {};
    std::int32_t body_layer = 24;
    std::int32_t shadow_sprite = 0;  // 0: none
    BossOffset shadow_offset = {};
    std::span<const BossRect> parts = {};  // further collision rectangles
    bool ground = false;  // ground bosses register in g_HitList1 and g_ObstacleList
    bool stops_music = false;  // instead of sound effect 12
    std::span<const BossOffset> defeat_smokes = {};
    std::int32_t wreck_sprite = 0;  // ground bosses leave a wreck (0: none)
    std::int32_t wreck_layer = 2;
};

class CBoss : public GameObject {
public:
    static constexpr std::int32_t kDefeatCountdown = 400;
    static constexpr std::int32_t kShadowLayer = 15;
    static constexpr std::int32_t kSmokeLayer = 25;

    explicit CBoss(const BossProfile& profile) : profile_(profile) {}

    void Call_Initial(int& slot) final;
    bool Call_Events() final;

    // Read-outs for the stage and tests.
    std::int32_t HitPoints() const { return hit_points_; }
    std::int32_t Frame() const { return frame_; }
    // Frames since waking (0 while dormant).
    std::int32_t T() const { return frame_ > profile_.wake_frame ? frame_ - profile_.wake_frame : 0; }
    std::int32_t Countdown() const { return countdown_; }
    std::int32_t Flash() const { return flash_; }
    std::int32_t AttackStep() const { return attack_step_; }
    double X() const { return x_; }
    double Y() const { return y_; }
    const CQ7Pos& MainRect() const { return main_; }
    // The collision rectangle of profile part i, placed this frame.
    const CQ7Pos& Part(std::size_t i) const { return parts_[i]; }
    const BossProfile& Profile() const { return profile_; }

protected:
    // Hit points at set-up (most bosses scale them with the rank).
    virtual std::int32_t StartHitPoints() const = 0;
    // Class set-up after the common state is set. Defaults to nothing.
    virtual void SetUp() {}
    // Motion of entry frame t (1 .. entry length).
    virtual void EntryMove(std::int32_t t) = 0;
    // Motion of fighting frame t, after the attack.
    virtual void FightMove(std::int32_t t) = 0;
    // The attack due at t; attack_step_ is the class's to use.
    virtual void Attack(std::int32_t t) = 0;
    // Damage taken this frame; by default what hits the main rectangle.
    virtual std::int32_t Damage() const;
    // The body's picture this frame; by default the profile's.
    virtual std::int32_t BodySprite() const { return profile_.body_sprite; }
    // Draws what sits on the body (guns, lights) right after it, in the
    // body's draw mode. Defaults to nothing.
    virtual void DrawOnBody(std::int32_t /*x*/, std::int32_t /*y*/, std::int32_t /*mode*/) {}

    // Places, draws and registers the boss after its move: by default the
    // profile's body, shadow and parts around the rounded centre. A boss
    // whose body is not one piece places its own.
    virtual void PlaceDrawRegister();
    // Extra effects of the defeat, after the profile's smokes.
    virtual void OnDefeat() {}

    // Moves along a descent table (base y too), as the entries do.
    void Descend(std::span<const DescentStep> table, std::int32_t t);
    // Adds a collision rectangle to the lists the boss hurts the ship with
    // (nothing once its hit points are gone).
    void Register(const CQ7Pos& rect) const;
    // Draw mode of the body this frame: the white flash on a fresh hit.
    std::int32_t DrawMode() const { return flash_ == 4 ? 2 : 0; }

    std::int32_t RoundX() const { return RoundHalfEven(x_); }
    std::int32_t RoundY() const { return RoundHalfEven(y_); }

    const BossProfile& profile_;
    double x_ = 0, y_ = 0;
    double base_x_ = 0, base_y_ = 0;
    std::int32_t attack_step_ = 0;
    CQ7Pos main_;

private:
    void Defeat();

    std::int32_t frame_ = 0;
    std::int32_t hit_points_ = 0;
    std::int32_t flash_ = 0;
    std::int32_t countdown_ = 0;
    std::int32_t next_attack_ = 0;
    CQ7Pos body_, shadow_;
    std::vector<CQ7Pos> parts_;
};

// The shots bosses fire besides FireTama.
namespace boss_fire {
// A shootable large bullet (CTama2) along a 16-way direction, sprite 6005 +
// direction, 12x12, on drawing layer 24.
void LargeTama(double x, double y, std::int32_t dir, double speed_add);
// A large bullet (CTama6) along a 16-way direction at g_BulletSpeed - 0.5.
void BigTama(double x, double y, std::int32_t dir);
}  // namespace boss_fire

// The descent of the stage-1 boss (and of bosses 6 and 7): fast, braking,
// a small overshoot and the bounce back; 196 pixels over t = 1 .. 230.
extern const std::span<const DescentStep> kBossDescent;

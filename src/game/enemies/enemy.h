// CEnemy: the per-frame template every enemy follows, written once.
//
// A class describes itself with an EnemyProfile (kind, toughness, score,
// screen bound, shooting rules, how it explodes) and overrides only what
// differs: its set-up, its motion, its shot and, rarely, extra destruction
// effects. The frame runs in this order:
//
//    1. frame counter + 1, flash counter - 1 (not below 0); escorts and
//       missiles go up in smoke, unscored, once a boss is beaten
//    2. hidden test (ground enemies under an obstacle)
//    3. during the entry frames, skip to 7
//    4. damage (with the hit-flash bonus)           5. destruction, scored
//    6. off-screen removal (air enemies keep living while their shadow shows)
//    7. motion   8. rectangles placed   9. turning   10. shooting
//   11. drawing with the white flash   12. registration in the hit lists
//
// Spawn protocol: fill g_EnemyParam (and g_EnemyParamEx, g_EnemyMoveScript for
// the classes that read them), then g_ObjectPack.Spawn<CENxxx>(3, VB_TRUE).
// Call_Initial copies the records whole, so a field a creator leaves alone
// keeps the value of the previous spawn.
#pragma once

#include <cstdint>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"

enum class EnemyKind { Air, Ground };

// How a class goes up in smoke. Smoke offsets of the heavy pattern are fixed.
struct Explosion {
    enum class Pattern { None, Single, Heavy };
    bool* sound = nullptr;      // g_SeReq5 / g_SeReq6 / g_SeReq8
    Pattern pattern = Pattern::Single;
    bool large = true;
    std::int32_t step = 4;
    std::int32_t layer = 17;
    std::int32_t wreck_sprite = 0;  // 0: none; 225 wreck, 226 crater, 244 large wreck
    std::int32_t wreck_layer = -1;  // -1: the enemy's DrawLayer - 1
};

// How the rank shortens ShotInterval at set-up: interval - per_rank x rank,
// raised to at least `floor`, then divided (truncated) by `divisor`.
struct ShotRankRule {
    std::int32_t per_rank = 10;
    std::int32_t floor = 20;
    std::int32_t divisor = 1;
};

struct EnemyProfile {
    EnemyKind kind = EnemyKind::Air;
    std::int32_t hit_points = 0;  // 0: dies at the first touch (GetDamage1)
    std::int32_t hit_points_per_rank = 0;  // added once per rank at set-up
    std::int32_t score = 0;
    // Screen bound: ground classes use the whole back screen (sprite 0), as they
    // ride in under the status bar; air classes the play area (sprite 100).
    std::int32_t bound_sprite = 100;
    std::int32_t flash_bonus = 1000;  // extra damage on the frame the hit flash starts
    bool hit_sound_during_flash = true;
    bool turns = false;          // turns toward the ship every TurnInterval frames
    bool distance_rule = false;  // fires only when at least g_MinFireDist2 away
    bool ends_when_bullets_off = false;  // blows up, unscored, once a boss is beaten
    ShotRankRule shot_rank = {};
    Explosion explosion = {};
};

class CEnemy : public GameObject {
public:
    static constexpr std::int32_t kShadowDX = 24;
    static constexpr std::int32_t kShadowDY = 20;
    static constexpr std::int32_t kShadowLayer = 15;

    explicit CEnemy(const EnemyProfile& profile) : profile_(profile) {}

    void Call_Initial(int& slot) final;
    bool Call_Events() final;

    // Read-outs for the stage and for tests.
    std::int32_t HitPoints() const { return hit_points_; }
    std::int32_t Flash() const { return flash_; }
    double X() const { return x_; }
    double Y() const { return y_; }
    const CQ7Pos& HitPos() const { return hit_; }
    bool Hidden() const { return hidden_; }
    std::int32_t Heading() const { return heading_; }
    std::int32_t ShotInterval() const { return ex_.ShotInterval; }
    std::int32_t FireLimitY() const { return ex_.FireLimitY; }

protected:
    // Class set-up after the records are copied and the common state is set:
    // choose sprites, size the rectangles. Defaults to nothing.
    virtual void SetUp() {}
    // Rank adjustment of the shooting schedule.
    virtual void AdjustForRank();
    // Motion of one frame (x_, y_); ground enemies use GroundY().
    virtual void Move() {}
    // Places hit, sprite and shadow rectangles at the rounded position.
    virtual void PlaceRects();
    // The shot itself, after the schedule and the firing rules allowed it.
    virtual void Fire() {}
    // Whether the firing rules let a hidden enemy fire.
    virtual bool FiresWhileHidden() const { return false; }
    // Extra effects of destruction, after score, sound, wreck and smokes.
    virtual void OnDestroyed() {}
    // Drawing; the default draws the body and, for air enemies, the shadow.
    virtual void Draw();
    // Turning after the rectangles are placed (profile.turns): the default
    // turns the heading one step toward the ship every TurnInterval frames.
    virtual void Turn();
    // Step 2: hidden this frame (no damage, no registration). The default:
    // a ground enemy under an obstacle, unless it is never hidden.
    virtual bool IsHidden() const;
    // Step 6: removed without score. The default: off the class's screen bound.
    virtual bool OffScreen() const;
    // Step 10: the shot schedule and the firing rules, then Fire().
    virtual void Shoot();
    // Step 12: the hit lists and the missile targets.
    virtual void Register() const;

    // Sets up a rectangle as a copy of a sprite's rectangle.
    static void CopySpriteRect(std::int32_t sprite, CQ7Pos& rect);
    // Ground enemies ride the scenery: y = anchor + the top of sprite 1.
    double GroundY() const;
    void SetAnchorFromY();
    // FireTama toward heading x 2 from the enemy's centre.
    void FireHeading(double offset, double speed_add) const;
    std::int32_t DrawMode() const { return flash_ == 4 ? 2 : 0; }
    std::int32_t DrawLayer() const { return ep_.DrawLayer; }

    const EnemyProfile& profile_;
    EnemyParam ep_;
    EnemyParamEx ex_;
    std::int32_t frame_ = 0;
    double x_ = 0, y_ = 0;
    double anchor_ = 0;
    std::int32_t hit_points_ = 0;
    std::int32_t flash_ = 0;
    std::int32_t heading_ = 0;
    std::int32_t sprite_base_ = 0;
    std::int32_t sprite_ = 0;
    std::int32_t shadow_sprite_ = 0;  // 0: no shadow
    std::int32_t layer_ = 0;
    std::int32_t next_shot_ = 0;
    bool never_hidden_ = false;
    bool hidden_ = false;
    CQ7Pos hit_, sprite_pos_, shadow_;

private:
    bool IsGround() const { return profile_.kind == EnemyKind::Ground; }
    // Steps 4 and 5: true when the enemy is destroyed this frame.
    bool TakeDamage();
    void Destroy(bool scored = true);
};

// The shooting schedule's rank adjustment: ShotInterval shortened by the rule
// (by default 10 x rank, at least 20), FireLimitY 20 x rank lower on the
// screen (at most 240).
void AdjustScheduleForRank(EnemyParamEx& ex, const ShotRankRule& rule = {});

// Smoke and wreck helpers shared with the large enemies and bosses.
namespace enemy_fx {
// The five large smokes of heavy enemies around (x, y).
void HeavySmokes(std::int32_t x, std::int32_t y, std::int32_t step, std::int32_t layer);
// A background wreck or crater riding the scenery (object layer 2).
void LeaveWreck(std::int32_t x, std::int32_t y, std::int32_t sprite, std::int32_t layer);
// Paints a sprite centred at screen point (x, y) into the scenery (sprite 1).
void PaintIntoGround(std::int32_t x, std::int32_t y, std::int32_t sprite);
}  // namespace enemy_fx

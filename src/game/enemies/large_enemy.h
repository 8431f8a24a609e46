// CLargeEnemy: the multi-part enemies (ships and fortresses riding the ground).
//
// A class is a LargeEnemyLayout: a hull with a body sprite, a table of parts
// at fixed offsets from the hull centre (part 0 is the core, the others are
// turrets), a firing cycle that visits the parts in turn, and the chain of
// smokes that ends it. The table order is the order in which the parts are
// damaged, fired and drawn. The core can only be hurt once every turret is
// gone; a destroyed turret keeps its place, keeps turning and smokes on its
// firing steps instead of firing.
//
// Created like every enemy from g_EnemyParam (X, Y, Mode = ground speed x 10)
// and g_EnemyParamEx (FirstShot, TurnInterval).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"

struct LargePartDef {
    std::int32_t dx = 0, dy = 0;      // centre relative to the rounded hull centre
    std::int32_t w = 0, h = 0;        // hit rectangle
    std::int32_t hit_points = 0;
    std::int32_t score = 0;
    std::int32_t sprite_base = 0;     // turret sprite = base + heading; 0 for the core
    std::int32_t start_heading = 2;
    bool large_smoke = false;         // size of its explosion and of its wreck's puffs
};

// A shot fixed to the hull: its own start point and 16-way direction.
struct HullShot {
    std::int32_t dx = 0, dy = 0;
    std::int32_t dir = 0;
};

// One step of the firing cycle: either a turret part firing around its
// heading (each spread value added to heading x 2), or the hull's fixed guns.
struct FireStep {
    std::int32_t part = -1;  // -1: the hull
    std::span<const std::int32_t> spread = {};
    std::span<const HullShot> hull = {};
    double offset = 0;
    double speed_add = 0;
};

struct LargeEnemyLayout {
    std::int32_t body_sprite = 0;
    std::int32_t body_layer = 2;
    std::int32_t turret_layer = 4;
    std::span<const LargePartDef> parts = {};  // parts[0] is the core
    std::span<const FireStep> cycle = {};
    std::span<const HullShot> death_smokes = {};  // offsets of the final chain (dir unused)
};

class CLargeEnemy : public GameObject {
public:
    // A part at or above this row is under the status bar and cannot be hurt.
    static constexpr std::int32_t kStatusBarY = 24;

    explicit CLargeEnemy(const LargeEnemyLayout& layout) : layout_(layout) {}

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for tests and the stage.
    std::int32_t PartHitPoints(std::size_t part) const { return parts_[part].hit_points; }
    std::int32_t PartHeading(std::size_t part) const { return parts_[part].heading; }
    std::int32_t PartFlash(std::size_t part) const { return parts_[part].flash; }
    const CQ7Pos& PartHitPos(std::size_t part) const { return parts_[part].hit; }
    std::int32_t FireStepNo() const { return fire_step_; }
    std::int32_t FireInterval() const { return fire_interval_; }
    std::int32_t NextFireFrame() const { return next_fire_; }
    double Y() const { return y_; }

private:
    struct Part {
        const LargePartDef* def = nullptr;
        std::int32_t hit_points = 0;
        std::int32_t heading = 0;
        std::int32_t flash = 0;
        CQ7Pos hit, sprite;
    };

    void PlaceParts();
    // Damages one part; true when it was destroyed by this hit.
    bool DamagePart(Part& part, std::int32_t extra);
    void Turn();
    void FireCycle();
    void Draw();
    void Register() const;
    std::int32_t TurretHitPoints() const;
    std::int32_t RoundX() const { return RoundHalfEven(x_); }
    std::int32_t RoundY() const { return RoundHalfEven(y_); }

    const LargeEnemyLayout& layout_;
    EnemyParam ep_;
    EnemyParamEx ex_;
    std::int32_t frame_ = 0;
    double x_ = 0, y_ = 0;
    std::int32_t anchor_ = 0;
    double travel_ = 0, speed_ = 0;
    std::int32_t fire_interval_ = 0;
    std::int32_t next_fire_ = 0;
    std::int32_t fire_step_ = 0;  // 1..8 once the cycle has started
    std::vector<Part> parts_;
    CQ7Pos body_;
};

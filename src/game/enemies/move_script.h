// The move script of CEN004 and CEN005: up to 51 steps, each starting at an
// absolute enemy frame, with a direction (8 = toward the ship), an optional
// one-step turn, a sprite choice and a speed.
#pragma once

#include <cstdint>

#include "app/zenit02.h"
#include "core/q7_pos.h"

class MoveScript {
public:
    void Load(const EnemyMoveScript& script) { script_ = script; }
    // Starts the next step when its frame has come. `from` is the enemy's hit
    // rectangle (aiming at the ship), `heading` its 8-way heading, updated.
    void Step(std::int32_t frame, const CQ7Pos& from, std::int32_t& heading);
    double VX() const { return vx_; }
    double VY() const { return vy_; }
    // 0..7 a fixed sprite offset; 8 the sprite follows the heading.
    std::int32_t SpriteOffset(std::int32_t heading) const { return sprite_ < 8 ? sprite_ : heading; }
    const EnemyMoveScript& Script() const { return script_; }

private:
    EnemyMoveScript script_;
    std::int32_t index_ = 0;
    std::int32_t next_frame_ = 1;
    double vx_ = 0, vy_ = 0;
    std::int32_t sprite_ = 0;
};

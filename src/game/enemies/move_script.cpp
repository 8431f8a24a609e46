#include "game/enemies/move_script.h"

#include "core/q7_angle.h"

void MoveScript::Step(std::int32_t frame, const CQ7Pos& from, std::int32_t& heading) {
    // A script that ran past its last entry keeps its final step.
    if (frame != next_frame_ || index_ >= EnemyMoveScript::kSteps) return;
    const std::int32_t i = index_;
    next_frame_ = script_.StepEnd[i];
    std::int32_t dir = script_.StepDir[i];
    if (dir == 8) dir = from.KAKUDO8(g_MyShipPos);
    heading = script_.StepTurn[i] != 0 ? g_Angle.GetGK8(dir, heading) : (dir & 7);
    const double speed = script_.StepSpeed[i];
    if (speed == 0) {
        vx_ = vy_ = 0;
    } else {
        vx_ = g_Angle.GetDX8(heading) * speed;
        vy_ = g_Angle.GetDY8(heading) * speed;
    }
    sprite_ = script_.StepSprite[i];
    ++index_;
}

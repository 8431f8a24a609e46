// The bullets made from g_TamaParam (CTama, CTama2): a start point, a 16-way
// direction and a speed per frame.
#pragma once

#include <cstdint>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"

class CDirectedTama : public GameObject {
public:
    // Read-outs for tests.
    std::int32_t Dir() const { return param_.Dir; }
    double Speed() const { return param_.Speed; }
    const CQ7Pos& HitPos() const { return hit_; }

protected:
    // Copies the record and takes its start point.
    void Load();
    // Drawing rectangle a copy of `sprite`'s, hit rectangle w x h, both at the start point.
    void Shape(std::int32_t sprite, std::int32_t hit_w, std::int32_t hit_h);
    // One frame along the direction; the rectangles follow.
    void Advance();
    bool DrawThisFrame() const { return frame_ % param_.DrawEvery == 0; }
    // Both rectangles to the position, rounded.
    void Place();

    TamaParam param_;
    std::int32_t frame_ = 0;
    double x_ = 0, y_ = 0;
    CQ7Pos draw_, hit_;
};

// Fills g_TamaParam for a bullet from (X, Y) along `dir`, drawn every frame
// with a square hit box; Reflectable and Reflected are left as they were.
void SetTamaParam(double X, double Y, std::int32_t dir, double speed, std::int32_t attack, std::int32_t sprite,
                  std::int32_t layer, std::int32_t hit_size);

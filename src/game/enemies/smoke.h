// CSmoke: the explosion every destroyed enemy and bullet leaves behind.
//
// Seven images from the first sprite on, StepFrames frames each, drifting by
// (DX, DY) per frame. Created through MakeSmoke from g_SpawnParam: X, Y, DX, DY,
// Sprite (first image), then the seventh field as StepFrames and the eighth
// as the drawing layer.
#pragma once

#include <cstdint>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"

class CSmoke : public GameObject {
public:
    static constexpr int kImages = 7;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

private:
    SpawnParam param_;
    double x_ = 0, y_ = 0;
    std::int32_t counter_ = 0;
    CQ7Pos pos_;
};

// Background objects spawned by the backgrounds and the enemies.
//
// CBGObject rides on the scenery (sprite 1): buildings, gates, wrecks and
// craters. It keeps its row relative to the map's top, draws its sprite and,
// with a hit box, adds itself to g_ObstacleList every frame. It removes
// itself once its top reaches row 241.
//
// CBGCloud floats down the screen at its own speed, independent of the map,
// and is drawn only in the cloud scenery's mode (g_BgMode 3).
//
// Both are created from g_BGObjParam.
#pragma once

#include <cstdint>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"

class CBGObject : public GameObject {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Replaces the sprite shown (0 hides it; the hit box stays).
    void SetCG(std::int32_t CG_No) { param_.CG_No = CG_No; }

    std::int32_t CG() const { return param_.CG_No; }
    const CQ7Pos& DrawPos() const { return draw_; }

private:
    BGObjParam param_;
    std::int32_t x_ = 0;
    double y_ = 0;
    std::int32_t map_offset_ = 0;
    CQ7Pos hit_, draw_;
    std::int32_t frame_ = 0;
};

class CBGCloud : public GameObject {
public:
    static constexpr std::int32_t kCloudMode = 3;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    std::int32_t CG() const { return param_.CG_No; }
    const CQ7Pos& DrawPos() const { return draw_; }

private:
    BGObjParam param_;
    double y_ = 0;
    double speed_ = 0;
    std::int32_t layer_ = 0;
    CQ7Pos draw_;
};

// Fills g_BGObjParam and spawns a CBGObject in group 2, drawn masked; a hit box
// only when hit_w > 0. Returns the slot (negative when the pack is full).
std::int32_t SpawnBGObject(std::int32_t x, double y, std::int32_t sprite, std::int32_t layer, std::int32_t hit_w = 0,
                           std::int32_t hit_h = 0, bool hit_centred = false);

// The ending: stage number 9.
//
// CEnding is the stage object after the last stage. Its set-up composes the
// pictures, sums the statistics of the eight stages, writes the check code,
// the result text (g_ResultText) and the result panel, and starts music 9
// paused. Every frame it runs a fixed timeline: three picture scenes with
// rising cards (CEndObject), joined by blind wipes, then the final scene --
// 5, the title over the scrolling home valley, for a valid run above 9999999
// points; 6, the quiet final picture, otherwise -- which stays until the
// player quits. From frame 4200 on the result can be copied (g_ResultReady).
//
// Scenery clouds (CBGObject) and falling ornaments (CTama8, seen only in
// scene 5) are added every fourth frame.
#pragma once

#include <cstdint>
#include <string>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"

// A rising card, from g_EnemyParam: X, Y start centre; Param6 sprite;
// ShotSpeedAdd vertical speed (negative rises); DrawLayer; Mode 1 blinks
// (drawn on even g_FrameCount only). It leaves once above the screen.
class CEndObject final : public GameObject {
public:
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    const CQ7Pos& Pos() const { return pos_; }
    std::int32_t Sprite() const { return param_.Param6; }

private:
    EnemyParam param_;
    double y_ = 0;
    CQ7Pos pos_;
};

class CEnding final : public GameObject {
public:
    static constexpr std::int32_t kResultReadyFrame = 4200;
    static constexpr std::int32_t kMaxPauses = 255;
    static constexpr std::int32_t kMaxResyncs = 100;
    static constexpr std::int32_t kTitleScoreAbove = 9999999;

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    std::int32_t Frame() const { return frame_; }
    std::int32_t Scene() const { return scene_; }
    std::int32_t WipeLevel() const { return wipe_level_; }
    bool Valid() const { return valid_; }
    std::int32_t FinalScene() const { return final_scene_; }
    const std::string& Code() const { return code_; }
    std::int32_t FramesTotal() const { return frames_total_; }
    std::int32_t LateTotal() const { return late_total_; }
    std::int32_t ResyncTotal() const { return resync_total_; }

private:
    void SumStatistics();
    void DrawResultPanel() const;
    void RunTimeline();
    void ScrollPictures();
    void DrawScene() const;
    void AddScenery();
    void AddOrnament();

    std::int32_t frame_ = 0;
    std::int16_t scene_ = 2;
    std::int32_t wipe_level_ = 8;
    // Picture sprites 2, 3, 4 (bottom rows) and 5 (top row).
    double layer_pos_[4] = {480, 480, 480, 0};
    double layer_speed_[4] = {0.4, 1.0, 0.4, -0.4};
    std::int32_t frames_total_ = 0, late_total_ = 0, resync_total_ = 0;
    bool valid_ = false;
    std::int32_t final_scene_ = 6;
    std::int32_t music_resume_frame_ = 50;
    std::int32_t ornament_step_ = 0;
    std::int32_t last_ornament_x_ = 0;
    double scenery_pos_ = 0;
    std::string code_;
};

// The sprite a character of the result panel is drawn with: digits 140..149,
// "-" 252, "/" 253, anything else (the blank included) 254.
std::int32_t GlyphSprite(char ch);

// The clipboard text of a result; `code` is used only when valid.
std::string ResultText(std::int32_t score, const std::string& code, bool valid, std::int32_t frames_total,
                       std::int32_t late_total);

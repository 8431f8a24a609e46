#include "game/ending/ending.h"

#include <cmath>
#include <cstdlib>
#include <span>

#include "core/clock.h"
#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/tama_bomb.h"
#include "game/ending/check_code.h"
#include "game/ending/ending_pictures.h"
#include "game/player/my_ship.h"
#include "game/stages/bg_object.h"
#include "game/stages/stage_base.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "platform/q7_directx7.h"

namespace {

constexpr std::int32_t kMasked = 0, kOpaque = 1;
constexpr std::int32_t kPictureLayer = 0, kTitleLayer = 35;
constexpr std::int32_t kCongratulations = 246;

constexpr PaletteLoad kPalettes[] = {{111, 1}, {109, 51}, {112, 181}};
constexpr MusicSetup kMusic = {.segment = 9, .loop_start = 9216, .loop_end = 119808, .master_volume = -200};

// ---- Timeline ------------------------------------------------------------------------

enum class Wipe { Closed, Opening, Closing };
constexpr std::int16_t kKeepScene = 0, kFinalScene = -1;

// From `first` to `last` the wipe is closed, opening or closing; a closed
// phase may change the scene behind it.
struct Phase {
    std::int32_t first, last;
    Wipe wipe;
    std::int16_t scene;
};
constexpr Phase kPhases[] = {
    {1, 299, Wipe::Closed, 2},         {300, 331, Wipe::Opening, kKeepScene},
    {1400, 1431, Wipe::Closing, kKeepScene}, {1432, 1499, Wipe::Closed, 3},
    {1500, 1631, Wipe::Opening, kKeepScene}, {2500, 2531, Wipe::Closing, kKeepScene},
    {2532, 2599, Wipe::Closed, 4},     {2600, 2731, Wipe::Opening, kKeepScene},
    {4000, 4031, Wipe::Closing, kKeepScene}, {4032, 4199, Wipe::Closed, kFinalScene},
    {4200, 4231, Wipe::Opening, kKeepScene},
};

// One row of a parade: `count` cards from x0, dx apart.
struct CardRow {
    std::int32_t sprite;
    std::int32_t x0, dx, count, y;
    std::int32_t layer = 20;
    bool blink = false;
};
struct Parade {
    std::int32_t frame;
    double speed;  // negative: the cards rise
    std::span<const CardRow> rows;
};

constexpr CardRow kTankParade[] = {
    {101, 160, 0, 1, 252},  {219, 180, 0, 1, 276, 15, true}, {4105, 74, 43, 5, 320},
    {86, 160, 0, 1, 380},   {4105, 74, 43, 5, 440},
};
constexpr CardRow kFighterParade[] = {
    {101, 160, 0, 1, 252}, {4041, 60, 50, 5, 320}, {85, 160, 0, 1, 380}, {4041, 60, 50, 5, 440},
};
constexpr CardRow kCarrierParade[] = {
    {101, 160, 0, 1, 252},  {219, 180, 0, 1, 276, 15, true}, {4163, 60, 50, 5, 330},
    {84, 160, 0, 1, 420},   {4163, 60, 50, 5, 510},
};
constexpr Parade kParades[] = {
    {350, -0.4, kTankParade},
    {1650, -0.5, kFighterParade},
    {2750, -0.4, kCarrierParade},
};

void AddCard(std::int32_t sprite, std::int32_t x, std::int32_t y, double speed, std::int32_t layer, bool blink) {
    g_EnemyParam.X = x;
    g_EnemyParam.Y = y;
    g_EnemyParam.Param6 = sprite;
    g_EnemyParam.ShotSpeedAdd = speed;
    g_EnemyParam.DrawLayer = layer;
    g_EnemyParam.Mode = blink ? 1 : 0;
    g_ObjectPack.Spawn<CEndObject>(3, VB_TRUE);
}

void StartParade(const Parade& parade) {
    for (const CardRow& row : parade.rows)
        for (std::int32_t k = 0; k < row.count; ++k)
            AddCard(row.sprite, row.x0 + k * row.dx, row.y, parade.speed, row.layer, row.blink);
}

// ---- Scenery and ornaments ---------------------------------------------------------------

// The clouds ride sprite 1, which the ending turns into a marker drifting down
// at this speed: whatever the scene, they pass and leave at the bottom.
constexpr double kSceneryDrift = 3.0;
constexpr std::int32_t kSceneryLayer = 5;
constexpr std::int32_t kSceneryMarker = 1;
constexpr std::int32_t kOrnamentMinApart = 41;

std::int32_t ScenerySprite(std::int32_t r) {
    if (r == 0) return 1202;
    if (r <= 3) return 1203;
    if (r == 4) return 1204;
    return 1205;
}

}  // namespace

// ---- CEndObject ------------------------------------------------------------------------------

void CEndObject::Call_Initial(int&) {
    param_ = g_EnemyParam;
    g_DDBPack.GetSprite(param_.Param6).Pos.Copy(pos_);
    y_ = param_.Y;
    pos_.Move(RoundHalfEven(param_.X), RoundHalfEven(y_));
}

bool CEndObject::Call_Events() {
    y_ += param_.ShotSpeedAdd;
    pos_.Move(RoundHalfEven(param_.X), RoundHalfEven(y_));
    if (pos_.Bottom() < 0) return true;
    if (param_.Mode != 1 || g_FrameCount % 2 == 0) g_DDBPack.AddBlt(pos_, param_.Param6, param_.DrawLayer, 0, kMasked);
    return false;
}

// ---- Result text and panel ------------------------------------------------------------------

std::int32_t GlyphSprite(char ch) {
    if (ch >= '0' && ch <= '9') return 140 + (ch - '0');
    if (ch == '-') return 252;
    if (ch == '/') return 253;
    return 254;
}

std::string ResultText(std::int32_t score, const std::string& code, bool valid, std::int32_t frames_total,
                       std::int32_t late_total) {
    const char* const kLineEnd = "\r\n";
    return "FINAL SCORE =  " + std::to_string(score) + kLineEnd + kLineEnd + "CHECK DIGIT =  " +
           (valid ? code : std::string("TIMEOUT ERROR")) + kLineEnd + kLineEnd + "FLAME SKIP =  " +
           std::to_string(frames_total) + "  /  " + std::to_string(late_total) + kLineEnd;
}

// ---- CEnding: set-up ----------------------------------------------------------------------------

void CEnding::Call_Initial(int&) {
    // 1. Palette.
    g_Palette.Clear();
    for (const PaletteLoad& load : kPalettes) g_Palette.SetUpText(GetPaletteText(load.text), load.first);

    // 2. Pictures; sprite 1 becomes the scenery's marker.
    ending::ComposePictures();
    CQ7Sprite256& marker = g_DDBPack.GetSprite(kSceneryMarker);
    marker.SetUP(1, 1, 0);
    marker.Pos.Move(0, 0);

    // 3..5. Random sequences, statistics, check code.
    g_Angle.RndReset();
    SumStatistics();
    if (valid_)
        code_ = MakeCheckCode(g_Score, DrawCheckPositions(static_cast<std::uint64_t>(GetClock().Counter())));

    // 6, 7. The result as text and as the panel.
    g_ResultText = ResultText(g_Score, code_, valid_, frames_total_, late_total_);
    ending::DrawResultPanel(std::to_string(g_Score), code_,
                            std::to_string(frames_total_) + "  /  " + std::to_string(late_total_), valid_);

    // No ship is left to count a hit flash down: it must not hide the ending.
    g_HitFlash = 0;

    // 8. Music 9, paused until frame 50.
    StartMusicPaused(kMusic);
}

void CEnding::SumStatistics() {
    frames_total_ = late_total_ = resync_total_ = 0;
    for (int stage = 1; stage <= 8; ++stage) {
        frames_total_ += g_StageFrames[stage];
        late_total_ += g_StageLate[stage];
        resync_total_ += g_StageResyncs[stage];
    }
    valid_ = g_PauseCount <= kMaxPauses && resync_total_ <= kMaxResyncs;
    final_scene_ = (g_Score > kTitleScoreAbove && valid_) ? 5 : 6;
}

// ---- CEnding: frames ---------------------------------------------------------------------------------

bool CEnding::Call_Events() {
    ++frame_;
    RunTimeline();

    if (frame_ % 4 == 3) {
        g_Palette.Roll_UP(181, 16, -1);
        g_Palette.Roll_UP(30, 16, -1);
        g_Palette.Roll_UP(51, 16, -1);
    }
    ScrollPictures();
    g_BgMode = scene_;
    DrawScene();
    if (wipe_level_ > 0) DrawBlindWipe(wipe_level_);

    if (frame_ % 4 == 0) {
        AddScenery();
        AddOrnament();
    }
    return false;
}

void CEnding::RunTimeline() {
    if (frame_ == music_resume_frame_) g_DX7.DM_PauseOut();
    for (const Parade& parade : kParades)
        if (frame_ == parade.frame) StartParade(parade);
    if (frame_ == kResultReadyFrame) g_ResultReady = true;

    for (const Phase& phase : kPhases) {
        if (frame_ < phase.first || frame_ > phase.last) continue;
        if (phase.scene != kKeepScene) scene_ = static_cast<std::int16_t>(phase.scene == kFinalScene ? final_scene_ : phase.scene);
        const bool step = frame_ % 4 == 0;
        switch (phase.wipe) {
        case Wipe::Closed: wipe_level_ = 8; break;
        case Wipe::Opening: if (step && wipe_level_ > 0) --wipe_level_; break;
        case Wipe::Closing: if (step && wipe_level_ < 8) ++wipe_level_; break;
        }
    }
}

void CEnding::ScrollPictures() {
    for (int i = 0; i < 3; ++i) {
        layer_pos_[i] += layer_speed_[i];
        if (layer_pos_[i] > 960) layer_pos_[i] -= 480;
    }
    layer_pos_[3] += layer_speed_[3];
    if (layer_pos_[3] < -480) layer_pos_[3] += 480;

    scenery_pos_ += kSceneryDrift;
    g_DDBPack.GetSprite(kSceneryMarker).Pos.SetTop(RoundHalfEven(scenery_pos_));
}

void CEnding::DrawScene() const {
    CQ7Pos at;
    g_DDBPack.GetSprite(scene_).Pos.Copy(at);
    at.SetCenter_Base(VB_FALSE);
    if (scene_ >= 2 && scene_ <= 4)
        at.SetBottom(RoundHalfEven(layer_pos_[scene_ - 2]));
    else if (scene_ == 5)
        at.SetTop(RoundHalfEven(layer_pos_[3]));
    else
        at.Move(0, 0);
    g_DDBPack.AddBlt(at, scene_, kPictureLayer, 0, kOpaque);
    if (scene_ < 5) return;

    // Picture 6 holds the panel too; laid over it again it stays above the
    // drifting clouds, so the result can always be read.
    CQ7Pos panel;
    g_DDBPack.GetSprite(ending::kPanel).Pos.Copy(panel);
    panel.Move(161, 199);
    g_DDBPack.AddBlt(panel, ending::kPanel, kTitleLayer, 0, kMasked);
    if (scene_ != 5) return;
    CQ7Pos title;
    g_DDBPack.GetSprite(ending::kTitleDim).Pos.Copy(title);
    title.Move(160, 90);
    g_DDBPack.AddBlt(title, g_FrameCount % 2 != 0 ? ending::kTitleDim : ending::kTitleLit, kTitleLayer, 0, kMasked);
    CQ7Pos banner;
    g_DDBPack.GetSprite(kCongratulations).Pos.Copy(banner);
    banner.Move(160, 50);
    g_DDBPack.AddBlt(banner, kCongratulations, kTitleLayer, 0, kMasked);
}

void CEnding::AddScenery() {
    const std::int32_t sprite = ScenerySprite(g_Angle.Rnd8(-1));
    const std::int32_t x = g_Angle.Rnd320(-1);
    // It starts just above the screen and comes down with the marker.
    SpawnBGObject(x, -g_DDBPack.GetSprite(sprite).Pos.Height(), sprite, kSceneryLayer);
}

void CEnding::AddOrnament() {
    if (++ornament_step_ > 20) ornament_step_ = 0;
    const std::int32_t r = g_Angle.Rnd8(-1);
    const bool small = (ornament_step_ & 6) != 0;
    const std::int32_t type = (small ? 6081 : 6085) + r / 2;
    std::int32_t a = 0;
    do {
        a = g_Angle.Rnd320(-1);
    } while (std::abs(a - last_ornament_x_) < kOrnamentMinApart);
    last_ornament_x_ = a;

    const double drift = (a - 160) / 20.0;
    g_SpawnParam.X = 160 + std::trunc(drift * 5);
    g_SpawnParam.Y = 50;
    g_SpawnParam.DX = drift;
    g_SpawnParam.DY = small ? 1.0 : 1.5;
    g_SpawnParam.Sprite = type;
    g_SpawnParam.Level = a;  // the column it falls down
    g_ObjectPack.Spawn<CTama8>(3, VB_TRUE);
}

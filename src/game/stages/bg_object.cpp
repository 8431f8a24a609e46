#include "game/stages/bg_object.h"

#include "core/q7_objectpack.h"
#include "gfx/q7_ddbpack256.h"

namespace {
std::int32_t MapTop() { return g_DDBPack.GetSprite(1).Pos.Top(); }

struct CloudKind {
    std::int32_t first, last;
    double speed;
    std::int32_t layer;
    std::int32_t start_bottom;  // the row the cloud's bottom starts on
};
// The near clouds (layer 3) move faster than the far ones (layer 2).
constexpr CloudKind kClouds[] = {
    {1169, 1170, 3, 3, 22},
    {1171, 1172, 2, 2, 22},
    {1202, 1203, 3, 3, 0},
    {1204, 1205, 2, 2, 0},
};
}  // namespace

// ---- CBGObject ------------------------------------------------------------------

void CBGObject::Call_Initial(int&) {
    param_ = g_BGObjParam;
    g_DDBPack.GetSprite(param_.CG_No).Pos.Copy(draw_);
    x_ = param_.X;
    y_ = param_.Y;
    map_offset_ = RoundHalfEven(y_ - MapTop());
    if (param_.HasHitBox != 0) {
        hit_.SetCenter_Base(param_.HitCentred == VB_TRUE ? VB_TRUE : VB_FALSE);
        hit_.ReSize(param_.HitW, param_.HitH);
    }
    draw_.Move(x_, RoundHalfEven(y_));
}

bool CBGObject::Call_Events() {
    // Its first frame only settles it: it appears from the next one on.
    if (++frame_ == 1) return false;
    y_ = MapTop() + map_offset_;
    draw_.Move(x_, RoundHalfEven(y_));
    if (draw_.Top() >= 241) return true;
    if (param_.CG_No != 0) g_DDBPack.AddBlt(draw_, param_.CG_No, param_.DrawLayer, 0, param_.DrawMode);
    if (param_.HasHitBox != 0) {
        if (param_.HitCentred == VB_TRUE)
            hit_.Move(draw_.CenterX(), draw_.CenterY());
        else
            hit_.Move(draw_.Left(), draw_.Top());
        g_ObstacleList.Add(hit_, 1);
    }
    return false;
}

// ---- CBGCloud ---------------------------------------------------------------------

void CBGCloud::Call_Initial(int&) {
    param_ = g_BGObjParam;
    // An unknown picture drifts like a far cloud.
    CloudKind kind = kClouds[1];
    for (const CloudKind& k : kClouds)
        if (param_.CG_No >= k.first && param_.CG_No <= k.last) kind = k;
    speed_ = kind.speed;
    layer_ = kind.layer;
    g_DDBPack.GetSprite(param_.CG_No).Pos.Copy(draw_);
    draw_.SetCenterX(param_.X);
    draw_.SetBottom(kind.start_bottom);
    y_ = draw_.CenterY();
}

bool CBGCloud::Call_Events() {
    y_ += speed_;
    draw_.SetCenterY(RoundHalfEven(y_));
    if (speed_ > 0 && draw_.Top() > 240) return true;
    if (speed_ < 0 && draw_.Bottom() < 0) return true;
    if (g_BgMode == kCloudMode) g_DDBPack.AddBlt(draw_, param_.CG_No, layer_, 0, 0);
    return false;
}

std::int32_t SpawnBGObject(std::int32_t x, double y, std::int32_t sprite, std::int32_t layer, std::int32_t hit_w,
                           std::int32_t hit_h, bool hit_centred) {
    g_BGObjParam.X = x;
    g_BGObjParam.Y = y;
    g_BGObjParam.CG_No = sprite;
    g_BGObjParam.DrawMode = 0;
    g_BGObjParam.DrawLayer = layer;
    g_BGObjParam.HasHitBox = hit_w > 0 ? VB_TRUE : VB_FALSE;
    g_BGObjParam.HitW = hit_w;
    g_BGObjParam.HitH = hit_h;
    g_BGObjParam.HitCentred = hit_centred ? VB_TRUE : VB_FALSE;
    return g_ObjectPack.Spawn<CBGObject>(2, VB_TRUE);
}

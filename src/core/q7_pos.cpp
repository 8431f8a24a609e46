#include "core/q7_pos.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The direction routines use 3.14159 and the sine routines 3.141592: both
// approximations are kept as they are, since rounding boundaries of enemy
// aim and the unit-step tables depend on them.
constexpr double kDirectionPi = 3.14159;
constexpr double kDegToRad = 3.141592 / 180.0;

// One axis of a rectangle; the y rules are the x rules with top/height.
struct Axis {
    std::int32_t& start;
    std::int32_t& size;
    std::int32_t& centre;
};

void SetStart(Axis a, std::int32_t v) {
    a.start = v;
    a.centre = v + a.size / 2;
}

void SetCentre(Axis a, std::int32_t v) {
    a.centre = v;
    a.start = (a.size == 1) ? v : v - a.size / 2 - 1;
}

void SetEnd(Axis a, std::int32_t v) {
    if (a.size == 1) {
        a.start = a.centre = v;
    } else {
        a.start = v - a.size + 1;
        a.centre = v - a.size / 2 + 1;
    }
}

// Applies an already stored size to the corner or centre.
void ApplySize(Axis a, bool keep_centre) {
    if (a.size == 1) {
        if (keep_centre) a.start = a.centre; else a.centre = a.start;
    } else {
        if (keep_centre) a.start = a.centre - a.size / 2 - 1; else a.centre = a.start + a.size / 2 + 1;
    }
}

void SetSize(Axis a, std::int32_t v, bool keep_centre) {
    if (v <= 0) return;
    a.size = v;
    ApplySize(a, keep_centre);
}

// Centre-keeping moves place the centre, corner-keeping ones the corner, by
// the same rules as the setters.
void MoveAxis(Axis a, std::int32_t v, bool keep_centre) {
    if (keep_centre) SetCentre(a, v); else SetStart(a, v);
}

// Brings an angle in degrees into 0..360 by whole turns (360 itself stays).
double NormaliseDegrees(double angle) {
    if (!std::isfinite(angle)) return std::numeric_limits<double>::quiet_NaN();
    // Far-off angles are reduced first so the loops stay short; fmod is exact
    // and only turns an exact multiple of 360 into 0 instead of 360, which
    // both functions treat alike.
    if (std::fabs(angle) > 1e6) angle = std::fmod(angle, 360.0);
    while (angle < 0) angle += 360;
    while (angle > 360) angle -= 360;
    return angle;
}

}  // namespace


// What the five setters (Center_Base, Width, Height, Left, Top) leave behind,
// written directly: the Left and Top rules overwrite whatever the size rules
// did to the corner and centre. Sizes are never below 1, so none is refused.
void CQ7Pos::Copy(CQ7Pos& dest) const {
    dest.center_base_ = center_base_;
    dest.width_ = width_;
    dest.height_ = height_;
    dest.left_ = left_;
    dest.top_ = top_;
    dest.center_x_ = left_ + width_ / 2;
    dest.center_y_ = top_ + height_ / 2;
}

void CQ7Pos::SetLeft(std::int32_t v) { SetStart({left_, width_, center_x_}, v); }
void CQ7Pos::SetTop(std::int32_t v) { SetStart({top_, height_, center_y_}, v); }
void CQ7Pos::SetWidth(std::int32_t v) { SetSize({left_, width_, center_x_}, v, KeepsCentre()); }
void CQ7Pos::SetHeight(std::int32_t v) { SetSize({top_, height_, center_y_}, v, KeepsCentre()); }
void CQ7Pos::SetCenterX(std::int32_t v) { SetCentre({left_, width_, center_x_}, v); }
void CQ7Pos::SetCenterY(std::int32_t v) { SetCentre({top_, height_, center_y_}, v); }
std::int32_t CQ7Pos::Right() const { return left_ + width_ - 1; }
std::int32_t CQ7Pos::Bottom() const { return top_ + height_ - 1; }
void CQ7Pos::SetRight(std::int32_t v) { SetEnd({left_, width_, center_x_}, v); }
void CQ7Pos::SetBottom(std::int32_t v) { SetEnd({top_, height_, center_y_}, v); }

void CQ7Pos::Move(std::int32_t x, std::int32_t y) {
    MoveAxis({left_, width_, center_x_}, x, KeepsCentre());
    MoveAxis({top_, height_, center_y_}, y, KeepsCentre());
}

void CQ7Pos::ReSize(std::int32_t w, std::int32_t h) {
    if (w < 1 || h < 1) return;
    width_ = w;
    height_ = h;
    ApplySize({left_, width_, center_x_}, KeepsCentre());
    ApplySize({top_, height_, center_y_}, KeepsCentre());
}


std::int32_t CQ7Pos::Length2(const CQ7Pos& other) const {
    double dy = static_cast<double>(center_y_) - other.CenterY();
    double dx = static_cast<double>(center_x_) - other.CenterX();
    return RoundHalfEven(dy * dy + dx * dx);
}

double CQ7Pos::Length(const CQ7Pos& other) const {
    double dy = static_cast<double>(center_y_) - other.CenterY();
    double dx = static_cast<double>(center_x_) - other.CenterX();
    return std::sqrt(dy * dy + dx * dx);
}

VBool CQ7Pos::Equal(const CQ7Pos& other) const {
    return ToVBool(left_ == other.Left() && top_ == other.Top() && width_ == other.Width() &&
                   height_ == other.Height());
}

VBool CQ7Pos::GetClipIn(const CQ7Pos& other) const {
    return ToVBool(other.Left() >= left_ && other.Right() <= Right() && other.Top() >= top_ &&
                   other.Bottom() <= Bottom());
}

VBool CQ7Pos::GetClipOn(const CQ7Pos& other) const {
    return ToVBool(Right() >= other.Left() && other.Right() >= left_ && Bottom() >= other.Top() &&
                   other.Bottom() >= top_);
}

VBool CQ7Pos::GetClip(CQ7Pos& out, const CQ7Pos& other) const {
    if (GetClipOn(other) != VB_TRUE) return VB_FALSE;
    std::int32_t l = std::max(left_, other.Left());
    std::int32_t t = std::max(top_, other.Top());
    std::int32_t r = std::min(Right(), other.Right());
    std::int32_t b = std::min(Bottom(), other.Bottom());
    out.SetWidth(r - l + 1);
    out.SetHeight(b - t + 1);
    out.SetLeft(l);
    out.SetTop(t);
    return VB_TRUE;
}

std::int32_t CQ7Pos::Direction(const CQ7Pos& other, std::int32_t steps) const {
    std::int32_t dx = other.CenterX() - center_x_;
    std::int32_t dy = other.CenterY() - center_y_;
    if (dx == 0) return (other.CenterY() < center_y_) ? steps * 3 / 4 : steps / 4;
    std::int32_t a = RoundHalfEven(std::atan(static_cast<double>(dy) / dx) * (steps / 2) / kDirectionPi);
    if (dx < 0) a += steps / 2;
    return (a + steps) % steps;
}

double CQ7Pos::GetKAKUDO(const CQ7Pos& other) const {
    std::int32_t dx = other.CenterX() - center_x_;
    std::int32_t dy = other.CenterY() - center_y_;
    if (dx == 0) return (other.CenterY() < center_y_) ? 270.0 : 90.0;
    double a = std::atan(static_cast<double>(dy) / dx) * 180 / kDirectionPi;
    if (dx < 0) a += 180;
    while (a < 0) a += 360;
    while (a > 360) a -= 360;
    return a;
}

double CQ7Pos::GetSin(double angle) {
    angle = NormaliseDegrees(angle);
    if (angle == 0 || angle == 180 || angle == 360) return 0;
    if (angle == 90) return 1;
    if (angle == 270) return -1;
    if (angle < 180) return std::sin(angle * kDegToRad);
    return -std::sin((angle - 180) * kDegToRad);
}

double CQ7Pos::GetCos(double angle) {
    angle = NormaliseDegrees(angle);
    if (angle == 0 || angle == 360) return 1;
    if (angle == 90 || angle == 270) return 0;
    if (angle == 180) return -1;
    if (angle < 90) return std::sin((90 - angle) * kDegToRad);
    if (angle < 180) return -std::sin((90 - (180 - angle)) * kDegToRad);
    if (angle < 270) return -std::sin((90 - (angle - 180)) * kDegToRad);
    return std::sin((90 - (360 - angle)) * kDegToRad);
}

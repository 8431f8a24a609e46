// CQ7Pos: the integer pixel rectangle every sprite, object, hit box and the
// play field itself is measured with.
//
// Corner, size and centre are all stored. Each setter updates the pair it
// touches by its own rule, and those rules differ by one pixel from setter to
// setter; sprite placement and bullet spawn points depend on the exact values,
// so the centre is deliberately not derived from corner and size.
//
// Center_Base selects what a resize keeps fixed: exactly VB_TRUE keeps the
// centre (and Move places the centre); any other value keeps the corner.
#pragma once

#include <cstdint>

#include "core/vb.h"

class CQ7Pos {
public:
    // Writes this rectangle into dest through dest's setters: Center_Base,
    // Width, Height, Left, Top. dest's centre therefore ends at Left + W\2,
    // Top + H\2, which may differ by one from this rectangle's stored centre.
    void Copy(CQ7Pos& dest) const;

    std::int32_t Left() const { return left_; }
    void SetLeft(std::int32_t v);
    std::int32_t Top() const { return top_; }
    void SetTop(std::int32_t v);
    std::int32_t Width() const { return width_; }
    void SetWidth(std::int32_t v);  // v <= 0 is ignored
    std::int32_t Height() const { return height_; }
    void SetHeight(std::int32_t v);  // v <= 0 is ignored
    std::int32_t CenterX() const { return center_x_; }
    void SetCenterX(std::int32_t v);
    std::int32_t CenterY() const { return center_y_; }
    void SetCenterY(std::int32_t v);
    // Last pixel column / row inside the rectangle (inclusive).
    std::int32_t Right() const;
    void SetRight(std::int32_t v);
    std::int32_t Bottom() const;
    void SetBottom(std::int32_t v);

    VBool Center_Base() const { return center_base_; }
    void SetCenter_Base(VBool b) { center_base_ = b; }
    // Plain integers (literals like -1 or 0) are taken as the 16-bit flag;
    // values outside 16 bits are simply "not True".
    void SetCenter_Base(int b) { center_base_ = (b >= INT16_MIN && b <= INT16_MAX) ? static_cast<VBool>(b) : VBool{1}; }
    // C++ true is 1, which is not True here: refuse it at compile time.
    void SetCenter_Base(bool) = delete;

    // Centre-keeping: places the centre at (x, y); corner-keeping: the corner.
    void Move(std::int32_t x, std::int32_t y);
    // Ignored entirely if either size is below 1.
    void ReSize(std::int32_t w, std::int32_t h);

    // Squared distance between the centres, rounded to 32 bits.
    std::int32_t Length2(const CQ7Pos& other) const;
    double Length(const CQ7Pos& other) const;

    // Same corner and size (centre and Center_Base are not compared).
    VBool Equal(const CQ7Pos& other) const;

    // other lies wholly inside this rectangle (edges inclusive).
    VBool GetClipIn(const CQ7Pos& other) const;
    // The two share at least one pixel (touching edges count).
    VBool GetClipOn(const CQ7Pos& other) const;
    // Writes the intersection into out and returns True; returns False and
    // leaves out untouched when the rectangles do not overlap.
    VBool GetClip(CQ7Pos& out, const CQ7Pos& other) const;

    // Direction from this centre to other's centre in N steps per turn,
    // clockwise from "right" (N/4 is down, 3N/4 up).
    std::int32_t KAKUDO256(const CQ7Pos& other) const { return Direction(other, 256); }
    std::int32_t KAKUDO128(const CQ7Pos& other) const { return Direction(other, 128); }
    std::int32_t KAKUDO64(const CQ7Pos& other) const { return Direction(other, 64); }
    std::int32_t KAKUDO32(const CQ7Pos& other) const { return Direction(other, 32); }
    std::int32_t KAKUDO16(const CQ7Pos& other) const { return Direction(other, 16); }
    std::int32_t KAKUDO8(const CQ7Pos& other) const { return Direction(other, 8); }
    // The same in whole degrees (0..359).
    std::int32_t KAKUDO(const CQ7Pos& other) const { return Direction(other, 360); }
    // Degrees, not rounded, in 0..360 (exactly 360 stays 360).
    double GetKAKUDO(const CQ7Pos& other) const;

    // Sine and cosine of an angle in degrees, exact at the multiples of 90.
    static double GetSin(double angle);
    static double GetCos(double angle);

private:
    std::int32_t Direction(const CQ7Pos& other, std::int32_t steps) const;
    bool KeepsCentre() const { return center_base_ == VB_TRUE; }

    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t width_ = 1;
    std::int32_t height_ = 1;
    std::int32_t center_x_ = 1;
    std::int32_t center_y_ = 1;
    VBool center_base_ = VB_TRUE;
};

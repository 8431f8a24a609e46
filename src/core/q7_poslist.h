// CQ7PosList: a list of hit boxes with attack values, rebuilt every frame.
//
// Objects add copies of their rectangles to the lists they hurt with and ask
// the lists they can be hurt by; they never test each other directly.
#pragma once

#include <array>
#include <cstdint>

#include "core/q7_pos.h"
#include "core/vb.h"

class CQ7PosList {
public:
    static constexpr int kCapacity = 501;

    // True if some entry wholly contains Pos.
    VBool GetClipIn(const CQ7Pos& Pos) const;
    // Direction (16 or 8 steps) from Pos to the nearest entry by centre
    // distance, or -1 when none is nearer than 1000 pixels. Length receives
    // the squared distance (1000000 when nothing was chosen). The first of
    // equally near entries wins.
    std::int32_t GetTarget16(const CQ7Pos& Pos, std::int32_t& Length) const;
    std::int32_t GetTarget8(const CQ7Pos& Pos, std::int32_t& Length) const;
    // Sum of the attack points of every entry overlapping Pos.
    std::int32_t GetDamage(const CQ7Pos& Pos) const;
    // 1 if any entry overlaps Pos, else 0.
    std::int32_t GetDamage1(const CQ7Pos& Pos) const;
    // Appends a copy of Pos and returns its index. A full list (501 entries
    // in one frame, more than the game ever adds) drops the box and returns
    // -1; the entries already there are kept.
    std::int32_t Add(const CQ7Pos& Pos, std::int32_t Attack_Point);
    std::int32_t GetDataCount() const { return count_; }
    // Entry i (0 .. GetDataCount() - 1), for tools that look at what a frame registered.
    const CQ7Pos& GetEntry(int i) const { return entries_[static_cast<std::size_t>(i)]; }
    void Clear() { count_ = 0; }

private:
    // Index of the nearest entry, or -1; best receives its squared distance.
    int Nearest(const CQ7Pos& from, std::int32_t& best) const;

    std::array<CQ7Pos, kCapacity> entries_{};
    std::array<std::int32_t, kCapacity> attack_{};
    std::int32_t count_ = 0;
};

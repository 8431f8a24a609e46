#include "core/q7_poslist.h"

namespace {

// Queries look at the caller's rectangle as Copy writes it, so the centre they
// measure from is Left + W\2, Top + H\2 whatever the caller stored.
CQ7Pos CopyOf(const CQ7Pos& pos) {
    CQ7Pos copy;
    pos.Copy(copy);
    return copy;
}

// Squared distances of 1000000 (1000 pixels) or more are never chosen.
constexpr std::int32_t kNothingNear = 1000000;

}  // namespace

VBool CQ7PosList::GetClipIn(const CQ7Pos& Pos) const {
    CQ7Pos p = CopyOf(Pos);
    for (int i = 0; i < count_; ++i) {
        if (entries_[i].GetClipIn(p) == VB_TRUE) return VB_TRUE;
    }
    return VB_FALSE;
}

int CQ7PosList::Nearest(const CQ7Pos& from, std::int32_t& best) const {
    best = kNothingNear;
    int index = -1;
    for (int i = 0; i < count_; ++i) {
        std::int32_t d = entries_[i].Length2(from);
        if (d < best) {
            best = d;
            index = i;
        }
    }
    return index;
}

std::int32_t CQ7PosList::GetTarget16(const CQ7Pos& Pos, std::int32_t& Length) const {
    CQ7Pos p = CopyOf(Pos);
    int i = Nearest(p, Length);
    return i < 0 ? -1 : p.KAKUDO16(entries_[i]);
}

std::int32_t CQ7PosList::GetTarget8(const CQ7Pos& Pos, std::int32_t& Length) const {
    CQ7Pos p = CopyOf(Pos);
    int i = Nearest(p, Length);
    return i < 0 ? -1 : p.KAKUDO8(entries_[i]);
}

std::int32_t CQ7PosList::GetDamage(const CQ7Pos& Pos) const {
    CQ7Pos p = CopyOf(Pos);
    std::int32_t sum = 0;
    for (int i = 0; i < count_; ++i) {
        if (p.GetClipOn(entries_[i]) == VB_TRUE) sum += attack_[i];
    }
    return sum;
}

std::int32_t CQ7PosList::GetDamage1(const CQ7Pos& Pos) const {
    CQ7Pos p = CopyOf(Pos);
    for (int i = 0; i < count_; ++i) {
        if (p.GetClipOn(entries_[i]) == VB_TRUE) return 1;
    }
    return 0;
}

std::int32_t CQ7PosList::Add(const CQ7Pos& Pos, std::int32_t Attack_Point) {
    if (count_ >= kCapacity) return -1;
    Pos.Copy(entries_[count_]);
    attack_[count_] = Attack_Point;
    return count_++;
}

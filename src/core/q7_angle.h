// CQ7Angle: movement directions and the game's reproducible "random" numbers.
//
// Directions count clockwise on screen from "right": in 8 steps 2 is down,
// 4 left, 6 up; in 16 steps 4 is down, 8 left, 12 up. An object moves along
// direction d at speed v by adding GetDX16(d) * v and GetDY16(d) * v to its
// position, and homes in by replacing its direction with GetGK8(target, own)
// every so many frames.
//
// The seven Rnd sequences are fixed game data (1001 entries each). Stages
// rewind them with RndReset, so their enemies behave identically every run.
#pragma once

#include <array>
#include <cstdint>

class CQ7Angle {
public:
    CQ7Angle();

    // Rewinds every sequence to its first entry.
    void RndReset();

    // ReSet_RndN moves that sequence's cursor. RndN(-1) hands out the entry at
    // the cursor and advances it (after entry 1000 it starts over at 0); any
    // other DT reads entry DT and leaves the cursor alone. Indices outside
    // 0..1000 are wrapped into the table rather than read out of bounds.
    void ReSet_Rnd320(std::int32_t cursor) { rnd320_.Reset(cursor); }
    std::int32_t Rnd320(std::int32_t DT) { return rnd320_.Get(DT); }
    void ReSet_Rnd256(std::int32_t cursor) { rnd256_.Reset(cursor); }
    std::int32_t Rnd256(std::int32_t DT) { return rnd256_.Get(DT); }
    void ReSet_Rnd240(std::int32_t cursor) { rnd240_.Reset(cursor); }
    std::int32_t Rnd240(std::int32_t DT) { return rnd240_.Get(DT); }
    void ReSet_Rnd32(std::int32_t cursor) { rnd32_.Reset(cursor); }
    std::int32_t Rnd32(std::int32_t DT) { return rnd32_.Get(DT); }
    void ReSet_Rnd16(std::int32_t cursor) { rnd16_.Reset(cursor); }
    std::int32_t Rnd16(std::int32_t DT) { return rnd16_.Get(DT); }
    void ReSet_Rnd10(std::int32_t cursor) { rnd10_.Reset(cursor); }
    std::int32_t Rnd10(std::int32_t DT) { return rnd10_.Get(DT); }
    void ReSet_Rnd8(std::int32_t cursor) { rnd8_.Reset(cursor); }
    std::int32_t Rnd8(std::int32_t DT) { return rnd8_.Get(DT); }

    // The next direction one step from GK (current) toward TK (target). A
    // target exactly behind is approached counter-clockwise. Directions are
    // taken modulo 8 / 16.
    std::int32_t GetGK8(std::int32_t TK, std::int32_t GK) const { return gk8_[TK & 7][GK & 7]; }
    std::int32_t GetGK16(std::int32_t TK, std::int32_t GK) const { return gk16_[TK & 15][GK & 15]; }

    // Unit steps along a direction (taken modulo 8 / 16).
    double GetDX8(std::int32_t d) const { return dx8_[d & 7]; }
    double GetDY8(std::int32_t d) const { return dy8_[d & 7]; }
    double GetDX16(std::int32_t d) const { return dx16_[d & 15]; }
    double GetDY16(std::int32_t d) const { return dy16_[d & 15]; }

private:
    class Sequence {
    public:
        explicit Sequence(const std::int32_t* table) : table_(table) {}
        void Reset(std::int32_t cursor) { cursor_ = Wrap(cursor); }
        std::int32_t Get(std::int32_t DT);

    private:
        static std::int32_t Wrap(std::int32_t i);
        const std::int32_t* table_;
        std::int32_t cursor_ = 0;
    };

    Sequence rnd320_, rnd256_, rnd240_, rnd32_, rnd16_, rnd10_, rnd8_;
    std::array<double, 8> dx8_{}, dy8_{};
    std::array<double, 16> dx16_{}, dy16_{};
    std::array<std::array<std::int32_t, 8>, 8> gk8_{};
    std::array<std::array<std::int32_t, 16>, 16> gk16_{};
};

extern CQ7Angle g_Angle;

#include "core/q7_angle.h"

#include "core/q7_angle_tables.h"
#include "core/q7_pos.h"

CQ7Angle g_Angle;

namespace {

// First-quadrant components from the degree sine/cosine, mirrored into the
// other three quadrants with exact sign changes (so the axes are exactly 0
// and 1, and opposite directions cancel exactly).
template <std::size_t N>
void FillUnitSteps(std::array<double, N>& dx, std::array<double, N>& dy) {
    constexpr int q = N / 4;
    for (int i = 0; i < q; ++i) {
        double a = 360.0 / N * i;
        double c = CQ7Pos::GetCos(a), s = CQ7Pos::GetSin(a);
        dx[i] = c, dy[i] = s;
        dx[i + q] = -s, dy[i + q] = c;
        dx[i + 2 * q] = -c, dy[i + 2 * q] = -s;
        dx[i + 3 * q] = s, dy[i + 3 * q] = -c;
    }
}

template <std::size_t N>
void FillTurns(std::array<std::array<std::int32_t, N>, N>& gk) {
    constexpr int n = N;
    for (int t = 0; t < n; ++t) {
        for (int c = 0; c < n; ++c) {
            int up = ((t - c) % n + n) % n;    // +1 steps from c to t
            int down = ((c - t) % n + n) % n;  // -1 steps from c to t
            if (down == 0) {
                gk[t][c] = c;
            } else if (down > up) {
                gk[t][c] = (c + 1) % n;
            } else {  // shorter the other way, or exactly opposite
                gk[t][c] = (c + n - 1) % n;
            }
        }
    }
}

}  // namespace

CQ7Angle::CQ7Angle()
    : rnd320_(kRnd320), rnd256_(kRnd256), rnd240_(kRnd240), rnd32_(kRnd32), rnd16_(kRnd16), rnd10_(kRnd10),
      rnd8_(kRnd8) {
    FillUnitSteps(dx8_, dy8_);
    FillUnitSteps(dx16_, dy16_);
    FillTurns(gk8_);
    FillTurns(gk16_);
}

void CQ7Angle::RndReset() {
    for (Sequence* s : {&rnd320_, &rnd256_, &rnd240_, &rnd32_, &rnd16_, &rnd10_, &rnd8_}) s->Reset(0);
}

std::int32_t CQ7Angle::Sequence::Wrap(std::int32_t i) {
    i %= kRndEntries;
    return i < 0 ? i + kRndEntries : i;
}

std::int32_t CQ7Angle::Sequence::Get(std::int32_t DT) {
    if (DT != -1) return table_[Wrap(DT)];
    std::int32_t v = table_[cursor_];
    cursor_ = (cursor_ < kRndEntries - 1) ? cursor_ + 1 : 0;
    return v;
}

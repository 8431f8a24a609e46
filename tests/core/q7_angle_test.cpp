#include "core/q7_angle.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct Table {
    const char* name;
    int n;
    std::function<std::int32_t(CQ7Angle&, std::int32_t)> rnd;
    std::function<void(CQ7Angle&, std::int32_t)> reset;
    std::vector<int> head;
};

const std::vector<Table>& Tables() {
    static const std::vector<Table> tables = {
        {"8", 8, &CQ7Angle::Rnd8, &CQ7Angle::ReSet_Rnd8, {7, 0, 4, 2, 1, 3, 6, 4, 2, 0, 5, 2, 3, 7, 6, 7}},
        {"10", 10, &CQ7Angle::Rnd10, &CQ7Angle::ReSet_Rnd10, {}},
        {"16", 16, &CQ7Angle::Rnd16, &CQ7Angle::ReSet_Rnd16,
         {7, 1, 8, 11, 3, 6, 11, 13, 8, 2, 14, 4, 9, 13, 4, 12}},
        {"32", 32, &CQ7Angle::Rnd32, &CQ7Angle::ReSet_Rnd32,
         {9, 1, 15, 5, 28, 15, 6, 28, 31, 11, 1, 17, 30, 30, 20, 4}},
        {"240", 240, &CQ7Angle::Rnd240, &CQ7Angle::ReSet_Rnd240,
         {200, 106, 58, 138, 206, 69, 202, 129, 228, 137, 170, 97, 193, 15, 46, 81}},
        {"256", 256, &CQ7Angle::Rnd256, &CQ7Angle::ReSet_Rnd256,
         {64, 147, 157, 106, 202, 1, 162, 145, 138, 96, 72, 217, 186, 11, 244, 89}},
        {"320", 320, &CQ7Angle::Rnd320, &CQ7Angle::ReSet_Rnd320,
         {36, 264, 74, 96, 85, 98, 268, 282, 5, 160, 298, 161, 147, 89, 222, 268}},
    };
    return tables;
}

}  // namespace

TEST(Q7Angle, SequencesOpenWithTheirFixedValuesAndCoverEveryValue) {
    CQ7Angle angle;
    for (const Table& t : Tables()) {
        SCOPED_TRACE(t.name);
        angle.RndReset();
        for (std::size_t i = 0; i < t.head.size(); ++i) EXPECT_EQ(t.rnd(angle, -1), t.head[i]) << i;
        std::vector<int> count(t.n);
        for (int i = 0; i < 1001; ++i) {
            int v = t.rnd(angle, i);
            ASSERT_GE(v, 0);
            ASSERT_LT(v, t.n);
            ++count[v];
        }
        for (int v = 0; v < t.n; ++v) {
            EXPECT_GE(count[v], 1001 / t.n) << "value " << v;
            EXPECT_LE(count[v], 1001 / t.n + 1) << "value " << v;
        }
    }
}

TEST(Q7Angle, CursorWrapsAfterTheThousandAndFirstEntry) {
    CQ7Angle angle;
    angle.RndReset();
    std::vector<int> first;
    for (int i = 0; i < 1001; ++i) first.push_back(angle.Rnd8(-1));
    EXPECT_EQ(first[1000], angle.Rnd8(1000));
    EXPECT_EQ(angle.Rnd8(-1), 7);  // the 1002nd call starts over
    EXPECT_EQ(angle.Rnd8(-1), 0);
}

TEST(Q7Angle, CursorsAreIndependentAndOnlyMinusOneMovesThem) {
    CQ7Angle angle;
    angle.RndReset();
    EXPECT_EQ(angle.Rnd16(3), 11);
    EXPECT_EQ(angle.Rnd16(3), 11);
    EXPECT_EQ(angle.Rnd16(-1), 7);  // cursor still at 0
    for (int i = 0; i < 5; ++i) angle.Rnd8(-1);
    EXPECT_EQ(angle.Rnd16(-1), 1);
    EXPECT_EQ(angle.Rnd32(-1), 9);

    angle.ReSet_Rnd16(500);
    EXPECT_EQ(angle.Rnd16(-1), angle.Rnd16(500));
    EXPECT_EQ(angle.Rnd16(-1), angle.Rnd16(501));
    angle.ReSet_Rnd8(0);
    EXPECT_EQ(angle.Rnd8(-1), 7);

    angle.RndReset();
    EXPECT_EQ(angle.Rnd16(-1), 7);
    EXPECT_EQ(angle.Rnd8(-1), 7);
}

TEST(Q7Angle, OutOfRangeIndicesStayInsideTheTable) {
    CQ7Angle angle;
    EXPECT_EQ(angle.Rnd8(1001), angle.Rnd8(0));
    EXPECT_EQ(angle.Rnd8(-2), angle.Rnd8(999));
    angle.ReSet_Rnd8(1002);
    EXPECT_EQ(angle.Rnd8(-1), angle.Rnd8(1));
    EXPECT_EQ(angle.GetGK8(10, 0), angle.GetGK8(2, 0));
    EXPECT_EQ(angle.GetDX16(-4), angle.GetDX16(12));
}

TEST(Q7Angle, TurnsOneStepTowardTheTarget) {
    CQ7Angle angle;
    EXPECT_EQ(angle.GetGK8(0, 0), 0);
    EXPECT_EQ(angle.GetGK8(2, 0), 1);
    EXPECT_EQ(angle.GetGK8(6, 0), 7);
    EXPECT_EQ(angle.GetGK8(4, 0), 7);  // exactly behind: counter-clockwise
    EXPECT_EQ(angle.GetGK8(0, 4), 3);
    EXPECT_EQ(angle.GetGK16(8, 0), 15);
    EXPECT_EQ(angle.GetGK16(15, 0), 15);
    EXPECT_EQ(angle.GetGK16(7, 0), 1);
    EXPECT_EQ(angle.GetGK16(0, 15), 0);

    // From anywhere, repeated turning reaches the target the short way round.
    for (int n : {8, 16}) {
        for (int t = 0; t < n; ++t) {
            for (int c = 0; c < n; ++c) {
                int d = c, turns = 0;
                while (d != t && turns <= n) {
                    d = n == 8 ? angle.GetGK8(t, d) : angle.GetGK16(t, d);
                    ++turns;
                }
                int way = ((t - c) % n + n) % n;
                EXPECT_EQ(turns, std::min(way, n - way)) << n << ": " << c << " -> " << t;
            }
        }
    }
}

TEST(Q7Angle, UnitSteps) {
    CQ7Angle angle;
    const double c22 = 0.9238794387170145, c45 = 0.7071066656470943, c67 = 0.3826833568853094;
    const double dx16[16] = {1, c22, c45, c67, 0, -c67, -c45, -c22, -1, -c22, -c45, -c67, 0, c67, c45, c22};
    for (int d = 0; d < 16; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(angle.GetDX16(d), dx16[d]);
        EXPECT_EQ(angle.GetDY16(d), dx16[(d + 12) % 16]);  // a quarter turn behind
    }
    const double dx8[8] = {1, c45, 0, -c45, -1, -c45, 0, c45};
    for (int d = 0; d < 8; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(angle.GetDX8(d), dx8[d]);
        EXPECT_EQ(angle.GetDY8(d), dx8[(d + 6) % 8]);
    }
    EXPECT_EQ(angle.GetDY16(4), 1);
    EXPECT_EQ(angle.GetDY16(12), -1);
}

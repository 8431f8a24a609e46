#include "core/q7_poslist.h"

#include <gtest/gtest.h>

namespace {

// Corner-keeping rectangle with its top-left corner at (x, y).
CQ7Pos Box(int x, int y, int w, int h) {
    CQ7Pos p;
    p.SetCenter_Base(VB_FALSE);
    p.ReSize(w, h);
    p.Move(x, y);
    return p;
}

}  // namespace

TEST(Q7PosList, EmptyListFindsNothing) {
    CQ7PosList list;
    CQ7Pos p = Box(10, 10, 4, 4);
    std::int32_t length = 7;
    EXPECT_EQ(list.GetDataCount(), 0);
    EXPECT_EQ(list.GetClipIn(p), VB_FALSE);
    EXPECT_EQ(list.GetDamage(p), 0);
    EXPECT_EQ(list.GetDamage1(p), 0);
    EXPECT_EQ(list.GetTarget16(p, length), -1);
    EXPECT_EQ(length, 1000000);
    EXPECT_EQ(list.GetTarget8(p, length), -1);
}

TEST(Q7PosList, AddCopiesAndClearStartsOver) {
    CQ7PosList list;
    CQ7Pos p = Box(0, 0, 4, 4);
    EXPECT_EQ(list.Add(p, 1), 0);
    EXPECT_EQ(list.Add(p, 1), 1);
    // The entry is a copy: moving the caller's box afterwards changes nothing.
    p.Move(100, 100);
    EXPECT_EQ(list.GetDamage1(Box(2, 2, 1, 1)), 1);
    EXPECT_EQ(list.GetDamage1(p), 0);

    list.Clear();
    EXPECT_EQ(list.GetDataCount(), 0);
    EXPECT_EQ(list.GetDamage1(Box(2, 2, 1, 1)), 0);
    EXPECT_EQ(list.Add(p, 1), 0);
    EXPECT_EQ(list.GetDataCount(), 1);
}

TEST(Q7PosList, DamageSumsEveryOverlappingEntry) {
    CQ7PosList list;
    list.Add(Box(0, 0, 10, 10), 13);    // laser segment
    list.Add(Box(10, 0, 10, 10), 13);   // laser segment, touching the target's edge
    list.Add(Box(5, 5, 3, 3), 10);      // option
    list.Add(Box(40, 40, 10, 10), 99);  // elsewhere
    CQ7Pos target = Box(6, 6, 5, 5);    // x 6..10
    EXPECT_EQ(list.GetDamage(target), 36);
    EXPECT_EQ(list.GetDamage1(target), 1);
    EXPECT_EQ(list.GetDamage(Box(30, 30, 5, 5)), 0);
    EXPECT_EQ(list.GetDamage1(Box(30, 30, 5, 5)), 0);

    EXPECT_EQ(list.GetClipIn(Box(41, 41, 9, 9)), VB_TRUE);
    EXPECT_EQ(list.GetClipIn(Box(41, 41, 10, 9)), VB_FALSE);
}

TEST(Q7PosList, TargetIsTheNearestEntryFirstAddedWinsTies) {
    CQ7PosList list;
    list.Add(Box(100, 0, 1, 1), 1);   // 100 px to the right of the origin below
    list.Add(Box(0, 50, 1, 1), 1);    // 50 px below
    list.Add(Box(-50, 0, 1, 1), 1);   // 50 px to the left: as near, added later
    CQ7Pos origin = Box(0, 0, 1, 1);
    std::int32_t length = 0;
    EXPECT_EQ(list.GetTarget16(origin, length), 4);
    EXPECT_EQ(length, 2500);
    EXPECT_EQ(list.GetTarget8(origin, length), 2);
}

TEST(Q7PosList, TargetsAThousandPixelsAwayAreNeverChosen) {
    CQ7Pos origin = Box(0, 0, 1, 1);
    std::int32_t length = 0;
    CQ7PosList far;
    far.Add(Box(0, -1000, 1, 1), 1);
    EXPECT_EQ(far.GetTarget16(origin, length), -1);
    EXPECT_EQ(length, 1000000);
    CQ7PosList near;
    near.Add(Box(0, -999, 1, 1), 1);
    EXPECT_EQ(near.GetTarget16(origin, length), 12);
    EXPECT_EQ(length, 998001);
}

TEST(Q7PosList, QueriesMeasureFromTheCopiedCentre) {
    // A centre-keeping 2x2 box moved to (100, 100) stores centre 100 but its
    // copy measures from Left + W\2 = 99.
    CQ7Pos pos;
    pos.ReSize(2, 2);
    pos.Move(100, 100);
    ASSERT_EQ(pos.CenterY(), 100);
    CQ7PosList list;
    list.Add(Box(99, 150, 1, 1), 1);
    std::int32_t length = 0;
    EXPECT_EQ(list.GetTarget16(pos, length), 4);
    EXPECT_EQ(length, 51 * 51);
}

TEST(Q7PosList, AFullListDropsFurtherBoxes) {
    CQ7PosList list;
    for (int i = 0; i < CQ7PosList::kCapacity; ++i) ASSERT_EQ(list.Add(Box(i, 0, 1, 1), 1), i);
    EXPECT_EQ(list.Add(Box(0, 300, 1, 1), 5), -1);
    EXPECT_EQ(list.GetDataCount(), CQ7PosList::kCapacity);
    EXPECT_EQ(list.GetDamage1(Box(0, 300, 1, 1)), 0);
    EXPECT_EQ(list.GetDamage(Box(500, 0, 1, 1)), 1);  // the last kept entry is intact
    list.Clear();
    EXPECT_EQ(list.Add(Box(0, 300, 1, 1), 5), 0);
}

#include "core/q7_pos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <tuple>

namespace {

CQ7Pos Rect(VBool centre_base, int w, int h) {
    CQ7Pos p;
    p.SetCenter_Base(centre_base);
    p.ReSize(w, h);
    return p;
}

// A rectangle whose centre sits at (x, y), whatever its size.
CQ7Pos At(int x, int y) {
    CQ7Pos p;
    p.SetCenter_Base(VB_TRUE);
    p.Move(x, y);
    return p;
}

}  // namespace

TEST(Q7Pos, NewRectangle) {
    CQ7Pos p;
    EXPECT_EQ(p.Left(), 0);
    EXPECT_EQ(p.Top(), 0);
    EXPECT_EQ(p.Width(), 1);
    EXPECT_EQ(p.Height(), 1);
    EXPECT_EQ(p.Right(), 0);
    EXPECT_EQ(p.Bottom(), 0);
    EXPECT_EQ(p.CenterX(), 1);
    EXPECT_EQ(p.CenterY(), 1);
    EXPECT_EQ(p.Center_Base(), VB_TRUE);
}

// Each setter has its own rule; the off-by-one differences between them are
// what sprites and spawn points are placed with.
TEST(Q7Pos, SetterRulesPerAxis) {
    struct Case {
        const char* what;
        VBool centre_base;
        int size;  // width and height before the operation
        std::function<void(CQ7Pos&)> x_op, y_op;
        int start, centre, end, size_after;
    };
    auto moveX = [](int v) { return [v](CQ7Pos& p) { p.Move(v, 7); }; };
    auto moveY = [](int v) { return [v](CQ7Pos& p) { p.Move(7, v); }; };
    const Case cases[] = {
        {"Move centre-keeping", VB_TRUE, 16, moveX(100), moveY(100), 91, 100, 106, 16},
        {"Move corner-keeping", VB_FALSE, 16, moveX(100), moveY(100), 100, 108, 115, 16},
        {"Move 1 px centre-keeping", VB_TRUE, 1, moveX(50), moveY(50), 50, 50, 50, 1},
        {"Move 1 px corner-keeping", VB_FALSE, 1, moveX(50), moveY(50), 50, 50, 50, 1},
        {"Move odd width", VB_TRUE, 5, moveX(10), moveY(10), 7, 10, 11, 5},
        {"Centre set, W 16", VB_FALSE, 16, [](CQ7Pos& p) { p.SetCenterX(100); },
         [](CQ7Pos& p) { p.SetCenterY(100); }, 91, 100, 106, 16},
        {"Centre set, W 1", VB_TRUE, 1, [](CQ7Pos& p) { p.SetCenterX(100); },
         [](CQ7Pos& p) { p.SetCenterY(100); }, 100, 100, 100, 1},
        {"Start set", VB_TRUE, 16, [](CQ7Pos& p) { p.SetLeft(100); }, [](CQ7Pos& p) { p.SetTop(100); },
         100, 108, 115, 16},
        {"End set, W 16", VB_TRUE, 16, [](CQ7Pos& p) { p.SetRight(115); },
         [](CQ7Pos& p) { p.SetBottom(115); }, 100, 108, 115, 16},
        {"End set, W 5", VB_FALSE, 5, [](CQ7Pos& p) { p.SetRight(20); },
         [](CQ7Pos& p) { p.SetBottom(20); }, 16, 19, 20, 5},
        {"End set, W 1", VB_FALSE, 1, [](CQ7Pos& p) { p.SetRight(20); },
         [](CQ7Pos& p) { p.SetBottom(20); }, 20, 20, 20, 1},
        // After Left 100 on a 1-pixel rectangle the centre is 100 as well.
        {"Size 16 corner-keeping", VB_FALSE, 1,
         [](CQ7Pos& p) { p.SetLeft(100); p.SetWidth(16); },
         [](CQ7Pos& p) { p.SetTop(100); p.SetHeight(16); }, 100, 109, 115, 16},
        {"Size 16 centre-keeping", VB_TRUE, 1,
         [](CQ7Pos& p) { p.SetCenterX(100); p.SetWidth(16); },
         [](CQ7Pos& p) { p.SetCenterY(100); p.SetHeight(16); }, 91, 100, 106, 16},
        {"Size 1 centre-keeping", VB_TRUE, 16, [](CQ7Pos& p) { p.SetCenterX(60); p.SetWidth(1); },
         [](CQ7Pos& p) { p.SetCenterY(60); p.SetHeight(1); }, 60, 60, 60, 1},
        {"Size 1 corner-keeping", VB_FALSE, 16, [](CQ7Pos& p) { p.SetLeft(60); p.SetWidth(1); },
         [](CQ7Pos& p) { p.SetTop(60); p.SetHeight(1); }, 60, 60, 60, 1},
        {"Size 0 ignored", VB_FALSE, 16, [](CQ7Pos& p) { p.SetLeft(60); p.SetWidth(0); },
         [](CQ7Pos& p) { p.SetTop(60); p.SetHeight(0); }, 60, 68, 75, 16},
        {"Size -3 ignored", VB_FALSE, 16, [](CQ7Pos& p) { p.SetLeft(60); p.SetWidth(-3); },
         [](CQ7Pos& p) { p.SetTop(60); p.SetHeight(-3); }, 60, 68, 75, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CQ7Pos x = Rect(c.centre_base, c.size, c.size);
        c.x_op(x);
        EXPECT_EQ(x.Left(), c.start);
        EXPECT_EQ(x.CenterX(), c.centre);
        EXPECT_EQ(x.Right(), c.end);
        EXPECT_EQ(x.Width(), c.size_after);

        CQ7Pos y = Rect(c.centre_base, c.size, c.size);
        c.y_op(y);
        EXPECT_EQ(y.Top(), c.start);
        EXPECT_EQ(y.CenterY(), c.centre);
        EXPECT_EQ(y.Bottom(), c.end);
        EXPECT_EQ(y.Height(), c.size_after);
    }
}

TEST(Q7Pos, OnlyExactTrueKeepsTheCentre) {
    for (int flag : {1, 2, -2, 0}) {
        SCOPED_TRACE(flag);
        CQ7Pos p = Rect(VB_FALSE, 16, 16);
        p.SetCenter_Base(flag);
        p.Move(100, 100);
        EXPECT_EQ(p.Left(), 100);
        EXPECT_EQ(p.Center_Base(), flag);
    }
    CQ7Pos p = Rect(VB_FALSE, 16, 16);
    p.SetCenter_Base(-1);
    p.Move(100, 100);
    EXPECT_EQ(p.Left(), 91);
}

TEST(Q7Pos, ReSizeKeepsCentreOrCorner) {
    CQ7Pos c = Rect(VB_TRUE, 1, 1);
    c.Move(100, 50);
    c.ReSize(16, 9);
    EXPECT_EQ(c.Left(), 91);
    EXPECT_EQ(c.CenterX(), 100);
    EXPECT_EQ(c.Top(), 45);
    EXPECT_EQ(c.CenterY(), 50);

    CQ7Pos k = Rect(VB_FALSE, 1, 1);
    k.Move(100, 50);
    k.ReSize(16, 9);
    EXPECT_EQ(k.Left(), 100);
    EXPECT_EQ(k.CenterX(), 109);
    EXPECT_EQ(k.Top(), 50);
    EXPECT_EQ(k.CenterY(), 55);

    // Either size below 1 leaves both untouched.
    for (auto [w, h] : {std::pair{5, 0}, std::pair{0, 5}, std::pair{-1, 3}}) {
        CQ7Pos p = k;
        p.ReSize(w, h);
        EXPECT_EQ(p.Width(), 16);
        EXPECT_EQ(p.Height(), 9);
        EXPECT_EQ(p.Left(), 100);
        EXPECT_EQ(p.CenterX(), 109);
    }
}

TEST(Q7Pos, CopyLeavesWhatTheSettersWould) {
    CQ7Pos src = Rect(VB_TRUE, 16, 10);
    src.Move(100, 50);  // Left 91, CenterX 100; Top 44, CenterY 50
    CQ7Pos dest = Rect(VB_FALSE, 3, 3);
    dest.Move(-40, -40);
    src.Copy(dest);
    EXPECT_EQ(dest.Center_Base(), VB_TRUE);
    EXPECT_EQ(dest.Left(), 91);
    EXPECT_EQ(dest.Top(), 44);
    EXPECT_EQ(dest.Width(), 16);
    EXPECT_EQ(dest.Height(), 10);
    // The copy's centre comes from the Left/Top rule: one less than the source's.
    EXPECT_EQ(dest.CenterX(), 99);
    EXPECT_EQ(dest.CenterY(), 49);
    EXPECT_EQ(dest.Equal(src), VB_TRUE);

    // Whatever the sizes and modes, the copy is what the setters leave.
    for (VBool mode : {VB_TRUE, VB_FALSE})
        for (int w : {1, 2, 7, 16})
            for (int h : {1, 3, 10}) {
                CQ7Pos from = Rect(mode, w, h);
                from.Move(-5 + w, 33 - h);
                CQ7Pos copied = Rect(VB_TRUE, 9, 9), set = copied;
                from.Copy(copied);
                set.SetCenter_Base(from.Center_Base());
                set.SetWidth(from.Width());
                set.SetHeight(from.Height());
                set.SetLeft(from.Left());
                set.SetTop(from.Top());
                EXPECT_EQ(std::make_tuple(copied.Left(), copied.Top(), copied.Width(), copied.Height(), copied.CenterX(),
                                          copied.CenterY(), copied.Center_Base()),
                          std::make_tuple(set.Left(), set.Top(), set.Width(), set.Height(), set.CenterX(),
                                          set.CenterY(), set.Center_Base()))
                    << "mode " << mode << " size " << w << "x" << h;
            }
}

TEST(Q7Pos, EqualComparesCornerAndSizeOnly) {
    CQ7Pos a = Rect(VB_FALSE, 4, 4);
    a.Move(10, 10);
    CQ7Pos b = Rect(VB_TRUE, 4, 4);
    b.SetCenterX(13);  // corner 10, 10 as well, but the centre is stored one further
    b.SetCenterY(13);
    ASSERT_EQ(b.Left(), 10);
    ASSERT_NE(a.CenterX(), b.CenterX());
    EXPECT_EQ(a.Equal(b), VB_TRUE);
    b.ReSize(4, 5);
    EXPECT_EQ(a.Equal(b), VB_FALSE);
}

TEST(Q7Pos, Overlap) {
    // a covers x 10..19, y 10..19.
    CQ7Pos a = Rect(VB_FALSE, 10, 10);
    a.Move(10, 10);
    struct Case {
        int left, top, w, h;
        VBool on, in;
    } const cases[] = {
        {20, 10, 5, 5, VB_FALSE, VB_FALSE},  // Left = a.Right + 1
        {19, 10, 5, 5, VB_TRUE, VB_FALSE},   // shares column 19
        {5, 19, 5, 5, VB_FALSE, VB_FALSE},   // columns 5..9 end before column 10
        {6, 19, 5, 5, VB_TRUE, VB_FALSE},    // shares pixel (10, 19)
        {10, 10, 10, 10, VB_TRUE, VB_TRUE},  // identical: inside, edges inclusive
        {12, 12, 3, 3, VB_TRUE, VB_TRUE},
        {12, 12, 9, 3, VB_TRUE, VB_FALSE},   // sticks out by one column
        {0, 0, 40, 40, VB_TRUE, VB_FALSE},   // a inside it
        {10, 0, 1, 10, VB_FALSE, VB_FALSE},  // just above
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.w << "x" << c.h);
        CQ7Pos b = Rect(VB_FALSE, c.w, c.h);
        b.Move(c.left, c.top);
        EXPECT_EQ(a.GetClipOn(b), c.on);
        EXPECT_EQ(b.GetClipOn(a), c.on);
        EXPECT_EQ(a.GetClipIn(b), c.in);
    }
}

TEST(Q7Pos, Intersection) {
    CQ7Pos a = Rect(VB_FALSE, 10, 10);
    a.Move(10, 10);
    CQ7Pos b = Rect(VB_FALSE, 10, 10);
    b.Move(19, 19);  // shares only the pixel (19, 19)
    CQ7Pos out = Rect(VB_FALSE, 7, 7);
    ASSERT_EQ(a.GetClip(out, b), VB_TRUE);
    EXPECT_EQ(out.Left(), 19);
    EXPECT_EQ(out.Top(), 19);
    EXPECT_EQ(out.Width(), 1);
    EXPECT_EQ(out.Height(), 1);

    b.Move(15, 4);  // x 15..24, y 4..13
    ASSERT_EQ(a.GetClip(out, b), VB_TRUE);
    EXPECT_EQ(out.Left(), 15);
    EXPECT_EQ(out.Top(), 10);
    EXPECT_EQ(out.Right(), 19);
    EXPECT_EQ(out.Bottom(), 13);

    // No overlap: out keeps what it had.
    b.Move(20, 10);
    CQ7Pos before = out;
    EXPECT_EQ(a.GetClip(out, b), VB_FALSE);
    EXPECT_EQ(out.Equal(before), VB_TRUE);
    EXPECT_EQ(out.CenterX(), before.CenterX());
}

TEST(Q7Pos, Distances) {
    CQ7Pos a = At(10, 10);
    EXPECT_EQ(a.Length2(At(13, 14)), 25);
    EXPECT_DOUBLE_EQ(a.Length(At(13, 14)), 5.0);
    EXPECT_EQ(a.Length2(At(10, 1010)), 1000000);
    EXPECT_DOUBLE_EQ(a.Length(At(11, 11)), std::sqrt(2.0));
}

TEST(Q7Pos, Directions) {
    struct Case {
        int dx, dy, k8, k16, k32, k64, k128, k256, k360;
    } const cases[] = {
        {0, -5, 6, 12, 24, 48, 96, 192, 270},  // straight up
        {0, 5, 2, 4, 8, 16, 32, 64, 90},       // straight down
        {0, 0, 2, 4, 8, 16, 32, 64, 90},       // same centre counts as below
        {5, 0, 0, 0, 0, 0, 0, 0, 0},           // right
        {-1, 0, 4, 8, 16, 32, 64, 128, 180},   // left
        {3, 3, 1, 2, 4, 8, 16, 32, 45},
        {-3, -3, 5, 10, 20, 40, 80, 160, 225},
        {1, -1, 7, 14, 28, 56, 112, 224, 315},
        // atan * 180 / 3.14159 is 37.50002 here; full-precision pi would give 37.
        {202, 155, 1, 2, 3, 7, 13, 27, 38},
        {-202, -155, 5, 10, 19, 39, 77, 155, 218},
    };
    CQ7Pos origin = At(100, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        CQ7Pos t = At(100 + c.dx, 100 + c.dy);
        EXPECT_EQ(origin.KAKUDO8(t), c.k8);
        EXPECT_EQ(origin.KAKUDO16(t), c.k16);
        EXPECT_EQ(origin.KAKUDO32(t), c.k32);
        EXPECT_EQ(origin.KAKUDO64(t), c.k64);
        EXPECT_EQ(origin.KAKUDO128(t), c.k128);
        EXPECT_EQ(origin.KAKUDO256(t), c.k256);
        EXPECT_EQ(origin.KAKUDO(t), c.k360);
    }
}

TEST(Q7Pos, DirectionInDegrees) {
    CQ7Pos o = At(0, 0);
    double up_right = o.GetKAKUDO(At(1, -1));
    EXPECT_LT(up_right, 315.0);
    EXPECT_NEAR(up_right, 314.99996, 0.000005);
    EXPECT_DOUBLE_EQ(o.GetKAKUDO(At(0, -3)), 270.0);
    EXPECT_DOUBLE_EQ(o.GetKAKUDO(At(0, 0)), 90.0);
    EXPECT_DOUBLE_EQ(o.GetKAKUDO(At(4, 0)), 0.0);
    EXPECT_DOUBLE_EQ(o.GetKAKUDO(At(-4, 0)), 180.0);
    EXPECT_NEAR(o.GetKAKUDO(At(-1, 1)), 134.99996, 0.000005);
}

TEST(Q7Pos, SineAndCosine) {
    const double k = 3.141592 / 180;
    struct Case {
        double angle, sin, cos;
    } const cases[] = {
        {0, 0, 1},
        {90, 1, 0},
        {180, 0, -1},
        {270, -1, 0},
        {360, 0, 1},
        {-90, -1, 0},
        {720, 0, 1},
        {-360, 0, 1},
        {450, 1, 0},
        {30, std::sin(30 * k), std::sin(60 * k)},
        {135, std::sin(135 * k), -std::sin(45 * k)},
        {210, -std::sin(30 * k), -std::sin(60 * k)},
        {300, -std::sin(120 * k), std::sin(30 * k)},
        {-60, -std::sin(120 * k), std::sin(30 * k)},
        {360e6 + 30, std::sin(30 * k), std::sin(60 * k)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        EXPECT_EQ(CQ7Pos::GetSin(c.angle), c.sin);
        EXPECT_EQ(CQ7Pos::GetCos(c.angle), c.cos);
    }
    EXPECT_NE(CQ7Pos::GetSin(30), 0.5);
    EXPECT_TRUE(std::isnan(CQ7Pos::GetSin(INFINITY)));
}

#include <gtest/gtest.h>

#include <limits>

#include "core/q7_pos.h"
#include "gfx/q7_spritedata.h"

namespace {

CQ7Pos Rect(std::int32_t left, std::int32_t top, std::int32_t w, std::int32_t h) {
    CQ7Pos p;
    p.SetCenter_Base(0);
    p.ReSize(w, h);
    p.SetLeft(left);
    p.SetTop(top);
    return p;
}

TEST(Spritedata, SetUPSizesAndRefusals) {
    struct Case {
        std::int32_t w, h;
        bool ok;
        std::int32_t pixels, longs;
    };
    const Case cases[] = {
        {3, 3, true, 9, 3},       {16, 16, true, 256, 64},   {5, 1, true, 5, 2},
        {320, 240, true, 76800, 19200},
        {0, 5, false, 0, 0},      {5, 0, false, 0, 0},       {-1, 3, false, 0, 0},
        {3, -7, false, 0, 0},     {100000, 100000, false, 0, 0},
        {std::numeric_limits<std::int32_t>::max(), 2, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        CQ7Spritedata dt;
        EXPECT_EQ(dt.SetUP(c.w, c.h), c.ok);
        EXPECT_EQ(dt.GetPixelCount(), c.pixels);
        EXPECT_EQ(dt.GetLongCount(), c.longs);
        EXPECT_EQ(dt.GetByteCount(), 4 * c.longs);
        EXPECT_EQ(dt.IsSet(), c.ok);
    }
    // A refused size keeps the image it had.
    CQ7Spritedata dt;
    ASSERT_TRUE(dt.SetUP(4, 2));
    dt.SetPixelData(1, 1, 9);
    EXPECT_FALSE(dt.SetUP(0, 0));
    EXPECT_EQ(dt.Width(), 4);
    EXPECT_EQ(dt.GetPixelData(1, 1), 9);
    // A new size starts from zeros.
    ASSERT_TRUE(dt.SetUP(4, 2));
    EXPECT_EQ(dt.GetPixelData(1, 1), 0);
    EXPECT_EQ(dt.GetMaskData(1), 0u);
}

TEST(Spritedata, PixelAndMaskBytes) {
    CQ7Spritedata dt;
    ASSERT_TRUE(dt.SetUP(5, 3));
    dt.SetPixelData(0, 0, 255);
    dt.SetPixelData(1, 0, 7);
    dt.SetPixelData(2, 0, -1);   // low byte 255
    dt.SetPixelData(3, 0, 300);  // low byte 44
    EXPECT_EQ(dt.GetPixelData(2, 0), 255);
    EXPECT_EQ(dt.GetPixelData(3, 0), 44);
    EXPECT_EQ(dt.GetMaskData(0), 0xFF00FF00u);

    // Word 1 of a 5-wide image holds (4,0), (0,1), (1,1), (2,1).
    dt.SetPixelData(4, 0, 0x11);
    dt.SetPixelData(0, 1, 0x22);
    dt.SetPixelData(1, 1, 0x33);
    dt.SetPixelData(2, 1, 0x44);
    EXPECT_EQ(dt.GetLongData(1), 0x44332211u);

    // Raw words leave the mask alone until it is rebuilt; ALL_Paint makes
    // everything opaque while the pixels keep 255.
    CQ7Spritedata w;
    ASSERT_TRUE(w.SetUP(4, 2));
    w.SetLongData(1, 0x01020304);
    w.MaskReMake();
    w.SetLongData(0, 0xFFFFFFFF);
    EXPECT_EQ(w.GetMaskData(0), 0xFFFFFFFFu);
    w.MaskReMake();
    EXPECT_EQ(w.GetMaskData(0), 0u);
    EXPECT_EQ(w.GetMaskData(1), 0xFFFFFFFFu);
    w.ALL_Paint();
    EXPECT_EQ(w.GetMaskData(0), 0xFFFFFFFFu);
    EXPECT_EQ(w.GetPixelData(0, 0), 255);
}

TEST(Spritedata, AccessOutsideTheImageIsHarmless) {
    CQ7Spritedata dt;
    ASSERT_TRUE(dt.SetUP(3, 3));  // 9 pixels, words 0..2 plus the spare word 3
    const std::int32_t outside[][2] = {{-1, 0}, {0, -1}, {3, 0}, {0, 3}, {1 << 30, 1 << 30}};
    for (auto [x, y] : outside) {
        dt.SetPixelData(x, y, 5);
        EXPECT_EQ(dt.GetPixelData(x, y), 0);
        EXPECT_EQ(dt.GetPtr(x, y), nullptr);
        EXPECT_EQ(dt.GetMaskPtr(x, y), nullptr);
    }
    dt.SetLongData(3, 0xABCD);
    EXPECT_EQ(dt.GetLongData(3), 0xABCDu);
    dt.SetLongData(4, 1);
    dt.SetLongData(-1, 1);
    EXPECT_EQ(dt.GetLongData(4), 0u);
    EXPECT_EQ(dt.GetMaskData(-1), 0u);
    EXPECT_EQ(dt.GetPtr(2, 2) - dt.GetPtr(0, 0), 8);

    CQ7Spritedata unset;
    unset.ALL_Paint();
    unset.MaskReMake();
    EXPECT_EQ(unset.GetLongData(0), 0u);
}

TEST(Spritedata, RectangleMovesPackAndRestore) {
    for (auto* b : {&SpriteBuffer1, &SpriteBuffer2, &SpriteBuffer3}) b->assign(76801, 0);
    CQ7Spritedata dt;
    ASSERT_TRUE(dt.SetUP(7, 5));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) dt.SetPixelData(x, y, y * 16 + x);
    const CQ7Pos where = Rect(100, 50, 7, 5);

    // The whole image packs byte for byte and comes back unchanged.
    ASSERT_TRUE(dt.SetSpriteBuffer1(where, where));
    const auto* packed = reinterpret_cast<const std::uint8_t*>(SpriteBuffer1.data());
    for (int i = 0; i < 35; ++i) ASSERT_EQ(packed[i], (i / 7) * 16 + i % 7);
    CQ7Spritedata copy;
    ASSERT_TRUE(copy.SetUP(7, 5));
    ASSERT_TRUE(copy.GetSpriteBuffer1(where, where));
    for (int i = 0; i < 9; ++i) ASSERT_EQ(copy.GetLongData(i), dt.GetLongData(i));

    // A piece packs at its own width; the mask goes to buffer 3.
    const CQ7Pos piece = Rect(102, 51, 3, 2);
    ASSERT_TRUE(dt.SetSpriteBuffer2(piece, where));
    const auto* p2 = reinterpret_cast<const std::uint8_t*>(SpriteBuffer2.data());
    const std::uint8_t expected[] = {0x12, 0x13, 0x14, 0x22, 0x23, 0x24};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(p2[i], expected[i]);
    dt.SetPixelData(3, 2, 255);
    ASSERT_TRUE(dt.SetSpriteBuffer3(piece, where));
    const auto* p3 = reinterpret_cast<const std::uint8_t*>(SpriteBuffer3.data());
    EXPECT_EQ(p3[3], 0xFF);
    EXPECT_EQ(p3[4], 0x00);

    // Rectangles reaching outside the image are refused.
    const CQ7Pos bad[] = {Rect(99, 50, 3, 2), Rect(105, 50, 3, 2), Rect(100, 49, 3, 2), Rect(100, 54, 3, 2),
                          Rect(100, 50, 8, 5)};
    for (const CQ7Pos& r : bad) {
        EXPECT_FALSE(dt.SetSpriteBuffer1(r, where));
        EXPECT_FALSE(dt.GetSpriteBuffer1(r, where));
    }
    // So is a rectangle the scratch buffer cannot hold.
    CQ7Spritedata big;
    ASSERT_TRUE(big.SetUP(700, 480));
    const CQ7Pos all = Rect(0, 0, 700, 480);
    EXPECT_FALSE(big.SetSpriteBuffer1(all, all));
}

}  // namespace

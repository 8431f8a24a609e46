#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx/gfx_test_util.h"
#include "gfx/q7_palette256.h"
#include "gfx/q7_sprite256.h"

namespace {

using Mode = CQ7Sprite256::DrawMode;

// A sprite of w x h at (left, top), corner-based, filled with a pattern of
// which about a third is transparent.
CQ7Sprite256 MakeSprite(std::int32_t w, std::int32_t h, std::int32_t left, std::int32_t top, std::uint32_t seed) {
    CQ7Sprite256 s;
    EXPECT_TRUE(s.SetUP(w, h, 0));
    std::uint32_t r = seed;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) {
            r = r * 1103515245u + 12345u;
            const std::uint32_t v = (r >> 16) % 300;
            s.DT.SetPixelData(x, y, v >= 200 ? 255 : static_cast<std::int32_t>(v));
        }
    s.Pos.SetLeft(left);
    s.Pos.SetTop(top);
    return s;
}

std::vector<std::uint8_t> Bytes(const CQ7Sprite256& s) {
    std::vector<std::uint8_t> out;
    for (std::int32_t y = 0; y < s.DT.Height(); ++y)
        for (std::int32_t x = 0; x < s.DT.Width(); ++x) out.push_back(static_cast<std::uint8_t>(s.DT.GetPixelData(x, y)));
    return out;
}

// What a draw must produce, worked out pixel by pixel.
std::vector<std::uint8_t> Expected(const CQ7Sprite256& spr, const CQ7Sprite256& target, Mode mode) {
    std::vector<std::uint8_t> out = Bytes(target);
    const auto* mask = reinterpret_cast<const std::uint8_t*>(spr.DT.MaskWords());
    for (std::int32_t y = 0; y < spr.DT.Height(); ++y)
        for (std::int32_t x = 0; x < spr.DT.Width(); ++x) {
            const std::int64_t tx = std::int64_t{spr.Pos.Left()} + x - target.Pos.Left();
            const std::int64_t ty = std::int64_t{spr.Pos.Top()} + y - target.Pos.Top();
            if (tx < 0 || ty < 0 || tx >= target.DT.Width() || ty >= target.DT.Height()) continue;
            std::uint8_t& d = out[ty * target.DT.Width() + tx];
            const auto s = static_cast<std::uint8_t>(spr.DT.GetPixelData(x, y));
            const std::uint8_t m = mask[y * spr.DT.Width() + x];
            d = mode == Mode::Blt ? (d | m) & s : mode == Mode::Paint ? s : d | m;
        }
    return out;
}

void Draw(CQ7Sprite256& spr, CQ7Sprite256& target, Mode mode) {
    if (mode == Mode::Blt) spr.SpriteBlt(target);
    else if (mode == Mode::Paint) spr.SpritePaint(target);
    else spr.SpriteFlash(target);
}

class SpriteDraw : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto* b : {&SpriteBuffer1, &SpriteBuffer2, &SpriteBuffer3}) b->assign(76801, 0);
    }
};

// Every traversal (full width, inside, covering, partial) and every clipping
// edge, against the pixel-by-pixel result.
TEST_F(SpriteDraw, AllPlacementsMatchPixelByPixelResult) {
    struct Target {
        std::int32_t w, h, left, top;
    };
    // Widths that are multiples of 4 take the in-place full-width path when
    // aligned; 17 and 21 cannot.
    const Target targets[] = {{64, 48, 0, 0}, {17, 9, 0, 0}, {40, 30, 10, 20}};
    const std::int32_t sizes[][2] = {{16, 16}, {3, 5},  {1, 1},  {21, 3},  {64, 10}, {64, 48},
                                     {70, 52}, {17, 4}, {17, 9}, {21, 13}, {40, 7},  {44, 30}};
    const Mode modes[] = {Mode::Blt, Mode::Paint, Mode::Flash};
    std::uint32_t seed = 1;
    for (const Target& t : targets) {
        for (auto [w, h] : sizes) {
            // Inside, each edge and corner hanging over, covering, just outside.
            const std::int32_t L = t.left, T = t.top, R = t.left + t.w, B = t.top + t.h;
            const std::int32_t places[][2] = {
                {L, T},         {L + 2, T + 1},     {L - w / 2, T + 1}, {R - w / 2, T},  {L + 1, T - h / 2},
                {L, B - h / 2}, {L, T - h / 2}, {L - 3, T - 2},     {R - w + 1, B - h + 1}, {R, T},      {L, B},
                {L - w, T},     {L, T - h},         {R - 1, B - 1},     {-1000000000, 5}, {5, 1000000000},
            };
            for (auto [x, y] : places) {
                for (Mode mode : modes) {
                    SCOPED_TRACE(testing::Message() << "target " << t.w << "x" << t.h << "@" << t.left << ","
                                                    << t.top << " sprite " << w << "x" << h << "@" << x << "," << y
                                                    << " mode " << static_cast<int>(mode));
                    CQ7Sprite256 target = MakeSprite(t.w, t.h, t.left, t.top, seed++);
                    CQ7Sprite256 spr = MakeSprite(w, h, x, y, seed++);
                    const auto expected = Expected(spr, target, mode);
                    Draw(spr, target, mode);
                    ASSERT_EQ(Bytes(target), expected);
                }
            }
        }
    }
}

TEST_F(SpriteDraw, HalfOffTheLeftEdgeDrawsItsRightHalf) {
    CQ7Sprite256 screen = MakeSprite(320, 240, 0, 0, 7);
    const auto before = Bytes(screen);
    CQ7Sprite256 spr = MakeSprite(16, 16, -8, 0, 8);
    spr.DT.ALL_Paint();
    spr.SpriteBlt(screen);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 8; ++x) ASSERT_EQ(screen.DT.GetPixelData(x, y), spr.DT.GetPixelData(x + 8, y));
        ASSERT_EQ(screen.DT.GetPixelData(8, y), before[y * 320 + 8]);
    }
    spr.Pos.SetLeft(320);
    CQ7Sprite256 untouched = MakeSprite(320, 240, 0, 0, 7);
    spr.SpritePaint(untouched);
    EXPECT_EQ(Bytes(untouched), before);
}

TEST_F(SpriteDraw, TransparentSpriteAndItsPaintedMask) {
    CQ7Sprite256 screen = MakeSprite(32, 8, 0, 0, 3);
    const auto before = Bytes(screen);
    CQ7Sprite256 clear;
    ASSERT_TRUE(clear.SetUP(8, 4, 0));
    clear.Pos.SetLeft(5);
    clear.Pos.SetTop(2);
    for (std::int32_t i = 0; i <= clear.DT.GetLongCount(); ++i) clear.DT.SetLongData(i, 0xFFFFFFFF);
    clear.MaskReMake();
    clear.SpriteBlt(screen);
    clear.SpriteFlash(screen);
    EXPECT_EQ(Bytes(screen), before);

    auto paint = [&](auto draw) {
        CQ7Sprite256 s = MakeSprite(32, 8, 0, 0, 3);
        draw(s);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 32; ++x) {
                const bool inside = x >= 5 && x < 13 && y >= 2 && y < 6;
                ASSERT_EQ(s.DT.GetPixelData(x, y), inside ? 255 : before[y * 32 + x]) << x << "," << y;
            }
    };
    paint([&](CQ7Sprite256& s) { clear.SpritePaint(s); });
    clear.DT.ALL_Paint();
    paint([&](CQ7Sprite256& s) { clear.SpriteFlash(s); });
    paint([&](CQ7Sprite256& s) { clear.SpriteBlt(s); });
}

TEST_F(SpriteDraw, MismatchedOrUnsetImagesDrawNothing) {
    CQ7Sprite256 screen = MakeSprite(64, 64, 0, 0, 11);
    const auto before = Bytes(screen);
    CQ7Sprite256 resized = MakeSprite(16, 16, 4, 4, 12);
    resized.Pos.ReSize(40, 40);  // the rectangle no longer matches the pixels
    CQ7Sprite256 unset;
    for (Mode mode : {Mode::Blt, Mode::Paint, Mode::Flash}) {
        Draw(resized, screen, mode);
        Draw(unset, screen, mode);
        CQ7Sprite256 spr = MakeSprite(8, 8, 0, 0, 13);
        Draw(spr, unset, mode);
    }
    EXPECT_EQ(Bytes(screen), before);
}

TEST_F(SpriteDraw, LargeSpritesDrawWhole) {
    CQ7Sprite256 target = MakeSprite(800, 600, 0, 0, 21);
    CQ7Sprite256 spr = MakeSprite(700, 500, 50, 150, 22);  // partial: 700 x 450 clipped
    const auto expected = Expected(spr, target, Mode::Blt);
    spr.SpriteBlt(target);
    EXPECT_EQ(Bytes(target), expected);
}

TEST(SpriteSetUP, CentreBasedSpriteIsCentredOnTheOrigin) {
    CQ7Sprite256 s;
    ASSERT_TRUE(s.SetUP(16, 10, VB_TRUE));
    EXPECT_EQ(s.Pos.CenterX(), 0);
    EXPECT_EQ(s.Pos.Left(), -9);
    EXPECT_EQ(s.Pos.Top(), -6);
    ASSERT_TRUE(s.SetUP(16, 10, 0));
    EXPECT_EQ(s.Pos.Left(), 0);
    EXPECT_EQ(s.Pos.Width(), 16);
    EXPECT_FALSE(s.SetUP(-16, 10, 0));
    EXPECT_EQ(s.Pos.Width(), 16);
}

TEST(SpriteSetUP, PictureThroughThePalette) {
    CQ7Palette256 saved = g_Palette;
    g_Palette.Clear();
    g_Palette.SetData(3, 0x0000FF);
    g_Palette.SetData(4, 0x00FF00);
    RgbImage pic{3, 2, {0x0000FF, 0x00FF00, 0xFFFFFF, 0, 0x00FF00, 0x0000FF}};
    CQ7Sprite256 s;
    ASSERT_TRUE(s.SetUP_2(pic, 0));
    EXPECT_EQ(s.Pos.Width(), 3);
    EXPECT_EQ(s.DT.GetLongData(0), 0x00FF0403u);
    EXPECT_EQ(s.DT.GetMaskData(0), 0xFF00FFFFu);  // white (255) is transparent

    // An unknown colour asks; No stops there with the rest left at zero.
    pic.pixels[1] = 0x00ABCD;
    MessageRecorder rec(MsgBoxResult::No);
    EXPECT_FALSE(s.SetUP_2(pic, 0));
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0].text, "Error ByteData -1\r\n\r\nABCD\r\n\r\nAPP END ?");
    EXPECT_EQ(rec.boxes[0].title, "Q7Sprite256");
    EXPECT_EQ(rec.boxes[0].style, MsgBoxStyle::YesNo);
    EXPECT_EQ(s.DT.GetPixelData(0, 0), 3);
    EXPECT_EQ(s.DT.GetPixelData(1, 0), 0);
    EXPECT_EQ(s.DT.GetPixelData(2, 0), 0);

    RgbImage short_pic{4, 4, {1, 2, 3}};
    EXPECT_FALSE(s.SetUP_2(short_pic, 0));
    EXPECT_EQ(s.Pos.Width(), 3);
    g_Palette = saved;
}

}  // namespace

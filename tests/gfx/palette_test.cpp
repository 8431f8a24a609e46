#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "core/resource_pack.h"
#include "gfx/q7_palette256.h"

namespace {

TEST(Palette, ColourConversions) {
    struct Case {
        std::int32_t colour;
        std::uint16_t rgb565;
        std::uint32_t rgb32;
    };
    const Case cases[] = {
        {0xFFFFFF, 0xFFFF, 0xFFFFFF},
        {0x0000FF, 0xF800, 0xFF0000},          // pure red
        {0x00FF00, 0x07E0, 0x00FF00},          // pure green
        {0x000004, 1 << 11, 0x040000},         // R = 4 rounds up to r5 = 1
        {0x000200, 1 << 5, 0x000200},          // G = 2 rounds up to g6 = 1
        {0x040000, 1, 0x000004},               // B = 4 rounds up to b5 = 1
        {0x0000F4, 31 << 11, 0xF40000},        // 244: r5 30 rounded to 31
        {0x0000FC, 31 << 11, 0xFC0000},        // already 31: no carry past the field
        {0x123456, (11 << 11) | (13 << 5) | 2, 0x563412},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colour);
        EXPECT_EQ(static_cast<std::uint16_t>(CQ7Palette256::ToColor16(c.colour)), c.rgb565);
        EXPECT_EQ(CQ7Palette256::ToColor32(c.colour), c.rgb32);
    }
    EXPECT_EQ(CQ7Palette256::ToColor16(0xFFFFFF), -1);  // stored as a negative 16-bit value
}

TEST(Palette, GetColor8FindsLowestIndexWithBlackAndWhiteFixed) {
    CQ7Palette256 pal;
    EXPECT_EQ(pal.GetColor8(1), 1);        // first placeholder entry
    EXPECT_EQ(pal.GetColor8(0x123456), -1);
    pal.SetData(7, 0);
    pal.SetData(8, 0xFFFFFF);
    pal.SetData(40, 0x123456);
    pal.SetData(20, 0x123456);
    EXPECT_EQ(pal.GetColor8(0), 0);
    EXPECT_EQ(pal.GetColor8(0xFFFFFF), 255);
    EXPECT_EQ(pal.GetColor8(0x123456), 20);
    pal.SetData(300, 77);  // only the low 8 bits of the index count
    EXPECT_EQ(pal.PalColor[44], 77);
    EXPECT_EQ(pal.GetColor32(300), 77);
    pal.Clear();
    EXPECT_EQ(pal.PalColor[0], 0);
    EXPECT_EQ(pal.PalColor[44], 1);
    EXPECT_EQ(pal.PalColor[255], 0xFFFFFF);
}

TEST(Palette, SetUpTextLoadsColoursAndStopsQuietlyOnBadText) {
    struct Case {
        const char* name;
        std::string text;
        std::int32_t start;
        std::vector<std::pair<int, std::int32_t>> stored;  // entries expected to change
    };
    const std::string good = "42428010/2/255/65280/";
    std::vector<Case> cases = {
        {"two colours", good, 10, {{10, 255}, {11, 65280}}},
        {"blanks and a fraction are read", "42428010/ 2.4/ 7 /8.5/", 3, {{3, 7}, {4, 8}}},
        {"count rounds to nearest", "42428010/1.6/5/6/", 3, {{3, 5}, {4, 6}}},
        {"count stops at its number", "42428010/1x/5/6/", 3, {{3, 5}}},
        {"twelve characters are too short", "42428010/1/5", 3, {}},
        {"count not numeric", "42428010/x/5/6/", 3, {}},
        {"count zero", "42428010/0/5/6/", 3, {}},
        {"count negative", "42428010/-2/5/6/", 3, {}},
        {"no slash after the count", "42428010/2555555", 3, {}},
        {"last field not closed", "42428010/2/255/65280", 10, {{10, 255}}},
        {"bad character in a colour", "42428010/3/255/6a/7/", 10, {{10, 255}}},
        {"empty colour field", "42428010/3/255//7/", 10, {{10, 255}}},
        {"colour beyond 32 bits", "42428010/2/255/99999999999/", 10, {{10, 255}}},
        {"count larger than the fields", "42428010/5/1/2/", 10, {{10, 1}, {11, 2}}},
        {"stops at the end of the palette", "42428010/3/1/2/3/", 254, {{254, 1}, {255, 2}}},
        {"start below the palette", "42428010/2/1/2/", -1, {}},
    };
    for (int pos = 0; pos < 8; ++pos) {
        std::string bad = good;
        bad[pos] = bad[pos] == '9' ? '8' : '9';
        cases.push_back({"tag differs", bad, 10, {}});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + (": " + c.text));
        CQ7Palette256 pal;
        std::array<std::int32_t, 256> expected;
        std::memcpy(expected.data(), pal.PalColor, sizeof pal.PalColor);
        for (auto [index, value] : c.stored) expected[index] = value;
        pal.SetUpText(c.text, c.start);
        for (int i = 0; i < 256; ++i) ASSERT_EQ(pal.PalColor[i], expected[i]) << "entry " << i;
    }
}

class PaletteTables : public ::testing::Test {
protected:
    void SetUp() override {
        saved_bits_ = ScreenColorBit;
        ScreenColorBit = 8;
        for (int i = 1; i < 255; ++i) pal.SetData(i, i * 0x010203);
    }
    void TearDown() override { ScreenColorBit = saved_bits_; }

    static std::array<std::uint32_t, 256> Tables32() {
        std::array<std::uint32_t, 256> t;
        std::memcpy(t.data(), PalColor32, sizeof PalColor32);
        return t;
    }
    static bool TablesEqual(const std::uint8_t* i8, const std::int16_t* c16, const std::uint32_t* c32) {
        return std::memcmp(i8, PalIndex8, 256) == 0 && std::memcmp(c16, PalColor16, 512) == 0 &&
               std::memcmp(c32, PalColor32, 1024) == 0;
    }

    CQ7Palette256 pal;
    std::int32_t saved_bits_ = 32;
};

TEST_F(PaletteTables, SetUPBuildsTablesAndCopies) {
    pal.SetUP();
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(PalIndex8[i], i);
        ASSERT_EQ(PalColor16[i], CQ7Palette256::ToColor16(pal.PalColor[i]));
        ASSERT_EQ(PalColor32[i], CQ7Palette256::ToColor32(pal.PalColor[i]));
    }
    EXPECT_TRUE(TablesEqual(pal.PalSave8, pal.PalSave16, pal.PalSave32));
}

TEST_F(PaletteTables, RollRotatesAndSixteenRollsRestore) {
    pal.SetUP();
    const auto before = Tables32();
    pal.Roll_UP(30, 16, -1);
    EXPECT_EQ(PalColor32[30], before[31]);
    EXPECT_EQ(PalColor32[44], before[45]);
    EXPECT_EQ(PalColor32[45], before[30]);
    EXPECT_EQ(PalIndex8[45], 30);
    EXPECT_EQ(PalColor32[29], before[29]);
    EXPECT_EQ(PalColor32[46], before[46]);
    for (int i = 1; i < 16; ++i) pal.Roll_UP(30, 16, -1);
    EXPECT_TRUE(TablesEqual(pal.PalSave8, pal.PalSave16, pal.PalSave32));

    pal.Roll_UP(100, 1, -1);
    EXPECT_TRUE(TablesEqual(pal.PalSave8, pal.PalSave16, pal.PalSave32));

    pal.Roll_UP(5, 4, -1);
    pal.Roll_UP(200, 33, -1);
    EXPECT_FALSE(TablesEqual(pal.PalSave8, pal.PalSave16, pal.PalSave32));
    pal.Roll_Reset();
    EXPECT_TRUE(TablesEqual(pal.PalSave8, pal.PalSave16, pal.PalSave32));
}

TEST_F(PaletteTables, RollWithFillValueShiftsInThatColour) {
    pal.SetData(60, 0x0000FF);
    pal.SetUP();
    const auto before = Tables32();
    pal.Roll_UP(10, 3, 0x0000FF);
    EXPECT_EQ(PalColor32[10], before[11]);
    EXPECT_EQ(PalColor32[11], before[12]);
    EXPECT_EQ(PalColor32[12], 0xFF0000u);
    EXPECT_EQ(static_cast<std::uint16_t>(PalColor16[12]), 0xF800);
    EXPECT_EQ(PalIndex8[12], 60);
    pal.Roll_UP(10, 3, 0x00ABCD);  // not in the palette: index 0
    EXPECT_EQ(PalIndex8[12], 0);
    EXPECT_EQ(PalColor32[12], 0xCDAB00u);
}

TEST_F(PaletteTables, RollOutsideTheTablesIsRefused) {
    pal.SetUP();
    const std::int32_t ranges[][2] = {{250, 10}, {-1, 5}, {5, 0}, {5, -3}, {0, 257}, {256, 1}};
    for (auto [start, count] : ranges) {
        pal.Roll_UP(start, count, -1);
        pal.Roll_UP(start, count, 0x123);
        EXPECT_TRUE(TablesEqual(pal.PalSave8, pal.PalSave16, pal.PalSave32)) << start << "," << count;
    }
}

TEST(PaletteText, ReadFromStringResources) {
    const auto pack = BuildResourcePack({{"STRING", "101", {'4', '2', '/', '1'}}, {"CUSTOM", "102", {1, 2}}});
    SetResourcePack(pack.data(), pack.size());
    EXPECT_EQ(GetPaletteText(101), "42/1");
    EXPECT_EQ(GetPaletteText(102), "");
    EXPECT_EQ(GetPaletteText(103), "");
    SetResourcePack(nullptr, 0);
}

}  // namespace

// The score check code: its layout, its round trip and what the reader refuses.
#include "game/ending/check_code.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/q7_angle.h"

namespace {

int Digit(char ch) { return ch - '0'; }

// Score 12345678 puts each digit's own position in it, so the shuffled order
// can be read straight off the code once the table digits are taken away.
TEST(CheckCode, HalvesCarryPositionsInClearThenTheScoreInTheirOrderThenASumDigit) {
    // 998 runs the table past its last entry (1000) back to entry 0.
    for (CheckPositions p : {CheckPositions{17, 640}, CheckPositions{998, 400}}) {
        const std::string code = MakeCheckCode(12345678, p);
        ASSERT_EQ(code.size(), 25u);
        ASSERT_EQ(code[12], '-');
        const int orders[2][8] = {{6, 3, 4, 8, 1, 5, 2, 7}, {2, 7, 6, 3, 8, 1, 5, 4}};
        for (int h = 0; h < 2; ++h) {
            const std::string half = code.substr(h == 0 ? 0 : 13, 12);
            const int position = h == 0 ? p.b : p.c;
            EXPECT_EQ(std::stoi(half.substr(0, 3)), position);
            int sum = 0;
            for (int k = 0; k < 11; ++k) sum += Digit(half[k]);
            EXPECT_EQ(Digit(half[11]), sum % 10) << code;
            for (int k = 0; k < 8; ++k) {
                const int mask = g_Angle.Rnd10((position + k) % 1001);
                EXPECT_EQ((Digit(half[3 + k]) - mask + 10) % 10, orders[h][k]) << "half " << h << " digit " << k + 4;
            }
        }
    }
}

TEST(CheckCode, ScoreDigitsKeepTheLastEight) {
    EXPECT_EQ(ScoreDigits(0), "00000000");
    EXPECT_EQ(ScoreDigits(9999999), "09999999");
    EXPECT_EQ(ScoreDigits(10000000), "10000000");
    EXPECT_EQ(ScoreDigits(123456789), "23456789");
}

TEST(CheckCode, EveryCodeReadsBackToItsScoreAndPositions) {
    const int scores[] = {0, 1, 9999999, 10000000, 12345678, 123456789, 2147483647};
    const std::uint64_t seeds[] = {0, 1, 42, 1234567890123ULL, ~0ULL};
    for (int score : scores)
        for (std::uint64_t seed : seeds) {
            const CheckPositions p = DrawCheckPositions(seed);
            const std::string code = MakeCheckCode(score, p);
            const CheckCodeReading r = ReadCheckCode(code);
            ASSERT_TRUE(r.valid) << code << ": " << r.error;
            EXPECT_EQ(r.digits, ScoreDigits(score));
            EXPECT_EQ(r.score, std::stoi(ScoreDigits(score)));
            EXPECT_EQ(r.positions.b, p.b);
            EXPECT_EQ(r.positions.c, p.c);
        }
    EXPECT_TRUE(ReadCheckCode("  " + MakeCheckCode(5, {0, 998}) + "\r\n").valid) << "blanks around a pasted code";
}

TEST(CheckCode, PositionsComeFromTheSeedAndStayApart) {
    EXPECT_EQ(DrawCheckPositions(99).b, DrawCheckPositions(99).b);
    EXPECT_EQ(DrawCheckPositions(99).c, DrawCheckPositions(99).c);
    bool differs = false;
    for (std::uint64_t seed = 0; seed < 2000; ++seed) {
        const CheckPositions p = DrawCheckPositions(seed);
        ASSERT_GE(p.b, 0);
        ASSERT_LE(p.b, 998);
        ASSERT_GE(p.c, 0);
        ASSERT_LE(p.c, 998);
        ASSERT_GE(std::abs(p.b - p.c), 200) << "seed " << seed;
        differs |= p.b != DrawCheckPositions(0).b;
    }
    EXPECT_TRUE(differs) << "the seed must matter";
}

TEST(CheckCode, AnyChangedDigitInEitherHalfIsRefused) {
    const std::string code = MakeCheckCode(31415926, {123, 777});
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '-') continue;
        for (int add = 1; add <= 9; ++add) {
            std::string tampered = code;
            tampered[i] = static_cast<char>('0' + (Digit(code[i]) + add) % 10);
            EXPECT_FALSE(ReadCheckCode(tampered).valid) << tampered;
        }
    }
}

TEST(CheckCode, TheReaderNamesWhatIsWrong) {
    // A half changed with its sum digit mended still disagrees with the other.
    std::string mended = MakeCheckCode(31415926, {123, 777});
    mended[5] = static_cast<char>('0' + (Digit(mended[5]) + 1) % 10);
    mended[11] = static_cast<char>('0' + (Digit(mended[11]) + 1) % 10);
    // Two positions only 100 apart: well formed, but not a code the game writes.
    const std::string close = MakeCheckCode(500, {300, 400});
    // Position 999 is never drawn.
    std::string high = MakeCheckCode(500, {300, 700});
    const std::string high_half = MakeCheckCode(500, {999, 700}).substr(0, 12);
    high.replace(0, 12, high_half);

    const struct {
        std::string code;
        const char* says;
    } cases[] = {
        {"", "12 digits, a dash and 12 digits"},
        {"12345678901-1234567890123", "12 digits, a dash and 12 digits"},
        {"1234567890ab-123456789012", "12 digits, a dash and 12 digits"},
        {"123456789012 123456789012", "12 digits, a dash and 12 digits"},
        {mended, "different scores"},
        {close, "less than 200 apart"},
        {high, "position 999"},
    };
    for (const auto& c : cases) {
        const CheckCodeReading r = ReadCheckCode(c.code);
        EXPECT_FALSE(r.valid) << c.code;
        EXPECT_NE(r.error.find(c.says), std::string::npos) << c.code << ": " << r.error;
    }
}

}  // namespace

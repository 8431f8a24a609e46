#include "platform/wave_file.h"

#include <gtest/gtest.h>

#include "platform/test_media.h"

using test_media::Wave;

TEST(WaveFile, ReadsMono16BitAsItIs) {
    EffectSound s;
    ASSERT_TRUE(ParseWave(Wave({0, 1000, -32768, 32767}), 44100, s));
    EXPECT_EQ(s.samples, (std::vector<std::int16_t>{0, 1000, -32768, 32767}));
}

TEST(WaveFile, MixesStereoDownAnd8BitUp) {
    EffectSound s;
    ASSERT_TRUE(ParseWave(Wave({1000, 3000, -2000, 0}, 44100, 2), 44100, s));
    EXPECT_EQ(s.samples, (std::vector<std::int16_t>{2000, -1000}));
    // 8-bit samples are unsigned around 128.
    ASSERT_TRUE(ParseWave(Wave({0x4000, -0x4000}, 44100, 1, 8), 44100, s));
    EXPECT_EQ(s.samples, (std::vector<std::int16_t>{0x4000, -0x4000}));
}

TEST(WaveFile, ResamplesToTheOutputRate) {
    EffectSound s;
    ASSERT_TRUE(ParseWave(Wave({0, 1000, 2000, 3000}, 22050), 44100, s));
    ASSERT_EQ(s.samples.size(), 8u);
    EXPECT_EQ(s.samples[1], 500);  // halfway between the first two
    EXPECT_EQ(s.samples[6], 3000);
}

TEST(WaveFile, SkipsOtherChunksIncludingOddSizedOnes) {
    // A 3-byte LIST chunk is followed by one pad byte.
    const std::vector<std::uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    EffectSound s;
    ASSERT_TRUE(ParseWave(Wave({7, 8}, 44100, 1, 16, list), 44100, s));
    EXPECT_EQ(s.samples, (std::vector<std::int16_t>{7, 8}));
}

TEST(WaveFile, RefusesBadData) {
    const std::vector<std::uint8_t> good = Wave({1, 2, 3, 4});
    auto with = [&](std::size_t at, std::uint8_t value) {
        auto v = good;
        v[at] = value;
        return v;
    };
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"not RIFF", with(0, 'X')},
        {"not WAVE", with(8, 'X')},
        {"compressed", with(20, 2)},                                   // format tag 2
        {"three channels", with(22, 3)},
        {"12-bit", with(34, 12)},
        {"data cut short", std::vector<std::uint8_t>(good.begin(), good.end() - 2)},
        {"header only", std::vector<std::uint8_t>(good.begin(), good.begin() + 20)},
        {"no data chunk", std::vector<std::uint8_t>(good.begin(), good.begin() + 36)},
    };
    for (const auto& c : cases) {
        EffectSound s;
        std::string error;
        EXPECT_FALSE(ParseWave(c.bytes, 44100, s, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

TEST(WaveFile, NeverReadsPastAnyTruncation) {
    const std::vector<std::uint8_t> good = Wave(std::vector<std::int16_t>(50, 5), 22050, 2);
    for (std::size_t n = 0; n < good.size(); ++n) {
        EffectSound s;
        ParseWave(std::span(good.data(), n), 44100, s);  // must not crash (sanitizer builds check the reads)
    }
}

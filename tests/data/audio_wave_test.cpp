// The embedded sound effects: RIFF PCM WAVE, 44 100 Hz, mono, 16-bit,
// 0.04 to 3.02 s, normalised without clipping, click-free at both ends, and
// the looping alarm (9) seamless.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/resource_pack.h"

namespace {

std::uint32_t U32(std::span<const std::uint8_t> d, std::size_t at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}
std::uint16_t U16(std::span<const std::uint8_t> d, std::size_t at) {
    return static_cast<std::uint16_t>(d[at] | d[at + 1] << 8);
}
std::string Tag(std::span<const std::uint8_t> d, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(d.data() + at), 4);
}

struct Wave {
    std::uint16_t format = 0, channels = 0, blockAlign = 0, bits = 0;
    std::uint32_t rate = 0, byteRate = 0;
    std::vector<std::int16_t> samples;
};

// Walks the chunks the way a player does; fails the test on a malformed file.
Wave ParseWave(std::span<const std::uint8_t> d) {
    Wave w;
    EXPECT_GE(d.size(), 44u);
    if (d.size() < 12) return w;
    EXPECT_EQ(Tag(d, 0), "RIFF");
    EXPECT_EQ(U32(d, 4), d.size() - 8);
    EXPECT_EQ(Tag(d, 8), "WAVE");
    bool sawFmt = false;
    for (std::size_t at = 12; at + 8 <= d.size();) {
        std::uint32_t size = U32(d, at + 4);
        EXPECT_LE(at + 8 + size, d.size()) << Tag(d, at) << " chunk runs past the end";
        if (at + 8 + size > d.size()) break;
        if (Tag(d, at) == "fmt ") {
            sawFmt = true;
            w.format = U16(d, at + 8);
            w.channels = U16(d, at + 10);
            w.rate = U32(d, at + 12);
            w.byteRate = U32(d, at + 16);
            w.blockAlign = U16(d, at + 20);
            w.bits = U16(d, at + 22);
        } else if (Tag(d, at) == "data") {
            EXPECT_TRUE(sawFmt) << "data before fmt";
            for (std::size_t i = 0; i + 1 < size; i += 2)
                w.samples.push_back(static_cast<std::int16_t>(U16(d, at + 8 + i)));
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

Wave LoadEffect(int id) {
    auto data = FindResource("WAVE", id);
    EXPECT_TRUE(data.has_value()) << "WAVE " << id << " missing";
    return data ? ParseWave(*data) : Wave{};
}

double Seconds(const Wave& w) { return static_cast<double>(w.samples.size()) / 44100; }

int Peak(const Wave& w) {
    int peak = 0;
    for (std::int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

// Bend of the waveform at sample i (its second difference), wrapping around.
int Bend(const std::vector<std::int16_t>& s, std::size_t i) {
    std::size_t n = s.size();
    return std::abs(s[(i + n - 1) % n] - 2 * s[i] + s[(i + 1) % n]);
}

TEST(AudioWave, EveryEffectHasThePlayersFormatAndLength) {
    for (int id = 1; id <= 13; ++id) {
        SCOPED_TRACE("WAVE " + std::to_string(id));
        Wave w = LoadEffect(id);
        EXPECT_EQ(w.format, 1);  // PCM
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.rate, 44100u);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.blockAlign, 2);
        EXPECT_EQ(w.byteRate, 88200u);
        EXPECT_GE(Seconds(w), 0.04);
        EXPECT_LE(Seconds(w), 3.02);
    }
}

TEST(AudioWave, LevelsAreNormalisedWithoutClippingOrClicks) {
    for (int id = 1; id <= 13; ++id) {
        SCOPED_TRACE("WAVE " + std::to_string(id));
        Wave w = LoadEffect(id);
        if (w.samples.empty()) continue;
        int peak = Peak(w);
        EXPECT_GE(peak, 32767 / 4) << "quieter than -12 dBFS";
        EXPECT_LT(peak, 32767) << "touches full scale";
        // Played from silence, an effect must start near zero; a one-shot must also end there.
        EXPECT_LT(std::abs(w.samples.front()), 600);
        if (id != 9) {
            EXPECT_LT(std::abs(w.samples.back()), 600);
        }
    }
}

TEST(AudioWave, AlarmLoopsWithoutASeam) {
    Wave w = LoadEffect(9);
    ASSERT_GT(w.samples.size(), 2u);
    // Around the wrap from the last sample to the first the waveform bends no
    // more than it does inside the sound, so looping it adds no click.
    int inside = 0;
    for (std::size_t i = 1; i + 1 < w.samples.size(); ++i) inside = std::max(inside, Bend(w.samples, i));
    EXPECT_LE(Bend(w.samples, 0), inside);
    EXPECT_LE(Bend(w.samples, w.samples.size() - 1), inside);
}

TEST(AudioWave, HitTickIsShortestAndBossExplosionLongest) {
    std::vector<double> length;
    for (int id = 1; id <= 13; ++id) length.push_back(Seconds(LoadEffect(id)));
    EXPECT_EQ(std::min_element(length.begin(), length.end()) - length.begin() + 1, 7);
    EXPECT_EQ(std::max_element(length.begin(), length.end()) - length.begin() + 1, 12);
    EXPECT_LE(length[7 - 1], 0.1);
}

}  // namespace

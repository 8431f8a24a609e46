// Music through the real synthesiser, rendered by the headless back-end.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/clock.h"
#include "core/resource_pack.h"
#include "platform/i_fluidsynth.h"
#include "platform/i_headless.h"
#include "platform/q7_directx7.h"
#include "platform/test_media.h"

using test_media::Midi;
using test_media::Track;

namespace {

// 240000 us per quarter: a quarter is 10584 frames.
constexpr int kQuarter = 10584;

// One sounding quarter (a square lead, short release) then three silent
// quarters; four bars of that.
std::vector<std::uint8_t> Pulse() {
    Track t;
    t.Tempo(0, 240000).Program(0, 0, 80);
    for (int bar = 0; bar < 4; ++bar) t.On(bar ? 96 * 3 : 0, 0, 69, 120).Off(96, 0, 69);
    t.End(96 * 3);
    return Midi(1, 96, {t});
}

const std::vector<std::uint8_t>& Pack() {
    static const std::vector<std::uint8_t> pack = BuildResourcePack({{"DMSEG", "1", Pulse()}});
    return pack;
}

class MusicRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kDefaultSoundFont)) GTEST_SKIP() << "no soundfont at " << kDefaultSoundFont;
        SetClock(&clock_);
        SetResourcePack(Pack().data(), Pack().size());
        hl_ = &g_DX7.UseHeadless();
        hl_->SetCaptureAudio(true);
        g_DX7.DS_SetUP(nullptr);
        g_DX7.DM_SetUP(nullptr, true);
        ASSERT_TRUE(g_DX7.DM_Enabled);
        ASSERT_TRUE(g_DX7.DM_LoadRes(1, "1"));
    }
    void TearDown() override {
        g_DX7.UseHeadless();
        SetClock(nullptr);
    }
    void Advance(std::int64_t frames) {
        clock_.AdvanceNs(frames * 1'000'000'000 / 44100);
        hl_->SyncAudio();
    }
    // Root mean square of the left channel over frames [from, to).
    double Rms(std::int64_t from, std::int64_t to) const {
        const auto& pcm = hl_->CapturedAudio();
        double sum = 0;
        for (std::int64_t i = from; i < to; ++i) sum += static_cast<double>(pcm[2 * i]) * pcm[2 * i];
        return std::sqrt(sum / static_cast<double>(to - from));
    }

    VirtualClock clock_;
    HeadlessBackend* hl_ = nullptr;
};

// Rendered "silence" carries dither; real notes are far louder.
constexpr double kSilence = 30.0;
constexpr double kSound = 500.0;

}  // namespace

TEST_F(MusicRenderTest, PlaysLoopsAndPausesWhereTheMusicTimeSays) {
    // Loop over the second bar (quarters 4..8) for ever.
    g_DX7.DM_SetLoop(1, 4 * 768, 8 * 768);
    g_DX7.DM_Play(1, -1);
    Advance(12 * kQuarter);
    EXPECT_GT(Rms(kQuarter / 10, kQuarter * 9 / 10), kSound);        // bar 1: the note
    EXPECT_LT(Rms(3 * kQuarter, 4 * kQuarter), kSilence);            // and its rest
    EXPECT_GT(Rms(4 * kQuarter + 500, 5 * kQuarter - 500), kSound);  // bar 2
    EXPECT_LT(Rms(7 * kQuarter, 8 * kQuarter), kSilence);
    EXPECT_GT(Rms(8 * kQuarter + 500, 9 * kQuarter - 500), kSound);  // bar 2 again, not bar 3
    EXPECT_EQ(g_DX7.DM_GetSeek(), 8 * 768);                          // 12 quarters in: 4 + 4 + 4

    // Pausing during the next note: the note stops, and the position comes back.
    Advance(kQuarter / 2);
    const int resume = g_DX7.DM_PauseIn();
    EXPECT_EQ(resume, 4 * 768 + 384);
    const std::int64_t paused_at = hl_->AudioFrames();
    Advance(4 * kQuarter);
    EXPECT_LT(Rms(paused_at + kQuarter, paused_at + 4 * kQuarter), kSilence);
    g_DX7.DM_PauseOut();
    EXPECT_EQ(g_DX7.DM_GetSeek(), resume);
    // The rest of that quarter stays quiet (notes are not restarted), then the loop goes on.
    const std::int64_t resumed_at = hl_->AudioFrames();
    Advance(4 * kQuarter);
    EXPECT_LT(Rms(resumed_at + kQuarter, resumed_at + kQuarter * 7 / 2), kSilence);
    EXPECT_GT(Rms(resumed_at + kQuarter * 7 / 2 + 500, resumed_at + 4 * kQuarter), kSound);
}

TEST_F(MusicRenderTest, WithoutTheSoundfontTheGamePlaysSilently) {
    hl_ = &g_DX7.UseHeadless();
    hl_->SetCaptureAudio(true);
    g_DX7.SetSoundFont("/nonexistent/none.sf2");
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, true);
    EXPECT_FALSE(g_DX7.DM_Enabled);
    EXPECT_TRUE(g_DX7.DS_Enabled);
    EXPECT_FALSE(g_DX7.DM_LoadRes(1, "1"));
    g_DX7.DM_Play(1, -1);  // a no-op, not the end of the program
    Advance(kQuarter);
    EXPECT_LT(Rms(0, kQuarter), 1.0);
}

TEST_F(MusicRenderTest, ResetSilencesAtOnceAndVolumeIsInHundredthsOfADecibel) {
    g_DX7.DM_Play(1, 0);
    Advance(kQuarter / 2);
    const double full = Rms(kQuarter / 4, kQuarter / 2);
    g_DX7.DM_GM_Reset();
    const std::int64_t at = hl_->AudioFrames();
    Advance(kQuarter / 4);
    EXPECT_LT(Rms(at + 256, at + kQuarter / 4), kSilence);

    g_DX7.DM_SetMasterVolume(-2000);  // a tenth of the amplitude
    g_DX7.DM_Play(1, 0);
    const std::int64_t start = hl_->AudioFrames();
    Advance(kQuarter / 2);
    const double quiet = Rms(start + kQuarter / 4, start + kQuarter / 2);
    EXPECT_NEAR(quiet / full, 0.1, 0.02);
}

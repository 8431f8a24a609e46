#include "platform/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::unique_ptr<EffectSound> Ramp(int n, int step) {
    auto s = std::make_unique<EffectSound>();
    for (int i = 0; i < n; ++i) s->samples.push_back(static_cast<std::int16_t>((i + 1) * step));
    return s;
}

std::vector<float> MixLeft(Mixer& m, int frames) {
    std::vector<float> l(frames, 0.0f), r(frames, 0.0f);
    m.Mix(l.data(), r.data(), frames);
    EXPECT_EQ(l, r);  // effects sit in the middle
    for (float& x : l) x = std::round(x * 32768.0f);
    return l;
}

}  // namespace

TEST(Mixer, VolumeIsHundredthsOfADecibel) {
    EXPECT_FLOAT_EQ(CentibelsToGain(0), 1.0f);
    EXPECT_NEAR(CentibelsToGain(-2000), 0.1f, 1e-6);
    EXPECT_NEAR(CentibelsToGain(-600), 0.501f, 1e-3);
}

TEST(Mixer, ReplayRestartsAndOtherEffectsKeepPlaying) {
    Mixer m;
    m.SetSound(5, Ramp(10, 1));
    m.SetSound(6, Ramp(10, 100));
    m.Play(5, false);
    m.Play(6, false);
    EXPECT_EQ(MixLeft(m, 3), (std::vector<float>{101, 202, 303}));
    m.Play(5, false);
    EXPECT_EQ(MixLeft(m, 2), (std::vector<float>{401, 502}));
}

TEST(Mixer, OneShotEndsLoopWrapsPauseKeepsPosition) {
    Mixer m;
    m.SetSound(1, Ramp(3, 1));
    m.SetSound(2, Ramp(2, 10));
    m.Play(1, false);
    m.Play(2, true);
    EXPECT_EQ(MixLeft(m, 5), (std::vector<float>{11, 22, 13, 20, 10}));
    EXPECT_FALSE(m.Playing(1));
    EXPECT_TRUE(m.Playing(2));
    m.Stop(2, false);  // pause after position 1
    EXPECT_EQ(MixLeft(m, 1), (std::vector<float>{0}));
    m.Resume(2, true);
    EXPECT_EQ(MixLeft(m, 2), (std::vector<float>{20, 10}));
}

TEST(Mixer, SilentOrMissingSoundsAndBadIdsDoNothing) {
    Mixer m;
    m.SetSound(3, std::make_unique<EffectSound>());
    for (int id : {3, 4, -1, 257}) {
        m.Play(id, true);
        m.SetVolume(id, -100);
        EXPECT_FALSE(m.Playing(id)) << id;
    }
    EXPECT_EQ(MixLeft(m, 4), std::vector<float>(4, 0.0f));
    EXPECT_EQ(m.ActiveVoices(), 0);
}

TEST(Mixer, AdvanceMovesEffectsOnAsMixDoes) {
    // Steps that stop short of the end, land on it, or run past it (once or
    // many times round a loop), and a one-shot that ends and a resumed one.
    for (int steps : {1, 2, 3, 7, 25}) {
        SCOPED_TRACE(testing::Message() << "steps " << steps);
        Mixer mixed, advanced;
        for (Mixer* m : {&mixed, &advanced}) {
            m->SetSound(1, Ramp(7, 1));
            m->SetSound(2, Ramp(5, 100));
            m->SetSound(3, Ramp(9, 10000));
            m->Play(1, false);
            m->Play(2, true);
            m->Play(3, false);
        }
        for (int i = 0; i < 4; ++i) {
            MixLeft(mixed, steps);
            advanced.Advance(steps);
            if (i == 1) {
                mixed.Resume(1, false);
                advanced.Resume(1, false);
            }
            for (int id = 1; id <= 3; ++id) EXPECT_EQ(advanced.Playing(id), mixed.Playing(id)) << "effect " << id;
        }
        EXPECT_EQ(MixLeft(advanced, 12), MixLeft(mixed, 12));
    }
}

// CBoss08: asleep until 10700, its hit points, the slow descent, a bomb
// thrown every 3 frames toward columns at least 41 pixels apart in the kinds
// of its phrase, and a defeat that stops the music instead of sounding the
// explosion.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "enemy_fixture.h"
#include "game/enemies/boss08.h"
#include "game/enemies/tama_bomb.h"
#include "game/stages/spawn_watch.h"

namespace {

constexpr int kWake = CBoss08::kWakeFrame;

class Boss08Test : public EnemyTest {
protected:
    CBoss08* Spawn() { return HeadlessGame::ObjectAt<CBoss08>(g_ObjectPack.Spawn<CBoss08>(1, VB_TRUE)); }
    void StepToT(CBoss08* boss, int t) { Step(kWake + t - boss->Frame()); }
    void AttackEverywhere(int value) { attacks_ = {{Box(160, 120, 480, 480), value}}; }
};

TEST_F(Boss08Test, SleepsUntil10700ThenSinksAt03AFrameWithItsRankedHitPointsOnTheGroundList) {
    for (int rank : {0, 3, 10}) {
        Restart();
        g_Rank = rank;
        EXPECT_EQ(Spawn()->HitPoints(), 400000 * rank + 4000000) << rank;
    }
    Restart();
    g_Rank = 0;
    CBoss08* boss = Spawn();
    for (int frame = 1; frame <= kWake; ++frame) {
        Step();
        ASSERT_EQ(g_HitList1.GetDataCount(), 0) << frame;
        ASSERT_EQ(boss->Y(), -40) << frame;
    }
    StepToT(boss, 1);
    // The body and its two launchers, on the list the ship flies over.
    EXPECT_EQ(g_HitList1.GetDataCount(), 3);
    EXPECT_EQ(g_HitList2.GetDataCount(), 0);
    StepToT(boss, 100);
    const double y100 = boss->Y();
    StepToT(boss, 200);
    EXPECT_NEAR(boss->Y() - y100, 30, 1e-9);
    EXPECT_EQ(boss->X(), 160);
    StepToT(boss, 600);
    const double settled = boss->Y();
    EXPECT_GT(settled, 60);  // well into view
    EXPECT_EQ(Count<CTama7>(), 0) << "nothing is thrown before t = 601";
}

TEST_F(Boss08Test, FromT601ItThrowsABombEveryThirdFrameAtColumnsAtLeast41Apart) {
    for (int rank : {0, 10}) {
        Restart();
        g_Rank = rank;
        CBoss08* boss = Spawn();
        StepToT(boss, 600);
        SpawnWatch watch;
        int last = 0;
        int step = 0;
        for (int t = 601; t <= 1800; ++t) {
            Step();
            watch.Update();
            ASSERT_EQ(watch.New<CTama7>(), (t - 601) % 3 == 0 ? 1 : 0) << "t = " << t << " rank " << rank;
            if ((t - 601) % 3 != 0) continue;
            const int target = boss->LastTarget();
            ASSERT_GE(target, 0);
            ASSERT_LT(target, 320);
            if (step > 0) {
                ASSERT_GE(std::abs(target - last), 41) << "t = " << t << " rank " << rank;
            }
            ASSERT_EQ(boss->LastType(), CBoss08::TypeAt(step, rank)) << "t = " << t;
            last = target;
            ++step;
        }
    }
}

// The phrase: 32 throws, mostly the small single-shot kinds, a ring on its
// last throw (the heavy ring every fourth phrase), a heavy accent only in its
// middle; a higher rank thins the accents and the darts, never below a few.
TEST_F(Boss08Test, EachPhraseOf32IsMostlySingleShotsAndEndsOnARing) {
    constexpr int kPhrases = 12;
    int accents_before = 1000, darts_before = 1000;
    for (int rank = 0; rank <= 10; ++rank) {
        int accents = 0, darts = 0;
        for (int phrase = 0; phrase < kPhrases; ++phrase) {
            int single = 0;
            for (int at = 0; at < 32; ++at) {
                const int type = CBoss08::TypeAt(phrase * 32 + at, rank);
                ASSERT_GE(type, 6081);
                ASSERT_LE(type, 6088);
                if (at == 31) {
                    EXPECT_EQ(type, phrase % 4 == 3 ? 6088 : 6084) << "phrase " << phrase << " rank " << rank;
                    continue;
                }
                if (type >= 6085) {
                    EXPECT_EQ(at, 15) << "a heavy only as the accent, rank " << rank;
                    ++accents;
                } else {
                    EXPECT_NE(type, 6084) << "no small ring but the last, rank " << rank;
                    ++single;
                }
                if (type == 6081) ++darts;
            }
            EXPECT_GE(single, 30) << "phrase " << phrase << " rank " << rank;
        }
        EXPECT_LE(accents, accents_before) << rank;
        EXPECT_LE(darts, darts_before) << rank;
        EXPECT_GE(accents, kPhrases / 4) << rank;
        EXPECT_GE(darts, 2 * kPhrases) << rank;
        accents_before = accents;
        darts_before = darts;
    }
    EXPECT_EQ(CBoss08::AccentEvery(0), 1);
    EXPECT_LT(CBoss08::DartsPerPhrase(10), CBoss08::DartsPerPhrase(0));
}

TEST_F(Boss08Test, DefeatStopsTheMusicInsteadOfPlayingTheExplosion) {
    CBoss08* boss = Spawn();
    StepToT(boss, 650);
    ASSERT_GT(Count<CTama7>(), 0);
    g_Score = 20000;
    const int score = g_Score;
    game_.ClearAudioCalls();
    AttackEverywhere(5000000);
    Step(2);
    EXPECT_LE(boss->HitPoints(), 0);
    EXPECT_TRUE(g_BulletsOff);
    EXPECT_TRUE(g_NoDamage);
    EXPECT_EQ(g_Score, score + 100000);
    EXPECT_EQ(game_.AudioCalls(AudioOp::DM_Stop).size(), 1u);
    for (int f = game_.Frame() - 2; f <= game_.Frame(); ++f)
        for (int sound : game_.SoundsPlayed(f)) EXPECT_NE(sound, 12) << "frame " << f;
    Step();
    EXPECT_EQ(Count<CTama7>(), 0) << "its bombs vanish with the enemy fire";
}

}  // namespace

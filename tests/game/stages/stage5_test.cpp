// CStage5 in the headless game: its row of the stage table, its rank rule
// and its random rules (the fighter traffic and the dive-bomber rain).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form1.h"
#include "app/program.h"
#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "game/enemies/boss05.h"
#include "game/enemies/en001.h"
#include "game/enemies/en016.h"
#include "game/enemies/en019.h"
#include "game/enemies/en020.h"
#include "game/enemies/en029.h"
#include "game/stages/bg5.h"
#include "game/stages/stage5.h"
#include "game/stages/stage5_spawns.h"
#include "gfx/q7_palette256.h"
#include "platform/q7_directx7.h"
#include "spawn_watch.h"
#include "stage_fixture.h"
#include "support/headless_game.h"

namespace {

class Stage5Test : public StageTest<CStage5> {
protected:
    // A stage-5 start with this score and the rank the game had before it.
    void Start(int score = 0, int rank = 0) {
        g_Lives = 2;
        StageTest::Start(5, score, rank);
    }
};

// The colour a palette text puts at its k-th place.
std::uint32_t TextColour(int text, int k) {
    const std::string t = GetPaletteText(text);
    std::size_t at = t.find('/', 9);
    for (int i = 0; i <= k; ++i) at = t.find('/', at + 1);
    const std::size_t from = t.rfind('/', at - 1) + 1;
    return static_cast<std::uint32_t>(std::stoul(t.substr(from, at - from)));
}

TEST_F(Stage5Test, SetUpLoadsItsRowAndResumesTheMusicAtFrame240) {
    Start(123456, 0);
    EXPECT_EQ(g_Lives, 2) << "a stage after the first keeps the game going";
    EXPECT_FALSE(g_ShadowsOn);
    EXPECT_FALSE(g_BulletsOff);
    EXPECT_EQ(g_Palette.GetColor32(1), static_cast<std::int32_t>(TextColour(101, 0)));
    EXPECT_EQ(g_Palette.GetColor32(101), static_cast<std::int32_t>(TextColour(106, 0)));
    EXPECT_EQ(g_Palette.GetColor32(196), static_cast<std::int32_t>(TextColour(106, 95)));
    EXPECT_EQ(g_Palette.GetColor32(197), 1) << "text 106 ends at 196";
    EXPECT_EQ(g_Palette.GetColor32(51), static_cast<std::int32_t>(TextColour(103, 0)));

    EXPECT_EQ(HeadlessGame::ObjectsOf<CBG5>().size(), 1u);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CBoss05>().size(), 1u);
    EXPECT_EQ(g_ScrollSpeed, 1.0);
    EXPECT_EQ(Stage().MusicStart, 240);
    EXPECT_EQ(kStage5.last_scripted_frame, 10200);
    EXPECT_EQ(kStage5.music.loop_end, 261120);

    auto one = [&](AudioOp op) {
        const auto calls = game_.AudioCalls(op);
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? AudioCallRecord{} : calls[0];
    };
    EXPECT_EQ(one(AudioOp::DM_LoadRes).id, 5);
    EXPECT_EQ(one(AudioOp::DM_SetLoop).value, 3072);
    EXPECT_EQ(one(AudioOp::DM_SetMasterVolume).value, -100);
    EXPECT_EQ(one(AudioOp::DM_Play).id, 5);
    game_.Step(239);
    EXPECT_TRUE(game_.AudioCalls(AudioOp::DM_PauseOut).empty());
    game_.Step();
    EXPECT_EQ(game_.AudioCalls(AudioOp::DM_PauseOut).size(), 1u);
}

TEST_F(Stage5Test, RankRisesFromTheScoreAtTheStartAndNeverFalls) {
    struct Case {
        int score, rank_before, rank;
    };
    for (const Case& c : {Case{749999, 0, 0}, Case{750000, 0, 1}, Case{1049999, 0, 3}, Case{1050000, 0, 4},
                          Case{1650000, 0, 10}, Case{9000000, 0, 10}, Case{800000, 6, 6}}) {
        Start(c.score, c.rank_before);
        EXPECT_EQ(g_Rank, c.rank) << c.score;
    }
}

// The columns the rules must take: the shared 16-table from its start, a
// draw equal to the column before it drawn again.
class Columns {
public:
    int Next() {
        int column = Draw();
        while (column == last_) column = Draw();
        return last_ = column;
    }

private:
    int Draw() {
        const int v = g_Angle.Rnd16(cursor_);
        cursor_ = (cursor_ + 1) % 1001;
        return v;
    }
    int cursor_ = 0, last_ = 0;
};

TEST_F(Stage5Test, FighterTrafficAndDiveBomberRainTakeTheirFramesAndColumns) {
    for (int rank : {0, 4, 10}) {
        Start(0, rank);
        g_NoDamage = true;
        const int rain_every = 10 - rank / 2;
        Columns columns;
        SpawnWatch watch;
        int fighters = 0, divers = 0, weavers = 0, gunships = 0, bombers = 0;
        for (int frame = 1; frame <= 10300; ++frame) {
            if (frame == 10199) g_Angle.Rnd8(-1);  // somebody moved the 8-table; the script puts it back
            game_.Step();
            if (frame == 10200) {
                EXPECT_EQ(g_Angle.Rnd8(-1), 7) << "the 8-table starts over at the last scripted frame";
            }
            watch.Update();
            g_NoDamage = true;
            weavers += watch.New<CEN001>();
            gunships += watch.New<CEN019>();
            bombers += watch.New<CEN020>();
            const bool traffic = frame >= 800 && frame <= 7499 && frame % 25 == 0;
            const bool rain = frame >= 7800 && frame <= 10199 && frame % rain_every == 0;
            ASSERT_EQ(watch.New<CEN016>(), traffic ? 1 : 0) << "rank " << rank << ", frame " << frame;
            ASSERT_EQ(watch.New<CEN029>(), rain ? 1 : 0) << "rank " << rank << ", frame " << frame;
            const bool up = traffic && frame % 50 == 0;
            ASSERT_EQ(watch.New<stage5::CClimbWarning>(), up ? 1 : 0) << frame;
            if (!traffic && !rain) continue;
            const int x = columns.Next() * 20 + 10;
            for (const CEN016* f : watch.Fresh<CEN016>()) {
                ++fighters;
                EXPECT_EQ(f->X(), x) << frame;
                EXPECT_EQ(f->Y() < 0, !up) << frame << ": climbers come from below, divers from above";
            }
            for (const CEN029* d : watch.Fresh<CEN029>()) {
                ++divers;
                EXPECT_EQ(d->X(), x) << frame;
            }
            for (const stage5::CClimbWarning* w : watch.Fresh<stage5::CClimbWarning>()) {
                EXPECT_EQ(w->X(), x) << frame;
            }
        }
        EXPECT_EQ(fighters, 268) << rank;
        // The script's own classes, all of them before the serpent.
        EXPECT_GT(weavers, 0);
        EXPECT_GT(gunships, 0);
        EXPECT_GT(bombers, 0);
        EXPECT_EQ(divers, (10199 - 7800) / rain_every + 1) << rank;
    }
}

}  // namespace

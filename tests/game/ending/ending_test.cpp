// CEnding in the headless game: the result of the run, the panel, the
// timeline, the clipboard, and what it adds every fourth frame.
#include "game/ending/ending.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/form1.h"
#include "game/enemies/tama_bomb.h"
#include "game/ending/check_code.h"
#include "game/ending/ending_pictures.h"
#include "game/stages/bg_object.h"
#include "gfx/q7_ddbpack256.h"
#include "platform/q7_directx7.h"
#include "support/headless_game.h"

namespace {

constexpr int kKeyC = 67;

class EndingTest : public ::testing::Test {
protected:
    // Statistics of a run; the ending sums stages 1..8 only.
    void SetRun(int score, int pauses, int resyncs_per_stage_1 = 0) {
        g_Score = score;
        g_PauseCount = pauses;
        for (int s = 0; s <= 10; ++s) {
            g_StageFrames[s] = s * 1000 + 7;
            g_StageLate[s] = s;
            g_StageResyncs[s] = 0;
        }
        g_StageResyncs[1] = resyncs_per_stage_1;
        g_StageResyncs[9] = 500;  // not one of the eight stages
    }

    CEnding& Start() {
        g_StageNo = 9;
        g_ObjectPack.Call_Initial();
        g_StageSlot = g_ObjectPack.Spawn<CEnding>(1, VB_TRUE);
        SetUpStageDisplay();
        g_FrameCount = 0;
        return Ending();
    }
    CEnding& Ending() { return *HeadlessGame::ObjectAt<CEnding>(g_StageSlot); }

    // Frames are counted from 1, as the ending counts them.
    void StepTo(int frame) { game_.Step(frame - Ending().Frame()); }

    // Sprite `id`'s pixels in the 8x10 (or w x h) block at (x, y) equal sprite `glyph`'s.
    static bool ShowsSprite(int id, int x, int y, int glyph) {
        CQ7Spritedata& in = g_DDBPack.GetSprite(id).DT;
        CQ7Spritedata& want = g_DDBPack.GetSprite(glyph).DT;
        for (int gy = 0; gy < want.Height(); ++gy)
            for (int gx = 0; gx < want.Width(); ++gx) {
                const int p = want.GetPixelData(gx, gy);
                if (p != 255 && in.GetPixelData(x + gx, y + gy) != p) return false;
            }
        return true;
    }

    HeadlessGame game_;
};

TEST_F(EndingTest, TheRunsStatisticsDecideTheCodeTheTextAndTheFinalScene) {
    const int frames = 1007 + 2007 + 3007 + 4007 + 5007 + 6007 + 7007 + 8007;
    const int late = 1 + 2 + 3 + 4 + 5 + 6 + 7 + 8;
    const struct {
        int score, pauses, resyncs;
        bool valid;
        int final_scene;
    } cases[] = {
        {0, 0, 0, true, 6},
        {9999999, 0, 0, true, 6},
        {10000000, 0, 0, true, 5},
        {123456789, 255, 100, true, 5},
        {10000000, 256, 0, false, 6},
        {10000000, 0, 101, false, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.score) + " points, " + std::to_string(c.pauses) + " pauses, " +
                     std::to_string(c.resyncs) + " re-syncs");
        SetRun(c.score, c.pauses, c.resyncs);
        const CEnding& ending = Start();
        EXPECT_EQ(ending.FramesTotal(), frames);
        EXPECT_EQ(ending.LateTotal(), late);
        EXPECT_EQ(ending.Valid(), c.valid);
        EXPECT_EQ(ending.FinalScene(), c.final_scene);
        const std::string tail = "\r\n\r\nFLAME SKIP =  " + std::to_string(frames) + "  /  " + std::to_string(late) + "\r\n";
        const std::string head = "FINAL SCORE =  " + std::to_string(c.score) + "\r\n\r\nCHECK DIGIT =  ";
        if (c.valid) {
            ASSERT_EQ(ending.Code().size(), 25u);
            EXPECT_EQ(g_ResultText, head + ending.Code() + tail);
            const CheckCodeReading reading = ReadCheckCode(ending.Code());
            EXPECT_TRUE(reading.valid) << reading.error;
            EXPECT_EQ(reading.digits, ScoreDigits(c.score));
        } else {
            EXPECT_EQ(ending.Code(), "");
            EXPECT_EQ(g_ResultText, head + "TIMEOUT ERROR" + tail);
        }
        EXPECT_FALSE(g_ResultReady);
    }
}

// The positions are drawn from a generator seeded with the clock in use: a
// virtual clock (headless runs) gives the same code for the same run.
TEST_F(EndingTest, TheCodeIsSeededFromTheClockInUse) {
    SetRun(4242, 0);
    game_.Clock().AdvanceMs(1000);
    const auto seed = static_cast<std::uint64_t>(game_.Clock().Counter());
    const std::string first = Start().Code();
    EXPECT_EQ(first, MakeCheckCode(4242, DrawCheckPositions(seed)));
    game_.Clock().AdvanceMs(1000);
    EXPECT_NE(Start().Code(), first) << "a later start draws other positions";
}

TEST(EndingGlyphs, EachCharacterHasItsSprite) {
    const struct {
        char ch;
        int sprite;
    } cases[] = {{'0', 140}, {'5', 145}, {'9', 149}, {'-', 252}, {'/', 253}, {' ', 254}, {'A', 254}, {'.', 254}};
    for (const auto& c : cases) EXPECT_EQ(GlyphSprite(c.ch), c.sprite) << c.ch;
}

TEST_F(EndingTest, ThePanelShowsTheLinesInPictureSixAndOverSceneFive) {
    SetRun(12345678, 0);
    g_StageFrames[1] = 90;
    for (int s = 2; s <= 8; ++s) g_StageFrames[s] = 0;
    for (int s = 1; s <= 8; ++s) g_StageLate[s] = s == 2 ? 5 : 0;
    const CEnding& ending = Start();
    // "90  /  5": character i at x = 102 + 8 i; the blanks are sprite 254.
    const int frames[] = {149, 140, 254, 254, 253, 254, 254, 145};
    for (int panel_top : {0, 156}) {
        const int id = panel_top == 0 ? ending::kFinalPicture : ending::kPanel;
        SCOPED_TRACE(id);
        for (int i = 0; i < 8; ++i) EXPECT_TRUE(ShowsSprite(id, 102 + 8 * (i + 1), 200 - panel_top, frames[i])) << i;
        EXPECT_TRUE(ShowsSprite(id, 110, 170 - panel_top, 141)) << "the score's first digit";
        EXPECT_TRUE(ShowsSprite(id, 102 + 8 * 25, 185 - panel_top, GlyphSprite(ending.Code()[24])));
        EXPECT_TRUE(ShowsSprite(id, 18, 185 - panel_top, 249)) << "the label of the code";
    }

    SetRun(12345678, 300);
    Start();
    EXPECT_TRUE(ShowsSprite(ending::kFinalPicture, 110, 185, 251)) << "TIMEOUT ERROR instead of the code";
    EXPECT_TRUE(ShowsSprite(ending::kPanel, 110, 185 - 156, 251));
}

TEST_F(EndingTest, TheTimelineRunsItsScenesWipesAndParadesAndCopiesTheResultFrom4200) {
    SetRun(10000000, 0);
    std::vector<std::string> clipboard;
    g_Form1.SetClipboardWriter([&](const std::string& text) {
        clipboard.push_back(text);
        return true;
    });
    Start();
    const struct {
        int frame, scene, wipe;
    } marks[] = {
        {1, 2, 8},      {299, 2, 8},     {300, 2, 7},   {328, 2, 0},   {1399, 2, 0},  {1428, 2, 8},
        {1432, 3, 8},   {1500, 3, 7},    {1631, 3, 0},  {2531, 3, 8},  {2532, 4, 8},  {2731, 4, 0},
        {4000, 4, 1},   {4031, 4, 8},    {4032, 5, 8},  {4199, 5, 8},  {4200, 5, 7},  {4231, 5, 0},
        {4300, 5, 0},
    };
    for (const auto& m : marks) {
        StepTo(m.frame);
        EXPECT_EQ(Ending().Scene(), m.scene) << "frame " << m.frame;
        EXPECT_EQ(g_BgMode, m.scene) << "frame " << m.frame;
        EXPECT_EQ(Ending().WipeLevel(), m.wipe) << "frame " << m.frame;
        if (m.frame == 4199) {
            g_Form1.OnKeyDown(kKeyC, true, false, false);
            EXPECT_TRUE(clipboard.empty()) << "nothing to copy before frame 4200";
        }
        if (m.frame == 4200) {
            g_Form1.OnKeyDown(kKeyC, true, false, false);
            EXPECT_EQ(clipboard, std::vector<std::string>{g_ResultText});
        }
    }
}

TEST_F(EndingTest, ParadesRiseOffTheScreenAndLeave) {
    SetRun(0, 0);
    Start();
    StepTo(350);
    std::vector<CEndObject*> cards = HeadlessGame::ObjectsOf<CEndObject>();
    ASSERT_EQ(cards.size(), 13u) << "ship, shadow, five tanks, the card, five tanks";
    const int tank_y = cards[2]->Pos().CenterY();
    StepTo(360);
    EXPECT_EQ(cards[2]->Pos().CenterY(), tank_y - 4) << "0.4 rows a frame";
    StepTo(1649);
    EXPECT_TRUE(HeadlessGame::ObjectsOf<CEndObject>().empty());
    StepTo(1650);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CEndObject>().size(), 12u) << "no shadow in the fighters' parade";
    StepTo(2750);
    EXPECT_EQ(HeadlessGame::ObjectsOf<CEndObject>().size(), 13u);
}

TEST_F(EndingTest, MusicNineStartsPausedAndResumesAtFrame50) {
    SetRun(0, 0);
    Start();
    const std::vector<AudioCallRecord> loops = game_.AudioCalls(AudioOp::DM_SetLoop);
    ASSERT_EQ(loops.size(), 1u);
    EXPECT_EQ(loops[0].id, 9);
    EXPECT_EQ(loops[0].value, 9216);
    EXPECT_EQ(game_.AudioCalls(AudioOp::DM_PauseIn).size(), 1u);
    StepTo(49);
    EXPECT_TRUE(game_.AudioCalls(AudioOp::DM_PauseOut).empty());
    StepTo(50);
    EXPECT_EQ(game_.AudioCalls(AudioOp::DM_PauseOut).size(), 1u);
}

// Every fourth frame: a cloud, and an ornament in a column at least 41
// pixels from the last, small while the step has bit 1 or 2 set.
TEST_F(EndingTest, OrnamentsFollowTheirStepsAndColumns) {
    SetRun(0, 0);
    Start();
    int last_column = 0;
    for (int step_frame = 4, step = 1; step_frame <= 400; step_frame += 4, step = (step + 1) % 21) {
        StepTo(step_frame);
        const int column = g_SpawnParam.Level;
        EXPECT_GE(std::abs(column - last_column), 41) << "frame " << step_frame;
        last_column = column;
        const double drift = (column - 160) / 20.0;
        EXPECT_DOUBLE_EQ(g_SpawnParam.DX, drift);
        EXPECT_DOUBLE_EQ(g_SpawnParam.X, 160 + std::trunc(drift * 5));
        EXPECT_DOUBLE_EQ(g_SpawnParam.Y, 50);
        const bool small = (step & 6) != 0;
        EXPECT_DOUBLE_EQ(g_SpawnParam.DY, small ? 1.0 : 1.5) << "step " << step;
        EXPECT_GE(g_SpawnParam.Sprite, small ? 6081 : 6085);
        EXPECT_LE(g_SpawnParam.Sprite, small ? 6084 : 6088);
    }
    EXPECT_FALSE(HeadlessGame::ObjectsOf<CTama8>().empty());
}

// The final scene lasts as long as the player likes: clouds and ornaments
// must leave as fast as they come, or the pack would fill up.
TEST_F(EndingTest, SceneryAndOrnamentsDoNotPileUp) {
    SetRun(0, 0);
    Start();
    StepTo(4400);
    const int settled = g_ObjectPack.GetObjectCount();
    EXPECT_FALSE(HeadlessGame::ObjectsOf<CBGObject>().empty());
    StepTo(9000);
    EXPECT_LE(g_ObjectPack.GetObjectCount(), settled + 20);
    for (const CBGObject* cloud : HeadlessGame::ObjectsOf<CBGObject>()) EXPECT_LT(cloud->DrawPos().Top(), 241);
}

}  // namespace

// The settings dialog: its refresh rule, clicks as the user makes them (SDL
// mouse events into the dialog's window), the start sequence and closing.
// Runs on SDL's dummy video driver with the software renderer.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/form2.h"
#include "app/settings.h"
#include "app/zenit02.h"
#include "core/clock.h"
#include "core/message_box.h"

namespace fs = std::filesystem;

TEST(SettingsDialogRows, ChosenNumberIsHighlightedInItsRowAndDisabledInEveryRow) {
    struct Case {
        const char* name;
        std::array<int, kButtonRows> chosen;
    };
    for (const Case& c : {Case{"defaults", {0, 1, 2, 3}}, Case{"spread out", {11, 4, 9, 0}},
                          Case{"hand-edited duplicate", {5, 5, 2, 5}}}) {
        SCOPED_TRACE(c.name);
        const ButtonRows rows = RefreshRows(c.chosen);
        for (int r = 0; r < kButtonRows; ++r)
            for (int i = 0; i < kPadButtonCount; ++i) {
                bool chosen_anywhere = false;
                for (int n : c.chosen) chosen_anywhere |= n == i;
                EXPECT_EQ(rows[r][i].highlighted, c.chosen[r] == i) << "row " << r << " button " << i;
                EXPECT_EQ(rows[r][i].enabled, !chosen_anywhere) << "row " << r << " button " << i;
            }
    }
    // A number outside 0..11 marks nothing (and indexes nothing).
    const ButtonRows rows = RefreshRows({12, -1, 0, 0});
    for (int r : {0, 1})
        for (int i = 0; i < kPadButtonCount; ++i)
            EXPECT_EQ(rows[r][i], (RowButtonState{i != 0, false})) << "row " << r << " button " << i;
    EXPECT_TRUE(rows[2][0].highlighted && rows[3][0].highlighted);
}

namespace {

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("SDL_VIDEODRIVER", "dummy", 0);
        ResetGlobalState();
        ApplySettings(Settings{});
        g_QuitRequested = 1;
        SetClock(&clock_);
        previous_ = SetMessageBoxHandler([this](std::string_view text, std::string_view, MsgBoxStyle) {
            messages_.emplace_back(text);
            return MsgBoxResult::Ok;
        });
    }
    void TearDown() override {
        dialog_.reset();
        SetClock(nullptr);
        SetMessageBoxHandler(previous_);
        OverrideSettingsLocation(nullptr);
    }

    Form2& Open() {
        dialog_ = std::make_unique<Form2>();
        EXPECT_TRUE(dialog_->Show()) << SDL_GetError();
        return *dialog_;
    }

    void PushMouse(Uint32 type, int x, int y) {
        SDL_Event e{};
        e.type = type;
        const Uint32 id = SDL_GetWindowID(dialog_->Window());
        if (type == SDL_MOUSEMOTION) {
            e.motion.windowID = id;
            e.motion.x = x;
            e.motion.y = y;
        } else {
            e.button.windowID = id;
            e.button.button = SDL_BUTTON_LEFT;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.button.clicks = 1;
            e.button.x = x;
            e.button.y = y;
        }
        SDL_PushEvent(&e);
    }

    // A left click at the centre of `r`, as the user makes it: move, press, release.
    void Click(Form2::Rect r) {
        PushMouse(SDL_MOUSEMOTION, r.CenterX(), r.CenterY());
        PushMouse(SDL_MOUSEBUTTONDOWN, r.CenterX(), r.CenterY());
        dialog_->Yield();
        PushMouse(SDL_MOUSEBUTTONUP, r.CenterX(), r.CenterY());
        dialog_->Yield();
        dialog_->Yield();
    }

    VirtualClock clock_;
    std::unique_ptr<Form2> dialog_;
    std::vector<std::string> messages_;
    MessageBoxHandler previous_;
};

}  // namespace

TEST_F(SettingsDialog, ClicksChooseButtonsVolumeAndPort) {
    Form2& d = Open();
    EXPECT_EQ(d.Rows(), RefreshRows({0, 1, 2, 3}));

    Click(Form2::RowButtonRect(1, 7));  // power-up on button 7
    EXPECT_EQ(g_PowerUpButton, 7);
    EXPECT_EQ(d.Rows(), RefreshRows({0, 7, 2, 3}));
    EXPECT_TRUE(d.Rows()[0][1].enabled);  // button 1 is free again

    Click(Form2::RowButtonRect(0, 7));  // taken by power-up: disabled, nothing happens
    EXPECT_EQ(g_ShotButton, 0);
    Click(Form2::RowButtonRect(3, 11));
    EXPECT_EQ(g_SpeedUpButton, 11);

    Click(Form2::VolumeRect(3));
    EXPECT_EQ(g_InitVol, 3);
    Click(Form2::VolumeRect(1));
    EXPECT_EQ(g_InitVol, 1);
    Click(Form2::PortRect(1));
    EXPECT_FALSE(g_DefaultPort);
    Click(Form2::PortRect(0));
    EXPECT_TRUE(g_DefaultPort);
    EXPECT_TRUE(d.IsOpen());
    EXPECT_EQ(g_LauncherClosed, 0);
}

TEST_F(SettingsDialog, OpensWithADuplicateFromTheFileMarkedInBothRows) {
    g_ShotButton = 5;
    g_PauseButton = 5;
    Form2& d = Open();
    EXPECT_TRUE(d.Rows()[0][5].highlighted && d.Rows()[2][5].highlighted);
    EXPECT_FALSE(d.Rows()[1][5].enabled || d.Rows()[3][5].enabled);
    Click(Form2::RowButtonRect(2, 8));  // moving pause away keeps attack on 5
    EXPECT_EQ(g_ShotButton, 5);
    EXPECT_EQ(g_PauseButton, 8);
    EXPECT_EQ(d.Rows(), RefreshRows({5, 1, 8, 3}));
}

TEST_F(SettingsDialog, SaveButtonWritesTheFileAndSaysSo) {
    const fs::path dir = fs::temp_directory_path() / ("zenit-dialog-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const SettingsLocation where{dir, {}};
    OverrideSettingsLocation(&where);
    Open();
    Click(Form2::RowButtonRect(0, 9));
    Click(Form2::SaveRect());
    EXPECT_EQ(messages_, std::vector<std::string>{"保存しました。"});
    std::ifstream in(dir / "zenit.ini", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), FormatSettings({9, 1, 2, 3, true, 2}));
    fs::remove_all(dir);
}

TEST_F(SettingsDialog, StartWaitsForTheGraphicsThenClosesOnATimerTick) {
    Form2& d = Open();
    g_LoadDone = false;
    Click(Form2::StartRect());
    EXPECT_TRUE(d.Loading());
    EXPECT_EQ(d.StartCaption(), "Now Loading…");

    Click(Form2::RowButtonRect(0, 9));  // every control is disabled now
    EXPECT_EQ(g_ShotButton, 0);

    clock_.AdvanceMs(3000);  // ticks come and go while the graphics load
    d.Yield();
    EXPECT_TRUE(d.IsOpen());
    EXPECT_EQ(g_LauncherClosed, 0);

    g_LoadDone = true;
    d.Yield();
    EXPECT_TRUE(d.IsOpen()) << "the dialog closes only on a timer tick";
    clock_.AdvanceMs(1000);
    d.Yield();
    EXPECT_FALSE(d.IsOpen());
    EXPECT_EQ(g_LauncherClosed, 1);
    EXPECT_EQ(g_QuitRequested, 0);
}

TEST_F(SettingsDialog, StartAfterLoadingClosesAtTheFirstTick) {
    Form2& d = Open();
    g_LoadDone = true;
    Click(Form2::StartRect());
    clock_.AdvanceMs(999);
    d.Yield();
    EXPECT_TRUE(d.IsOpen());
    clock_.AdvanceMs(1);
    d.Yield();
    EXPECT_FALSE(d.IsOpen());
    EXPECT_EQ(g_QuitRequested, 0);
}

TEST_F(SettingsDialog, ClosingTheWindowEndsWithoutStarting) {
    for (bool loading : {false, true}) {
        SCOPED_TRACE(loading ? "while loading" : "while editing");
        g_LauncherClosed = 0;
        Form2& d = Open();
        if (loading) d.ClickStart();
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = SDL_WINDOWEVENT_CLOSE;
        e.window.windowID = SDL_GetWindowID(d.Window());
        SDL_PushEvent(&e);
        d.Yield();
        EXPECT_FALSE(d.IsOpen());
        EXPECT_EQ(g_LauncherClosed, 1);
        EXPECT_EQ(g_QuitRequested, 1);
        d.Yield();  // harmless once closed
    }
}

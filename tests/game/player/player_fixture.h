// A headless game with a test stage that holds the player's ship, for the
// ship and weapon tests. The stage runs `per_frame` first in every frame (it
// stands for the enemies, which are stepped before the ship).
#pragma once

#include <functional>

#include <gtest/gtest.h>

#include "app/zenit02.h"
#include "core/q7_pos.h"
#include "game/player/my_ship.h"
#include "support/headless_game.h"

class PlayerTest : public ::testing::Test {
protected:
    static constexpr int kIntroFrames = 250;

    // A stage with a ship in it (created as a stage creates it), at rank 0
    // with the given lives; optionally stepped past the intro and one frame
    // of flight (the intro does not publish g_MyShipPos).
    void StartWithShip(int lives, bool skip_intro = true, int score = 0) {
        // A clean start even when a test starts several stages in a row.
        game.SetPad({});
        g_PowerLv0 = g_PowerLv1 = g_PowerLv2 = g_PowerLv3 = 0;
        g_PowerUpCursor = g_ClearTimer = g_GameOverTimer = 0;
        g_Score = score;  // the ship carries it over through its intro
        g_StageNo = 1;
        g_Lives = lives;
        g_Rank = 0;
        SetRankValues();
        SetShieldTimes();
        game.StartStage([this](TestStage&) {
            if (per_frame) per_frame();
        }, [](TestStage&) { g_MyShipSlot = g_ObjectPack.Spawn<CMyShip>(5, VB_FALSE); });
        if (skip_intro) game.Step(kIntroFrames + 1);
    }

    // A stage without a ship; the stage empties the attack list each frame
    // as the ship would.
    void StartWithoutShip() {
        game.StartStage([this](TestStage&) {
            g_PlayerAttackList.Clear();
            g_MyShipList.Clear();
            if (per_frame) per_frame();
        });
    }

    // The ship's position as g_MyShipPos gives it: a copy of its 8x8 hit box,
    // whose left edge is 5 pixels left of the ship (the rectangle rules).
    static int ShipX() { return g_MyShipPos.Left() + 5; }
    static int ShipY() { return g_MyShipPos.Top() + 5; }

    // Pad states.
    static PadFrame Pad(bool left, bool right, bool up, bool down, std::vector<int> buttons = {}) {
        return PadFrame{left, right, up, down, std::move(buttons)};
    }
    static PadFrame Buttons(std::vector<int> buttons) { return Pad(false, false, false, false, std::move(buttons)); }

    CMyShip& Ship() { return *HeadlessGame::ObjectAt<CMyShip>(g_MyShipSlot); }

    // A rectangle of size w x h centred at (x, y).
    static CQ7Pos Box(int x, int y, int w, int h) {
        CQ7Pos r;
        r.ReSize(w, h);
        r.Move(x, y);
        return r;
    }
    static CQ7Pos Field() { return Box(160, 120, 2000, 2000); }

    HeadlessGame game;
    std::function<void()> per_frame;
};

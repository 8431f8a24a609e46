// A headless game for enemy and bullet tests.
//
// A stand-in for the ship sits where the ship steps (group 5): every frame it
// empties the ship's two lists and fills them from the boxes the test
// scripted (the player's attacks, the options), so enemies see the attacks
// one frame later and bullets see the options of the previous frame, as in
// play. The test stage runs the test's own per-frame hook.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/zenit02.h"
#include "core/q7_objectpack.h"
#include "core/q7_pos.h"
#include "game/enemies/enemy.h"
#include "gfx/q7_ddbpack256.h"
#include "support/headless_game.h"

// A centre-based w x h box at (cx, cy).
inline CQ7Pos Box(int cx, int cy, int w, int h) {
    CQ7Pos p;
    p.ReSize(w, h);
    p.Move(cx, cy);
    return p;
}

struct ScriptedBox {
    CQ7Pos pos;
    int value = 1;
};

class ShipStandIn final : public GameObject {
public:
    ShipStandIn(const std::vector<ScriptedBox>* attacks, const std::vector<ScriptedBox>* options)
        : attacks_(attacks), options_(options) {}
    void Call_Initial(int&) override {}
    bool Call_Events() override {
        g_PlayerAttackList.Clear();
        g_MyShipList.Clear();
        for (const ScriptedBox& b : *attacks_) g_PlayerAttackList.Add(b.pos, b.value);
        for (const ScriptedBox& b : *options_) g_MyShipList.Add(b.pos, b.value);
        return false;
    }

private:
    const std::vector<ScriptedBox>* attacks_;
    const std::vector<ScriptedBox>* options_;
};

// A plain enemy of any profile: a 16 x 16 box that stands still (ground
// ones ride the scenery) and counts the shots its schedule allows.
class CTestEnemy final : public CEnemy {
public:
    explicit CTestEnemy(const EnemyProfile& profile) : CEnemy(profile) {}
    int Shots() const { return shots_; }
    const CQ7Pos& ShadowPos() const { return shadow_; }

protected:
    void SetUp() override {
        sprite_ = 4001;
        layer_ = 25;
        if (ex_.Heading == 1) shadow_sprite_ = 4002;  // the tests' switch for a shadow
        sprite_pos_.ReSize(16, 16);
        hit_.ReSize(16, 16);
        shadow_.ReSize(16, 16);
    }
    void Move() override {
        if (profile_.kind == EnemyKind::Ground) y_ = GroundY();
    }
    void Fire() override { ++shots_; }

private:
    int shots_ = 0;
};

class EnemyTest : public ::testing::Test {
protected:
    void SetUp() override {
        Restart();
        g_Rank = 0;
        SetRankValues();
        g_ScoreRate = 1.0;
        // The ship down-left, out of everyone's way unless a test moves it.
        g_MyShipPos = Box(20, 230, 8, 8);
        g_EnemyParam = EnemyParam();
        g_EnemyParamEx = EnemyParamEx();
        g_EnemyParamEx.TurnInterval = 10000;
    }

    void Step(int frames = 1) { game_.Step(frames); }

    // A fresh stage for the next case of a table: empty pack, empty lists, a new stand-in.
    void Restart() {
        game_.StartStage([this](TestStage& st) {
            if (hook_) hook_(st);
        });
        g_PlayerAttackList.Clear();
        g_MyShipList.Clear();
        g_ObjectPack.Spawn<ShipStandIn>(5, VB_FALSE, &attacks_, &options_);
    }

    // Sprite 1, the scenery ground enemies ride on: 320 x height, top at `top`.
    static void SetUpGround(int top, int height = 4320) {
        CQ7Sprite256& map = g_DDBPack.GetSprite(1);
        map.SetUP(320, height, 0);
        map.Pos.SetTop(top);
    }

    // Spawns an enemy on object layer 3 at (x, y) with the records as they stand.
    template <class T, class... A>
    static T* SpawnEnemy(double x, double y, A&&... args) {
        g_EnemyParam.X = x;
        g_EnemyParam.Y = y;
        const int slot = g_ObjectPack.Spawn<T>(3, VB_TRUE, std::forward<A>(args)...);
        return HeadlessGame::ObjectAt<T>(slot);
    }

    template <class T>
    static std::vector<T*> All() {
        return HeadlessGame::ObjectsOf<T>();
    }
    template <class T>
    static int Count() {
        return static_cast<int>(All<T>().size());
    }

    HeadlessGame game_;
    std::vector<ScriptedBox> attacks_;  // the player's attack boxes, every frame
    std::vector<ScriptedBox> options_;  // the options' boxes, every frame
    std::function<void(TestStage&)> hook_;
};

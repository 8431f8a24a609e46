// HeadlessGame: the game on the headless back-end and a virtual clock, for
// tests that step game objects frame by frame.
//
//   HeadlessGame game;                      // program-start state, graphics and sounds loaded
//   game.StartStage([&](TestStage& st) {    // runs every frame, inside the stage's step
//       if (st.Count == 1) g_ObjectPack.Spawn<CEN001>(3, VB_TRUE);
//   });
//   game.SetPadScript({{10, {.right = true}}, {5, {.buttons = {0}}}});  // 10 frames right, 5 firing
//   game.Step(15);
//   EXPECT_EQ(game.SoundsPlayed(), (std::vector<int>{5}));
//
// What it sets up (and the destructor undoes): ResetGlobalState plus Main's
// defaults, a VirtualClock as the program's clock, the headless back-end
// with display, input and sound set up as Main does (it records message
// boxes), the stage factory, Form1's hooks and clipboard (reset on exit),
// the sprites (LoadGraphics) and effects (LoadSounds) from the resources the
// test program links (tests/game and tests/data link the game's data;
// without it sprites stay empty and draw nothing), and an empty object pack.
//
// A frame (Step): the pad of this frame goes to the back-end, the frame tag
// of sound calls is set, the draw queues are emptied (BltClear(-1)) and every
// object steps (Call_Events); then g_FrameCount += 1, as for a frame on time.
// With present = true the queues are also drawn and shown as the frame loop
// does (hit-flash rule included), so FrameHash() tells frames apart. Pacing, pause and the window's keys are not involved:
// tests of those run the real loop (g_Form1.RunStage) with their own stage.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/game_object.h"
#include "core/message_box.h"
#include "core/q7_objectpack.h"
#include "platform/i_headless.h"

// A stand-in for a stage object: first in the pack, it does a stage's
// per-frame housekeeping and then runs the test's callback.
//
// Each frame: Count += 1; the five shared hit lists are cleared
// (g_HitList1, g_HitList2, g_EnemyBulletList, g_MissileTargets,
// g_ObstacleList); UpdateScoreRate when a ship is in g_MyShipSlot; the sound
// requests 7, 5, 6, 8 are played with the stages' cool-downs (6, 6, 8, 8
// frames; always allowed, as in stage 2) and cleared; then per_frame(*this).
class TestStage final : public GameObject {
public:
    using FrameFn = std::function<void(TestStage&)>;
    explicit TestStage(FrameFn per_frame = {}, FrameFn on_initial = {})
        : per_frame_(std::move(per_frame)), on_initial_(std::move(on_initial)) {}

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    int Slot = -1;
    int Count = 0;  // frames stepped
    int SeCool7 = 0, SeCool5 = 0, SeCool6 = 0, SeCool8 = 0;
    // Set true to have the stage ask for removal (ends nothing else).
    bool Remove = false;

private:
    FrameFn per_frame_;
    FrameFn on_initial_;
};

// The pad of one frame, as GetPadButton shall read it.
struct PadFrame {
    bool left = false, right = false, up = false, down = false;
    std::vector<int> buttons;  // pressed pad button numbers (0..31)
};

// `frames` frames of one pad state.
struct PadRun {
    int frames = 1;
    PadFrame pad;
};

class HeadlessGame {
public:
    struct Options {
        bool load_graphics = true;
        bool load_sounds = true;
    };

    HeadlessGame() : HeadlessGame(Options{}) {}
    explicit HeadlessGame(Options options);
    ~HeadlessGame();
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    VirtualClock& Clock() { return clock_; }
    HeadlessBackend& Backend();

    // Empties the pack, creates a TestStage as its first object (slot in
    // g_StageSlot), calls its Call_Initial (then on_initial), and prepares
    // the back screen and display palette as a stage start does.
    TestStage& StartStage(TestStage::FrameFn per_frame = {}, TestStage::FrameFn on_initial = {});
    TestStage& Stage();

    // Steps `frames` frames; see the header comment.
    void Step(int frames = 1, bool present = false);
    // Draws the queues of the frame just stepped and shows it (g_FrameCount unchanged).
    void Present();
    // Frames stepped since the fixture was made (the tag of sound calls).
    int Frame() const { return frame_; }

    // ---- Pad ----
    // Holds this pad state from the next frame on (until changed).
    void SetPad(const PadFrame& pad);
    // Per-frame pad: the runs one after another from the next frame, then released.
    void SetPadScript(std::vector<PadRun> runs);
    // Or any function of the fixture's frame number.
    void SetPadFunction(std::function<PadFrame(int frame)> pad);

    // ---- Sounds and music ----
    // Effect ids started with DS_Play, in order; frame < 0: all frames,
    // otherwise only those of that frame (Frame() numbering, 0 = the first step).
    std::vector<int> SoundsPlayed(int frame = -1) const;
    // Every recorded call of one kind.
    std::vector<AudioCallRecord> AudioCalls(AudioOp op) const;
    void ClearAudioCalls();

    // ---- Frames and messages ----
    std::uint64_t FrameHash() const;
    int PresentCount() const;
    // Message boxes shown since the back-end was chosen.
    const std::vector<MessageRecord>& Messages() const;

    // The object in a slot as T (null when the slot is free or holds something else).
    template <class T>
    static T* ObjectAt(int slot) {
        if (slot < 0 || slot >= CQ7ObjectPack::kSlots || !g_ObjectPack.IsOccupied(slot)) return nullptr;
        return dynamic_cast<T*>(g_ObjectPack.GetCQ7Object(slot).Ob.get());
    }
    // Every live object of type T, in stepping order.
    template <class T>
    static std::vector<T*> ObjectsOf() {
        std::vector<T*> out;
        ForEachObject([&](GameObject* ob) {
            if (T* t = dynamic_cast<T*>(ob)) out.push_back(t);
        });
        return out;
    }
    static void ForEachObject(const std::function<void(GameObject*)>& visit);

private:
    void ApplyPad();

    VirtualClock clock_;
    MessageBoxHandler previous_handler_;
    std::function<PadFrame(int)> pad_fn_;
    int frame_ = 0;
};

#include "support/headless_game.h"

#include <algorithm>

#include "app/form1.h"
#include "app/q7_timer.h"
#include "app/stage_factory.h"
#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "gfx/q7_ddbpack256.h"
#include "platform/q7_directx7.h"

// ---- TestStage ------------------------------------------------------------------

void TestStage::Call_Initial(int& slot) {
    Slot = slot;
    Count = 0;
    if (on_initial_) on_initial_(*this);
}

namespace {
// One sound request: played when its cool-down has run out, then cleared.
void ServeRequest(bool& request, int& cool, int id, int cool_frames) {
    if (cool > 0) cool -= 1;
    if (cool == 0 && request) {
        g_DX7.DS_Play(id, 0);
        cool = cool_frames;
    }
    request = false;
}
}  // namespace

bool TestStage::Call_Events() {
    Count += 1;
    for (CQ7PosList* list : {&g_HitList1, &g_HitList2, &g_EnemyBulletList, &g_MissileTargets, &g_ObstacleList})
        list->Clear();
    if (MyShip()) UpdateScoreRate();
    ServeRequest(g_SeReq7, SeCool7, 7, 6);
    ServeRequest(g_SeReq5, SeCool5, 5, 6);
    ServeRequest(g_SeReq6, SeCool6, 6, 8);
    ServeRequest(g_SeReq8, SeCool8, 8, 8);
    if (per_frame_) per_frame_(*this);
    return Remove;
}

// ---- HeadlessGame ------------------------------------------------------------------

HeadlessGame::HeadlessGame(Options options) {
    SetClock(&clock_);
    // The headless back-end records message boxes (and answers them) once chosen.
    previous_handler_ = SetMessageBoxHandler({});

    ResetGlobalState();
    SetMainDefaults();
    std::fill(std::begin(g_PadButtons), std::end(g_PadButtons), 0);
    g_ObjectPack.Call_Initial();

    // The set-up Main does once the settings dialog has closed.
    g_DX7.UseHeadless();
    g_FullScreen = true;
    g_DX7.DD_SetUP(nullptr, 640, 480, 8);
    g_DX7.DD_OFFSC_SetUP(320, 240);
    g_DX7.DI_SetUP(nullptr);
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, g_DefaultPort);
    if (options.load_graphics) LoadGraphics();
    g_LoadDone = true;
    if (options.load_sounds)
        LoadSounds();
    else
        g_SeVolLevel = 2;
    g_Angle.RndReset();
    g_Timer.StartTimer();
    // The main window receives the back-end's queued events (keys, paint ...).
    g_Form1.Load();
    g_DX7.SetEventSink(&g_Form1);
}

HeadlessGame::~HeadlessGame() {
    g_ObjectPack.Call_Initial();
    g_DX7.Release();
    SetStageFactoryOverride({});
    g_Form1.SetHooks({});
    g_Form1.SetClipboardWriter({});
    SetMessageBoxHandler(previous_handler_);
    SetClock(nullptr);
}

HeadlessBackend& HeadlessGame::Backend() { return *g_DX7.Headless(); }

TestStage& HeadlessGame::StartStage(TestStage::FrameFn per_frame, TestStage::FrameFn on_initial) {
    g_StageEnd = false;
    g_ObjectPack.Call_Initial();
    g_StageSlot = g_ObjectPack.Spawn<TestStage>(1, VB_TRUE, std::move(per_frame), std::move(on_initial));
    SetUpStageDisplay();
    g_FrameCount = 0;
    return Stage();
}

TestStage& HeadlessGame::Stage() { return *ObjectAt<TestStage>(g_StageSlot); }

void HeadlessGame::Step(int frames, bool present) {
    for (int i = 0; i < frames; ++i) {
        ApplyPad();
        g_DX7.SetEventFrame(frame_);
        g_DDBPack.BltClear(-1);
        g_ObjectPack.Call_Events();
        if (present) Present();
        g_FrameCount += 1;  // every frame counts as shown, as in a run that keeps time
        ++frame_;
    }
}

void HeadlessGame::Present() {
    ApplyHitFlashRule();
    g_DDBPack.Blt();
    ShowBackScreenFullScreen();
}

// ---- Pad ---------------------------------------------------------------------------

void HeadlessGame::SetPad(const PadFrame& pad) {
    pad_fn_ = [pad](int) { return pad; };
}

void HeadlessGame::SetPadScript(std::vector<PadRun> runs) {
    const int start = frame_;
    pad_fn_ = [runs = std::move(runs), start](int frame) {
        int at = frame - start;
        for (const PadRun& run : runs) {
            if (at < run.frames) return run.pad;
            at -= run.frames;
        }
        return PadFrame{};
    };
}

void HeadlessGame::SetPadFunction(std::function<PadFrame(int frame)> pad) { pad_fn_ = std::move(pad); }

void HeadlessGame::ApplyPad() {
    PadFrame pad = pad_fn_ ? pad_fn_(frame_) : PadFrame{};
    std::uint32_t bits = 0;
    for (int b : pad.buttons)
        if (b >= 0 && b < 32) bits |= std::uint32_t{1} << b;
    Backend().SetPadState(pad.left, pad.right, pad.up, pad.down, bits);
}

// ---- Observations -------------------------------------------------------------------

std::vector<int> HeadlessGame::SoundsPlayed(int frame) const {
    std::vector<int> ids;
    for (const AudioCallRecord& call : g_DX7.Headless()->AudioCalls())
        if (call.op == AudioOp::DS_Play && (frame < 0 || call.frame == frame)) ids.push_back(call.id);
    return ids;
}

std::vector<AudioCallRecord> HeadlessGame::AudioCalls(AudioOp op) const {
    std::vector<AudioCallRecord> out;
    for (const AudioCallRecord& call : g_DX7.Headless()->AudioCalls())
        if (call.op == op) out.push_back(call);
    return out;
}

void HeadlessGame::ClearAudioCalls() { Backend().ClearAudioCalls(); }

const std::vector<MessageRecord>& HeadlessGame::Messages() const { return g_DX7.Headless()->Messages(); }

std::uint64_t HeadlessGame::FrameHash() const { return g_DX7.Headless()->FrameHash(); }

int HeadlessGame::PresentCount() const { return g_DX7.Headless()->PresentCount(); }

void HeadlessGame::ForEachObject(const std::function<void(GameObject*)>& visit) {
    for (int slot = g_ObjectPack.GetCQ7Object(0).Next_Pos; slot >= 0; slot = g_ObjectPack.GetCQ7Object(slot).Next_Pos) {
        CQ7Object& record = g_ObjectPack.GetCQ7Object(slot);
        if (slot >= CQ7ObjectPack::kMarkers && record.Ob && record.DeleteMe != VB_TRUE) visit(record.Ob.get());
    }
}

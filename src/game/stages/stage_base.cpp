#include "game/stages/stage_base.h"

#include <algorithm>
#include <string>

#include "app/program.h"
#include "app/zenit02.h"
#include "core/clock.h"
#include "core/q7_angle.h"
#include "game/player/my_ship.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "platform/q7_directx7.h"

namespace {

// One sound request: played when its cool-down has run out and the gate is
// open, then cleared either way (a request is never kept for later).
void ServeRequest(bool& request, std::int32_t& cool, int sound, std::int32_t cool_frames, bool gate_open) {
    if (cool > 0) --cool;
    if (cool == 0 && request && gate_open) {
        g_DX7.DS_Play(sound, 0);
        cool = cool_frames;
    }
    request = false;
}

// The music calls take effect in the synthesiser's own time, so the stage
// gives each a moment, keeping the window alive meanwhile.
void Pause(int ms) {
    Yield();
    SleepMs(ms);
}

}  // namespace

std::int32_t RankForScore(const RankRule& rule, std::int32_t score) {
    std::int32_t rank = 0;
    for (std::int32_t k = 0; k < rule.count; ++k)
        if (score >= rule.first_threshold + k * rule.step) rank = k + 1;
    return rank;
}

void ComposeWorkSprite(const WorkSprite& work) {
    CQ7Sprite256& target = g_DDBPack.GetSprite(work.id);
    target.SetUP(work.width, work.height, 0);
    if (work.transparent_ground)
        std::fill_n(target.DT.PixelWords(), target.DT.GetLongCount() + 1, 0xFFFFFFFFu);
    g_DDBPack.BltClear(-1);
    for (const WorkPiece& piece : work.pieces) {
        CQ7Sprite256& source = g_DDBPack.GetSprite(piece.sprite);
        if (work.corner_based_pieces) source.Pos.SetCenter_Base(VB_FALSE);
        // The pieces are placed by their top-left corner whatever their own base.
        CQ7Pos at;
        at.SetCenter_Base(VB_FALSE);
        at.ReSize(source.Pos.Width(), source.Pos.Height());
        at.Move(piece.x, piece.y);
        g_DDBPack.AddBlt(at, piece.sprite, 1, work.id, piece.mode);
    }
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);
    target.MaskReMake();
    target.Pos.SetCenter_Base(work.centre_based ? VB_TRUE : VB_FALSE);
}

void CStageBase::Call_Initial(int&) {
    // 1. Palette.
    Count = 0;
    g_Palette.Clear();
    for (const PaletteLoad& load : def_.palettes) g_Palette.SetUpText(GetPaletteText(load.text), load.first);

    // 2. A new game, or the rank raised from the score (it never falls).
    if (def_.rank.count == 0)
        SetNewGameValues();
    else
        RaiseRank();

    // 3. Work sprites.
    for (const WorkSprite& work : def_.work_sprites) ComposeWorkSprite(work);

    // 4. The ship; 5. the background, then the boss.
    g_MyShipSlot = g_ObjectPack.Spawn<CMyShip>(5, VB_FALSE);
    if (def_.background) def_.background();
    if (def_.boss) def_.boss();

    // 6..8. Random sequences, flags, rank-derived values.
    g_Angle.RndReset();
    if (def_.rnd16_start != 0) g_Angle.ReSet_Rnd16(def_.rnd16_start);
    g_ShadowsOn = def_.shadows;
    g_BulletsOff = false;
    if (def_.stage_no >= 2) g_NoDamage = false;
    SetRankValues();
    SetShieldTimes();

    // 9..11. The music, loaded and started paused.
    MusicStart = def_.music.start_count;
    StartMusicPaused(def_.music);
    Yield();
}

void CStageBase::RaiseRank() const {
    const std::int32_t candidate = RankForScore(def_.rank, g_Score);
    if (candidate > g_Rank) g_Rank = candidate;
}

void StartMusicPaused(const MusicSetup& m) {
    g_DX7.DM_LoadRes(m.segment, std::to_string(m.segment));
    Pause(500);
    g_DX7.DM_SetLoop(m.segment, m.loop_start, m.loop_end);
    Pause(100);
    g_DX7.DM_GM_Reset();
    Pause(100);
    g_DX7.DM_SetMasterVolume(m.master_volume);
    Pause(100);
    g_DX7.DM_Play(g_StageNo, -1);
    Pause(333);
    g_DX7.DM_PauseIn();
}

bool CStageBase::Call_Events() {
    // After the boss's defeat the player's attacks stop counting.
    if (g_BulletsOff) g_PlayerAttackList.Clear();
    ++Count;
    if (Count % 4 == 0) {
        g_Palette.Roll_UP(30, 16, -1);
        g_Palette.Roll_UP(51, 16, -1);
    }
    // The ship empties its own two lists; everyone re-registers this frame.
    for (CQ7PosList* list : {&g_HitList1, &g_HitList2, &g_EnemyBulletList, &g_MissileTargets, &g_ObstacleList})
        list->Clear();
    UpdateScoreRate();
    ServeSoundRequests();
    if (Count == MusicStart) g_DX7.DM_PauseOut();
    if (Count <= def_.last_scripted_frame) {
        RunScript(def_.script, Count);
        RunRules(Count);
    }
    return false;
}

bool CStageBase::GateOpen() const {
    switch (def_.gate) {
    case SoundGate::QuietDuringHitFlash: return g_HitFlash == 0;
    case SoundGate::Always: return true;
    case SoundGate::UntilBossDefeated: return !g_BulletsOff;
    }
    return true;
}

void CStageBase::ServeSoundRequests() {
    const bool open = GateOpen();
    ServeRequest(g_SeReq7, SeCool7, 7, 6, open);
    ServeRequest(g_SeReq5, SeCool5, 5, 6, open);
    ServeRequest(g_SeReq6, SeCool6, 6, 8, open);
    ServeRequest(g_SeReq8, SeCool8, 8, 8, open);
}

// CStageBase: what every stage object does, driven by the stage's table.
//
// A stage is the first object of the pack. Its set-up loads the palette,
// composes the stage's work sprites from resource pieces, creates the ship,
// the background and the boss, sets the rank and starts the music paused.
// Each frame it does the housekeeping the other objects rely on (hit lists
// cleared, score rate, sound requests with cool-downs, colour cycling, the
// music's start) and then runs its script until the last scripted frame.
//
// A stage class is a StageDef and nothing else; stages differ in data.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/game_object.h"
#include "core/q7_objectpack.h"
#include "game/stages/stage_script.h"
#include "game/stages/work_sprite.h"

struct PaletteLoad {
    std::int32_t text = 0;   // string resource 101..112
    std::int32_t first = 0;  // first palette index it fills
};

// Who may play the sound requests of the enemies.
enum class SoundGate {
    QuietDuringHitFlash,  // stage 1: nothing while the hit flash runs
    Always,               // stage 2
    UntilBossDefeated,    // stages 3..8: nothing once the enemy fire is off
};

// Rank from the score at the stage start. No thresholds: a new game
// (one ship, no weapon levels, score 0, rank 0).
struct RankRule {
    std::int32_t first_threshold = 0;
    std::int32_t step = 0;
    std::int32_t count = 0;  // thresholds; reaching the k-th gives rank k
};

struct MusicSetup {
    std::int32_t segment = 0;
    std::int32_t loop_start = 0, loop_end = 0;
    std::int32_t master_volume = 0;
    std::int32_t start_count = 0;  // MusicStart: the Count at which the paused music resumes
};

// Creates an object of the stage's own (background, boss) with
// NewObject(1, True) and its Call_Initial; returns the slot.
using StageObjectMaker = std::int32_t (*)();

struct StageDef {
    std::int32_t stage_no = 0;
    std::array<PaletteLoad, 3> palettes = {};
    std::span<const WorkSprite> work_sprites;
    StageObjectMaker background = nullptr;
    StageObjectMaker boss = nullptr;
    bool shadows = true;
    SoundGate gate = SoundGate::Always;
    RankRule rank;
    MusicSetup music;
    std::int32_t last_scripted_frame = 0;
    std::span<const ScriptEntry> script;
    std::int32_t rnd16_start = 0;  // where the 16-table's cursor starts after the reset
};

class CStageBase : public GameObject {
public:
    explicit CStageBase(const StageDef& def) : def_(def) {}

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    std::int32_t Count = 0;
    std::int32_t SeCool7 = 0, SeCool5 = 0, SeCool6 = 0, SeCool8 = 0;
    std::int32_t MusicStart = 0;

    const StageDef& Def() const { return def_; }

protected:
    // Script rules a table cannot hold (the random columns of the sky
    // stages, the spawn streams), run after the table on every scripted frame.
    virtual void RunRules(std::int32_t /*count*/) {}

private:
    void ServeSoundRequests();
    bool GateOpen() const;
    void RaiseRank() const;

    const StageDef& def_;
};

// Sets one sprite up as a work sprite from its pieces (set-up only: it uses
// the draw queue, which it leaves empty).
void ComposeWorkSprite(const WorkSprite& work);

// Loads the music, sets its loop, resets the synthesiser, sets the master
// volume and starts it paused (the caller resumes it later), giving each call
// a moment and keeping the window alive meanwhile.
void StartMusicPaused(const MusicSetup& music);

// The rank a score earns under the rule (0 with no thresholds).
std::int32_t RankForScore(const RankRule& rule, std::int32_t score);

// StageObjectMaker for a class: NewObject(1, True), a new T, Call_Initial.
template <class T>
std::int32_t MakeStageObject() {
    return g_ObjectPack.Spawn<T>(1, VB_TRUE);
}

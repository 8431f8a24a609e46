// Run tallies for zenit-tool sim and bench: what a run created and destroyed,
// by class, how often the ship was hit, and the busiest moments.
//
// It watches the object pack and only reads, so a run plays the same with
// it as without it. Classes are counted under their own names ("CEN001",
// "CBoss01"), except the enemy bullets (every Tama class), counted as
// "bullets", and the explosions (CSmoke), counted as "smokes".
//
// Destroyed: an object that gave the player points in the step it was
// removed in (shot down; a large enemy when its core goes), or a boss
// removed after its defeat gave points. What flies off screen is not.
//
// Hits: every time the ship lost a life to a hit. With --invincible the game
// ignores hits (g_NoDamage); then each contact the ship would have felt is
// counted, once per contact as a real hit would be: after one, no further
// contact counts for the shield time a hit would have given (g_ShieldHit).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "core/q7_objectpack.h"

// The name an object's class is counted under.
std::string TallyName(const std::type_info& type);

class RunTallies final : public ObjectPackWatch {
public:
    // `invincible`: the run sets g_NoDamage, so contacts are counted as hits.
    explicit RunTallies(bool invincible) : invincible_(invincible) {}

    void Spawned(int slot, const GameObject& ob) override;
    void BeforeStep(int slot, const GameObject& ob) override;
    void AfterStep(int slot, const GameObject& ob, bool remove) override;

    // A stage has been set up on an emptied pack: nothing of the last stage is alive.
    void StageStarted();
    // The frame is over: peaks are taken and the frame's spawns are kept for the trace.
    void EndFrame();

    const std::map<std::string, int>& SpawnedByName() const { return spawned_; }
    const std::map<std::string, int>& DestroyedByName() const { return destroyed_; }
    int Hits() const { return hits_; }
    int PeakObjects() const { return peak_objects_; }
    int PeakEnemyBullets() const { return peak_bullets_; }
    int EnemyBullets() const { return live_bullets_; }

    // For the frame EndFrame closed: ,"spawned":{...} (only when something
    // was created in it),"enemy_bullets":N
    std::string FrameFields() const;

private:
    struct Group {
        std::string name;
        bool bullet = false;
        bool boss = false;
    };
    struct SlotState {
        const GameObject* ob = nullptr;  // the object spawned into the slot
        const Group* group = nullptr;
    };

    const Group& GroupOf(const GameObject& ob);
    void ShipStepped();

    bool invincible_;
    std::unordered_map<std::type_index, Group> groups_;
    std::vector<SlotState> slots_ = std::vector<SlotState>(CQ7ObjectPack::kSlots);
    std::vector<bool> scored_ = std::vector<bool>(CQ7ObjectPack::kSlots);  // gave points at some step
    std::map<std::string, int> spawned_, destroyed_;
    std::map<std::string, int> frame_spawned_, last_frame_spawned_;
    int hits_ = 0;
    int live_bullets_ = 0;
    int peak_objects_ = 0;
    int peak_bullets_ = 0;

    // The step in progress.
    int score_before_ = 0;
    int lives_before_ = 0;
    int mtc_before_ = 0;
    bool no_damage_before_ = false;
    std::uint64_t pad_reads_before_ = 0;
    int shield_ = 0;  // frames a counted contact keeps the ship from counting another
};

// A name -> count map as a JSON object.
std::string CountsJson(const std::map<std::string, int>& counts);

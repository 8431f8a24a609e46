// The object pack: every live game object in one ordered list.
//
// A fixed array of slot records, linked into a doubly linked list whose order
// is the stepping order of a frame (and so the order in which objects queue
// their sprites within a drawing layer). Slots 0..10 are permanent markers
// that split the list into groups:
//
//   M0, group 0, M1, group 1, ..., M9, group 9, M10
//
// NewObject(L, VB_TRUE) appends to group L-1 (just before marker L);
// NewObject(L, VB_FALSE) prepends to group L (just after marker L). The game
// uses: (1,T) stage; (2,T)/(2,F) backgrounds; (3,T) enemies; (4,T) enemy
// bullets; (5,F) the ship; (6,T) shots and explosions; (7,T) late effects.
//
// Creating an object: slot = NewObject(...), set GetCQ7Object(slot).Ob, then
// GetCQ7Object(slot).Call_Initial(); Spawn<T>(...) does all three.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <utility>

#include "core/game_object.h"
#include "core/vb.h"

// Looks on as the pack works, for tools that count what a run creates.
// Nothing in the game installs one; without it the pack pays one test per
// object and step.
class ObjectPackWatch {
public:
    virtual ~ObjectPackWatch() = default;
    // An object made by Spawn, after its Call_Initial.
    virtual void Spawned(int slot, const GameObject& ob) = 0;
    // Around one object's step; `remove` is what its Call_Events answered.
    virtual void BeforeStep(int slot, const GameObject& ob) = 0;
    virtual void AfterStep(int slot, const GameObject& ob, bool remove) = 0;
};

// One slot record: links the slot into the list and owns its game object.
class CQ7Object {
public:
    std::int32_t ID = 0;
    std::int32_t Next_Pos = -1;  // -1 at the end of the list
    std::int32_t Prev_Pos = -1;  // -1 before the first
    std::unique_ptr<GameObject> Ob;
    VBool DeleteMe = VB_FALSE;  // removed when the next step reaches it

    // Steps the object and records whether it asked to be removed.
    void Call_Events() { DeleteMe = ToVBool(Ob->Call_Events()); }
    // Passes the object a copy of the slot index, so it cannot renumber the slot.
    void Call_Initial() {
        int slot = ID;
        Ob->Call_Initial(slot);
    }
};

class CQ7ObjectPack {
public:
    static constexpr int kSlots = 8193;     // indices 0..8192
    static constexpr int kMarkers = 11;     // slots 0..10
    static constexpr int kSearchMask = 8191;  // slot 8192 is never handed out

    CQ7ObjectPack();
    CQ7ObjectPack(const CQ7ObjectPack&) = delete;
    CQ7ObjectPack& operator=(const CQ7ObjectPack&) = delete;

    // Game objects in the list, markers not counted.
    std::int32_t GetObjectCount() const;

    // Takes a free slot, links an empty record next to marker Layer and
    // returns its index. Only exactly VB_TRUE as Down appends to the group
    // before the marker; anything else prepends to the group after it.
    //
    // The free-slot search starts at a rotating cursor and goes at most one
    // lap; when all 8181 usable slots are taken it returns -1 and links
    // nothing (the game never gets there). A marker that would leave the
    // group structure (Layer outside 1..10 with Down, outside 0..9 without)
    // is refused with -1 as well.
    std::int32_t NewObject(int Layer, VBool Down);
    std::int32_t NewObject(int Layer, int Down) { return NewObject(Layer, ClampFlag(Down)); }
    std::int32_t NewObject(int Layer, bool Down) = delete;  // C++ true is 1, not True

    // NewObject, a new T(args...) as its object, then its Call_Initial.
    // Returns the slot, or -1 without creating anything when the pack is full.
    template <class T, class... A>
    std::int32_t Spawn(int layer, VBool down, A&&... args) {
        std::int32_t slot = NewObject(layer, down);
        if (slot < 0) return -1;
        CQ7Object& record = slots_[slot];
        record.Ob = std::make_unique<T>(std::forward<A>(args)...);
        record.Call_Initial();
        if (watch_) watch_->Spawned(slot, *record.Ob);
        return slot;
    }
    template <class T, class... A>
    std::int32_t Spawn(int layer, int down, A&&... args) {
        return Spawn<T>(layer, ClampFlag(down), std::forward<A>(args)...);
    }
    template <class T, class... A>
    std::int32_t Spawn(int layer, bool down, A&&... args) = delete;

    // Steps every object once in list order. An object flagged in an earlier
    // step is removed when the walk reaches it instead of being stepped.
    void Call_Events();

    // No check: the slot must be occupied (a free slot has no Ob).
    CQ7Object& GetCQ7Object(int slot) { return slots_[slot]; }
    bool IsOccupied(int slot) const { return occupied_[slot]; }

    // Unlinks the slot and frees it, destroying its object.
    void DeleteObject(std::int32_t slot);
    // Link slot ID right after / right before slot Layer.
    void Insert_UP(int ID, int Layer);
    void Insert_Down(int ID, int Layer);

    // Empties the pack (destroying every object) and rebuilds the markers.
    void Call_Initial();

    // Installs a watch (null: none); the caller keeps it alive while installed.
    void SetWatch(ObjectPackWatch* watch) { watch_ = watch; }

private:
    // Blanks the record and destroys its object (the slot must be unlinked).
    void FreeSlot(int slot);
    static VBool ClampFlag(int v) { return v == -1 ? VB_TRUE : (v == 0 ? VB_FALSE : VBool{1}); }

    std::array<CQ7Object, kSlots> slots_{};
    std::array<bool, kSlots> occupied_{};
    std::int32_t cursor_ = 0;  // where the next free-slot search starts; never reset
    ObjectPackWatch* watch_ = nullptr;
};

extern CQ7ObjectPack g_ObjectPack;

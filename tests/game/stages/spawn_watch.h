// SpawnWatch: which objects a frame created.
//
// Call Update() after each step; New<T>() then counts the objects of class T
// that appeared in that step. An object is new when its slot was free (or
// held another object) after the previous step; the pack hands out slots
// from a rotating cursor, so a slot freed in a step is not taken again in
// the same step.
#pragma once

#include <map>
#include <vector>

#include "core/q7_objectpack.h"

class SpawnWatch {
public:
    SpawnWatch() { Update(); }

    void Update() {
        std::map<int, const GameObject*> now;
        for (int slot = g_ObjectPack.GetCQ7Object(0).Next_Pos; slot >= 0;
             slot = g_ObjectPack.GetCQ7Object(slot).Next_Pos) {
            CQ7Object& record = g_ObjectPack.GetCQ7Object(slot);
            if (slot >= CQ7ObjectPack::kMarkers && record.Ob) now[slot] = record.Ob.get();
        }
        fresh_.clear();
        for (const auto& [slot, ob] : now) {
            auto it = live_.find(slot);
            if (it == live_.end() || it->second != ob) fresh_.push_back(ob);
        }
        live_ = std::move(now);
    }

    template <class T>
    int New() const {
        int n = 0;
        for (const GameObject* ob : fresh_)
            if (dynamic_cast<const T*>(ob)) ++n;
        return n;
    }
    int NewTotal() const { return static_cast<int>(fresh_.size()); }
    // The new objects of class T themselves.
    template <class T>
    std::vector<const T*> Fresh() const {
        std::vector<const T*> out;
        for (const GameObject* ob : fresh_)
            if (const T* t = dynamic_cast<const T*>(ob)) out.push_back(t);
        return out;
    }

private:
    std::map<int, const GameObject*> live_;
    std::vector<const GameObject*> fresh_;
};

#include "tallies.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "app/zenit02.h"
#include "core/q7_poslist.h"
#include "game/player/my_ship.h"
#include "platform/q7_directx7.h"

std::string TallyName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                     std::free);
    std::string name = status == 0 && demangled ? demangled.get() : type.name();
    if (std::size_t colons = name.rfind("::"); colons != std::string::npos) name = name.substr(colons + 2);
    if (name.find("Tama") != std::string::npos) return "bullets";  // CTama ... CTama8 and their bases
    if (name == "CSmoke") return "smokes";
    return name;
}

std::string CountsJson(const std::map<std::string, int>& counts) {
    std::string out = "{";
    for (const auto& [name, n] : counts) out += (out.size() > 1 ? ",\"" : "\"") + name + "\":" + std::to_string(n);
    return out + "}";
}

const RunTallies::Group& RunTallies::GroupOf(const GameObject& ob) {
    auto [it, added] = groups_.try_emplace(std::type_index(typeid(ob)));
    if (added) {
        it->second.name = TallyName(typeid(ob));
        it->second.bullet = it->second.name == "bullets";
        it->second.boss = it->second.name.rfind("CBoss", 0) == 0;
    }
    return it->second;
}

void RunTallies::Spawned(int slot, const GameObject& ob) {
    const Group& group = GroupOf(ob);
    slots_[static_cast<std::size_t>(slot)] = {&ob, &group};
    scored_[static_cast<std::size_t>(slot)] = false;
    ++spawned_[group.name];
    ++frame_spawned_[group.name];
    if (group.bullet) ++live_bullets_;
}

void RunTallies::BeforeStep(int slot, const GameObject&) {
    score_before_ = g_Score;
    if (slot != g_MyShipSlot) return;
    const CMyShip* ship = MyShip();
    lives_before_ = g_Lives;
    mtc_before_ = ship ? ship->MTC : 0;
    no_damage_before_ = g_NoDamage;
    pad_reads_before_ = g_DX7.PadReads();
}

void RunTallies::AfterStep(int slot, const GameObject& ob, bool remove) {
    if (slot == g_MyShipSlot) ShipStepped();
    SlotState& state = slots_[static_cast<std::size_t>(slot)];
    if (state.ob != &ob) return;  // not made by Spawn (the stage object, a marker)
    const bool scored_now = g_Score > score_before_;
    if (scored_now) scored_[static_cast<std::size_t>(slot)] = true;
    if (!remove) return;
    if (scored_now || (state.group->boss && scored_[static_cast<std::size_t>(slot)])) ++destroyed_[state.group->name];
    if (state.group->bullet) --live_bullets_;
    state = {};
}

void RunTallies::ShipStepped() {
    if (g_Lives < lives_before_) {
        ++hits_;
        return;
    }
    // Only a ship in flight reads the pad, and only a ship in flight is hit.
    const bool flew = g_DX7.PadReads() != pad_reads_before_;
    if (!invincible_ || !flew || !no_damage_before_ || g_BulletsOff) return;
    shield_ = std::max(shield_ - 1, 0);
    const int mtc_at_test = std::max(mtc_before_ - 1, 0);
    if (mtc_at_test > 0 || shield_ > 0) return;
    // The lists as the ship saw them: nothing after it in the frame adds to these two.
    if (g_HitList2.GetDamage1(g_MyShipPos) == 1 || g_EnemyBulletList.GetDamage1(g_MyShipPos) == 1) {
        ++hits_;
        shield_ = g_ShieldHit;
    }
}

void RunTallies::StageStarted() {
    live_bullets_ = 0;
    shield_ = 0;
    // The pack was emptied: forget whatever is no longer in its slot (a new
    // object may even sit at the same address, like the new stage object).
    for (int slot = 0; slot < CQ7ObjectPack::kSlots; ++slot) {
        SlotState& state = slots_[static_cast<std::size_t>(slot)];
        if (state.ob && (slot == g_StageSlot || !g_ObjectPack.IsOccupied(slot) ||
                         g_ObjectPack.GetCQ7Object(slot).Ob.get() != state.ob))
            state = {};
    }
}

void RunTallies::EndFrame() {
    peak_objects_ = std::max(peak_objects_, g_ObjectPack.GetObjectCount());
    peak_bullets_ = std::max(peak_bullets_, live_bullets_);
    last_frame_spawned_.swap(frame_spawned_);
    frame_spawned_.clear();
}

std::string RunTallies::FrameFields() const {
    std::string out;
    if (!last_frame_spawned_.empty()) out = ",\"spawned\":" + CountsJson(last_frame_spawned_);
    return out + ",\"enemy_bullets\":" + std::to_string(live_bullets_);
}

#include "game/enemies/boss02.h"

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/en011.h"
#include "game/enemies/en012.h"
#include "gfx/q7_ddbpack256.h"

namespace {

constexpr std::int32_t kEntry = 600;
constexpr std::int32_t kFirstAttack = kEntry + 1;
constexpr std::int32_t kTurretInterval = 70;  // before the rank
constexpr std::int32_t kEscortEntry = 30;     // untouchable while leaving the bay
constexpr std::int32_t kBayDY = 52;           // the bay's doors on the fortress's front
constexpr std::int32_t kPatrolDY = 72;        // the patrollers' row in front of it
constexpr std::int32_t kBayOpenFrames = 40;
constexpr std::int32_t kHatchLayer = 4;       // under the turrets (layer 4, stepped later)
constexpr std::int32_t kHatchClosed = 6026;   // 6026..6029: shut to open

constexpr BossOffset kSmokes[] = {
    {0, 0},    {-40, -20}, {40, 20},  {-44, -16}, {44, 24},  {-20, 30}, {24, -28}, {-60, 10},
    {60, -10}, {-8, -36},  {10, 38},  {-52, 34},  {50, -34}, {-30, 0},  {30, 4},   {-64, -30},
    {66, 30},  {0, 20},    {-16, 12}, {18, -10},  {-36, 40}, {38, -40}, {-70, 0},  {70, 8},
};

const BossProfile kProfile = {
    .wake_frame = 13200,
    .entry_frames = kEntry,
    .score = 15000,
    .start_x = 160,
    .start_y = 0,  // set from the map at set-up
    .first_attack = kFirstAttack,
    .attack_interval = 30,
    .main = {136, 80, 0, 0},
    .body_sprite = 6021,
    .body_layer = 3,
    .ground = true,
    .defeat_smokes = kSmokes,
    .wreck_sprite = 235,
    .wreck_layer = 2,
};
constexpr std::int32_t kBayOpenSprite = 6022;

std::int32_t MapTop() { return g_DDBPack.GetSprite(1).Pos.Top(); }

template <class T>
const T* ObjectIn(std::int32_t slot) {
    if (slot < 0 || !g_ObjectPack.IsOccupied(slot)) return nullptr;
    return dynamic_cast<const T*>(g_ObjectPack.GetCQ7Object(slot).Ob.get());
}

}  // namespace

CBoss02::CBoss02() : CBoss(kProfile) {}

std::int32_t CBoss02::StartHitPoints() const { return 25000 * g_Rank + 250000; }

void CBoss02::SetUp() { RideTheMap(); }

void CBoss02::RideTheMap() { y_ = base_y_ = kRestY + MapTop(); }

void CBoss02::EntryMove(std::int32_t t) {
    RideTheMap();
    DrawHatches(t);
}

void CBoss02::FightMove(std::int32_t t) {
    RideTheMap();
    DrawHatches(t);
}

std::int32_t CBoss02::BodySprite() const { return T() <= bay_open_until_ ? kBayOpenSprite : profile_.body_sprite; }

// A well's turret stands while its slot holds a turret at that well.
bool CBoss02::TurretStands(std::int32_t mode) const {
    const CEN011* turret = ObjectIn<CEN011>(turret_slot_[mode]);
    return turret && RoundHalfEven(turret->X()) == RoundHalfEven(160 + kWells[mode].dx);
}

bool CBoss02::PatrolFlies() const { return ObjectIn<CEN012>(patrol_slot_) != nullptr; }

// A slot just handed out held nothing of ours any more.
void CBoss02::Took(std::int32_t slot) {
    for (std::int32_t& kept : turret_slot_)
        if (kept == slot) kept = -1;
    if (patrol_slot_ == slot) patrol_slot_ = -1;
}

void CBoss02::Attack(std::int32_t t) {
    const std::int32_t since = t - kFirstAttack;
    if (since % kTurretEvery == 0) {
        for (std::int32_t mode = 0; mode < 2; ++mode) {
            if (TurretStands(mode)) continue;
            const std::int32_t first_shot = 120 - 10 * g_Rank + 5 * g_Angle.Rnd8(-1);
            const std::int32_t slot = SpawnBossTurret(mode, first_shot, kTurretInterval);
            Took(slot);
            turret_slot_[mode] = slot;
        }
    }
    if (since % kEscortEvery == kEscortEvery / 2) {
        const std::int32_t mode = escorts_ % 2;
        ++escorts_;
        if (mode == 1 && PatrolFlies()) return;
        const std::int32_t slot = SpawnBossEscort(y_ + (mode == 0 ? kBayDY : kPatrolDY), mode, kEscortEntry);
        Took(slot);
        if (mode == 1) patrol_slot_ = slot;
        bay_open_until_ = t + kBayOpenFrames;
    }
}

void CBoss02::DrawHatches(std::int32_t t) const {
    // Frames until the next set-down, counted from the fight's first frame.
    const std::int32_t due = t < kFirstAttack ? kFirstAttack - t : (kTurretEvery - (t - kFirstAttack) % kTurretEvery) % kTurretEvery;
    for (std::int32_t mode = 0; mode < 2; ++mode) {
        std::int32_t picture = kHatchClosed;
        if (TurretStands(mode))
            picture = kHatchClosed + 3;
        else if (due < kHatchFrames)
            picture = kHatchClosed + 3 - due / (kHatchFrames / 3);
        CQ7Pos at;
        g_DDBPack.GetSprite(picture).Pos.Copy(at);
        at.Move(RoundX() + kWells[mode].dx, RoundY() + kWells[mode].dy);
        g_DDBPack.AddBlt(at, picture, kHatchLayer, 0, 0);
    }
}

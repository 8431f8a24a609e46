#include "game/enemies/boss04.h"

#include "core/q7_angle.h"
#include "gfx/q7_ddbpack256.h"

namespace {

using boss04::kGuns;
using boss04::kGunSize;

constexpr std::int32_t kBody = 6030, kShadow = 6033, kGunShut = 6031, kGunLit = 6032;
constexpr std::int32_t kFirstRings[] = {601, 801, 1001};
constexpr double kCentreX = 160, kCentreY = 100;
constexpr double kSway = 80, kBob = 30;
constexpr double kSwayStep = 0.5, kBobStep = 1.0;  // degrees per frame

// The three gun wells (taking the damage), then the hull (blocking the ship).
constexpr BossRect kParts[] = {
    {kGunSize, kGunSize, kGuns[0].dx, kGuns[0].dy},
    {kGunSize, kGunSize, kGuns[1].dx, kGuns[1].dy},
    {kGunSize, kGunSize, kGuns[2].dx, kGuns[2].dy},
    {120, 36, 0, -20},  // the broad stern of the deck
};

// The sink from y -40 to y 100, braking as it comes, then a still hover.
constexpr DescentStep kEntry[] = {{240, 0.3}, {400, 0.25}, {500, 0.2}, {580, 0.1}, {600, 0}};

constexpr BossOffset kSmokes[] = {
    {0, 0},    {-38, 4},   {38, 4},   {0, -26},  {-20, -24}, {20, -24}, {-56, -20}, {56, -20}, {-10, 8},
    {12, 12},  {-30, 14},  {30, 14},  {-46, 2},  {46, 2},    {0, -34},  {-14, 36},  {14, 38},   {-60, -4},
    {60, -6},  {-24, -36}, {26, -38}, {-4, 44},  {-40, 26},  {40, 28},
};

const BossProfile kProfile = {
    .wake_frame = 11700,
    .entry_frames = 600,
    .score = 30000,
    .start_x = 160,
    .start_y = -40,
    .first_attack = kFirstRings[0],
    .attack_interval = 1,  // every frame from the first ring on; each gun keeps its own time
    .main = {96, 64, 0, 0},
    .body_sprite = kBody,
    .body_offset = {0, 0},
    .body_layer = 24,
    .shadow_sprite = kShadow,
    .shadow_offset = {32, 40},
    .parts = kParts,
    .defeat_smokes = kSmokes,
};

}  // namespace

CBoss04::CBoss04() : CBoss(kProfile) {
    for (std::size_t g = 0; g < next_ring_.size(); ++g) next_ring_[g] = kFirstRings[g];
}

std::int32_t CBoss04::StartHitPoints() const { return 30000 * g_Rank + 300000; }

std::int32_t CBoss04::RearmFrames() { return 130 - 10 * g_Rank; }

void CBoss04::EntryMove(std::int32_t t) {
    t_ = t;
    Descend(kEntry, t);
}

void CBoss04::FightMove(std::int32_t t) {
    t_ = t;
    a_ += kSwayStep;
    if (a_ >= 360) a_ -= 360;
    b_ += kBobStep;
    if (b_ >= 360) b_ -= 360;
    x_ = kCentreX + kSway * CQ7Pos::GetSin(a_);
    y_ = kCentreY + kBob * CQ7Pos::GetSin(b_);
}

void CBoss04::Attack(std::int32_t t) {
    for (std::size_t g = 0; g < kGuns.size(); ++g) {
        if (t != next_ring_[g]) continue;
        next_ring_[g] += RearmFrames() + 3 * g_Angle.Rnd32(-1);  // 0 .. 93 frames more
        const double x = RoundX() + kGuns[g].dx, y = RoundY() + kGuns[g].dy;
        for (std::int32_t dir = 0; dir < kRingSize; ++dir) FireTama(x, y, dir, kRingOffset, 0);
    }
}

std::int32_t CBoss04::Damage() const {
    std::int32_t d = 0;
    for (std::size_t g = 0; g < kGuns.size(); ++g) d += g_PlayerAttackList.GetDamage(Gun(g));
    return d;
}

void CBoss04::DrawOnBody(std::int32_t, std::int32_t, std::int32_t mode) {
    for (std::size_t g = 0; g < kGuns.size(); ++g) {
        const std::int32_t wait = next_ring_[g] - t_;
        const bool lit = wait > 0 && wait <= kWarnFrames;
        g_DDBPack.AddBlt(Gun(g), lit ? kGunLit : kGunShut, profile_.body_layer, 0, mode);
    }
}

#include "game/enemies/boss08.h"

#include <algorithm>
#include <cstdlib>

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/tama_bomb.h"
#include "gfx/q7_ddbpack256.h"

namespace {

constexpr std::int32_t kDescentEnd = 460;  // 138 rows down: the core settles at y 98
constexpr double kDescent = 0.3;
constexpr double kSwayStep = 0.45, kSway = 44, kBob = 6;  // degrees a frame; pixels

// The two launchers either side of the core; their hatches open as they throw.
constexpr std::int32_t kLauncher = 6079, kLauncherOpen = 6080, kLauncherLayer = 19;
constexpr std::int32_t kLauncherDX = 100, kLauncherDY = 6;
constexpr std::int32_t kHatchFrames = 8;
// A bomb leaves from the top of its launcher.
constexpr std::int32_t kMuzzleDY = kLauncherDY - 24;

// The launchers throw on every attack step (every 3 frames), each in turn,
// to a phrase of 32 steps (96 frames) the player can learn. Most throws are
// small kinds that fire one aimed shot, each only in a narrow case: crimson
// darts as they pass 150..160 pixels from the ship, gold canisters from the
// bottom edge when far, and the bulk, bone eggs, only when shot down far
// away (they punish firing blindly up a crowded lane). Every phrase ends on a
// violet ring, every fourth on the heavy ring; a heavy accent falls in the
// middle of every phrase at rank 0, of every second, third and fourth as the
// rank rises, and the darts give way to eggs: the rank already speeds every
// shot and doubles the fight's length.
constexpr std::int32_t A = 6081, B = 6082, E = 6083, R = 6084;  // small: dart, canister, egg, ring
constexpr std::int32_t HA = 6085, HB = 6086, HE = 6087, HR = 6088;
constexpr std::int32_t kPhraseSteps = 32, kAccentStep = 15, kRingStep = 31;
constexpr std::int32_t kPhrase[kPhraseSteps] = {
    A, E, E, E, B, E, A, E, A, E, E, A, E, E, B, E,  // 15: the accent's place
    A, E, E, E, B, E, A, E, A, E, E, A, E, E, B, R,  // 31: the ring's
};
constexpr std::int32_t kAccents[] = {HE, HA, HE, HB};  // in turn
constexpr std::int32_t kHeavyRingEvery = 4;            // phrases
// Which darts (in phrase order) stay longest as the rank rises: those left
// stay spread over the phrase.
constexpr std::int32_t kDartOrder[] = {0, 4, 2, 6, 1, 5, 3, 7};

// The columns keep clear of the edges, where half of a ring would be wasted.
constexpr std::int32_t kTargetMin = 20, kTargetMax = 300;

// The core's body takes damage through the main rectangle, the launchers
// through their own; both are on the ground list the ship flies over.
constexpr std::int32_t kLauncherHit = 56;
constexpr BossRect kParts[] = {
    {kLauncherHit, kLauncherHit, -kLauncherDX, kLauncherDY},
    {kLauncherHit, kLauncherHit, kLauncherDX, kLauncherDY},
};

constexpr BossOffset kSmokes[] = {
    {0, 0},     {-20, -18}, {22, 16},   {-40, 10},  {40, -12},  {-8, 36},   {10, -40},  {-60, -24},
    {60, 26},   {-72, 6},   {72, -4},   {-30, 40},  {30, -42},  {0, 20},    {-16, -2},  {16, 4},
    {-100, 0},  {100, 2},   {-92, 24},  {92, -22},  {-108, -20}, {108, 22}, {-50, -40}, {50, 42},
    {-84, 34},  {84, -36},  {0, -30},   {-4, 46},
};

const BossProfile kProfile = {
    .wake_frame = CBoss08::kWakeFrame,
    .entry_frames = 600,
    .score = 100000,
    .start_x = 160,
    .start_y = -40,
    .first_attack = 601,
    .attack_interval = 3,
    .main = {176, 96, 0, -8},
    .body_sprite = 6078,
    .body_layer = 18,
    .shadow_sprite = 4368,
    .shadow_offset = {22, 30},
    .parts = kParts,
    .ground = true,
    .stops_music = true,
    .defeat_smokes = kSmokes,
};

}  // namespace

CBoss08::CBoss08() : CBoss(kProfile) {}

std::int32_t CBoss08::AccentEvery(std::int32_t rank) { return 1 + rank / 3; }

std::int32_t CBoss08::DartsPerPhrase(std::int32_t rank) { return 8 - (rank * 6 + 5) / 10; }

std::int32_t CBoss08::TypeAt(std::int32_t step, std::int32_t rank) {
    const std::int32_t phrase = step / kPhraseSteps, at = step % kPhraseSteps;
    if (at == kRingStep) return phrase % kHeavyRingEvery == kHeavyRingEvery - 1 ? HR : R;
    if (at == kAccentStep && phrase % AccentEvery(rank) == 0)
        return kAccents[phrase / AccentEvery(rank) % std::size(kAccents)];
    if (kPhrase[at] != A) return kPhrase[at];
    const std::int32_t dart = static_cast<std::int32_t>(std::count(kPhrase, kPhrase + at, A));
    return kDartOrder[dart] < DartsPerPhrase(rank) ? A : E;
}

void CBoss08::EntryMove(std::int32_t t) {
    if (t <= kDescentEnd) {
        y_ += kDescent;
        base_y_ += kDescent;
    }
    DrawLaunchers();
}

void CBoss08::FightMove(std::int32_t) {
    sway_ += kSwayStep;
    if (sway_ >= 360) sway_ -= 360;
    x_ = base_x_ + kSway * CQ7Pos::GetSin(sway_);
    y_ = base_y_ + kBob * CQ7Pos::GetSin(sway_ * 2);
    for (std::int32_t& open : open_)
        if (open > 0) --open;
    DrawLaunchers();
}

void CBoss08::SetUp() {
    g_DDBPack.GetSprite(kLauncher).Pos.Copy(launcher_);
    for (CQ7Pos& hit : launcher_hit_) hit.ReSize(kLauncherHit, kLauncherHit);
}

// The launchers are weak points too: what hits them counts with the body.
std::int32_t CBoss08::Damage() const {
    std::int32_t d = CBoss::Damage();
    for (const CQ7Pos& hit : launcher_hit_) d += g_PlayerAttackList.GetDamage(hit);
    return d;
}

void CBoss08::DrawLaunchers() {
    const std::int32_t x = RoundX(), y = RoundY();
    const std::int32_t mode = Flash() == 4 ? 2 : 0;
    for (std::int32_t side = 0; side < 2; ++side) {
        const std::int32_t lx = x + (side == 0 ? -kLauncherDX : kLauncherDX), ly = y + kLauncherDY;
        launcher_.Move(lx, ly);
        launcher_hit_[side].Move(lx, ly);
        g_DDBPack.AddBlt(launcher_, open_[side] > 0 ? kLauncherOpen : kLauncher, kLauncherLayer, 0, mode);
    }
}

void CBoss08::Attack(std::int32_t) {
    const std::int32_t step = step_++;
    attack_step_ = step_ % kPhraseSteps;
    Throw(TypeAt(step, g_Rank), step % 2);
}

// A column anywhere over the field, at least kMinSpacing from the last one.
std::int32_t CBoss08::PickTarget() {
    std::int32_t x = 0;
    do {
        x = kTargetMin + g_Angle.Rnd320(-1) * (kTargetMax - kTargetMin) / 319;
    } while (std::abs(x - last_target_) < kMinSpacing);
    last_target_ = x;
    return x;
}

void CBoss08::Throw(std::int32_t type, std::int32_t side) {
    const double x = RoundX() + (side == 0 ? -kLauncherDX : kLauncherDX);
    const double y = RoundY() + kMuzzleDY;
    const std::int32_t target = PickTarget();
    g_SpawnParam.X = x;
    g_SpawnParam.Y = y;
    // It drifts over to its column while it climbs out of sight.
    g_SpawnParam.DX = (target - x) / CBombTama::kRiseFrames;
    g_SpawnParam.DY = g_BulletSpeed - 1.0;
    g_SpawnParam.Sprite = type;
    last_type_ = type;
    g_SpawnParam.Level = target;
    g_ObjectPack.Spawn<CTama7>(3, VB_TRUE);
    open_[side] = kHatchFrames;
}

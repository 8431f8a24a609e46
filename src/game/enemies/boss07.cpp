#include "game/enemies/boss07.h"

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/boss07_layout.h"
#include "game/enemies/tama_velocity.h"
#include "gfx/q7_ddbpack256.h"

namespace {

using namespace boss07;

// The stage-1 boss's descent without its last lift (t 221..230).
constexpr std::int32_t kNoLiftFirst = 221, kNoLiftLast = 230;

constexpr BossRect kParts[] = {{kSpinalGun.w, kSpinalGun.h, kSpinalGun.dx, kSpinalGun.dy}};

constexpr BossOffset kSmokes[] = {
    {0, 0},     {7, 40},    {-14, -20}, {20, -36},  {-20, 30},  {10, -54},  {-6, 56},   {30, 10},
    {-30, -6},  {-50, 20},  {50, 20},   {-70, 8},   {70, 8},    {-88, 14},  {88, 14},   {-40, -10},
    {40, -10},  {-22, 48},  {22, 48},   {0, -40},   {-60, 26},  {60, 26},   {14, 24},   {-10, 10},
};

const BossProfile kProfile = {
    .wake_frame = 11300,
    .entry_frames = 300,
    .score = 70000,
    .start_x = 160,
    .start_y = -104,
    .first_attack = 310,
    .attack_interval = 10,
    .main = {kHull.w, kHull.h, kHull.dx, kHull.dy},
    .body_sprite = kSprite,
    .body_offset = {0, 0},
    .body_layer = 24,
    .parts = kParts,
    .defeat_smokes = kSmokes,
};

// The cycle of 24 steps (one every 10 frames): a burst of four from the
// spinal gun at steps 1..4 and 13..16, a pair of bouncing bullets on every
// fourth step, the pairs taken from the muzzle table in turn.
constexpr bool SpinalStep(std::int32_t step) { return (step >= 1 && step <= 4) || (step >= 13 && step <= 16); }
constexpr bool PairStep(std::int32_t step) { return step % 4 == 0; }
constexpr double kSpinalSpeed = 2.0;  // at every rank: slow enough to step out of its line
// The muzzle glows for the two steps before each burst.
constexpr bool WarnStep(std::int32_t step) { return step == 23 || step == 24 || step == 11 || step == 12; }
constexpr std::int32_t kGlowSprite = 243, kGlowLayer = 25;
constexpr double kBounceSpeed = 0.8;   // of the rank's bullet speed
constexpr double kSpreadDegrees = 2;   // per step of Rnd16 from the middle: up to 15 either way
constexpr std::int32_t kPairs = std::size(kMuzzles) / 2;

void FireBouncing(double x, double y, double heading) {
    const double speed = g_BulletSpeed * kBounceSpeed;
    g_SpawnParam.X = x;
    g_SpawnParam.Y = y;
    g_SpawnParam.DX = CQ7Pos::GetCos(heading) * speed;
    g_SpawnParam.DY = CQ7Pos::GetSin(heading) * speed;
    g_SpawnParam.Sprite = CSmallVelocityTama::kEnemySprite;
    g_ObjectPack.Spawn<CTama4>(4, VB_TRUE);
}

}  // namespace

CBoss07::CBoss07() : CBoss(kProfile) {}

void CBoss07::SetUp() { g_DDBPack.GetSprite(kGlowSprite).Pos.Copy(glow_); }

void CBoss07::EntryMove(std::int32_t t) {
    // Its first frame awake rewinds the random tables instead of moving.
    if (t == 1) {
        g_Angle.RndReset();
        return;
    }
    if (t < kNoLiftFirst || t > kNoLiftLast) Descend(kBossDescent, t);
}

void CBoss07::FightMove(std::int32_t) {
    sway_ += 0.4;
    if (sway_ >= 360) sway_ -= 360;
    bob_ += 1.0;
    if (bob_ >= 360) bob_ -= 360;
    x_ = base_x_ + 70 * CQ7Pos::GetSin(sway_);
    y_ = base_y_ + 8 * CQ7Pos::GetSin(bob_);
    // The spinal gun warms up before it fires (it is drawn where the body is drawn this frame).
    if (WarnStep(attack_step_)) {
        glow_.Move(RoundX() + kGunDX, RoundY() + kGunDY);
        g_DDBPack.AddBlt(glow_, kGlowSprite, kGlowLayer, 0, 0);
    }
}

void CBoss07::Attack(std::int32_t) {
    attack_step_ = attack_step_ % kCycle + 1;
    const double x = RoundX(), y = RoundY();
    if (SpinalStep(attack_step_)) FireTama(x + kGunDX, y + kGunDY, 4, 0, kSpinalSpeed - g_BulletSpeed);
    if (PairStep(attack_step_)) {
        const std::int32_t pair = volleys_++ % kPairs;
        for (const Muzzle& m : {kMuzzles[2 * pair], kMuzzles[2 * pair + 1]}) {
            const double spread = (g_Angle.Rnd16(-1) - 7.5) * kSpreadDegrees;
            FireBouncing(x + m.dx, y + m.dy, m.heading + spread);
        }
    }
}

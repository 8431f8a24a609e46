#include "game/enemies/boss03.h"

#include <algorithm>
#include <cstdlib>

#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/tama_bomb.h"

namespace {

constexpr std::int32_t kDescentEnd = 420;
constexpr double kDescent = 0.3;
constexpr double kSwayStep = 0.5, kSway = 60;
constexpr std::int32_t kMuzzleDX = -2, kMuzzleDY = -26;
constexpr double kRise = 5.5, kRiseStop = 12;  // the shells' climb, while at row 12 or lower down

// The shells by step: sprite, fall-speed addition and the rows over which
// it bursts. The small ones fall through as bombs (their burst height lies
// below the screen, which they leave first); the medium and large ones burst
// in the upper half, so their rings have room to open before the ship.
struct Shell {
    std::int32_t sprite;
    double speed_add;
    std::int32_t burst_min, burst_spread;  // rows
};
constexpr Shell kSmall = {237, 0, 1000, 0};
constexpr Shell kMedium = {238, -0.5, 90, 40};
constexpr Shell kLarge = {239, -1, 110, 30};

// The targets keep clear of the edges, where a ring would be half wasted,
// and fall within kReach of the ship.
constexpr std::int32_t kTargetMin = 24, kTargetMax = 296;
constexpr std::int32_t kReach = 100;

constexpr BossOffset kSmokes[] = {
    {0, 0},    {-40, -16}, {40, 16},  {-60, 8},   {60, -8},  {-20, 28}, {22, -30}, {-80, -10},
    {80, 12},  {-6, -34},  {8, 36},   {-50, 32},  {50, -30}, {-30, 0},  {30, 2},   {-70, 26},
    {70, -24}, {0, 18},    {-14, 10}, {16, -12},  {-36, 38}, {36, -38}, {-90, 2},  {90, -4},
};

const BossProfile kProfile = {
    .wake_frame = 9000,
    .entry_frames = 600,
    .score = 20000,
    .start_x = 160,
    .start_y = -40,
    .first_attack = 604,
    .attack_interval = 4,
    .main = {140, 80, 0, 0},
    .body_sprite = 96,
    .body_layer = 24,
    .defeat_smokes = kSmokes,
};

}  // namespace

CBoss03::CBoss03() : CBoss(kProfile) {}

void CBoss03::EntryMove(std::int32_t t) {
    if (t <= kDescentEnd) {
        y_ += kDescent;
        base_y_ += kDescent;
    } else {
        Sway();
    }
}

void CBoss03::FightMove(std::int32_t) { Sway(); }

void CBoss03::Sway() {
    angle_ += kSwayStep;
    if (angle_ >= 360) angle_ -= 360;
    x_ = base_x_ + kSway * CQ7Pos::GetSin(angle_);
}

// A random column within kReach of the ship (and of the field), at least
// kMinSpacing from the last one: the shells rain round the ship, never two
// down the same lane.
std::int32_t CBoss03::PickTarget() {
    const std::int32_t ship = g_MyShipPos.CenterX();
    const std::int32_t low = std::max(kTargetMin, std::min(ship - kReach, kTargetMax - 2 * kReach));
    const std::int32_t high = low + 2 * kReach;
    std::int32_t x = 0;
    do {
        x = low + g_Angle.Rnd320(-1) * (high - low) / 319;
    } while (std::abs(x - last_target_) < kMinSpacing);
    last_target_ = x;
    return x;
}

void CBoss03::Attack(std::int32_t) {
    const std::int32_t cycle = 21 - g_Rank;  // steps 0 .. 20 - rank
    const Shell& shell = step_ == 0 ? kLarge : step_ % 4 == 0 ? kMedium : kSmall;
    step_ = (step_ + 1) % (cycle > 0 ? cycle : 1);
    attack_step_ = step_;

    const double x = RoundX() + kMuzzleDX, y = RoundY() + kMuzzleDY;
    const std::int32_t target = PickTarget();
    // The shell drifts over to its column during the frames it climbs.
    const std::int32_t climb = y < kRiseStop ? 1 : static_cast<std::int32_t>((y - kRiseStop) / kRise) + 1;
    g_SpawnParam.X = x;
    g_SpawnParam.Y = y;
    g_SpawnParam.DX = (target - x) / climb;
    g_SpawnParam.DY = g_BulletSpeed + shell.speed_add;
    g_SpawnParam.Sprite = shell.sprite;
    g_SpawnParam.Level = target;
    g_SpawnParam.Side = shell.burst_min + g_Angle.Rnd32(-1) * shell.burst_spread / 31;
    g_ObjectPack.Spawn<CTama3>(3, VB_TRUE);
}

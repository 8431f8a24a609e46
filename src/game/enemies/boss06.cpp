#include "game/enemies/boss06.h"

#include "core/q7_angle.h"
#include "game/enemies/en021.h"

namespace {

constexpr std::int32_t kFirstAttack = 410;

// The hangar deck (the main rectangle) takes the damage; the bridge on the
// bow only collides.
constexpr BossRect kParts[] = {{40, 32, 0, 46}};

constexpr BossOffset kSmokes[] = {
    {0, 0},    {-24, -20}, {22, -18}, {-40, 8},  {40, 10},  {-8, 30},  {10, 46},   {-4, 58},
    {-60, -4}, {60, -6},   {-70, 20}, {70, 22},  {-50, 34}, {50, 36},  {-30, -40}, {30, -42},
    {0, -48},  {-16, 20},  {18, 24},  {-76, 0},  {76, 2},   {0, 28},   {-36, 44},  {36, 46},
};

const BossProfile kProfile = {
    .wake_frame = 9800,
    .entry_frames = 400,
    .score = 50000,
    .start_x = 160,
    .start_y = -100,
    .first_attack = kFirstAttack,
    // The model asks every frame from t = 410; the boss keeps its own
    // rhythm, which follows the rank.
    .attack_interval = 1,
    .main = {96, 64, 0, 0},
    .body_sprite = 91,
    .body_layer = 20,
    .shadow_sprite = 6054,
    .shadow_offset = {24, 28},
    .parts = kParts,
    .defeat_smokes = kSmokes,
};

// The wing guns, from the centre, firing in turn (starboard first). A ring
// leaves out directions 11, 12 and 13. The bow gun stays silent: a ring from
// the bow would start right on top of a ship flying close under the boss.
constexpr BossOffset kGuns[] = {{-34, 30}, {34, 30}};
constexpr std::int32_t kRing[] = {14, 15, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr double kGunOffset = 6;
constexpr std::int32_t kLaunchGap = 160;
// The rings come faster with the rank; their bullets gain less speed than
// the rank gives, so a ring every 20 or 30 frames can still be threaded.
constexpr double kRingSlowing = -0.1;

}  // namespace

CBoss06::CBoss06() : CBoss(kProfile) {}

std::int32_t CBoss06::StartHitPoints() const { return 80000 * g_Rank + 800000; }

std::int32_t CBoss06::AttackInterval() { return 120 - 10 * g_Rank; }

void CBoss06::EntryMove(std::int32_t t) {
    if (t == 1) {
        // The fight plays the same whatever happened in the stage before it.
        g_Angle.RndReset();
        next_volley_ = kFirstAttack;
        return;
    }
    Descend(kBossDescent, t);
}

void CBoss06::FightMove(std::int32_t) {
    a_ += 0.6;
    if (a_ >= 360) a_ -= 360;
    b_ += 1.2;
    if (b_ >= 360) b_ -= 360;
    x_ = base_x_ + 70 * CQ7Pos::GetSin(a_);
    y_ = base_y_ + 10 * CQ7Pos::GetSin(b_);
}

void CBoss06::Attack(std::int32_t t) {
    if (t < next_volley_) return;
    next_volley_ = t + AttackInterval();
    attack_step_ = (attack_step_ + 1) % 2;
    const double x = RoundX(), y = RoundY();
    const BossOffset gun = kGuns[attack_step_];
    for (std::int32_t dir : kRing) FireTama(x + gun.dx, y + gun.dy, dir, kGunOffset, kRingSlowing * g_Rank);
    // Every second volley, and never sooner than kLaunchGap after the last
    // pair, the decks launch a pair, each first heading away to its own side
    // and down, firing from 1.5 s after launch every 2 s. At the top ranks
    // the volleys come every 20 or 30 frames: a pair each time would fill
    // the sky with interceptors.
    if (++volleys_ % 2 == 0 && t - last_launch_ >= kLaunchGap) {
        last_launch_ = t;
        SpawnInterceptor(x + kLeftDeck.dx, y + kLeftDeck.dy, 3, 90, 120, kEscortTurnInterval);
        SpawnInterceptor(x + kRightDeck.dx, y + kRightDeck.dy, 1, 90, 120, kEscortTurnInterval);
    }
}

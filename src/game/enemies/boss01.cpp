#include "game/enemies/boss01.h"

namespace {

constexpr BossRect kParts[] = {
    {240, 31, 0, -7},   // wing
    {36, 94, 59, 13},   // right pod
    {36, 94, -59, 13},  // left pod
    {22, 23, 0, 43},    // core
    {48, 9, 0, 59},     // tail
};

constexpr BossOffset kSmokes[] = {
    {0, 0},     {-13, -25}, {-15, 20},  {-31, -6},  {32, 8},    {16, 25},   {-18, 28},  {-4, 39},
    {3, 49},    {19, 58},   {-15, 59},  {51, -28},  {66, -15},  {50, 8},    {63, 30},   {52, 34},
    {69, 42},   {55, 53},   {89, -2},   {79, 2},    {-44, -12}, {-59, -32}, {-70, -23}, {-56, -6},
    {-62, 18},  {-58, 32},  {-67, 45},  {-49, 49},  {-80, -10}, {-90, -3},  {-95, -18}, {-114, -7},
};

const BossProfile kProfile = {
    .wake_frame = 12700,
    .entry_frames = 400,
    .score = 10000,
    .start_x = 160,
    .start_y = -120,
    .first_attack = 410,
    .attack_interval = 30,
    .main = {64, 64, 0, 0},
    .body_sprite = 97,
    .body_offset = {0, 14},
    .body_layer = 24,
    .shadow_sprite = 6004,
    .shadow_offset = {34, 44},
    .parts = kParts,
    .defeat_smokes = kSmokes,
};

// A fan of CTama2 from one point, in the given 16-way directions.
template <std::size_t N>
void Fan(double x, double y, const std::int32_t (&dirs)[N]) {
    for (std::int32_t dir : dirs) boss_fire::LargeTama(x, y, dir, 0);
}

constexpr std::int32_t kRightWingtip[] = {0, 1, 2, 3, 4, 5, 15};
constexpr std::int32_t kLeftWingtip[] = {3, 4, 5, 6, 7, 8, 9};
constexpr std::int32_t kWingRoot[] = {1, 2, 3, 4, 5, 6, 7};
constexpr std::int32_t kDown = 4;

}  // namespace

CBoss01::CBoss01() : CBoss(kProfile) {}

void CBoss01::FightMove(std::int32_t) {
    a_ += 0.8;
    if (a_ >= 360) a_ -= 360;
    b_ += 0.8;
    if (b_ >= 180) b_ -= 180;
    x_ = base_x_ + 50 * CQ7Pos::GetSin(a_);
    y_ = base_y_ - 20 * CQ7Pos::GetSin(b_);
}

void CBoss01::Attack(std::int32_t) {
    attack_step_ = (attack_step_ + 1) % 4;
    const double x = RoundX(), y = RoundY();
    switch (attack_step_) {
    case 1:
        boss_fire::BigTama(x + 59, y + 60, kDown);
        boss_fire::BigTama(x - 59, y + 60, kDown);
        Fan(x + 100, y - 15, kRightWingtip);
        Fan(x - 100, y - 15, kLeftWingtip);
        break;
    case 2:
        Fan(x + 59, y - 8, kWingRoot);
        Fan(x - 59, y - 8, kWingRoot);
        break;
    case 3: {
        for (double gun : {108.0, 92.0, -108.0, -92.0}) FireTama(x + gun, y + 1, kDown, 3, 0);
        const std::int32_t aim = main_.KAKUDO16(g_MyShipPos);
        for (std::int32_t dir : {aim, (aim + 15) % 16, (aim + 1) % 16}) {
            boss_fire::LargeTama(x + 13, y - 25, dir, 0.5);
            boss_fire::LargeTama(x - 13, y - 25, dir, 0.5);
        }
        break;
    }
    default: break;  // step 0: a breather
    }
}

// The ship's firing schedule: which weapons leave the ship on a frame the
// shot button is held, by the power levels bought in the shop.
#include "app/zenit02.h"
#include "game/player/weapon_common.h"
#include "game/player/weapons.h"

namespace {

constexpr const char* kWho = "MyShip:";

void FireShot(double x, double y, double dx, double dy, std::int32_t sprite, std::int32_t level, std::int32_t side) {
    g_SpawnParam.X = x;
    g_SpawnParam.Y = y;
    g_SpawnParam.DX = dx;
    g_SpawnParam.DY = dy;
    g_SpawnParam.Sprite = sprite;
    g_SpawnParam.Level = level;
    g_SpawnParam.Side = side;
    player::SpawnOrDie<CShot>(6, kWho);
}

struct MissileLaunch {
    std::int32_t dir;    // 16-step direction; 12 is straight up
    std::int32_t index;  // steering phase within the volley
};

// Missile volleys by g_PowerLv3 (level 0 fires none).
constexpr MissileLaunch kVolley1[] = {{12, 0}};
constexpr MissileLaunch kVolley2[] = {{11, 1}, {13, 2}};
constexpr MissileLaunch kVolley3[] = {{10, 0}, {11, 1}, {13, 2}, {14, 3}};

template <std::size_t N>
void FireMissiles(const MissileLaunch (&volley)[N], double x, double y) {
    for (const MissileLaunch& m : volley) {
        g_SpawnParam.X = x;
        g_SpawnParam.Y = y;
        g_SpawnParam.Dir = m.dir;
        g_SpawnParam.Level = m.index;
        player::SpawnOrDie<CMissile>(6, kWho);
    }
}

}  // namespace

void FireWeapons(double X, double Y, bool left, bool right, WeaponCooldowns& cd) {
    if (cd.shot == 0) {
        cd.shot = 6;
        FireShot(X, Y + 12, 0, -32, 102, 0, 0);
        if (g_PowerLv0 >= 1) {
            // Fanned by the pad; both directions at once cancel out.
            const double dx = (left && !right) ? -20 : (right && !left) ? 20 : 0;
            FireShot(X, Y - 4, dx, -32, 103, 1, 1);
        }
        if (g_PowerLv0 >= 2) FireShot(X, Y - 12, 0, 32, 104, g_PowerLv0, 0);
    }
    if (cd.laser == 0 && g_PowerLv2 > 0) {
        cd.laser = 50;
        g_SpawnParam.X = X;
        g_SpawnParam.Y = Y;
        g_SpawnParam.Level = g_PowerLv2;
        player::SpawnOrDie<CLaser1>(6, kWho);
    }
    if (cd.missile == 0) {
        // The cooldown restarts even without missiles to fire.
        cd.missile = 30;
        if (g_PowerLv3 == 1)
            FireMissiles(kVolley1, X, Y);
        else if (g_PowerLv3 == 2)
            FireMissiles(kVolley2, X, Y);
        else if (g_PowerLv3 >= 3)
            FireMissiles(kVolley3, X, Y);
    }
}

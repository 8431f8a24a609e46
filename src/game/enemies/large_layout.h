// The tables a large enemy is made of: a hull with its pictures, the parts at
// fixed offsets from the hull centre, the firing clocks that visit the parts
// in turn, and the smokes that end it.
//
// Plain data with no engine behind it, so the art generator reads the same
// tables and draws every turret mount where its part sits. Offsets are
// pixels from the rounded hull centre, +x right, +y down the screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

struct LargePartDef {
    std::int32_t dx = 0, dy = 0;      // centre relative to the rounded hull centre
    std::int32_t w = 0, h = 0;        // hit rectangle
    std::int32_t hit_points = 0;
    std::int32_t score = 0;
    std::int32_t sprite_base = 0;     // turret sprite = base + heading; 0 for the core
    std::int32_t start_heading = 2;
    bool large_smoke = false;         // size of its explosion and of its wreck's puffs
    bool fixed = false;               // a hatch: keeps its start heading and its one picture
    std::int32_t wreck_sprite = 0;    // drawn in place of the destroyed part; 0: its own sprite stays
};

// A point fixed to the hull (a gun, a smoke) and, for guns, its 16-way direction.
struct HullShot {
    std::int32_t dx = 0, dy = 0;
    std::int32_t dir = 0;
};

// A further rectangle of the core, for hulls too long for one.
struct HullRect {
    std::int32_t dx = 0, dy = 0;
    std::int32_t w = 0, h = 0;
};

// A further hull picture on its own drawing layer (wings under the deck).
struct HullSprite {
    std::int32_t sprite = 0;
    std::int32_t dx = 0, dy = 0;
    std::int32_t layer = 0;
};

enum class ShotKind {
    Tama,        // FireTama along each spread value added to heading x 2
    AimedTama5,  // one CTama5 straight at the ship
    AimedTama6,  // one large CTama6 straight at the ship
    Missile,     // one CENMissile launched along heading x 2
};

// One step of a firing clock: up to two parts firing around their headings,
// or the hull's fixed guns (part -1) along their own directions.
struct FireStep {
    std::int32_t part = -1;
    std::int32_t pair = -1;  // a second part firing on the same step
    std::span<const std::int32_t> spread = {};
    std::span<const HullShot> hull = {};
    ShotKind kind = ShotKind::Tama;
    double offset = 0;  // start distance from the part centre along the shot
    double speed_add = 0;
};

// A cycle of steps, one every (base - per_rank x rank) \ divisor frames,
// the first at FirstShot of g_EnemyParamEx.
struct FireClock {
    std::span<const FireStep> steps = {};
    std::int32_t base = 300, per_rank = 25, divisor = 10;
};

struct LargeEnemyLayout {
    std::int32_t body_sprite = 0;
    std::int32_t body_dx = 0, body_dy = 0;  // centre of the body picture from the hull centre
    std::int32_t body_layer = 2;
    std::int32_t turret_layer = 4;
    std::span<const HullSprite> decor = {};
    std::span<const LargePartDef> parts = {};  // parts[0] is the core
    std::span<const HullRect> extra_hull = {};  // the core's further rectangles
    FireClock cycle = {};
    FireClock second = {};  // a second clock of its own, if the class has one
    // The main clock keeps the enemy record's ShotInterval instead, and the
    // hull holds its fire below FireLimitY (both adjusted for the rank as
    // for the small enemies).
    bool record_schedule = false;
    std::span<const HullShot> death_smokes = {};  // the final chain (dir unused)
};

// The turret kinds several classes share: the small single gun (4125) and
// the twin turret (4170), either of them turning from its start heading.
constexpr LargePartDef SmallTurret(std::int32_t dx, std::int32_t dy, std::int32_t start_heading = 2) {
    return {.dx = dx, .dy = dy, .w = 8, .h = 8, .hit_points = 1400, .score = 200, .sprite_base = 4125,
            .start_heading = start_heading};
}
constexpr LargePartDef TwinTurret(std::int32_t dx, std::int32_t dy, std::int32_t start_heading = 2) {
    return {.dx = dx, .dy = dy, .w = 24, .h = 24, .hit_points = 2400, .score = 300, .sprite_base = 4170,
            .start_heading = start_heading, .large_smoke = true};
}

// N smokes evenly down the keel from (x, top) to (x, bottom), every other
// one moved `zig` pixels to the right.
template <std::size_t N>
struct SmokeChain {
    HullShot points[N];
    constexpr SmokeChain(std::int32_t x, std::int32_t top, std::int32_t bottom, std::int32_t zig = 0) : points() {
        const auto n = static_cast<std::int32_t>(N);
        for (std::int32_t i = 0; i < n; ++i)
            points[i] = {x + (i % 2 == 1 ? zig : 0), top + ((bottom - top) * i + (n - 1) / 2) / (n - 1), 0};
    }
};

// Number of bullets a clock's full cycle fires with every part alive.
constexpr std::int32_t ShotsPerCycle(const FireClock& clock) {
    std::int32_t n = 0;
    for (const FireStep& s : clock.steps) {
        if (s.part < 0) {
            n += static_cast<std::int32_t>(s.hull.size());
            continue;
        }
        const std::int32_t per_part = s.kind == ShotKind::Tama ? static_cast<std::int32_t>(s.spread.size()) : 1;
        n += per_part * (s.pair >= 0 ? 2 : 1);
    }
    return n;
}

#include "game/enemies/boss05.h"

#include <algorithm>

#include "core/q7_angle.h"
#include "gfx/q7_ddbpack256.h"

namespace {

// ---- The path ---------------------------------------------------------------------------
// Written as legs: fly straight on a heading, or turn one 16-way step at a
// time to a heading, holding each step a number of frames (a quarter turn
// of 13 frames a step is a curve of about 54 pixels' radius).

enum class Turn { None, Clockwise, Anticlockwise };

struct Leg {
    Turn turn = Turn::None;
    std::int32_t heading = 0;
    std::int32_t frames = 0;  // straight: the whole leg; turning: each step
};

constexpr Leg Straight(std::int32_t heading, std::int32_t frames) { return {Turn::None, heading, frames}; }
constexpr Leg Clockwise(std::int32_t heading, std::int32_t step) { return {Turn::Clockwise, heading, step}; }

// Headings: 0 right, 4 down, 8 left, 12 up.
constexpr double kStartX = 280, kStartY = -60;

// Half of the loop, from the left side going up: over the top-left corner,
// a coil in the top middle, along the top and down the right side. The
// other half is the same turned about the middle of the screen, so the
// loop coils through the bottom too and closes on itself exactly.
constexpr Leg kHalfLoop[] = {
    Straight(12, 28),
    Clockwise(0, 13),
    Straight(0, 40),
    Clockwise(4, 9), Clockwise(8, 9), Clockwise(12, 9), Clockwise(0, 9),  // the coil
    Straight(0, 80),
    Clockwise(4, 13),
};
// In from above the right edge, straight down into the loop's second half.
constexpr Leg kDescent[] = {Straight(4, 118)};

constexpr std::int32_t kHalfTurn = 8;
constexpr std::size_t kMaxRows = 96;

struct Path {
    std::array<SerpentWaypoint, kMaxRows> rows{};
    std::int32_t size = 0;
    std::int32_t loop_from = 0;
};

constexpr void Append(Path& path, std::int32_t& heading, std::span<const Leg> legs, std::int32_t rotate) {
    for (const Leg& leg : legs) {
        const std::int32_t to = (leg.heading + rotate) % 16;
        if (leg.turn == Turn::None) {
            heading = to;
            path.rows[static_cast<std::size_t>(path.size++)] = {heading, leg.frames};
            continue;
        }
        const std::int32_t step = leg.turn == Turn::Clockwise ? 1 : 15;
        while (heading != to) {
            heading = (heading + step) % 16;
            path.rows[static_cast<std::size_t>(path.size++)] = {heading, leg.frames};
        }
    }
}

constexpr Path MakePath() {
    Path path;
    std::int32_t heading = kDescent[0].heading;
    Append(path, heading, kDescent, 0);
    Append(path, heading, kHalfLoop, kHalfTurn);
    path.loop_from = path.size;
    Append(path, heading, kHalfLoop, 0);
    Append(path, heading, kHalfLoop, kHalfTurn);
    return path;
}

constexpr Path kPath = MakePath();
static_assert(kPath.size <= static_cast<std::int32_t>(kMaxRows));

// ---- Body and attack ---------------------------------------------------------------------

constexpr std::int32_t kHeadSprite = 6034;  // + heading
constexpr std::int32_t kLargeSegment = 6050, kSmallSegment = 6051;
constexpr std::int32_t kLitOffset = 2;      // 6052 / 6053: a charged segment glows
constexpr std::int32_t kHeadLayer = 24, kBodyLayer = 23;
constexpr std::int32_t kHeadSize = 40, kLargeSize = 28, kSmallSize = 20;

constexpr std::int32_t kFirstAttack = 610;
// A ripple of aimed shots runs along the body: one segment every 4 frames,
// each glowing for 14 frames before it fires.
constexpr std::int32_t kRippleStep = 4, kCharge = 14;
constexpr std::int32_t kFanDelay = 40;  // the head's first fan, after the first ripple began
constexpr std::int32_t kPlayTop = 22;   // below the status bar

// Both reach their floor by rank 7: the ranks a good run brings to the sky
// (3 and up) meet a serpent that keeps the ship moving.
std::int32_t RipplePeriod() { return std::max(100, 170 - 10 * g_Rank); }
std::int32_t FanPeriod() { return std::max(60, 100 - 6 * g_Rank); }

constexpr bool IsLarge(std::int32_t k) { return k % 2 == 1; }

const BossProfile kProfile = {
    .wake_frame = 10700,
    .entry_frames = 600,
    .score = 40000,
    .start_x = kStartX,
    .start_y = kStartY,
    .first_attack = kFirstAttack,
    .attack_interval = 1,
    .main = {kHeadSize, kHeadSize, 0, 0},
    .body_sprite = kHeadSprite,
    .body_layer = kHeadLayer,
};

}  // namespace

CBoss05::CBoss05() : CBoss(kProfile) {}

std::span<const SerpentWaypoint> CBoss05::Waypoints() {
    return {kPath.rows.data(), static_cast<std::size_t>(kPath.size)};
}

std::int32_t CBoss05::LoopFrom() { return kPath.loop_from; }

bool CBoss05::InDamageWindow(const CQ7Pos& rect) {
    const std::int32_t x = rect.CenterX(), y = rect.CenterY();
    return x >= -9 && x <= 329 && y >= 15 && y <= 249;
}

void CBoss05::SetUp() {
    // Every place of the ring is the start, so the body is coiled up there
    // until the head has crawled away from it.
    ring_.fill({RoundX(), RoundY()});
    ring_head_ = 0;
    segments_.assign(kSegments, CQ7Pos{});
    for (std::int32_t k = 1; k <= kSegments; ++k) {
        const std::int32_t size = IsLarge(k) ? kLargeSize : kSmallSize;
        segments_[static_cast<std::size_t>(k - 1)].ReSize(size, size);
    }
    waypoint_ = 0;
    heading_ = kPath.rows[0].heading;
    frames_left_ = kPath.rows[0].frames;
    fire_at_.fill(0);
}

void CBoss05::EntryMove(std::int32_t t) {
    if (t >= kFirstCrawl) Crawl();
}

void CBoss05::FightMove(std::int32_t) { Crawl(); }

void CBoss05::Crawl() {
    if (frames_left_ == 0) {
        if (++waypoint_ >= kPath.size) waypoint_ = kPath.loop_from;
        const SerpentWaypoint& next = kPath.rows[static_cast<std::size_t>(waypoint_)];
        heading_ = next.heading;
        frames_left_ = next.frames;
    }
    --frames_left_;
    x_ += g_Angle.GetDX16(heading_) * kSpeed;
    y_ += g_Angle.GetDY16(heading_) * kSpeed;
    const Place here{RoundX(), RoundY()};
    if (here != ring_[static_cast<std::size_t>(ring_head_)]) {
        ring_head_ = (ring_head_ + 1) % kRingSize;
        ring_[static_cast<std::size_t>(ring_head_)] = here;
    }
}

const CBoss05::Place& CBoss05::RingPlace(std::int32_t back) const {
    return ring_[static_cast<std::size_t>((ring_head_ - back % kRingSize + kRingSize) % kRingSize)];
}

std::int32_t CBoss05::Damage() const {
    std::int32_t d = InDamageWindow(main_) ? g_PlayerAttackList.GetDamage(main_) : 0;
    for (const CQ7Pos& segment : segments_)
        if (InDamageWindow(segment)) d += g_PlayerAttackList.GetDamage(segment);
    return d;
}

// ---- Attack -----------------------------------------------------------------------------

void CBoss05::Attack(std::int32_t t) {
    const std::int32_t f = t - kFirstAttack;
    if (f % RipplePeriod() == 0) StartRipple(t);
    if (f >= kFanDelay && (f - kFanDelay) % FanPeriod() == 0) FireFan(t);
    FireFromSegments(t);
}

void CBoss05::StartRipple(std::int32_t t) {
    // The shared 8-table says which way it runs: from the neck or from the tail.
    const bool from_tail = (g_Angle.Rnd8(-1) & 1) != 0;
    for (std::int32_t i = 0; i < kSegments; ++i) {
        const std::int32_t k = from_tail ? kSegments - i : i + 1;
        fire_at_[static_cast<std::size_t>(k - 1)] = t + kCharge + kRippleStep * i;
    }
}

void CBoss05::FireFromSegments(std::int32_t t) {
    for (std::int32_t k = 1; k <= kSegments; ++k) {
        std::int32_t& at = fire_at_[static_cast<std::size_t>(k - 1)];
        if (at != t) continue;
        at = 0;
        const CQ7Pos& segment = Segment(k);
        if (MayFireFrom(segment))
            FireTama(segment.CenterX(), segment.CenterY(), segment.KAKUDO16(g_MyShipPos), 6, 0);
    }
}

void CBoss05::FireFan(std::int32_t) {
    if (!MayFireFrom(main_)) return;
    const std::int32_t aim = main_.KAKUDO16(g_MyShipPos);
    const std::int32_t spread = g_Rank >= 3 ? 2 : 1;  // three bullets, five from rank 3
    for (std::int32_t d = -spread; d <= spread; ++d)
        FireTama(main_.CenterX(), main_.CenterY(), (aim + d + 16) % 16, 16, 0);
}

bool CBoss05::MayFireFrom(const CQ7Pos& rect) const {
    // Only from a place the player can see, and never point-blank.
    const std::int32_t x = rect.CenterX(), y = rect.CenterY();
    const bool on_screen = x >= 0 && x < 320 && y >= kPlayTop && y < 240;
    return on_screen && rect.Length2(g_MyShipPos) >= g_MinFireDist2;
}

// ---- Drawing ------------------------------------------------------------------------------

void CBoss05::PlaceDrawRegister() {
    main_.Move(RoundX(), RoundY());
    for (std::int32_t k = 1; k <= kSegments; ++k) {
        const Place& p = RingPlace(kSpacing * k);
        segments_[static_cast<std::size_t>(k - 1)].Move(p.x, p.y);
    }
    // Tail first, so each segment lies over the one behind it and the head over all.
    const std::int32_t mode = DrawMode();
    for (std::int32_t k = kSegments; k >= 1; --k) {
        const std::int32_t at = fire_at_[static_cast<std::size_t>(k - 1)];
        const bool lit = at != 0 && at - T() <= kCharge;
        const std::int32_t sprite = (IsLarge(k) ? kLargeSegment : kSmallSegment) + (lit ? kLitOffset : 0);
        g_DDBPack.AddBlt(Segment(k), sprite, kBodyLayer, 0, mode);
    }
    g_DDBPack.AddBlt(main_, kHeadSprite + heading_, kHeadLayer, 0, mode);

    for (const CQ7Pos& segment : segments_) Register(segment);
    Register(main_);
}

void CBoss05::OnDefeat() {
    MakeSmoke(RoundX(), RoundY(), 0, 0, true, 4, kSmokeLayer);
    for (const CQ7Pos& segment : segments_) MakeSmoke(segment.CenterX(), segment.CenterY(), 0, 0, true, 4, kSmokeLayer);
}

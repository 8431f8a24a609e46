#include "autopilot.h"

#include <algorithm>
#include <cmath>
#include <array>
#include <limits>
#include <numbers>

#include "app/zenit02.h"
#include "core/q7_poslist.h"

namespace {

// How the pad moves the ship, as a player learns it: 2.5 pixels a step, 7.5
// with triple speed, inside x 8..314 and y 32..232; its hit box is 8 x 8.
constexpr double kSlow = 2.5, kFast = 7.5;
constexpr double kMinX = 8, kMaxX = 314, kMinY = 32, kMaxY = 232;
constexpr int kShipSize = 8;

constexpr double kMatchDistance = 16;  // a box moves less than this in one step
constexpr double kLaterCounts = 1.0;   // a gap t steps ahead counts t pixels wider: nearer harm first
constexpr double kTurnCost = 3;        // a player does not change direction without a reason
constexpr int kLargeBody = 16 * 16;    // square pixels: smaller boxes in the air may be bullets

// A fixed scramble of a number: the bot's "chance" is the same every run.
std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 30;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 27;
    h *= 0x94D049BB133111EBULL;
    return h ^ (h >> 31);
}

// -1 .. 1 from 16 bits of a scrambled number.
double Signed(std::uint64_t h, int shift) { return static_cast<double>((h >> shift) & 0xFFFF) / 65535.0 * 2 - 1; }

// A player misjudges each bullet a little, and keeps misjudging it the same
// way: its speed by up to 15 % and its heading by up to 8 degrees.
Autopilot::Judgement Misjudgement(std::int64_t step, double x, double y) {
    const std::uint64_t h = Mix(static_cast<std::uint64_t>(step) * 0x9E3779B97F4A7C15ULL ^
                                static_cast<std::uint64_t>(std::llround(x * 2)) << 20 ^
                                static_cast<std::uint64_t>(std::llround(y * 2)) << 40);
    return {1 + 0.15 * Signed(h, 0), 8 * std::numbers::pi / 180 * Signed(h, 16)};
}

}  // namespace

void Autopilot::Track() {
    previous_.swap(boxes_);
    boxes_.clear();
    for (const CQ7PosList* list : {&g_HitList2, &g_EnemyBulletList}) {
        for (int i = 0; i < list->GetDataCount(); ++i) {
            const CQ7Pos& p = list->GetEntry(i);
            Box b;
            b.w = p.Width();
            b.h = p.Height();
            b.x = p.Left() + (b.w - 1) / 2.0;
            b.y = p.Top() + (b.h - 1) / 2.0;
            // The same box one step ago: the nearest of the same size close by.
            const Box* before = nullptr;
            double best = kMatchDistance * kMatchDistance;
            for (const Box& o : previous_) {
                if (o.w != b.w || o.h != b.h) continue;
                const double d = (o.x - b.x) * (o.x - b.x) + (o.y - b.y) * (o.y - b.y);
                if (d <= best) {
                    best = d;
                    before = &o;
                }
            }
            if (before) {
                // Positions are whole pixels: the motion is averaged over two steps.
                const double vx = b.x - before->x, vy = b.y - before->y;
                b.vx = before->age > 0 ? (vx + before->vx) / 2 : vx;
                b.vy = before->age > 0 ? (vy + before->vy) / 2 : vy;
                b.age = before->age + 1;
                b.misjudge = before->misjudge;
            } else {
                b.misjudge = Misjudgement(step_, b.x, b.y);
            }
            boxes_.push_back(b);
        }
    }
}

double Autopilot::Clearance(double sx, double sy, const Move& m) const {
    // The boxes it pays attention to, as it judges their motion.
    struct Seen {
        double x, y, vx, vy, half_w, half_h;
    };
    std::array<Seen, kAttention> seen{};
    std::size_t count = 0;
    for (const Box& b : boxes_) {
        if (b.age < kReactionSteps || count == seen.size()) continue;
        const double c = std::cos(b.misjudge.turn), s = std::sin(b.misjudge.turn);
        const double vx = (b.vx * c - b.vy * s) * b.misjudge.speed, vy = (b.vx * s + b.vy * c) * b.misjudge.speed;
        seen[count++] = {b.x, b.y, vx, vy, (kShipSize + b.w) / 2.0 - 1, (kShipSize + b.h) / 2.0 - 1};
    }

    const double speed = m.fast ? kFast : kSlow;
    double worst = std::numeric_limits<double>::max();
    for (int t = 1; t <= kLookAhead; ++t) {
        const double px = std::clamp(sx + m.dx * speed * t, kMinX, kMaxX);
        const double py = std::clamp(sy + m.dy * speed * t, kMinY, kMaxY);
        for (std::size_t i = 0; i < count; ++i) {
            const Seen& b = seen[i];
            // Pixels between the two boxes; 0 or less: they touch.
            const double gx = std::abs(px - (b.x + b.vx * t)) - b.half_w;
            const double gy = std::abs(py - (b.y + b.vy * t)) - b.half_h;
            worst = std::min(worst, std::max(gx, gy) + kLaterCounts * (t - 1));
        }
    }
    return worst;
}

double Autopilot::TargetX(double sx, double sy) const {
    // The enemy the ship should get under: the nearest above it, lower ones
    // first. Enemies are what missiles can lock on to, what shots hit on the
    // ground, and the large bodies in the air (a boss's parts). With nobody
    // to chase, the middle leaves the most room to dodge.
    double best = -std::numeric_limits<double>::max(), x = (kMinX + kMaxX) / 2;
    auto consider = [&](const CQ7Pos& p) {
        const double ex = p.CenterX(), ey = p.CenterY();
        if (ey < 24 || ey > sy - 24) return;
        const double priority = ey - 0.5 * std::abs(ex - sx);
        if (priority > best) {
            best = priority;
            x = ex;
        }
    };
    for (const CQ7PosList* list : {&g_MissileTargets, &g_HitList1})
        for (int i = 0; i < list->GetDataCount(); ++i) consider(list->GetEntry(i));
    for (int i = 0; i < g_HitList2.GetDataCount(); ++i) {
        const CQ7Pos& p = g_HitList2.GetEntry(i);
        if (p.Width() * p.Height() >= kLargeBody) consider(p);
    }
    return std::clamp(x, kMinX, kMaxX);
}

PadState Autopilot::Next() {
    ++step_;
    Track();
    // A hand changes the pad a few times a second, not at every step.
    if (step_ >= next_decision_) {
        Decide();
        next_decision_ = step_ + kMinHold + static_cast<std::int64_t>(Mix(static_cast<std::uint64_t>(step_)) % kHoldSpread);
    }
    PadState pad;
    if (g_ShotButton >= 0 && g_ShotButton < 32) pad.buttons = std::uint32_t{1} << g_ShotButton;
    pad.left = last_.dx < 0;
    pad.right = last_.dx > 0;
    pad.up = last_.dy < 0;
    pad.down = last_.dy > 0;
    if (last_.fast && g_SpeedUpButton >= 0 && g_SpeedUpButton < 32) pad.buttons |= std::uint32_t{1} << g_SpeedUpButton;
    return pad;
}

void Autopilot::Decide() {
    const double sx = g_MyShipPos.Left() + (kShipSize - 1) / 2.0, sy = g_MyShipPos.Top() + (kShipSize - 1) / 2.0;
    // It watches the boxes nearest the ship, so many at once are more than it can follow.
    auto distance = [&](const Box& b) { return std::max(std::abs(b.x - sx) - b.w / 2.0, std::abs(b.y - sy) - b.h / 2.0); };
    std::stable_sort(boxes_.begin(), boxes_.end(), [&](const Box& a, const Box& b) { return distance(a) < distance(b); });

    const double tx = TargetX(sx, sy);
    Move best = last_;
    double best_gap = -std::numeric_limits<double>::max();
    double best_cost = std::numeric_limits<double>::max();
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const Move m{dx, dy, false};
            const double gap = Clearance(sx, sy, m);
            const double ex = std::clamp(sx + dx * kSlow * kLookAhead, kMinX, kMaxX);
            const double ey = std::clamp(sy + dy * kSlow * kLookAhead, kMinY, kMaxY);
            double cost = std::abs(ex - tx) + 1.5 * std::abs(ey - kPreferredY);
            if (dx != last_.dx || dy != last_.dy) cost += kTurnCost;
            // Safe moves are told apart by where they lead, unsafe ones by how close they come.
            const bool safe = gap >= kSafeGap, best_safe = best_gap >= kSafeGap;
            const bool better = safe ? (!best_safe || cost < best_cost) : (!best_safe && gap > best_gap);
            if (better) {
                best = m;
                best_gap = gap;
                best_cost = cost;
            }
        }
    }
    // Running into something whatever the direction: triple speed, if that helps.
    if (best_gap < 0) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (dx == 0 && dy == 0) continue;
                const Move m{dx, dy, true};
                const double gap = Clearance(sx, sy, m);
                if (gap > best_gap) {
                    best = m;
                    best_gap = gap;
                }
            }
        }
    }
    last_ = best;
}

// CLargeEnemy: the multi-part enemies (ships and fortresses riding the ground).
//
// A class is a LargeEnemyLayout (large_layout.h): a hull with a body sprite,
// a table of parts at fixed offsets from the hull centre (part 0 is the
// core, the others are turrets), firing clocks that visit the parts in turn,
// and the chain of smokes that ends it. The table order is the order in
// which the parts are damaged, fired and drawn. The core can only be hurt
// once every other part is gone; a destroyed part keeps its place, keeps
// turning and smokes on its firing steps instead of firing.
//
// Created like every enemy from g_EnemyParam (X, Y, Mode = ground speed x 10)
// and g_EnemyParamEx (FirstShot, TurnInterval; ShotInterval and FireLimitY
// for the classes that keep the record's schedule).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "app/zenit02.h"
#include "core/game_object.h"
#include "core/q7_pos.h"
#include "game/enemies/large_layout.h"

class CLargeEnemy : public GameObject {
public:
    // A part at or above this row is under the status bar and cannot be hurt.
    static constexpr std::int32_t kStatusBarY = 24;

    explicit CLargeEnemy(const LargeEnemyLayout& layout) : layout_(layout) {}

    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Read-outs for tests and the stage.
    std::size_t PartCount() const { return parts_.size(); }
    std::int32_t PartHitPoints(std::size_t part) const { return parts_[part].hit_points; }
    std::int32_t PartHeading(std::size_t part) const { return parts_[part].heading; }
    std::int32_t PartFlash(std::size_t part) const { return parts_[part].flash; }
    const CQ7Pos& PartHitPos(std::size_t part) const { return parts_[part].hit; }
    // The main clock (0) or the second one (1).
    std::int32_t FireStepNo(int clock = 0) const { return clocks_[clock].step; }
    std::int32_t FireInterval(int clock = 0) const { return clocks_[clock].interval; }
    std::int32_t NextFireFrame(int clock = 0) const { return clocks_[clock].next; }
    double Y() const { return y_; }

private:
    struct Part {
        const LargePartDef* def = nullptr;
        std::int32_t hit_points = 0;
        std::int32_t heading = 0;
        std::int32_t flash = 0;
        CQ7Pos hit, sprite;
    };
    struct Clock {
        const FireClock* def = nullptr;
        std::int32_t interval = 0;
        std::int32_t next = 0;
        std::int32_t step = 0;  // 1.. once the cycle has started
    };

    void PlaceParts();
    std::int32_t DamageTo(const Part& part) const;
    // Damages one part; true when it was destroyed by this hit.
    bool DamagePart(Part& part, std::int32_t extra);
    void Turn();
    void RunClock(Clock& clock);
    void FirePart(const FireStep& step, std::int32_t index);
    void Shoot(ShotKind kind, std::int32_t x, std::int32_t y, std::int32_t dir, double offset, double speed_add) const;
    void Draw();
    void Register() const;
    std::int32_t TurretHitPoints() const;
    std::int32_t RoundX() const { return RoundHalfEven(x_); }
    std::int32_t RoundY() const { return RoundHalfEven(y_); }

    const LargeEnemyLayout& layout_;
    EnemyParam ep_;
    EnemyParamEx ex_;
    std::int32_t frame_ = 0;
    double x_ = 0, y_ = 0;
    std::int32_t anchor_ = 0;
    double travel_ = 0, speed_ = 0;
    std::array<Clock, 2> clocks_;
    std::vector<Part> parts_;
    std::vector<CQ7Pos> extra_hull_;  // the core's further rectangles
    std::vector<CQ7Pos> decor_;
    CQ7Pos body_;
};

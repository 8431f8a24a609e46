#include "game/enemies/en005.h"

#include "core/q7_angle.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 400,
    .score = 100,
    .bound_sprite = 0,
    .turns = true,  // the turret, not the body (Mode 2)
    .distance_rule = true,
    .explosion = {.sound = &g_SeReq6, .large = true, .step = 4, .layer = 17, .wreck_sprite = 225},
};
constexpr std::int32_t kBase = 4051;
// Turret mount relative to the hull centre, by body direction 0..7.
constexpr std::int32_t kMountX[8] = {-8, -6, -2, 3, 5, 3, -1, -5};
constexpr std::int32_t kMountY[8] = {-1, -5, -7, -4, -1, 3, 5, 4};

bool IsDirection(std::int32_t d) { return d >= 0 && d < 8; }
}  // namespace

CEN005::CEN005() : CEnemy(kProfile) {}

void CEN005::SetUp() {
    script_.Load(g_EnemyMoveScript);
    const EnemyMoveScript& s = script_.Script();
    // The turret starts at Heading, else where the first step's sprite or
    // direction points, else down. Values that are no direction are passed
    // over so that the sprite number stays within the tank's 64 images.
    if (IsDirection(ex_.Heading))
        turret_ = ex_.Heading;
    else if (IsDirection(s.StepSprite[0]))
        turret_ = s.StepSprite[0];
    else if (IsDirection(s.StepDir[0]))
        turret_ = s.StepDir[0];
    else
        turret_ = 2;
    heading_ = turret_;
    sprite_ = kBase + turret_ + 8 * heading_;
    CopySpriteRect(kBase, sprite_pos_);
    CopySpriteRect(kBase, hit_);
}

void CEN005::Move() {
    script_.Step(frame_, hit_, heading_);
    x_ += script_.VX();
    if (RidesScroll()) {
        anchor_ += script_.VY();
        y_ = GroundY();
    } else {
        y_ += script_.VY();
    }
    if (ep_.Mode == 1) turret_ = heading_;
    sprite_ = kBase + turret_ + 8 * heading_;
}

void CEN005::Turn() {
    // Mode 2 aims from where the hull stands this frame, after the move.
    if (ep_.Mode != 2 || ex_.TurnInterval <= 0 || frame_ % ex_.TurnInterval != 0) return;
    turret_ = g_Angle.GetGK8(hit_.KAKUDO8(g_MyShipPos), turret_);
    sprite_ = kBase + turret_ + 8 * heading_;
}

void CEN005::Fire() {
    const std::int32_t b = heading_ & 7;
    FireTama(x_ + kMountX[b], y_ + kMountY[b], turret_ * 2, 8, ep_.ShotSpeedAdd);
}

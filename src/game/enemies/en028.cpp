#include "game/enemies/en028.h"

#include "game/enemies/en_missile.h"
#include "game/enemies/tama_velocity.h"

namespace {
const EnemyProfile kProfile = {
    .kind = EnemyKind::Ground,
    .hit_points = 10000,
    .score = 1500,
    .bound_sprite = 0,
    .explosion = {.sound = &g_SeReq8, .pattern = Explosion::Pattern::None},
};
constexpr std::int32_t kHitSize = 48;
constexpr std::int32_t kGaitFrames = 8;   // frames per step of the gait
constexpr std::int32_t kHatchOpen = 24;   // frames the hatches stay open after a salvo

// The launchers at the corners, each sending its missile out along its diagonal.
struct Launcher {
    std::int32_t dx, dy, dir;
};
constexpr Launcher kLaunchers[] = {{-20, -20, 10}, {20, -20, 14}, {-20, 20, 6}, {20, 20, 2}};
constexpr Launcher kFrontLaunchers[] = {{-20, 20, 6}, {20, 20, 2}};

constexpr std::int32_t kSmokes[5][2] = {{-20, -20}, {20, -20}, {0, 0}, {-20, 20}, {20, 20}};
}  // namespace

CEN028::CEN028() : CEnemy(kProfile) {}

void CEN028::SetUp() {
    sprite_ = kSprite;
    layer_ = kLayer;
    CopySpriteRect(kSprite, sprite_pos_);
    hit_.ReSize(kHitSize, kHitSize);
}

void CEN028::Move() {
    anchor_ += ep_.Mode / 10.0;
    y_ = GroundY();
    if (hatch_frames_ > 0) --hatch_frames_;
    const std::int32_t step = ep_.Mode != 0 ? (frame_ / kGaitFrames) % 4 : 0;
    sprite_ = kSprite + step + (hatch_frames_ > 0 ? kOpenHatches : 0);
}

void CEN028::Fire() {
    const bool salvo = shots_++ % 2 == 0;
    if (salvo) {
        for (const Launcher& l : kLaunchers) LaunchMissile(x_ + l.dx, y_ + l.dy, l.dir);
        hatch_frames_ = kHatchOpen;
        return;
    }
    for (const Launcher& l : kFrontLaunchers) FireAimedTama5(x_ + l.dx, y_ + l.dy);
}

void CEN028::OnDestroyed() {
    for (const auto& o : kSmokes) MakeSmoke(RoundHalfEven(x_) + o[0], RoundHalfEven(y_) + o[1], 0, 0, true, 4, 17);
}

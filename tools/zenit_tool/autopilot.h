// The autopilot of `zenit-tool sim --bot`: plays like a careful player, to
// measure how hard a stage is (the hits it takes with --invincible), not to win.
//
// It only presses pad inputs, so a bot run is an input stream like any
// other, and it knows only what a player sees: before each step it reads the
// boxes the last step left in the hit lists that hurt the ship (enemy bodies
// and bullets) and the enemies that can be targeted, and tells their motion
// from where the same boxes were one step earlier. It never looks at the
// stage script. Then:
//   - attack is held all the time;
//   - each of the nine pad directions is tried for a short look-ahead (the
//     boxes moving on as they moved, the ship as the pad would move it), and
//     the one that keeps the ship farthest from harm wins when something is
//     close; otherwise it drifts low on the screen, under the nearest enemy;
//   - only when every direction runs into something does it use triple speed.
// It has a player's limits, which is what makes its hits a measure: a new
// box counts only after it has been on screen for a moment (reaction); it
// follows only the few boxes nearest the ship (attention); it misjudges each
// bullet's speed and heading a little (the same way throughout); and it holds
// each decision for a few steps, as a hand on a pad does. Its "chance" comes
// from a fixed scramble of step numbers and positions, so the same run gives
// the same inputs.
#pragma once

#include <cstdint>
#include <vector>

#include "input_script.h"

class Autopilot {
public:
    // The pad for the coming step.
    PadState Next();

    static constexpr int kLookAhead = 10;      // steps each direction is followed
    static constexpr int kReactionSteps = 12;  // steps (0.2 s) a new box is on screen before it counts
    static constexpr int kAttention = 4;       // boxes it can follow at once, the nearest
    static constexpr double kSafeGap = 6;      // pixels of clearance that count as safe
    static constexpr int kMinHold = 3;         // steps a decision is held at least,
    static constexpr int kHoldSpread = 4;      // and up to this many more
    static constexpr int kPreferredY = 196;    // where the ship likes to fly (play field 32..232)

    // How a player misjudges one box's motion: speed factor, turn in radians.
    struct Judgement {
        double speed = 1, turn = 0;
    };

private:
    struct Box {
        double x = 0, y = 0;  // centre
        int w = 0, h = 0;
        double vx = 0, vy = 0;
        int age = 0;  // steps it has been followed
        Judgement misjudge;
    };
    struct Move {
        int dx = 0, dy = 0;
        bool fast = false;
    };

    void Track();
    void Decide();
    double Clearance(double sx, double sy, const Move& m) const;
    double TargetX(double sx, double sy) const;

    std::vector<Box> boxes_, previous_;
    Move last_{};
    std::int64_t step_ = 0;
    std::int64_t next_decision_ = 0;
};

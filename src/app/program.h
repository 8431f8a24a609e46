// Main: the program's start-up.
//
// Play: the defaults, zenit.ini, the settings dialog (Form2) shown while the
// sprites load, then the game window (Form1), whose timer runs one stage
// after another until the stage number says the program ends.
//
// Headless (zenit-tool sim/bench, tests): the same start-up and the same
// stage loop on the headless back-end, with no dialog and the default
// settings, as if the start button had been pressed at once. The caller
// installs the clock (a VirtualClock for unpaced, repeatable runs).
#pragma once

#include <filesystem>
#include <string>

#include "app/form1.h"

struct ProgramOptions {
    bool headless = false;
    // Play only: false skips the settings dialog (as if started at once with
    // the settings read from zenit.ini).
    bool settings_dialog = true;
    // The stage to begin with (1..9); a start past stage 1 begins with the
    // new-game values stage 1 would set (one ship, no weapon levels, score 0, rank 0).
    int start_stage = 1;
    // With a start past stage 1: the score to begin with, before the stage's
    // rank rule (to see a late stage or the ending as a high-scoring run reaches it).
    int start_score = 0;
    FrameLoopHooks hooks;
    // The run's replay: a new file named by date and time in replay_dir (the
    // game), or exactly replay_file (zenit-tool sim --record); neither: none.
    // replay_note is written as the replay's "# sim" line.
    std::filesystem::path replay_dir, replay_file;
    std::string replay_note;
};

// Runs the program to its end; returns the process exit code.
int Main(const ProgramOptions& options = {});

// The values a new game starts with (stage 1 sets them itself).
void SetNewGameValues();

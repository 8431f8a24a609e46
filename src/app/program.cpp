#include "app/program.h"

#include <cstdio>
#include <memory>
#include <string>

#include "app/form2.h"
#include "app/replay.h"
#include "app/settings.h"
#include "app/zenit02.h"
#include "core/clock.h"
#include "core/message_box.h"
#include "core/q7_angle.h"
#include "platform/i_sdl_display.h"
#include "platform/q7_directx7.h"

namespace {

// A platform set-up step that fails ends the program naming the step.
void Require(bool ok, const char* operation) {
    if (!ok) FatalError(std::string(operation) + ": " + g_DX7.LastError());
}

// Where nothing can be shown, a message box cannot be either: one line on
// stderr, and the program ends at once.
[[noreturn]] void CannotShow(const std::string& why) {
    std::fprintf(stderr, "zenit: %s\n", why.c_str());
    EndProgram(1);
}

// Video stays up from the settings dialog to the end of the game, so the
// game's window opens on the display the dialog was shown on.
class VideoHold {
public:
    void Start() {
        std::string why;
        if (!SdlVideoStart(&why)) CannotShow(why);
        held_ = true;
    }
    ~VideoHold() {
        if (held_) SdlVideoStop();
    }

private:
    bool held_ = false;
};

}  // namespace

void SetNewGameValues() {
    g_Lives = 1;
    g_PowerLv0 = g_PowerLv1 = g_PowerLv2 = g_PowerLv3 = 0;
    g_Score = 0;
    g_Rank = 0;
}

int Main(const ProgramOptions& options) {
    // 1, 2. Defaults, then zenit.ini (play only: headless runs use the defaults).
    SetMainDefaults();
    VideoHold video;  // declared before the dialog: released after it
    std::unique_ptr<Form2> dialog;
    if (options.headless) {
        g_DX7.UseHeadless();
    } else {
        LoadSettings();
        g_DX7.UseSdl();  // message boxes and shutdown go through SDL from here on
        video.Start();
        // 3. The settings dialog, modeless; it is the event pump while it is up.
        if (options.settings_dialog) {
            dialog = std::make_unique<Form2>();
            if (!dialog->Show()) CannotShow(dialog->Error());
            SetYieldHandler(&Form2::PumpYield, dialog.get());
            Yield();
        }
    }

    // 4, 5. The main window (not shown yet) and the sprites.
    g_Form1.Load();
    LoadGraphics();
    g_LoadDone = true;

    // 6, 7. Wait for the dialog to close; closed without starting: the end.
    if (dialog) {
        while (g_LauncherClosed == 0) {
            SleepMs(100);
            Yield();
        }
        SetYieldHandler(nullptr, nullptr);
        dialog.reset();
    } else {
        g_LauncherClosed = 1;
        g_QuitRequested = 0;
    }
    if (g_QuitRequested != 0) {
        g_Form1.Unload();
        return 0;
    }

    // 8..11. Display, input, sound and music; the effects; the random sequences.
    g_FullScreen = true;
    Require(g_DX7.DD_SetUP(nullptr, 640, 480, 8), "DD_SetUP");
    Require(g_DX7.DD_OFFSC_SetUP(320, 240), "DD_OFFSC_SetUP");
    Require(g_DX7.DI_SetUP(nullptr), "DI_SetUP");
    g_DX7.DS_SetUP(nullptr);
    g_DX7.DM_SetUP(nullptr, g_DefaultPort);
    LoadSounds();
    g_Angle.RndReset();

    if (options.start_stage != 1) {
        g_StageNo = options.start_stage;
        SetNewGameValues();
        g_Score = options.start_score;
    }

    // 12. Show the window; from here the program lives in its events.
    FrameLoopHooks hooks = options.hooks;
    std::unique_ptr<ReplayRecorder> recorder;
    if (!options.replay_dir.empty() || !options.replay_file.empty()) {
        recorder = std::make_unique<ReplayRecorder>(options.replay_dir, options.replay_file, options.replay_note);
        recorder->Attach(hooks);
    }
    g_Form1.SetHooks(std::move(hooks));
    g_Form1.Show();
    g_Form1.Run();
    if (recorder) g_Form1.SetHooks(options.hooks);  // nothing may call the recorder once it is gone
    return 0;
}

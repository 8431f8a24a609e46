// zenit-tool settings FILE: the six values the game would take from FILE, as
// one JSON object, so the reading rules can be checked from outside.
#include <cstdio>

#include "app/settings.h"
#include "tool.h"

namespace {

int RunSettings(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zenit-tool settings FILE\n");
        return 2;
    }
    bool opened = false;
    std::string why;
    Settings s = ReadSettingsFile(args[0], Settings{}, &opened, &why);
    if (!opened) std::fprintf(stderr, "settings: cannot read %s; the game keeps its defaults\n", why.c_str());
    std::printf(
        "{\"ShotButton\": %d, \"PowreUpButton\": %d, \"PauseButton\": %d, \"SpeedUpButton\": %d, "
        "\"DefaltPort\": %s, \"Init_Vol\": %d}\n",
        s.ShotButton, s.PowerUpButton, s.PauseButton, s.SpeedUpButton, s.DefaultPort ? "true" : "false", s.InitVol);
    return 0;
}

const ToolCommandRegistrar kRegister({"settings", "settings FILE  the six values zenit.ini FILE gives, as JSON",
                                      RunSettings});

}  // namespace

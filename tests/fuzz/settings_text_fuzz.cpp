// zenit.ini as anyone may have edited it; whatever it holds, the values read
// stay in their ranges and write back as a file that reads the same (over a
// base that prefers the default port: only a 0 changes that).
#include <cstdlib>

#include "app/settings.h"
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Settings s = ParseSettings(FuzzText(data, size));
    for (int v : {s.ShotButton, s.PowerUpButton, s.PauseButton, s.SpeedUpButton})
        if (v < 0 || v >= kPadButtonCount) std::abort();
    if (s.InitVol < 1 || s.InitVol > 3) std::abort();
    if (!(ParseSettings(FormatSettings(s), Settings{1, 2, 3, 4, true, 1}) == s)) std::abort();
    return 0;
}

// RIFF WAVE sound effects, read at the mixer's rate and at another one (so
// that resampling runs too).
#include <span>

#include "fuzz_target.h"
#include "platform/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (int rate : {44100, 22050}) {
        EffectSound sound;
        if (ParseWave(std::span<const std::uint8_t>(data, size), rate, sound) && !sound.samples.empty())
            (void)sound.samples.back();
    }
    return 0;
}

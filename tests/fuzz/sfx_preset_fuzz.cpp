// Sound-effect presets: any text parses or stops with "file:line:col: ...".
#include <cstdlib>

#include "fuzz_target.h"
#include "sfx_preset.h"
#include "source_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        (void)ParseSfxPreset(FuzzText(data, size), "fuzz.sfx");
    } catch (const SourceError& e) {
        if (std::string(e.what()).rfind("fuzz.sfx:", 0) != 0) std::abort();
    }
    return 0;
}

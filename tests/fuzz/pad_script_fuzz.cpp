// Pad scripts for headless runs: parsed or refused with a line number, and a
// parsed script answers for any frame.
#include <cstdlib>

#include "fuzz_target.h"
#include "input_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    std::optional<InputScript> script = InputScript::Parse(FuzzText(data, size), &error);
    if (!script) {
        if (error.rfind("line ", 0) != 0) std::abort();
        return 0;
    }
    for (std::int64_t frame : {std::int64_t{-1}, std::int64_t{0}, script->Length() - 1, script->Length()})
        (void)script->At(frame);
    return 0;
}

// The music compiler: any text compiles or stops with "file:line:col: ...",
// in bounded time and memory however its repeats and macros nest. The bounds
// are lower than the build's (the same code path, a smaller number), so that
// an input that expands runs out in a millisecond, not in a second.
#include <cstdlib>

#include "fuzz_target.h"
#include "mml.h"
#include "source_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        (void)CompileMml(FuzzText(data, size), "fuzz.mml", MmlLimits{.events = 2000, .steps = 10000});
    } catch (const SourceError& e) {
        if (std::string(e.what()).rfind("fuzz.mml:", 0) != 0) std::abort();
    }
    return 0;
}

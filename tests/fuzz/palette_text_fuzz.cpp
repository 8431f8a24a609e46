// Palette texts ("42428010/<n>/<c1>/.../<cn>/"), loaded at any start index,
// in range or not (the first byte chooses it).
#include "fuzz_target.h"
#include "gfx/q7_palette256.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int start = static_cast<int>(data[0]) - 8;  // -8 .. 247
    CQ7Palette256 palette;
    palette.SetUpText(FuzzText(data + 1, size - 1), start);
    palette.SetUP();
    (void)palette.GetColor32(255);
    return 0;
}

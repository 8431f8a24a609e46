#include "stage_palettes.h"

#include <algorithm>

const std::array<PaletteLoad, 3>& StagePaletteLoads(int stage) {
    static const std::array<PaletteLoad, 3> loads[9] = {
        {{{101, 1}, {102, 181}, {103, 51}}}, {{{101, 1}, {104, 181}, {103, 51}}}, {{{101, 1}, {104, 181}, {103, 51}}},
        {{{101, 1}, {105, 181}, {103, 51}}}, {{{101, 1}, {106, 101}, {103, 51}}}, {{{101, 1}, {107, 181}, {103, 51}}},
        {{{101, 1}, {108, 101}, {103, 51}}}, {{{111, 1}, {110, 111}, {109, 51}}}, {{{111, 1}, {109, 51}, {112, 181}}},
    };
    return loads[std::clamp(stage, 1, 9) - 1];
}

// The palette texts each stage loads, with their first indices, in loading
// order (1..8 the stages, 9 the ending): what the export's sheets and the
// gallery's scenes show the art with.
#pragma once

#include <array>

#include "game/stages/stage_base.h"

const std::array<PaletteLoad, 3>& StagePaletteLoads(int stage);

// CEN026, the mothership: a large enemy on the part-table model; its table
// (en026_layout.h) is the drawing of the ship.
#pragma once

#include "game/enemies/en026_layout.h"
#include "game/enemies/large_enemy.h"

class CEN026 final : public CLargeEnemy {
public:
    CEN026() : CLargeEnemy(en026::kLayout) {}
};

// CEN015, the tank carrier: a large enemy on the part-table model; its table
// (en015_layout.h) is the drawing of the ship.
#pragma once

#include "game/enemies/en015_layout.h"
#include "game/enemies/large_enemy.h"

class CEN015 final : public CLargeEnemy {
public:
    CEN015() : CLargeEnemy(en015::kLayout) {}
};

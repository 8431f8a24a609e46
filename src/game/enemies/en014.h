// CEN014, the battleship: a large enemy on the part-table model; its table
// (en014_layout.h) is the drawing of the ship.
#pragma once

#include "game/enemies/en014_layout.h"
#include "game/enemies/large_enemy.h"

class CEN014 final : public CLargeEnemy {
public:
    CEN014() : CLargeEnemy(en014::kLayout) {}
};

// CEN013, the frigate: a large enemy on the part-table model; its table
// (en013_layout.h) is the drawing of the ship.
#pragma once

#include "game/enemies/en013_layout.h"
#include "game/enemies/large_enemy.h"

class CEN013 final : public CLargeEnemy {
public:
    CEN013() : CLargeEnemy(en013::kLayout) {}
};

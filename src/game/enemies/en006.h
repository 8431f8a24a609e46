// CEN006: the armoured ground ship of stages 1, 3 and 6: a 32x220 hull with
// two big and four small turrets, an eight-step firing cycle and a core that
// opens once all six turrets are wrecked.
#pragma once

#include "game/enemies/large_enemy.h"

class CEN006 final : public CLargeEnemy {
public:
    CEN006();
};

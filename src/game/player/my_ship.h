// The player's ship: movement, weapons, options, shop, life and the three
// scripted sequences (stage intro, stage clear, game over), plus the status line.
#pragma once

#include "core/game_object.h"

class CMyShip : public GameObject {
public:
    CMyShip();
    void Call_Initial(int& slot) override;
    bool Call_Events() override;

    // Counts down the invulnerable frames; hits are only tested at 0.
    int MTC = 0;
    // Puts the shop cursor on the next affordable upgrade.
    void SetWeponSelect();
};

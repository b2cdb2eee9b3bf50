// The clicks the window delivers: the twelve hand slots and the action button.
#pragma once

#include "flow/game.h"

namespace durak {

// A click on hand slot 1..12 plays that slot according to the player's role.
void HandSlotClick(Game& g, int slot);

// Hand slots 1..6 and 7..12, and the action button.
void Image41_Click(Game& g);
void Image42_Click(Game& g);
void Image43_Click(Game& g);
void Image44_Click(Game& g);
void Image45_Click(Game& g);
void Image46_Click(Game& g);
void Image78_Click(Game& g);
void Image79_Click(Game& g);
void Image80_Click(Game& g);
void Image81_Click(Game& g);
void Image82_Click(Game& g);
void Image83_Click(Game& g);
void Image70_Click(Game& g);

// The click event of a control number: one of the thirteen above, or nothing for a
// control that does not react to the mouse.
using ClickEvent = void (*)(Game&);
ClickEvent ClickEventOf(int control);

}  // namespace durak

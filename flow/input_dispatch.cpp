#include "flow/input_dispatch.h"

#include "cards/picture_catalogue.h"
#include "flow/procedures.h"

namespace durak {

// Two independent tests in this order: the second reads the role the first left, so a
// chain that hands the turn to the computer also runs the cover with the same slot.
// The slot is handed on whatever it holds; the receiving step decides. A game that has
// its result takes no more moves.
void HandSlotClick(Game& g, int slot) {
    if (g.decided) return;
    RunEventChain(g, [slot](Game& game) {
        if (game.playerRole == kPlayerAttacks) {
            game.selectedSlot = static_cast<Field>(slot);
            PlayerAttack(game);
        }
        if (game.playerRole == kPlayerDefends) {
            game.selectedSlot = static_cast<Field>(slot);
            PlayerDefend(game);
        }
    });
}

void Image41_Click(Game& g) { HandSlotClick(g, 1); }
void Image42_Click(Game& g) { HandSlotClick(g, 2); }
void Image43_Click(Game& g) { HandSlotClick(g, 3); }
void Image44_Click(Game& g) { HandSlotClick(g, 4); }
void Image45_Click(Game& g) { HandSlotClick(g, 5); }
void Image46_Click(Game& g) { HandSlotClick(g, 6); }
void Image78_Click(Game& g) { HandSlotClick(g, 7); }
void Image79_Click(Game& g) { HandSlotClick(g, 8); }
void Image80_Click(Game& g) { HandSlotClick(g, 9); }
void Image81_Click(Game& g) { HandSlotClick(g, 10); }
void Image82_Click(Game& g) { HandSlotClick(g, 11); }
void Image83_Click(Game& g) { HandSlotClick(g, 12); }

// The action button ends the round in every mode and role. Before the first game and
// once a game has its result there is no round to end: the button does nothing.
void Image70_Click(Game& g) {
    if (g.playerRole == kNoGameYet || g.decided) return;
    RunEventChain(g, EndRound);
}

ClickEvent ClickEventOf(int control) {
    static constexpr ClickEvent kHandClicks[kPlayerHandSlots] = {
        Image41_Click, Image42_Click, Image43_Click, Image44_Click, Image45_Click, Image46_Click,
        Image78_Click, Image79_Click, Image80_Click, Image81_Click, Image82_Click, Image83_Click};
    if (control == kActionButtonSlot) return Image70_Click;
    const int slot = HandSlotOfControl(control);
    return slot ? kHandClicks[slot - 1] : nullptr;
}

}  // namespace durak

#include "flow/menu_events.h"

#include "flow/procedures.h"

namespace durak {

void Form_Load(Game& g) { g.playMode = kPlayModeHuman; }

// "Новая" deals; between two computers the whole game runs inside this choice.
void MenuNewGame(Game& g) { RunEventChain(g, NewGame); }

void MenuOneComputer(Game& g) { g.playMode = kPlayModeHuman; }

void MenuTwoComputers(Game& g) { g.playMode = kPlayModeTwoComputers; }

void MenuFastGame(Game& g) {
    g.playMode = kPlayModeTwoComputers;
    g.delayFactor = kPaceFast;
}

void MenuMediumGame(Game& g) {
    g.playMode = kPlayModeTwoComputers;
    g.delayFactor = kPaceMedium;
}

void MenuSlowGame(Game& g) {
    g.playMode = kPlayModeTwoComputers;
    g.delayFactor = kPaceSlow;
}

// The credit line replaces every printed text; the cards stay as they lie.
void MenuAuthor(Game& g) {
    g.text.ClearAndPrintStatus(kCreditLine);
}

}  // namespace durak

// What the computer plays: its cover, its lead and its addition, each a fixed scan of its
// hand in slot order in which the first card that passes wins.

#include "seats/computer_choice.h"

#include "cards/card_code.h"

namespace durak {

namespace {

// First slot in slot order whose card passes the test; 0 when none does.
template <typename Test>
int FirstSlot(const GameState& s, Test test) {
    for (int slot = 1; slot <= kComputerHandSlots; ++slot)
        if (test(s.computerHand[slot])) return slot;
    return 0;
}

// The trump suit (0..3) the lead skips, as last read off the trump card; -1 for none.
int LeadTrumps(const GameState& s) { return s.trumpSuitIcon - 1; }

}  // namespace

int CoverSlot(const GameState& s) {
    const int attack = s.playerAttackCard;
    const int suit = SuitOf(attack);
    if (suit < 0) return 0;

    const int top = SuitUpperBound(suit + 1);
    const int higher = FirstSlot(s, [&](int c) { return attack < c && c < top; });
    // A cover of the previous pair still held in defenceCard keeps the trumps back.
    if (higher != 0 || s.defenceCard != 0) return higher;
    int trumps = TrumpSuit(s.trumpCard);
    if (trumps < 0) trumps = 0;  // a trump card in no suit counts as spades
    return FirstSlot(s, [&](int c) { return InSuit(c, trumps); });
}

bool LeadNeedsStartSuit(const GameState& s) {
    const int trumps = LeadTrumps(s);
    return FirstSlot(s, [&](int c) { return c != 0 && !InSuit(c, trumps); }) != 0;
}

int LeadSlot(const GameState& s, int startSuit) {
    const int trumps = LeadTrumps(s);
    // With nothing but trumps the lead takes the first trump: a lead that skipped trumps
    // would find nothing, and the rounds would repeat without end.
    if (!LeadNeedsStartSuit(s)) return FirstSlot(s, [&](int c) { return InSuit(c, trumps); });
    for (int n = startSuit; n <= kSuitNumbers; ++n) {
        if (n - 1 == trumps) continue;
        if (const int slot = FirstSlot(s, [&](int c) { return InSuit(c, n - 1); })) return slot;
    }
    return 0;
}

int AdditionSlot(const GameState& s) {
    // A player who has shed every card is attacked no more: with the player's hand empty
    // the addition finds nothing, as when the computer holds no card of the cover's rank.
    // The round then ends as covered, and with the stock used up the player has won.
    if (s.playerHand.AllZero()) return 0;
    // A slot equal to the cover also matches: with no cover the scan stops at the first
    // empty slot, and the player's cover is not looked at.
    auto ofRank = [](int cover) {
        return [cover](int c) { return c == cover || SameRank(c, cover); };
    };
    if (const int slot = FirstSlot(s, ofRank(s.defenceCard))) return slot;
    return FirstSlot(s, ofRank(s.playerDefenceCard));
}

}  // namespace durak

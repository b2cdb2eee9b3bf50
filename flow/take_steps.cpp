// The take steps of a round end: fixed lists of moves from the table into a hand.
//
// Each move "to ← from" carries the card at `from` to `to` when `to` is empty and
// `from` holds a card; otherwise it does nothing. A fill "to ← s1, s2, …" is the moves
// to ← s1, to ← s2, … in that order, so the first source holding a card fills an empty
// `to`. The lists run strictly in the order written. They do not always find a place for
// every card; whatever they leave on the table then goes into the first empty slot of
// the taking hand, so a card leaves the game only when that hand has no room at all.

#include "flow/take_steps.h"

#include <cstddef>

namespace durak {

namespace {

// The rows a take step reads and writes.
enum class Row : unsigned char {
    ComputerHand,     // C1..C16
    PlayerHand,       // P1..P12
    PlayerAttack,     // A1..A6, the player's attack cards
    ComputerDefence,  // D1..D6, the computer's covers of them
    ComputerAttack,   // K1..K6, the computer's attack cards
    PlayerDefence,    // E1..E6, the player's covers of them
};

// Slot 0 is no place: it marks the unused tail of a fill's source list.
struct Place {
    Row row = Row::ComputerHand;
    int slot = 0;
};

constexpr Place C(int i) { return {Row::ComputerHand, i}; }
constexpr Place P(int i) { return {Row::PlayerHand, i}; }
constexpr Place A(int i) { return {Row::PlayerAttack, i}; }
constexpr Place D(int i) { return {Row::ComputerDefence, i}; }
constexpr Place K(int i) { return {Row::ComputerAttack, i}; }
constexpr Place E(int i) { return {Row::PlayerDefence, i}; }

// to ← from, to ← …: the sources in order, up to twelve.
struct Fill {
    Place to;
    Place from[12];
};

// ---------------------------------------------------------------------------------
// The computer takes.
constexpr Fill kComputerTakes[] = {
    // 1. The attack cards and covers into the hand.
    {C(1), {A(1)}}, {C(2), {A(2)}}, {C(3), {A(1)}}, {C(4), {A(2)}}, {C(5), {A(3)}},
    {C(6), {A(4)}}, {C(7), {A(1)}}, {C(8), {A(2)}}, {C(9), {A(3)}}, {C(10), {A(4)}},
    {C(11), {A(5)}}, {C(12), {A(6)}}, {C(13), {D(1)}}, {C(14), {D(2)}}, {C(15), {D(3)}},
    {C(16), {D(4)}},
    // 2. Close up the hand.
    {C(1), {C(7)}}, {C(2), {C(8)}}, {C(3), {C(9)}}, {C(4), {C(10)}}, {C(5), {C(11)}},
    {C(6), {C(12)}}, {C(7), {C(13)}}, {C(8), {C(14)}}, {C(9), {C(15)}}, {C(10), {C(16)}},
    // 3. Second chances for what is still on the table.
    {C(12), {A(1)}}, {C(10), {A(1)}}, {C(11), {A(2)}}, {C(12), {A(3)}}, {C(15), {A(3)}},
    {C(13), {A(4)}}, {C(14), {A(5)}}, {C(15), {A(6)}}, {C(16), {D(1)}}, {C(13), {A(1)}},
    {C(14), {A(2)}}, {C(15), {A(3)}}, {C(16), {A(4)}}, {C(8), {A(5)}}, {C(9), {A(6)}},
    {C(10), {D(1)}}, {C(11), {D(2)}}, {C(12), {D(3)}}, {C(13), {D(4)}}, {C(14), {D(5)}},
    {C(15), {D(6)}}, {C(14), {A(1)}}, {C(15), {A(1)}}, {C(15), {A(2)}},
};

// ---------------------------------------------------------------------------------
// The player takes.
constexpr Fill kPlayerTakes[] = {
    {P(7), {K(1)}},
    {P(8), {K(2)}},
    {P(7), {K(2), K(3), K(4), K(5), K(6), E(1), E(2), E(3), E(4), E(5), E(6)}},
    {P(8), {K(1), E(1), E(2), E(3), E(4), E(5), E(6), K(2), K(3), K(4), K(5), K(6)}},
    {P(9), {K(1), K(3), E(1), E(2), E(3), E(4), E(5), E(6), K(2), K(4), K(5), K(6)}},
    {P(10), {K(2), K(4), E(1), E(2), E(3), E(4), E(5), E(6), K(1), K(3), K(5), K(6)}},
    {P(11), {K(1), E(1), E(2), E(3), E(4), E(5), K(4), K(5), K(6), E(6), K(2), K(3)}},
    {P(12), {K(2), E(2)}},
    {P(11), {K(2)}},
    {P(12), {K(1), E(3), K(4), K(5), K(6), E(1), E(4), E(5), E(6), K(3)}},
};

// The player's hand closes up: slots 7..12 move down into the gaps of slots 1..6.
constexpr Fill kPlayerCloseUp[] = {
    {P(1), {P(7)}},  {P(2), {P(8)}},  {P(3), {P(9)}},  {P(4), {P(10)}},
    {P(5), {P(11)}}, {P(6), {P(12)}}, {P(6), {P(7)}},  {P(5), {P(8)}},
    {P(4), {P(9)}},  {P(3), {P(10)}}, {P(2), {P(11)}}, {P(1), {P(12)}},
};

// ---------------------------------------------------------------------------------

// The field a place names.
Field& At(GameState& s, Place p) {
    switch (p.row) {
        case Row::ComputerHand: return s.computerHand[p.slot];
        case Row::PlayerHand: return s.playerHand[p.slot];
        case Row::PlayerAttack: return s.tablePlayerAttack[p.slot];
        case Row::ComputerDefence: return s.tableComputerDefence[p.slot];
        case Row::ComputerAttack: return s.tableComputerAttack[p.slot];
        case Row::PlayerDefence: return s.tablePlayerDefence[p.slot];
    }
    return s.computerHand[p.slot];
}

// to ← from: the card moves only into an empty slot, and only when there is one.
void Move(GameState& s, Place to, Place from) {
    Field& destination = At(s, to);
    Field& source = At(s, from);
    if (destination != 0 || source == 0) return;
    destination = source;
    source = 0;
}

// The fills of a list in order, each source of a fill in order. A slot already holding a
// card takes nothing from any of its sources.
template <std::size_t N>
void Apply(GameState& s, const Fill (&list)[N]) {
    for (const Fill& fill : list)
        for (const Place& from : fill.from)
            if (from.slot != 0) Move(s, fill.to, from);
}

// Every card still in `row` goes into the first empty slot of `hand`, in pair order.
template <int HandSize>
void TakeWhatIsLeft(OneBased<HandSize>& hand, OneBased<kPairs>& row) {
    for (int k = 1; k <= kPairs; ++k) {
        const int slot = hand.FirstEmpty();
        if (row[k] == 0 || slot == 0) continue;
        hand[slot] = row[k];
        row[k] = 0;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------
// The computer takes: its lists, then whatever they left on the table.
void ComputerTakesTable(GameState& s) {
    Apply(s, kComputerTakes);
    TakeWhatIsLeft(s.computerHand, s.tablePlayerAttack);
    TakeWhatIsLeft(s.computerHand, s.tableComputerDefence);
}

// ---------------------------------------------------------------------------------
// The player takes: its lists, the close-up, then whatever they left on the table.
void PlayerTakesTable(GameState& s) {
    Apply(s, kPlayerTakes);
    Apply(s, kPlayerCloseUp);
    TakeWhatIsLeft(s.playerHand, s.tableComputerAttack);
    TakeWhatIsLeft(s.playerHand, s.tablePlayerDefence);
}

}  // namespace durak

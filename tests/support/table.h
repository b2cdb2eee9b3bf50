// A game state written as the rules speak of it: cards by name, seats and modes by their
// catalogue names, hands and table rows given in one description.
//
//   TestTable t({.playerRole = kPlayerDefends, .trump = "A♣",
//                .computerHand = {"7♣", "K♦", "9♠", "6♦"}});
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "cards/card_code.h"
#include "cards/game_state.h"

namespace durak::fakes {

// The code of a card named as the rules write it: 6 to 10, J, Q, K or A, then the suit
// ♠ ♣ ♦ ♥. Card("Q♠") is 12, Card("10♥") is 160. A name that is no card is a test fault.
constexpr int Card(std::string_view name) {
    constexpr std::string_view suits[] = {"♠", "♣", "♦", "♥"};
    constexpr std::string_view ranks[] = {"6", "7", "8", "9", "10", "J", "Q", "K", "A"};
    for (int suit = 0; suit < 4; ++suit) {
        if (!name.ends_with(suits[suit])) continue;
        const std::string_view rank = name.substr(0, name.size() - suits[suit].size());
        for (int r = 0; r < 9; ++r)
            if (rank == ranks[r]) return 50 * suit + 6 + r;
    }
    throw std::invalid_argument("no card is named so");
}

static_assert(Card("6♠") == 6 && Card("Q♣") == 62 && Card("A♦") == 114 && Card("10♥") == 160);

// One place of a hand or a row: a card name for the next slot ("" leaves it empty), or
// {slot, name} for a given slot, after which the next plain name goes to slot + 1.
struct Place {
    Place() = default;  // an empty slot
    Place(const char* name) : card(*name ? Card(name) : kNoCard) {}
    Place(int slot, const char* name) : slot(slot), card(Card(name)) {}
    int slot = 0;  // 0: the slot after the previous place
    int card = kNoCard;
};
using Cards = std::vector<Place>;

// What lies where, and who plays. Whatever is not given is 0, as in a fresh record,
// with three exceptions: the stock is used up unless `stock` names the cards still in it
// (every other card counts as seen, and dealtCount agrees); computerCardCount counts the
// computer's hand; and each pair cursor points at the pair after the last card of its row
// (the player's attack wraps to 1 after the sixth, as its step leaves it). Fields without
// a place here are set on the state afterwards, under their own names.
struct Layout {
    Field playMode = kPlayModeHuman;
    Field delayFactor = 0;
    Field playerRole = kPlayerAttacks;
    Field attackPhase = 0;
    const char* trump = "";
    Cards stock;
    Cards playerHand, computerHand;
    Cards playerAttack, computerDefence;   // the player's attack and the computer's covers
    Cards computerAttack, playerDefence;   // the computer's attack and the player's covers
};

namespace layout_detail {

template <int N>
void Fill(OneBased<N>& slots, const Cards& cards) {
    int next = 1;
    for (const Place& p : cards) {
        const int slot = p.slot != 0 ? p.slot : next;
        slots[slot] = static_cast<Field>(p.card);
        next = slot + 1;
    }
}

template <int N>
Field PairAfterLast(const OneBased<N>& row) {
    int last = 0;
    for (int k = 1; k <= N; ++k)
        if (row[k] != kNoCard) last = k;
    return static_cast<Field>(last + 1);
}

}  // namespace layout_detail

inline void SetTable(GameState& s, const Layout& l) {
    using layout_detail::Fill;
    using layout_detail::PairAfterLast;
    s.playMode = l.playMode;
    s.delayFactor = l.delayFactor;
    s.playerRole = l.playerRole;
    s.attackPhase = l.attackPhase;
    s.trumpCard = static_cast<Field>(*l.trump ? Card(l.trump) : kNoCard);

    OneBased<kDeckSize> stock;
    Fill(stock, l.stock);
    s.seenCards.Clear();
    int entry = 1;
    for (int n = 1; n <= kLastPictureNumber; ++n) {
        const int c = CardOfPictureIndex(n);
        if (c == kNoCard || c == s.trumpCard || stock.Contains(c)) continue;
        if (entry == kTrumpEntry && s.trumpCard != kNoCard) ++entry;
        s.seenCards[entry++] = static_cast<Field>(c);
    }
    if (s.trumpCard != kNoCard) s.seenCards[kTrumpEntry] = s.trumpCard;
    s.dealtCount = static_cast<Field>(kAllDrawn - stock.CountNonZero());

    Fill(s.playerHand, l.playerHand);
    Fill(s.computerHand, l.computerHand);
    s.computerCardCount = static_cast<Field>(s.computerHand.CountNonZero());
    Fill(s.tablePlayerAttack, l.playerAttack);
    Fill(s.tableComputerDefence, l.computerDefence);
    Fill(s.tableComputerAttack, l.computerAttack);
    Fill(s.tablePlayerDefence, l.playerDefence);

    s.playerAttackPair = PairAfterLast(s.tablePlayerAttack);
    if (s.playerAttackPair > kPairs) s.playerAttackPair = 1;
    s.computerDefencePair = PairAfterLast(s.tableComputerDefence);
    s.computerAttackPair = PairAfterLast(s.tableComputerAttack);
    s.playerDefencePair = PairAfterLast(s.tablePlayerDefence);
}

}  // namespace durak::fakes

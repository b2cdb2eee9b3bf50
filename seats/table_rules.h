// What the table allows an attacking seat, for the player and the computer alike: a round
// holds six pairs, and an added card must match a rank already lying on the table. Both
// seats ask these questions here, so both play by one table.
#pragma once

#include "cards/card_code.h"
#include "cards/game_state.h"

namespace durak {

// Room for one more attack card: fewer than six attack cards lie in the attacker's row,
// and `pair`, where the card would go, is one of the six places. A seventh card is
// refused like any move the rules do not allow: it stays in the hand.
inline bool AttackPlaceLeft(const OneBased<kPairs>& attackRow, int pair) {
    return attackRow.CountNonZero() < kPairs && pair >= 1 && pair <= kPairs;
}

// The card's rank lies on the table: among the attack cards or the covers of one attack.
// An empty place matches nothing, and neither does an empty card.
inline bool RankOnTable(int card, const OneBased<kPairs>& attackRow,
                        const OneBased<kPairs>& coverRow) {
    for (int k = 1; k <= kPairs; ++k)
        if (SameRank(card, attackRow[k]) || SameRank(card, coverRow[k])) return true;
    return false;
}

}  // namespace durak

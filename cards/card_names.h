// What a card or a picture is called in words, for a screen reader: a card by its rank
// and its suit in the genitive ("дама пик"), the trump suit in the plural ("пики"), and
// how many backs a fan picture of the computer's hand shows.
#pragma once

#include <string>

namespace durak {

// "шестёрка" .. "туз", a space, then "пик", "треф", "бубен" or "червей"; empty for a code
// that is no card.
std::string CardName(int code);

// The suit of suit number 1..4 in the plural: "пики", "трефы", "бубны", "черви"; empty
// for any other number.
std::string SuitNameInPlural(int suitNumber);

// The number of backs the fan picture of holder `holder` shows; 0 for a holder that is
// no fan.
int BacksInFan(int holder);

}  // namespace durak
